#include "interface/buttons.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"

namespace kolvex {
namespace {

// Pages of the instrument.
constexpr int kPositionPage = 18;
constexpr int kWindPage = 19;
constexpr int kNavigationPage = 20;
constexpr int kLastPointPage = 21;
constexpr int kTaskPointPage = 22;
constexpr int kAlphabetPage = 23;
constexpr int kDistancePage = 24;
constexpr int kLandpointsPage = 25;
constexpr int kTaskSelectionPage = 26;
constexpr int kDeclarePage = 27;
constexpr int kStartPage = 28;

constexpr int kLastTaskLetter = 9;
constexpr int kLastBrowsedPointNumber = 10;

// The point number only ever moves by one; it stops at the ends of int rather than wrap.
void raise_point_number() {
  if (navigator.task_point_number < std::numeric_limits<int>::max()) {
    ++navigator.task_point_number;
  }
}
void lower_point_number() {
  if (navigator.task_point_number > std::numeric_limits<int>::min()) {
    --navigator.task_point_number;
  }
}

bool in_selection_mode() {
  return navigator.page == kTaskSelectionPage && navigator.cursor == 1;
}

// A pick that found no record returns record_count, which names no loaded record.
bool names_loaded_record(int index) {
  return index >= 0 && index < navigator.record_count;
}

// The alphabet page offers entries 0 to alphabetic_count - 1, and never more than the list holds.
int last_alphabetic_position() {
  return std::min(navigator.alphabetic_count, kListCapacity) - 1;
}
int last_distance_position() {
  return std::min(navigator.distance_last, kListCapacity - 1);
}

// Entering the task point page offers the next point of the task.
void offer_next_task_point() {
  navigator.cursor = 0;
  raise_point_number();
  find_task_point();
  if (navigator.task_point_index != kNoTaskPoint) {
    select_record(navigator.task_point_index);
  }
}

void show_first_alphabetic() {
  navigator.cursor = 0;
  navigator.alphabetic_pick = pick_alphabetic(0);
}

void show_nearest() {
  navigator.cursor = 0;
  build_distance_list();
  navigator.distance_pick = pick_by_distance(0);
}

// LEFT has just lowered the page (or stayed on the position page).
void arrive_from_above() {
  switch (navigator.page) {
    case kPositionPage:
    case kWindPage:
      navigator.cursor = 0;
      break;
    case kNavigationPage:
      navigator.cursor = 0;
      select_record(navigator.target_index);
      break;
    case kLastPointPage:
      navigator.cursor = 0;
      lower_point_number();  // leaving the task point page takes back the offered point
      select_record(navigator.last_point_index);
      break;
    case kTaskPointPage:
      offer_next_task_point();
      break;
    case kAlphabetPage:
      show_first_alphabetic();
      break;
    case kDistancePage:
    case kLandpointsPage:
      show_nearest();
      break;
    default:  // back from the start or declare page: the cursor keeps its answer
      break;
  }
}

// RIGHT has just raised the page (or stayed on pages 26 to 28).
void arrive_from_below() {
  switch (navigator.page) {
    case kWindPage:
    case kNavigationPage:
      navigator.cursor = 0;
      break;
    case kLastPointPage:
      navigator.cursor = 0;
      select_record(navigator.last_point_index);
      break;
    case kTaskPointPage:
      offer_next_task_point();
      break;
    case kAlphabetPage:
      lower_point_number();  // leaving the task point page takes back the offered point
      show_first_alphabetic();
      break;
    case kDistancePage:
    case kLandpointsPage:
      show_nearest();
      break;
    case kTaskSelectionPage:
      navigator.cursor = 0;
      break;
    default:  // the declare and start pages are left only with GO or LEFT
      break;
  }
}

void return_to_navigation() {
  navigator.page = kNavigationPage;
  navigator.cursor = 0;
}

// The picked record becomes the target and the old target the last point. A pick that found
// no record keeps the target, as the task point page does when there is no next point.
void take_pick_as_target(int pick) {
  navigator.on_task = 0;
  if (names_loaded_record(pick)) {
    navigator.last_point_index = navigator.target_index;
    navigator.target_index = pick;
  }
  select_record(navigator.target_index);
  return_to_navigation();
}

void start_task() {
  return_to_navigation();
  navigator.task_point_number = 0;
  find_task_leg();
  if (navigator.task_point_index != kNoTaskPoint) {
    navigator.on_task = 1;
    navigator.last_point_index = navigator.target_index;
    navigator.target_index = navigator.task_point_index;
  } else {
    navigator.on_task = 0;
  }
  select_record(navigator.target_index);
}

void switch_on() {
  navigator.page = kNavigationPage;
  navigator.cursor = 0;
  navigator.target_index = 0;
  navigator.last_point_index = 0;
  navigator.alphabetic_pick = 0;
  navigator.distance_pick = 0;
  load_turnpoints();
  navigator.target_index = find_home_record();
  select_record(navigator.target_index);
  navigator.power_on = 1;
}

}  // namespace

std::uint32_t KOLVEX_HOSTCALL on_button_handler(PIXPOINT*, std::uint32_t flags) {
  if (navigator.power_on == 1) {
    navigator.power_on = 0;
  } else {
    switch_on();
  }
  return flags;
}

std::uint32_t KOLVEX_HOSTCALL go_button_handler(PIXPOINT*, std::uint32_t flags) {
  switch (navigator.page) {
    case kLastPointPage:
      navigator.on_task = 0;
      std::swap(navigator.target_index, navigator.last_point_index);
      select_record(navigator.target_index);
      return_to_navigation();
      break;
    case kTaskPointPage:
      // The offered point becomes the current one: the raised point number stays.
      return_to_navigation();
      if (navigator.task_point_index != kNoTaskPoint) {
        navigator.target_index = navigator.task_point_index;
      } else {
        navigator.on_task = 0;
      }
      select_record(navigator.target_index);
      break;
    case kAlphabetPage:
      take_pick_as_target(navigator.alphabetic_pick);
      break;
    case kDistancePage:
    case kLandpointsPage:
      take_pick_as_target(navigator.distance_pick);
      break;
    case kTaskSelectionPage:
      if (navigator.cursor == 0) {
        navigator.cursor = 1;
        navigator.task_letter = 0;
        navigator.task_point_number = 0;
        find_task_leg();
      } else {
        navigator.page = kDeclarePage;
        navigator.cursor = 0;
      }
      break;
    case kDeclarePage:
      if (navigator.cursor == 1) {
        navigator.page = kStartPage;
        navigator.cursor = 0;
      } else {
        return_to_navigation();
      }
      break;
    case kStartPage:
      if (navigator.cursor == 1) {
        start_task();
      } else {
        return_to_navigation();
      }
      break;
    default:  // position, wind and navigation pages: back to the target line
      return_to_navigation();
      break;
  }
  return flags;
}

std::uint32_t KOLVEX_HOSTCALL left_button_handler(PIXPOINT*, std::uint32_t flags) {
  if (in_selection_mode()) {
    if (navigator.task_point_number > 0) {
      --navigator.task_point_number;
    }
    find_task_leg();
    return flags;
  }
  if (navigator.page > kPositionPage) {
    --navigator.page;
  }
  arrive_from_above();
  return flags;
}

std::uint32_t KOLVEX_HOSTCALL right_button_handler(PIXPOINT*, std::uint32_t flags) {
  if (in_selection_mode()) {
    if (navigator.task_point_number < kLastBrowsedPointNumber) {
      ++navigator.task_point_number;
    }
    find_task_leg();
    return flags;
  }
  if (navigator.page < kTaskSelectionPage) {
    ++navigator.page;
  }
  arrive_from_below();
  return flags;
}

std::uint32_t KOLVEX_HOSTCALL up_button_handler(PIXPOINT*, std::uint32_t flags) {
  switch (navigator.page) {
    case kPositionPage:
      if (navigator.cursor > 0) {
        --navigator.cursor;
      }
      break;
    case kNavigationPage:
      navigator.cursor = navigator.cursor <= -1 ? 1 : navigator.cursor - 1;
      break;
    case kAlphabetPage:
      if (navigator.cursor > 0) {
        --navigator.cursor;
        navigator.alphabetic_pick = pick_alphabetic(navigator.cursor);
      }
      break;
    case kDistancePage:
    case kLandpointsPage:
      if (navigator.cursor > 0) {
        --navigator.cursor;
        navigator.distance_pick = pick_by_distance(navigator.cursor);
      }
      break;
    case kTaskSelectionPage:
      if (in_selection_mode() && navigator.task_point_number == 0) {
        if (navigator.task_letter > 0) {
          --navigator.task_letter;
        }
        find_task_leg();
      }
      break;
    case kDeclarePage:
    case kStartPage:
      if (navigator.cursor == 1) {
        navigator.cursor = 0;
      }
      break;
    default:
      break;
  }
  return flags;
}

std::uint32_t KOLVEX_HOSTCALL down_button_handler(PIXPOINT*, std::uint32_t flags) {
  switch (navigator.page) {
    case kPositionPage:
      if (navigator.cursor < 2) {
        ++navigator.cursor;
      }
      break;
    case kNavigationPage:
      navigator.cursor = navigator.cursor >= 1 ? -1 : navigator.cursor + 1;
      break;
    case kAlphabetPage:
      if (navigator.cursor < last_alphabetic_position()) {
        ++navigator.cursor;
        navigator.alphabetic_pick = pick_alphabetic(navigator.cursor);
      }
      break;
    case kDistancePage:
    case kLandpointsPage:
      if (navigator.cursor < last_distance_position()) {
        ++navigator.cursor;
        navigator.distance_pick = pick_by_distance(navigator.cursor);
      }
      break;
    case kTaskSelectionPage:
      if (in_selection_mode() && navigator.task_point_number == 0) {
        if (navigator.task_letter < kLastTaskLetter) {
          ++navigator.task_letter;
        }
        find_task_leg();
      }
      break;
    case kDeclarePage:
    case kStartPage:
      if (navigator.cursor == 0) {
        navigator.cursor = 1;
      }
      break;
    default:
      break;
  }
  return flags;
}

}  // namespace kolvex
