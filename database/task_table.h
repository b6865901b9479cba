// The task table: the task lines of the turnpoint file, looked up point by point.
//
// Reads: the store, navigator.task_letter, task_point_number, units, record_count. Writes: the
// table, navigator.task_point_index, the second text line and readouts.distance_text.
#pragma once

#include "gauge/fixed_text.h"

namespace kolvex {

constexpr int kTaskTableCapacity = 100;
constexpr int kNoTaskPoint = 999;
inline constexpr const char* kTaskLetters = "ABCDEFGHIJ";
constexpr int kTaskLetterCount = 10;

struct TaskEntry {
  FixedText<8> task_code{"0000"};
  FixedText<8> turnpoint_code{"0000"};
  // The leg field's first 7 characters: enough for the number at its start.
  FixedText<8> leg_distance{"000000"};
};

struct TaskTable {
  TaskEntry entries[kTaskTableCapacity];
};

extern TaskTable task_table;

// Collects the task lines of the loaded records, in file order; the first 100 fit the table.
void build_task_table();

// Looks up point task_point_number of task task_letter.
void find_task_point();

// Looks up point task_point_number - 1 (point 0 when the number is 0) and shows its leg.
void find_task_leg();

}  // namespace kolvex
