// The alphabetic and distance pick lists and the selection of the shown record.
//
// Reads: the store, navigator.page and record_count. Writes: target_fields, the lists,
// navigator.alphabetic_count and distance_last, the records' distance keys, and (through the
// position readouts and the target solution while a distance list is built) the aircraft
// position and its readouts, target_distance_km, bearing_to_target, distance_text and
// bearing_text.
#pragma once

#include <string_view>

#include "gauge/fixed_text.h"

namespace kolvex {

constexpr int kListCapacity = 256;
inline constexpr const char* kListPlaceholder = "ZZZZZZZZZZZZ";
// The record sets of the two distance pages.
constexpr int kTurnpointDistancePage = 24;
constexpr int kLandingPlacePage = 25;
inline constexpr const char* kTurnpointKinds = "TSFR";
inline constexpr const char* kLandingPlaceKinds = "ALMW";

using ListEntry = FixedText<16>;

struct AlphabeticList {
  constexpr AlphabeticList() {
    for (ListEntry& entry : entries) {
      entry.assign(kListPlaceholder);
    }
  }
  ListEntry entries[kListCapacity];
};

struct DistanceList {
  constexpr DistanceList() {
    for (ListEntry& entry : entries) {
      entry.assign(kListPlaceholder);
    }
  }
  ListEntry entries[kListCapacity];
};

extern AlphabeticList alphabetic_list;
extern DistanceList distance_list;

// Makes record `index` the shown record. An index outside the store changes nothing.
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

// Byte-wise order of list texts, each byte taken as unsigned.
bool sorts_before(std::string_view left, std::string_view right);

}  // namespace kolvex
