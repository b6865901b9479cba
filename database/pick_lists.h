// The alphabetic and distance pick lists and the selection of the shown record.
//
// Reads: the store, navigator.page and record_count. Writes: target_fields, the lists,
// navigator.alphabetic_count and distance_last, the records' distance keys, and (through the
// target solution while a distance list is built) target_distance_km, bearing_to_target,
// distance_text and bearing_text.
#pragma once

#include "gauge/fixed_text.h"

namespace kolvex {

constexpr int kListCapacity = 256;
inline constexpr const char* kListPlaceholder = "ZZZZZZZZZZZZ";

struct AlphabeticList {
  FixedText<16> entries[kListCapacity];
};

struct DistanceList {
  FixedText<16> entries[kListCapacity];
};

extern AlphabeticList alphabetic_list;
extern DistanceList distance_list;

// Makes record `index` the shown record.
void select_record(int index);

// Fills the alphabetic list from the loaded turnpoints and sets alphabetic_count.
void build_alphabetic_list();

// Shows the record named by the alphabetic list's entry at `position`; returns its index, or
// record_count when none is found.
int pick_alphabetic(int position);

// Rebuilds the distance list for the page on show (turnpoints on 24, landing places on 25).
void build_distance_list();

// Shows the record whose distance key is the entry at `position`; returns its index, or
// record_count when none is found.
int pick_by_distance(int position);

}  // namespace kolvex
