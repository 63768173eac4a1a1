#include "cli/cli.h"

namespace tarnwick::cli {

int Main(int, char**) { return 0; }

}  // namespace tarnwick::cli
