// A turnpoint file that is missing, unreadable or malformed: switching on still loads what the
// file rules give (often nothing), shows the home record the rules name, and every page keeps
// working.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "database/pick_lists.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/faults/fault_fixture.h"
#include "tests/support/instrument.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace kolvex {
namespace {

using testing::kFirstLine;
using testing::kSecondLine;

constexpr std::string_view kFillerName = "123456789012";

class TurnpointFileFaults : public testing::FaultTest {};

TEST_F(TurnpointFileFaults, NoUsableFileLoadsNothingAndShowsRecordZero) {
  struct Case {
    const char* name;
    void (*make)();
  } cases[] = {
      {"missing", [] {}},
      {"a directory", [] { std::filesystem::create_directory(kTurnpointFileName); }},
      {"empty", [] { testing::write_file(kTurnpointFileName, ""); }},
      {"only carriage returns",
       [] { testing::write_file(kTurnpointFileName, std::string(5000, '\r')); }},
      {"no line end at all", [] { testing::write_file(kTurnpointFileName, "1,a,b,c,T,n,x"); }},
      {"DOS end of file first",
       [] {
         testing::write_file(kTurnpointFileName,
                             "\x1a"
                             "101,47:00.000N,008:00.000E,1,HT,Home,\n");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start_over();
    c.make();
    switch_on();
    EXPECT_EQ(navigator.record_count, 0);
    EXPECT_EQ(navigator.alphabetic_count, 0);
    EXPECT_EQ(navigator.target_index, 0);
    // Record 0 still holds its filler texts: that is what shows and what the files name.
    EXPECT_EQ(host.text(kSecondLine), kFillerName);
    EXPECT_EQ(companion_line("KOLVEX.TGT", 4), kFillerName);
    EXPECT_EQ(companion_line("KOLVEX.MAX", 1), "1");
    visit_every_page();
  }
}

#if !defined(_WIN32)
TEST_F(TurnpointFileFaults, UnreadableFileLoadsNothing) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  testing::write_file(kTurnpointFileName, "101,47:00.000N,008:00.000E,400M,HT,Base,\n");
  std::filesystem::permissions(kTurnpointFileName, std::filesystem::perms::none);
  switch_on();
  EXPECT_EQ(navigator.record_count, 0);
  EXPECT_EQ(host.text(kSecondLine), kFillerName);
  visit_every_page();
}
#endif

TEST_F(TurnpointFileFaults, TenThousandLinesKeepTheFirst356) {
  std::string content;
  for (int i = 0; i < 10000; ++i) {
    // Home is line 300; line 400 would be home too but is never stored.
    const char* kind = i == 300 || i == 400 ? "HT" : "T";
    content += std::to_string(i % 10000) + ",47:00.000N,008:00.000E,400M," + kind + ",Point " +
               std::to_string(i) + ",\n";
  }
  testing::write_file(kTurnpointFileName, content);
  switch_on();
  EXPECT_EQ(navigator.record_count, kStoreCapacity);
  EXPECT_EQ(navigator.alphabetic_count, kListCapacity);  // 356 turnpoints, the list holds 256
  EXPECT_EQ(navigator.target_index, 300);
  EXPECT_EQ(host.text(kSecondLine), "Point 300   ");
  EXPECT_EQ(turnpoint_store.records[355].name.view(), "Point 355   ");
  visit_every_page();
}

TEST_F(TurnpointFileFaults, LongLinesYieldTheirLastPieceOnly) {
  const std::string record = "101,47:00.000N,008:00.000E,400M,HT,Base,launch";
  struct Case {
    const char* name;
    std::size_t length;  // characters before the line feed
  } cases[] = {
      {"600 characters", 600},
      {"100000 characters", 100000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start_over();
    // The file is read in pieces of 511 characters; the record is placed so that it starts the
    // last piece, the one that carries the line feed.
    const std::size_t last_piece_at = (c.length + 1) / 511 * 511;
    std::string line(last_piece_at, 'x');
    line += record;
    line.resize(c.length, ' ');
    testing::write_file(kTurnpointFileName,
                        line + "\n" + "102,47:10.000N,008:00.000E,9,T,North,\n");
    switch_on();
    EXPECT_EQ(navigator.record_count, 2);
    EXPECT_EQ(host.text(kSecondLine), "Base        ");
    EXPECT_EQ(turnpoint_store.records[0].note.view(), "launch      ");
    EXPECT_EQ(turnpoint_store.records[1].name.view(), "North       ");
    visit_every_page();
  }
}

TEST_F(TurnpointFileFaults, NulBytesEndTheLineTheyAreIn) {
  const std::string content(
      "101,47:00.000N,008:00.000E,400M,HT,Ba\0se,launch\n"
      "\0\0\0\n"
      "102,47:10.000N,008:00.000E,9,T,North,\n",
      48 + 4 + 38);
  testing::write_file(kTurnpointFileName, content);
  switch_on();
  EXPECT_EQ(navigator.record_count, 3);
  EXPECT_EQ(host.text(kSecondLine), "Ba          ");
  EXPECT_EQ(turnpoint_store.records[0].note.view(), "            ");
  EXPECT_EQ(turnpoint_store.records[1].code.view(), "    ");
  EXPECT_EQ(turnpoint_store.records[2].name.view(), "North       ");
  EXPECT_EQ(companion_line("KOLVEX.TGT", 4), "Ba          ");
  visit_every_page();
}

TEST_F(TurnpointFileFaults, BinaryGarbageIsStoredCutAndPadded) {
  // Lines of arbitrary bytes (every value but the line feed, carriage return and the DOS end of
  // file byte), commas included.
  std::string content;
  std::uint32_t seed = 12345;
  const int kLines = 40;
  for (int line = 0; line < kLines; ++line) {
    for (int i = 0; i < 90; ++i) {
      seed = seed * 1103515245u + 12345u;
      char c = static_cast<char>(seed >> 24);
      if (c == '\n' || c == '\r' || c == '\x1a' || c == '\0') {
        c = ',';
      }
      content += c;
    }
    content += '\n';
  }
  testing::write_file(kTurnpointFileName, content);
  switch_on();
  EXPECT_EQ(navigator.record_count, kLines);
  // Every filled slot holds exactly its width.
  for (int i = 0; i < kLines; ++i) {
    const TurnpointRecord& record = turnpoint_store.records[i];
    EXPECT_EQ(record.code.size(), 4u) << i;
    EXPECT_EQ(record.latitude.size(), 12u) << i;
    EXPECT_EQ(record.longitude.size(), 12u) << i;
    EXPECT_GE(record.elevation.size(), 6u) << i;
    EXPECT_EQ(record.kind.size(), 9u) << i;
    EXPECT_EQ(record.name.size(), 12u) << i;
    EXPECT_EQ(record.note.size(), 12u) << i;
  }
  EXPECT_EQ(host.text(kSecondLine), turnpoint_store.records[find_home_record()].name.view());
  visit_every_page();
  // Browse both distance lists and the alphabet over the garbage.
  for (int page_presses : {3, 4, 5}) {
    back_to_navigation();
    for (int i = 0; i < page_presses; ++i) {
      press(host::Button::right);
    }
    for (int i = 0; i < 50; ++i) {
      press(host::Button::down);
      tick();
    }
    press(host::Button::go);
    tick();
    EXPECT_EQ(host.text(kFirstLine).size() <= 12, true);
  }
}

}  // namespace
}  // namespace kolvex
