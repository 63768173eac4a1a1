// The footer's writer: what reaches the file, and when.
#include "report/buffered_writer.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace tarnwick {
namespace {

// A file that records every write it is handed and can be told to fail from a write on.
class RecordingFile : public platform::WritableFile {
 public:
  platform::FileErrorCode write(std::string_view bytes) override {
    if (writes.size() + 1 >= failFromWrite) return 101;
    writes.emplace_back(bytes);
    return 0;
  }
  platform::FileErrorCode close() override {
    ++closes;
    return closeError;
  }

  std::vector<std::string> writes;
  std::size_t failFromWrite = SIZE_MAX;
  platform::FileErrorCode closeError = 0;
  int closes = 0;
};

TEST(BufferedWriter, HandsTheFileFullBuffersAndTheRestAtTheClose) {
  RecordingFile file;
  BufferedWriter writer(file);
  for (char c : {'a', 'b', 'c'}) EXPECT_EQ(writer.write(std::string(100, c)), 0);
  ASSERT_EQ(file.writes.size(), 2u);
  EXPECT_EQ(file.writes[0], std::string(100, 'a') + std::string(28, 'b'));
  EXPECT_EQ(file.writes[1], std::string(72, 'b') + std::string(56, 'c'));
  EXPECT_EQ(writer.close(), 0);
  ASSERT_EQ(file.writes.size(), 3u);
  EXPECT_EQ(file.writes[2], std::string(44, 'c'));
  EXPECT_EQ(file.closes, 1);
}

TEST(BufferedWriter, StopsAtTheFirstFailureAndStillReleasesTheFile) {
  RecordingFile file;
  file.failFromWrite = 2;
  BufferedWriter writer(file);
  EXPECT_EQ(writer.write(std::string(200, 'x')), 0);
  EXPECT_EQ(writer.write(std::string(100, 'y')), 101);
  EXPECT_EQ(writer.write("more"), 101);
  EXPECT_EQ(writer.close(), 101);
  EXPECT_EQ(file.writes.size(), 1u);
  EXPECT_EQ(file.closes, 1);
}

TEST(BufferedWriter, ReportsAFailingClose) {
  RecordingFile file;
  file.closeError = 101;
  BufferedWriter writer(file);
  EXPECT_EQ(writer.write("short"), 0);
  EXPECT_EQ(writer.close(), 101);
  EXPECT_EQ(file.writes, std::vector<std::string>{"short"});
}

TEST(BufferedWriter, FindsAFullDiskWhenTheRestReachesTheFileAtTheClose) {
  platform::FileOpenResult full = platform::makeSystemPlatform()->openForAppend("/dev/full");
  if (!full.file) GTEST_SKIP() << "no /dev/full here";
  BufferedWriter writer(*full.file);
  EXPECT_EQ(writer.write("Report for computer,WORKSTATION7\r\n"), 0);
  EXPECT_EQ(writer.close(), 101);
}

}  // namespace
}  // namespace tarnwick
