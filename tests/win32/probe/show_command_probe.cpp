// Prints the show command the program was started with, as the window's start-up reads it.
#include <cstdio>

#include "platform/platform.h"

int main() {
  tarnwick::platform::initialiseUserInterfaceThread();
  std::printf("%d\n", static_cast<int>(tarnwick::platform::startupShowCommand()));
  return 0;
}
