// The command line front end: list, survey, size, export.
#pragma once

#include <iosfwd>

namespace tarnwick::cli {

int Main(int argc, char** argv);

}  // namespace tarnwick::cli
