#include "database/task_table.h"

#include <gtest/gtest.h>

#include <string>

#include "database/pick_lists.h"
#include "database/turnpoint_store.h"
#include "gauge/face.h"
#include "gauge/navigator_state.h"
#include "host/services.h"
#include "tests/database/database_fixture.h"

namespace kolvex {
namespace {

using testing::DatabaseTest;
using testing::tp_line;

// Three turnpoints, then task A through them with legs 0, 12.5 and 30 km.
std::string three_turnpoints() {
  return tp_line("001", "00:10.000N", "000:00.000E", "T", "Alpha") +   // 0
         tp_line("002", "00:20.000N", "000:00.000E", "T", "Bravo") +   // 1
         tp_line("003", "00:30.000N", "000:00.000E", "T", "Charlie");  // 2
}
std::string three_point_task() {
  return three_turnpoints() + tp_line("A0", "001", "0", "", "") +
         tp_line("A1", "002", "12.5", "", "") + tp_line("A2", "003", "30", "", "");
}

class TaskTableTest : public DatabaseTest {
 protected:
  std::string second_line_text() const { return std::string(element_text(second_line)); }
};

TEST_F(TaskTableTest, CollectsTaskLinesInFileOrder) {
  load(tp_line("001", "a", "b", "T", "Alpha") + tp_line("B0", "002 xy", " 7.25 km", "", "") +
       tp_line("101", "a", "b", "T", "Plain") +
       tp_line("J12", "001", "1234567890", "T", "Task TP"));
  // Task lines are records like every other line.
  EXPECT_EQ(navigator.record_count, 4);
  EXPECT_EQ(navigator.alphabetic_count, 3);
  const TaskEntry& b0 = task_table.entries[0];
  EXPECT_EQ(b0.task_code.view(), "B0  ");
  EXPECT_EQ(b0.turnpoint_code.view(), "002 ");
  EXPECT_EQ(b0.leg_distance.view(), " 7.25 k");
  const TaskEntry& j12 = task_table.entries[1];
  EXPECT_EQ(j12.task_code.view(), "J12 ");
  EXPECT_EQ(j12.turnpoint_code.view(), "001 ");
  EXPECT_EQ(j12.leg_distance.view(), "1234567");
  EXPECT_EQ(task_table.entries[2].task_code.view(), "0000");
  EXPECT_EQ(task_table.entries[2].turnpoint_code.view(), "0000");
  EXPECT_EQ(task_table.entries[2].leg_distance.view(), "000000");
}

TEST_F(TaskTableTest, LegLookupShowsThePreviousPointAndItsLeg) {
  load(three_point_task());
  struct Case {
    int units;
    int number;
    const char* name;
    const char* leg;
    int index;
  } cases[] = {
      {1, 0, "Alpha       ", "  0.0", 0}, {1, 1, "Alpha       ", "  0.0", 0},
      {1, 2, "Bravo       ", " 12.5", 1}, {1, 3, "Charlie     ", " 30.0", 2},
      {1, 4, "", "", kNoTaskPoint},       {2, 3, "Charlie     ", " 30.0", 2},
      {0, 0, "Alpha       ", "  0.0", 0}, {0, 2, "Bravo       ", "  6.7", 1},
      {0, 3, "Charlie     ", " 16.2", 2}, {0, 4, "", "", kNoTaskPoint},
  };
  for (const Case& c : cases) {
    navigator.units = c.units;
    navigator.task_point_number = c.number;
    navigator.task_point_index = 42;
    write_element_text(second_line, "before");
    readouts.distance_text.assign("before");
    find_task_leg();
    EXPECT_EQ(second_line_text(), c.name) << c.units << " " << c.number;
    EXPECT_EQ(readouts.distance_text.view(), c.leg) << c.units << " " << c.number;
    EXPECT_EQ(navigator.task_point_index, c.index) << c.units << " " << c.number;
  }
}

TEST_F(TaskTableTest, PointLookupMatchesTheFirstCodeContainingTheKey) {
  load(three_point_task() + tp_line("A10", "003", "5", "", "") + tp_line("A1", "002", "5", "", ""));
  struct Case {
    int letter;
    int number;
    int index;
  } cases[] = {
      {0, 0, 0},
      {0, 1, 1},  // A1 comes before A10 in this file
      {0, 2, 2},
      {0, 3, kNoTaskPoint},
      {1, 0, kNoTaskPoint},  // no task B
      {-1, 0, kNoTaskPoint},
      {10, 0, kNoTaskPoint},
  };
  for (const Case& c : cases) {
    navigator.task_letter = c.letter;
    navigator.task_point_number = c.number;
    navigator.task_point_index = 42;
    write_element_text(second_line, "before");
    find_task_point();
    EXPECT_EQ(navigator.task_point_index, c.index) << c.letter << " " << c.number;
    // Only a found point writes the second line.
    const std::string shown =
        c.index == kNoTaskPoint ? "before" : std::string(record(c.index).name.view());
    EXPECT_EQ(second_line_text(), shown) << c.letter << " " << c.number;
  }

  // An A10 line before the A1 line is found for A1.
  load(three_turnpoints() + tp_line("A10", "003", "5", "", "") + tp_line("A1", "002", "5", "", ""));
  navigator.task_letter = 0;
  navigator.task_point_number = 1;
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, 2);
  EXPECT_EQ(second_line_text(), "Charlie     ");
}

TEST_F(TaskTableTest, TurnpointCodesCompareByFourCharacters) {
  load(tp_line("1", "00:10.000N", "000:00.000E", "T", "One") +         // 0: "1   "
       tp_line(" 1", "00:10.000N", "000:00.000E", "T", "Space one") +  // 1: " 1  "
       tp_line("1", "00:10.000N", "000:00.000E", "T", "One again") +   // 2: same code as 0
       tp_line("C0", "1", "0", "", "") + tp_line("C1", " 1", "0", "", "") +
       tp_line("C2", "1   xy", "0", "", "") + tp_line("C3", "1xy", "0", "", ""));
  navigator.task_letter = 2;
  const int expected[] = {0, 1, 0, kNoTaskPoint};
  navigator.task_point_index = 1;
  for (int number = 0; number < 4; ++number) {
    navigator.task_point_number = number;
    find_task_point();
    EXPECT_EQ(navigator.task_point_index, expected[number]) << number;
  }
}

TEST_F(TaskTableTest, ATaskLineNamingNoRecordStopsTheLookup) {
  load(tp_line("001", "00:10.000N", "000:00.000E", "T", "Alpha") +
       tp_line("D0", "999", "8.5", "", "") + tp_line("D1", "001", "3", "", "") +
       tp_line("D2", "998", "4", "", ""));
  navigator.units = 1;
  navigator.task_letter = 3;

  // The table's first entry: nothing was passed over, so the index and line stay.
  navigator.task_point_index = 42;
  write_element_text(second_line, "before");
  navigator.task_point_number = 0;
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, 42);
  EXPECT_EQ(second_line_text(), "before");
  find_task_leg();
  EXPECT_EQ(navigator.task_point_index, 42);
  EXPECT_EQ(second_line_text(), "before");
  EXPECT_EQ(readouts.distance_text.view(), "  8.5");

