// Companion files that cannot be written: the frame skips the file it cannot open (or appends
// to one it cannot empty), still writes the other, and the instrument flies on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/turnpoint_store.h"
#include "tests/faults/fault_fixture.h"
#include "tests/support/append_only.h"
#include "tests/support/instrument.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace kolvex {
namespace {

using testing::kFirstLine;
using testing::kSecondLine;
using testing::read_file;

constexpr const char* kTurnpoints =
    "101,47:00.000N,008:00.000E,400M,HT,Base,launch\n"
    "102,47:10.000N,008:00.000E,900M,T,North Peak,\n";

// With the aircraft at 47°01.2' N 8° E and the target Base at 47° N 8° E.
const std::vector<std::string> kTargetLines = {"1", "02820.00000000", "00480.00000000",
                                               "Base        "};

class CompanionFileFaults : public testing::FaultTest {
 protected:
  void SetUp() override {
    FaultTest::SetUp();
    testing::write_file(kTurnpointFileName, kTurnpoints);
  }
};

TEST_F(CompanionFileFaults, DirectoryInPlaceOfOneFileSkipsOnlyThatFile) {
  for (const char* blocked : {"KOLVEX.MAX", "KOLVEX.TGT"}) {
    SCOPED_TRACE(blocked);
    start_over();
    testing::write_file(kTurnpointFileName, kTurnpoints);
    std::filesystem::create_directory(blocked);
    switch_on();
    for (int i = 0; i < 20; ++i) {
      tick();
    }
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(host.text(kFirstLine), "Navigate to");
    EXPECT_EQ(host.text(kSecondLine), "Base        ");
    if (std::string(blocked) == "KOLVEX.MAX") {
      EXPECT_EQ(companion_lines("KOLVEX.TGT"), kTargetLines);
    } else {
      EXPECT_EQ(companion_line("KOLVEX.MAX", 1), "1");
      EXPECT_EQ(companion_line("KOLVEX.MAX", 3), "0002.223");  // 1.2' north of Base
      EXPECT_EQ(companion_line("KOLVEX.MAX", 7), "stopwatch uit");
    }
    visit_every_page();
  }
}

#if !defined(_WIN32)
TEST_F(CompanionFileFaults, ReadOnlyFolderAndFilesAreSkipped) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes through any permission";
  }
  namespace fs = std::filesystem;
  // A read-only folder: nothing can be created, so both files are skipped on every frame.
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  switch_on();
  tick();
  EXPECT_FALSE(fs::exists("KOLVEX.MAX"));
  EXPECT_FALSE(fs::exists("KOLVEX.TGT"));
  EXPECT_EQ(host.text(kSecondLine), "Base        ");
  visit_every_page();

  // Read-only files in a writable folder keep what they held.
  fs::permissions(folder, fs::perms::owner_all);
  testing::write_file("KOLVEX.MAX", "old max");
  testing::write_file("KOLVEX.TGT", "old tgt");
  fs::permissions("KOLVEX.MAX", fs::perms::owner_read);
  fs::permissions("KOLVEX.TGT", fs::perms::owner_read);
  tick();
  EXPECT_EQ(read_file("KOLVEX.MAX"), "old max");
  EXPECT_EQ(read_file("KOLVEX.TGT"), "old tgt");
  EXPECT_EQ(host.text(kSecondLine), "Base        ");
}
#endif

#if defined(__linux__)
TEST_F(CompanionFileFaults, FileThatCannotBeEmptiedGrowsByOneFramePerFrame) {
  switch_on();
  const std::string one_frame = read_file("KOLVEX.TGT");
  testing::AppendOnly append_only("KOLVEX.TGT");
  if (!append_only.active()) {
    GTEST_SKIP() << "no append-only files here (needs the privilege and a file system for it)";
  }
  for (int i = 0; i < 5; ++i) {
    host.frame();
  }
  std::string expected;
  for (int i = 0; i < 6; ++i) {
    expected += one_frame;
  }
  EXPECT_EQ(read_file("KOLVEX.TGT"), expected);
  EXPECT_EQ(companion_line("KOLVEX.MAX", 1), "1");  // the other file is still rewritten
  EXPECT_EQ(companion_lines("KOLVEX.MAX").size(), 7u);
  EXPECT_EQ(host.text(kSecondLine), "Base        ");
}
#endif

}  // namespace
}  // namespace kolvex
