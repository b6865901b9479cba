#include "navigation/companion_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/support/append_only.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;
using testing::read_file;

// The files are written in text mode: each line end is whatever the platform's text mode makes
// of a line feed.
std::string with_platform_line_ends(std::string_view text) {
  std::string out;
  for (char c : text) {
#if defined(_WIN32)
    if (c == '\n') {
      out += '\r';
    }
#endif
    out += c;
  }
  return out;
}

class CompanionFiles : public InstrumentTest {
 protected:
  void SetUp() override {
    InstrumentTest::SetUp();
    // Record 2 lies at 33°30' S 5°12.5' E; the aircraft sits on it.
    TurnpointRecord& record = turnpoint_store.records[2];
    record.latitude.assign("33:30.000S  ");
    record.longitude.assign("005:12.500E ");
    record.elevation.assign("123M  ");
    record.name.assign("Kaapstad    ");
    navigator.record_count = 3;
    navigator.target_index = 2;
    navigator.aircraft_lat_min = -2010.0;
    navigator.aircraft_lon_min = 312.5;
  }
};

TEST_F(CompanionFiles, ExactContentOfBothFiles) {
  navigator.power_on = 1;
  navigator.ground_speed = 12345.6789;  // wider than its eight characters
  navigator.stopwatch_running = 1;
  write_companion_files();
  EXPECT_EQ(read_file("KOLVEX.MAX"), with_platform_line_ends("1\n"
                                                             "0123.0\n"
                                                             "0000.000\n"
                                                             "0000.000\n"
                                                             "0000.000\n"
                                                             "12345.679\n"
                                                             "stopwatch aan"));
  EXPECT_EQ(read_file("KOLVEX.TGT"), with_platform_line_ends("1\n"
                                                             "-2010.00000000\n"
                                                             "00312.50000000\n"
                                                             "Kaapstad    \n"));
}

TEST_F(CompanionFiles, RewrittenWhileOffAndFollowTheStopwatch) {
  navigator.power_on = 1;
  write_companion_files();
  navigator.power_on = 0;
  navigator.stopwatch_running = 0;
  navigator.track = 271.25;
  write_companion_files();
  EXPECT_EQ(read_file("KOLVEX.MAX"), with_platform_line_ends("0\n"
                                                             "0123.0\n"
                                                             "0000.000\n"
                                                             "0000.000\n"
                                                             "0271.250\n"
                                                             "0000.000\n"
                                                             "stopwatch uit"));
  const std::string off_line = with_platform_line_ends("0\n");
  EXPECT_EQ(read_file("KOLVEX.TGT").substr(0, off_line.size()), off_line);

  // Through the update cycle: every frame, on or off.
  std::filesystem::remove("KOLVEX.MAX");
  host.frame();
  EXPECT_EQ(read_file("KOLVEX.MAX").substr(0, 1), "0");
}

TEST_F(CompanionFiles, DescribeTheTargetNotTheBrowsedRecord) {
  target_fields.latitude.assign("10:00.000N");
  target_fields.longitude.assign("010:00.000E");
  target_fields.name.assign("Browsed     ");
  TurnpointRecord& other = turnpoint_store.records[0];
  other.latitude.assign("52:30.000N");
  other.longitude.assign("005:00.000E");
  other.elevation.assign("1000F ");  // an unconverted feet text reads as its number
  other.name.assign("Other point ");
  navigator.aircraft_lat_min = 3120.0;
  navigator.aircraft_lon_min = 300.0;
  navigator.target_index = 0;
  write_companion_files();
  EXPECT_EQ(read_file("KOLVEX.MAX"), with_platform_line_ends("0\n"
                                                             "1000.0\n"
                                                             "0055.575\n"
                                                             "0000.000\n"
                                                             "0000.000\n"
                                                             "0000.000\n"
                                                             "stopwatch uit"));
  EXPECT_EQ(read_file("KOLVEX.TGT"), with_platform_line_ends("0\n"
                                                             "03150.00000000\n"
                                                             "00300.00000000\n"
                                                             "Other point \n"));
}

TEST_F(CompanionFiles, TargetIndexOutsideTheStore) {
  for (int index : {-1, kStoreCapacity}) {
    navigator.target_index = index;
    write_companion_files();
    const std::string first_lines = with_platform_line_ends("0\n0000.0\n");
    EXPECT_EQ(read_file("KOLVEX.MAX").substr(0, first_lines.size()), first_lines) << index;
    EXPECT_EQ(read_file("KOLVEX.TGT"), with_platform_line_ends("0\n"
                                                               "00000.00000000\n"
                                                               "00000.00000000\n"
                                                               "\n"))
        << index;
  }
}

TEST_F(CompanionFiles, AbsurdNumbersAreWrittenWhole) {
  // Far wider than a 30-character line: the whole number goes out, and nothing overruns.
  turnpoint_store.records[2].elevation.assign("1E300");
  navigator.ground_speed = -std::numeric_limits<double>::max();
  write_companion_files();
  const std::string max = read_file("KOLVEX.MAX");
  const std::string eol = with_platform_line_ends("\n");
  const std::size_t elevation_at = max.find(eol) + eol.size();
  const std::string elevation =
      max.substr(elevation_at, max.find(eol, elevation_at) - elevation_at);
  EXPECT_EQ(elevation.size(), 301u + 2u);
  EXPECT_EQ(elevation.substr(0, 4), "1000");
  EXPECT_EQ(elevation.substr(elevation.size() - 2), ".0");
  const std::string speed_start = eol + "-1797693134862315708145";
  EXPECT_NE(max.find(speed_start), std::string::npos);
  EXPECT_NE(max.find(".000" + eol + "stopwatch uit"), std::string::npos);
}

TEST_F(CompanionFiles, UnopenableFileIsSkippedAndTheOtherStillWritten) {
  std::filesystem::create_directory("KOLVEX.MAX");
  write_companion_files();
  EXPECT_TRUE(std::filesystem::is_directory("KOLVEX.MAX"));
  EXPECT_EQ(read_file("KOLVEX.TGT"), with_platform_line_ends("0\n"
                                                             "-2010.00000000\n"
                                                             "00312.50000000\n"
                                                             "Kaapstad    \n"));
  host.frame();  // and the frame goes on
}

#if defined(__linux__)
TEST_F(CompanionFiles, FileThatCannotBeEmptiedIsAppendedTo) {
  testing::write_file("KOLVEX.MAX", "earlier");
  testing::AppendOnly append_only("KOLVEX.MAX");
  if (!append_only.active()) {
    GTEST_SKIP() << "no append-only files here (needs the privilege and a file system for it)";
  }
  write_companion_files();
  EXPECT_EQ(read_file("KOLVEX.MAX"),
            "earlier0\n0123.0\n0000.000\n0000.000\n0000.000\n"
            "0000.000\nstopwatch uit");
}
#endif

}  // namespace
}  // namespace kolvex