  // Entries passed over on the way: 999, and the leg lookup has emptied the line.
  navigator.task_point_number = 2;
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, kNoTaskPoint);
  EXPECT_EQ(second_line_text(), "before");
  navigator.task_point_number = 3;
  find_task_leg();
  EXPECT_EQ(navigator.task_point_index, kNoTaskPoint);
  EXPECT_EQ(second_line_text(), "");
  EXPECT_EQ(readouts.distance_text.view(), "  4.0");
}

TEST_F(TaskTableTest, LegTextsAreCutToTheirBuffers) {
  struct Case {
    const char* field;
    const char* shown;
  } cases[] = {
      {"100000", "100000."},  // 100000.0 does not fit the 7 characters
      {"99999.9", "99999.9"}, {" 12.5km", " 12.5"}, {"abc", "  0.0"},
      {"", "  0.0"},          {"-3", " -3.0"},
  };
  navigator.task_letter = 0;
  navigator.task_point_number = 0;
  for (const Case& c : cases) {
    load(tp_line("001", "a", "b", "T", "Alpha") + tp_line("A0", "001", c.field, "", ""));
    navigator.units = 1;
    find_task_leg();
    EXPECT_EQ(readouts.distance_text.view(), c.shown) << c.field;
  }
}

TEST_F(TaskTableTest, TheTableHoldsTheFirstHundredTaskLines) {
  std::string content = tp_line("001", "a", "b", "T", "Alpha");
  for (int i = 0; i < 120; ++i) {
    content += tp_line("A" + std::to_string(i), i == 10 ? "001" : "002", "1", "", "");
  }
  load(content);
  EXPECT_EQ(task_table.entries[99].task_code.view(), "A99 ");
  navigator.task_letter = 0;
  // A point number of three digits makes a key of four characters, cut to "A10".
  for (int number : {10, 100, 105}) {
    navigator.task_point_number = number;
    find_task_point();
    EXPECT_EQ(navigator.task_point_index, 0) << number;
  }
  navigator.task_point_number = 110;  // "A11": found, but turnpoint 002 is not loaded
  navigator.task_point_index = 42;
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, kNoTaskPoint);
}

TEST_F(TaskTableTest, ATaskDroppedFromTheFileIsGoneAfterReload) {
  const std::string points = tp_line("001", "a", "b", "T", "Alpha");
  load(points + tp_line("A0", "001", "0", "", "") + tp_line("B0", "001", "0", "", ""));
  navigator.task_letter = 1;
  navigator.task_point_number = 0;
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, 0);

  load(points + tp_line("A0", "001", "0", "", ""));
  find_task_point();
  EXPECT_EQ(navigator.task_point_index, kNoTaskPoint);
  find_task_leg();
  EXPECT_EQ(navigator.task_point_index, kNoTaskPoint);
  EXPECT_EQ(second_line_text(), "");
  EXPECT_EQ(readouts.distance_text.view(), "");
}

}  // namespace
}  // namespace kolvex
