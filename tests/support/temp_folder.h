// A new folder under the system's temporary folder, made the same way on every system.
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace tarnwick::testing {

// The folder's path; `prefix` starts its name. create_directory tells whether it made the folder,
// so a name somebody else has is never taken.
inline std::string MakeTemporaryFolder(const std::string& prefix) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) return candidate.string();
  }
  throw std::runtime_error("no temporary folder could be made");
}

}  // namespace tarnwick::testing
