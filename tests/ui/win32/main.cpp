// The window tests run on the one user-interface thread, in a single-threaded COM apartment, as
// the program does.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SetProcessDPIAware();
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
