#include "ui/failure_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "report/io_failure.h"

namespace tarnwick::ui {
namespace {

TEST(FailureMessageText, AppendsAFullStopAfterACharacterThatSortsAfterIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {{"Disk full", "Disk full."},
               {"Stop!", "Stop!"},
               {"Done.", "Done."},
               {"", ""},
               {"(1)", "(1)"},
               {"I/O error 32", "I/O error 32."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(FailureMessageText(c.message), c.shown);
  }
}

TEST(StartupFailureText, FillsTheTemplateAndEndsTheMessageWithOneFullStop) {
  const void* address = reinterpret_cast<const void*>(0x4a3f10);
  EXPECT_EQ(StartupFailureText("std::bad_alloc", "tarnwick", address, "std::bad_alloc"),
            "Exception std::bad_alloc in module tarnwick at 004A3F10.\r\nstd::bad_alloc.\r\n");
  EXPECT_EQ(StartupFailureText("IoFailure", "tarnwick", address, "Disk full."),
            "Exception IoFailure in module tarnwick at 004A3F10.\r\nDisk full.\r\n");
  EXPECT_EQ(StartupFailureText("X", "tarnwick", address, "Stop!"),
            "Exception X in module tarnwick at 004A3F10.\r\nStop!.\r\n");
  EXPECT_EQ(StartupFailureText("X", "tarnwick", address, ""),
            "Exception X in module tarnwick at 004A3F10.\r\n\r\n");
  EXPECT_EQ(StartupFailureText("X", "tarnwick", address, "%1 of 100%"),
            "Exception X in module tarnwick at 004A3F10.\r\n%1 of 100%.\r\n");
  EXPECT_EQ(
      StartupFailureText("X", "t.exe", reinterpret_cast<const void*>(0x7ff6123456789abc), "m"),
      "Exception X in module t.exe at 7FF6123456789ABC.\r\nm.\r\n");
}

TEST(FailureKind, NamesTheFailuresClass) {
  EXPECT_EQ(FailureKind(std::runtime_error("x")), "std::runtime_error");
  EXPECT_EQ(FailureKind(IoFailure(2)), "tarnwick::IoFailure");
}

TEST(FileNameOf, TakesWhatFollowsTheLastSeparator) {
  EXPECT_EQ(FileNameOf("C:\\Program Files\\Tarnwick\\tarnwick.exe"), "tarnwick.exe");
  EXPECT_EQ(FileNameOf("/usr/bin/tarnwick"), "tarnwick");
  EXPECT_EQ(FileNameOf("tarnwick"), "tarnwick");
}

}  // namespace
}  // namespace tarnwick::ui
