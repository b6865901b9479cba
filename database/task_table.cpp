#include "database/task_table.h"

#include <climits>
#include <string_view>

#include "database/turnpoint_store.h"
#include "gauge/face.h"
#include "gauge/navigator_state.h"
#include "gauge/read_number.h"
#include "host/services.h"

namespace kolvex {

TaskTable task_table;

namespace {

constexpr double kKmPerNauticalMile = 1.852;
constexpr std::size_t kTurnpointCodeWidth = 4;

// A task letter and a point number, such as "A0" or "A10"; a longer key is cut to 3
// characters.
using TaskKey = FixedText<4>;

// False when task_letter names no task: then no entry matches.
bool compose_key(TaskKey& key, int point_number) {
  if (navigator.task_letter < 0 || navigator.task_letter >= kTaskLetterCount) {
    return false;
  }
  key.assign(std::string_view(kTaskLetters + navigator.task_letter, 1));
  key.append_format("%1d", point_number);
  return true;
}

bool entry_matches(const TaskEntry& entry, bool key_valid, const TaskKey& key) {
  return key_valid && entry.task_code.contains(key.view());
}

// Makes the first record whose code is the entry's turnpoint code the task point, and shows
// its name on the second line. Without such a record nothing changes.
void resolve_turnpoint(const TaskEntry& entry) {
  const int count = loaded_record_count();
  for (int index = 0; index < count; ++index) {
    const TurnpointRecord& record = turnpoint_store.records[index];
    if (record.code == entry.turnpoint_code.view()) {
      write_element_text(second_line, record.name.view());
      navigator.task_point_index = index;
      return;
    }
  }
}

}  // namespace

void build_task_table() {
  task_table = TaskTable{};
  const int count = loaded_record_count();
  int q = 0;
  for (int index = 0; index < count && q < kTaskTableCapacity; ++index) {
    const TurnpointRecord& record = turnpoint_store.records[index];
    if (!record.code.contains_any(kTaskLetters)) {
      continue;
    }
    TaskEntry& entry = task_table.entries[q];
    entry.task_code.assign(record.code);
    entry.turnpoint_code.assign(record.latitude.view().substr(0, kTurnpointCodeWidth));
    entry.leg_distance.assign(record.longitude);
    ++q;
  }
}

void find_task_point() {
  TaskKey key;
  const bool key_valid = compose_key(key, navigator.task_point_number);
  for (const TaskEntry& entry : task_table.entries) {
    if (!entry_matches(entry, key_valid, key)) {
      navigator.task_point_index = kNoTaskPoint;
      continue;
    }
    resolve_turnpoint(entry);
    return;
  }
}

void find_task_leg() {
  const int number = navigator.task_point_number;
  // INT_MIN has no predecessor; its key, cut to 3 characters, is the same either way.
  const int point = number == 0 ? 0 : (number == INT_MIN ? number : number - 1);
  TaskKey key;
  const bool key_valid = compose_key(key, point);
  for (const TaskEntry& entry : task_table.entries) {
    if (!entry_matches(entry, key_valid, key)) {
      navigator.task_point_index = kNoTaskPoint;
      write_element_text(second_line, "");
      readouts.distance_text.clear();
      continue;
    }
    double leg = read_number(entry.leg_distance.view());
    if (number == 1) {
      leg = 0.0;
    }
    if (navigator.units == 0) {
      leg /= kKmPerNauticalMile;
    }
    readouts.distance_text.assign_format("%5.1f", leg);
    resolve_turnpoint(entry);
    return;
  }
}

}  // namespace kolvex
