#include "cli/cli.h"

#include <atomic>
#include <csignal>
#include <iostream>

#include "cli/commands.h"

namespace tarnwick::cli {

namespace {

std::atomic<bool> stopRequested{false};

// The first Ctrl-C asks the walk to stop and the partial result is printed; a second one ends
// the program at once, as the default action would.
extern "C" void OnInterrupt(int) {
  if (stopRequested.exchange(true)) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
}

}  // namespace

int Main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  auto platform = platform::makeSystemPlatform();
  std::signal(SIGINT, OnInterrupt);
  Context context{*platform, std::cout, std::cerr, platform->standardErrorIsTerminal(),
                  &stopRequested};
  const int status = Run(context, std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  std::cout.flush();
  return status;
}

}  // namespace tarnwick::cli
