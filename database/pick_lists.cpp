#include "database/pick_lists.h"

#include <algorithm>

#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "navigation/readouts.h"
#include "navigation/target_solution.h"

namespace kolvex {

AlphabeticList alphabetic_list;
DistanceList distance_list;

namespace {

constexpr double kKeyStepKm = 0.01;

// The records of the distance build in progress, in the order they entered it: member k's
// distance key is the k-th key of the build, also once the list itself is full.
int distance_members[kStoreCapacity];

void clear_list(ListEntry (&entries)[kListCapacity]) {
  for (ListEntry& entry : entries) {
    entry.assign(kListPlaceholder);
  }
}

// Puts text into entry n while the list has room; after that a text replaces the entry that
// sorts last when it sorts before it, so a full list keeps the texts that sort first.
void enter_text(ListEntry (&entries)[kListCapacity], int n, std::string_view text) {
  if (n < kListCapacity) {
    entries[n].assign(text);
    return;
  }
  int last = 0;
  for (int k = 1; k < kListCapacity; ++k) {
    if (sorts_before(entries[last].view(), entries[k].view())) {
      last = k;
    }
  }
  if (sorts_before(text, entries[last].view())) {
    entries[last].assign(text);
  }
}

void sort_list(ListEntry (&entries)[kListCapacity]) {
  std::sort(std::begin(entries), std::end(entries), [](const ListEntry& a, const ListEntry& b) {
    return sorts_before(a.view(), b.view());
  });
}

bool valid_position(int position) {
  return position >= 0 && position < kListCapacity;
}

void show_record(const TurnpointRecord& record) {
  target_fields.latitude.assign(record.latitude);
  target_fields.longitude.assign(record.longitude);
  target_fields.elevation.assign(record.elevation);
  target_fields.name.assign(record.name);
  target_fields.note.assign(record.note);
}

std::string_view kinds_of_page(int page) {
  if (page == kTurnpointDistancePage) {
    return kTurnpointKinds;
  }
  if (page == kLandingPlacePage) {
    return kLandingPlaceKinds;
  }
  return {};
}

// The shown record's distance as a sort key, raised by 0.01 km for each earlier key of the
// build it equals, so that each entry leads back to its own record. Like the list it is built
// for, the scan goes once through the earlier keys and never starts over.
void make_unique_key(ListEntry& key, int n) {
  key.assign_format("%12.8f", navigator.target_distance_km);
  for (int k = 0; k < n; ++k) {
    if (turnpoint_store.records[distance_members[k]].distance_key == key.view()) {
      navigator.target_distance_km += kKeyStepKm;
      key.assign_format("%12.8f", navigator.target_distance_km);
    }
  }
}

}  // namespace

bool sorts_before(std::string_view left, std::string_view right) {
  return std::lexicographical_compare(
      left.begin(), left.end(), right.begin(), right.end(),
      [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
}

void select_record(int index) {
  if (index < 0 || index >= kStoreCapacity) {
    return;
  }
  show_record(turnpoint_store.records[index]);
}

void build_alphabetic_list() {
  clear_list(alphabetic_list.entries);
  const int count = loaded_record_count();
  int n = 0;
  for (int index = 0; index < count; ++index) {
    const TurnpointRecord& record = turnpoint_store.records[index];
    if (record.kind.contains_any(kTurnpointKinds)) {
      enter_text(alphabetic_list.entries, n, record.name.view());
      ++n;
    }
  }
  navigator.alphabetic_count = std::min(n, kListCapacity);
  sort_list(alphabetic_list.entries);
}

int pick_alphabetic(int position) {
  if (!valid_position(position)) {
    return navigator.record_count;
  }
  const ListEntry& entry = alphabetic_list.entries[position];
  const int count = loaded_record_count();
  for (int index = 0; index < count; ++index) {
    if (turnpoint_store.records[index].name.contains(entry.view())) {
      show_record(turnpoint_store.records[index]);
      return index;
    }
  }
  return navigator.record_count;
}

void build_distance_list() {
  update_position_readouts();
  clear_list(distance_list.entries);
  const std::string_view kinds = kinds_of_page(navigator.page);
  const int count = loaded_record_count();
  int n = 0;
  for (int index = 0; index < count; ++index) {
    TurnpointRecord& record = turnpoint_store.records[index];
    if (!record.kind.contains_any(kinds)) {
      continue;
    }
    select_record(index);
    navigator.bearing_to_target = solve_selected_target();
    ListEntry key;
    make_unique_key(key, n);
    record.distance_key.assign(key);
    distance_members[n] = index;
    enter_text(distance_list.entries, n, key.view());
    ++n;
  }
  navigator.distance_last = std::min(n, kListCapacity) - 1;
  sort_list(distance_list.entries);
}

int pick_by_distance(int position) {
  if (!valid_position(position)) {
    return navigator.record_count;
  }
  const ListEntry& entry = distance_list.entries[position];
  const int count = loaded_record_count();
  for (int index = 0; index < count; ++index) {
    if (turnpoint_store.records[index].distance_key == entry.view()) {
      show_record(turnpoint_store.records[index]);
      return index;
    }
  }
  return navigator.record_count;
}

}  // namespace kolvex
