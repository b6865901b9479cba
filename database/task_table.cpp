#include "database/task_table.h"

#include "gauge/navigator_state.h"

namespace kolvex {

TaskTable task_table;

// Placeholders until the task table lands.
void build_task_table() {}
void find_task_point() {
  navigator.task_point_index = kNoTaskPoint;
}
void find_task_leg() {
  navigator.task_point_index = kNoTaskPoint;
}

}  // namespace kolvex
