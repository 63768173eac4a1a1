// Names of generated test trees: a letter and a number, "f3", "d12".
#pragma once

#include <string>

namespace tarnwick::testing {

// Built by appending: GCC 12 at -O3 warns, falsely, of overlapping copies in the plainer
// `"f" + std::to_string(number)`, and warnings fail the project's builds.
inline std::string NumberedName(char letter, int number) {
  std::string name(1, letter);
  return name.append(std::to_string(number));
}

}  // namespace tarnwick::testing
