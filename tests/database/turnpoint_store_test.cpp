#include "database/turnpoint_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "gauge/navigator_state.h"
#include "tests/database/database_fixture.h"

namespace kolvex {
namespace {

using testing::DatabaseTest;
using testing::tp_line;

TEST(ExtractField, CountsCommasAndStopsAtLineEnd) {
  struct Case {
    const char* line;
    int n;
    const char* field;
  } cases[] = {
      {"a,bb,,d", 1, "a"}, {"a,bb,,d", 2, "bb"},
      {"a,bb,,d", 3, ""},  {"a,bb,,d", 4, "d"},
      {"a,bb,,d", 5, ""},  {"a,bb,,d", 7, ""},
      {"", 1, ""},         {"", 7, ""},
      {" x , y", 2, " y"}, {"1,2,3,4,5,6,7,8,9", 7, "7"},
      {"a\nb,c", 1, "a"},  {"a,", 2, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(extract_field(c.line, c.n), c.field) << c.line << " field " << c.n;
  }
}

class Loader : public DatabaseTest {};

TEST_F(Loader, FieldsAreCutAndPaddedToTheirWidths) {
  struct Case {
    const char* line;
    const char* code;
    const char* latitude;
    const char* longitude;
    const char* elevation;
    const char* kind;
    const char* name;
    const char* note;
  } cases[] = {
      {"001,52:10.500N,005:34.567E,120M,T,Bergen,Note", "001 ", "52:10.500N  ", "005:34.567E ",
       "120M  ", "T        ", "Bergen      ", "Note        "},
      // An empty line: every slot holds spaces only.
      {"", "    ", "            ", "            ", "      ", "         ", "            ",
       "            "},
      {"001,52:10.500N,005:34.567E", "001 ", "52:10.500N  ", "005:34.567E ", "      ", "         ",
       "            ", "            "},
      // Fields after the seventh are ignored.
      {"1,2,3,4,5,6,7,8,9", "1   ", "2           ", "3           ", "4     ", "5        ",
       "6           ", "7           "},
      // Spaces are part of a field.
      {" 001, 52:10N ,x, 12 ,T T, Name ,  ", " 001", " 52:10N     ", "x           ", " 12   ",
       "T T      ", " Name       ", "            "},
      // Long fields keep their first characters.
      {"12345,52:10.500N_and_more,005:34.567E_more,1234567,TSFRALMWH_,Fifteen chars!!,"
       "A note of twenty chars",
       "1234", "52:10.500N_a", "005:34.567E_", "123456", "TSFRALMWH", "Fifteen char",
       "A note of tw"},
  };
  for (const Case& c : cases) {
    load(std::string(c.line) + "\n");
    ASSERT_EQ(navigator.record_count, 1) << c.line;
    const TurnpointRecord& r = record(0);
    EXPECT_EQ(r.code.view(), c.code) << c.line;
    EXPECT_EQ(r.latitude.view(), c.latitude) << c.line;
    EXPECT_EQ(r.longitude.view(), c.longitude) << c.line;
    EXPECT_EQ(r.elevation.view(), c.elevation) << c.line;
    EXPECT_EQ(r.kind.view(), c.kind) << c.line;
    EXPECT_EQ(r.name.view(), c.name) << c.line;
    EXPECT_EQ(r.note.view(), c.note) << c.line;
  }
}

TEST_F(Loader, ElevationInFeetIsStoredInMetres) {
  struct Case {
    const char* field;
    const char* stored;
  } cases[] = {
      {"1000F", "305M  "},
      {"625F", "191M  "},  // 190.5, an exact half, rounds away from zero
      {"F", "0M    "},
      {" 100F", "30M   "},  // leading blanks are skipped
      {"-100F", "-30M  "},
      {"1000f", "1000f "},    // only a capital F means feet
      {"123456F", "123456"},  // cut to six characters first, so no F is left
      {"450M", "450M  "},     // metres stay as written
      {"450", "450   "},
      {"1E9F", "3048000"},  // 304800000M does not fit: its first 7 characters
      {"-1E99F", "-304800"},
      {"1E999F", "infM  "},
  };
  for (const Case& c : cases) {
    load(tp_line("001", "52:10.500N", "005:34.567E", "T", "Point", c.field));
    EXPECT_EQ(record(0).elevation.view(), c.stored) << c.field;
  }
}

TEST_F(Loader, ReadsTheFileInPiecesOfAtMost511Characters) {
  const std::string tail = "007,52:10.500N,005:34.567E,100M,T,Tail,Note";
  struct Case {
    std::string content;
    int count;
    const char* code0;  // code of record 0
    const char* name0;
  } cases[] = {
      // A 600-character line: the record comes from its characters after the 511th.
      {std::string(511, 'x') + tail + std::string(600 - 512 - tail.size(), ' ') + "\n", 1, "007 ",
       "Tail        "},
      // 510 characters and the line feed fit one piece.
      {tail + std::string(510 - tail.size(), ' ') + "\n", 1, "007 ", "Tail        "},
      // 511 characters and the line feed: the line feed alone is the second piece.
      {tail + std::string(511 - tail.size(), ' ') + "\n", 1, "    ", "            "},
      // A last line without a line feed is not loaded.
      {tail + "\n" + "008,x,y,z,T,Lost", 1, "007 ", "Tail        "},
      {"008,x,y,z,T,Lost", 0, "0000", "123456789012"},
      {"", 0, "0000", "123456789012"},
  };
  for (const Case& c : cases) {
    testing::reset_instrument();
    load(c.content);
    EXPECT_EQ(navigator.record_count, c.count) << c.content.size();
    EXPECT_EQ(record(0).code.view(), c.code0) << c.content.size();
    EXPECT_EQ(record(0).name.view(), c.name0) << c.content.size();
  }
}

TEST_F(Loader, ReadsLineEndsAsTextModeDoes) {
  struct Case {
    const char* name;
    std::string content;
    int count;
    const char* note0;
  } cases[] = {
      {"CRLF", "1,a,b,c,T,n,Note\r\n2,a,b,c,T,n,x\r\n", 2, "Note        "},
      {"lone CR stays", "1,a,b,c,T,n,No\rte\n", 1, "No\rte       "},
      {"CR CR LF", "1,a,b,c,T,n,Note\r\r\n", 1, "Note\r       "},
      {"CR at end of file", "1,a,b,c,T,n,Note\r", 0, "123456789012"},
      {"0x1A ends the file",
       "1,a,b,c,T,n,Note\r\n\x1A"
       "2,a,b,c,T,n,x\r\n",
       1, "Note        "},
      {"0x1A inside a line", "1,a,b,c,T,n,No\x1Ate\n", 0, "123456789012"},
      {"CR before 0x1A", "1,a,b,c,T,n,Note\n2,x\r\x1A\n", 1, "Note        "},
      {"NUL ends the line's text", std::string("1,a,b,c,T,n,No\0te,\n", 19), 1, "No          "},
  };
  for (const Case& c : cases) {
    testing::reset_instrument();
    load(c.content);
    EXPECT_EQ(navigator.record_count, c.count) << c.name;
    EXPECT_EQ(record(0).note.view(), c.note0) << c.name;
  }
}

TEST_F(Loader, WithoutAReadableFileLoadsNoRecord) {
  load(tp_line("001", "52:10.500N", "005:34.567E", "T", "Old") +
       tp_line("A0", "001", "0", "", "Task"));
  ASSERT_EQ(navigator.record_count, 2);
  ASSERT_EQ(navigator.alphabetic_count, 1);

  for (bool directory : {false, true}) {
    std::filesystem::remove(kTurnpointFileName);
    if (directory) {
      std::filesystem::create_directory(kTurnpointFileName);
    }
    navigator.record_count = 2;
    load_turnpoints();
    EXPECT_EQ(navigator.record_count, 0) << directory;
    EXPECT_EQ(navigator.alphabetic_count, 0) << directory;
    EXPECT_EQ(alphabetic_list.entries[0].view(), kListPlaceholder) << directory;
    EXPECT_EQ(task_table.entries[0].task_code.view(), "0000") << directory;
    // The records keep what they held.
    EXPECT_EQ(record(0).name.view(), "Old         ") << directory;
    EXPECT_EQ(find_home_record(), 0) << directory;
  }
}

TEST_F(Loader, KeepsTheFirst356Lines) {
  std::string content;
  for (int i = 0; i < 400; ++i) {
    content += tp_line(std::to_string(i), "52:10.500N", "005:34.567E", "", "P" + std::to_string(i));
  }
  load(content);
  EXPECT_EQ(navigator.record_count, kStoreCapacity);
  EXPECT_EQ(record(0).code.view(), "0   ");
  EXPECT_EQ(record(355).code.view(), "355 ");
  EXPECT_EQ(record(355).name.view(), "P355        ");
}

TEST_F(Loader, ReloadReplacesTheFrontAndKeepsTheRest) {
  load(tp_line("1", "a", "b", "T", "One") + tp_line("2", "a", "b", "T", "Two") +
       tp_line("3", "a", "b", "T", "Three"));
  ASSERT_EQ(navigator.record_count, 3);
  turnpoint_store.records[2].distance_key.assign(" 12.34000000");
  load(tp_line("4", "a", "b", "T", "Four"));
  EXPECT_EQ(navigator.record_count, 1);
  EXPECT_EQ(record(0).name.view(), "Four        ");
  EXPECT_EQ(record(1).name.view(), "Two         ");
  EXPECT_EQ(record(2).name.view(), "Three       ");
  // Loading never touches the distance keys.
  EXPECT_EQ(record(2).distance_key.view(), " 12.34000000");
  EXPECT_EQ(record(0).distance_key.view(), "123456789012");
}

TEST_F(Loader, HomeIsTheFirstLoadedRecordMarkedH) {
  struct Case {
    std::string content;
    int home;
  } cases[] = {
      {tp_line("1", "a", "b", "T", "A") + tp_line("2", "a", "b", "TH", "B") +
           tp_line("3", "a", "b", "H", "C"),
       1},
      {tp_line("1", "a", "b", "T", "A") + tp_line("2", "a", "b", "h", "B"), 0},
      {tp_line("1", "a", "b", "T", "A") + tp_line("2", "a", "b", "T", "B"), 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    load(c.content);
    EXPECT_EQ(find_home_record(), c.home) << c.content;
  }
  // A record marked H that an earlier, longer load left behind is not loaded.
  load(tp_line("1", "a", "b", "T", "A") + tp_line("2", "a", "b", "H", "B"));
  load(tp_line("1", "a", "b", "T", "A"));
  EXPECT_EQ(find_home_record(), 0);
}

// The shared sample files as a pilot would load them.
class SampleFiles : public DatabaseTest {};

TEST_F(SampleFiles, Euregio) {
  load_sample("euregio9.dat");
  // 28 comment lines are records too (of no kind); the DOS end-of-file byte ends the file.
  EXPECT_EQ(navigator.record_count, 127);
  EXPECT_EQ(record(0).code.view(), "** -");
  EXPECT_EQ(record(0).kind.view(), "         ");
  const int home = find_home_record();
  EXPECT_EQ(home, 126);
  EXPECT_EQ(record(home).code.view(), "103 ");
  EXPECT_EQ(record(home).name.view(), "ZL RWY EDKA ");
  EXPECT_EQ(record(home).latitude.view(), "50:49:23N   ");
  EXPECT_EQ(record(home).longitude.view(), "006:11:11E  ");
  EXPECT_EQ(record(home).elevation.view(), "190M  ");
  EXPECT_EQ(record(home).note.view(), "ZllnDKGfr=34");
  EXPECT_EQ(navigator.alphabetic_count, 99);
  const char* first_names[] = {"Aachen      ", "Aachenrppltz", "Ailertchen  ", "Aldenhoven  ",
                               "AllendorfEdr"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(alphabetic_list.entries[i].view(), first_names[i]) << i;
  }
  EXPECT_EQ(alphabetic_list.entries[99].view(), kListPlaceholder);
}

TEST_F(SampleFiles, Welt2000) {
  load_sample("welt2000-sample.dat");
  // The header line and the empty last line are records of no kind.
  EXPECT_EQ(navigator.record_count, 7);
  EXPECT_EQ(record(0).code.view(), "* WR");
  EXPECT_EQ(record(6).name.view(), "            ");
  const int home = find_home_record();
  EXPECT_EQ(home, 2);
  EXPECT_EQ(record(home).name.view(), "Bergneustadt");
  EXPECT_EQ(record(home).note.view(), "123.650 MHz ");
  EXPECT_EQ(record(1).latitude.view(), "32:39.200S  ");
  EXPECT_EQ(record(1).longitude.view(), "070:00.700W ");
  EXPECT_EQ(record(1).elevation.view(), "6962M ");
  EXPECT_EQ(record(1).note.view(), "Highest moun");
  EXPECT_EQ(record(3).name.view(), "Golden Gate ");
  EXPECT_EQ(navigator.alphabetic_count, 5);
  const char* names[] = {"Aconcagua   ", "Bergneustadt", "Golden Gate ", "Red Square  ",
                         "Sydney Opera"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(alphabetic_list.entries[i].view(), names[i]) << i;
  }
}

}  // namespace
}  // namespace kolvex
