// The turnpoint file "KOL-VEX.dat" and the fixed store of its records.
//
// Reads: the file in the working folder. Writes: the store, navigator.record_count, and (by
// calling the builders in pick_lists.h and task_table.h) the alphabetic list,
// navigator.alphabetic_count and the task table.
#pragma once

#include <string_view>

#include "gauge/fixed_text.h"

namespace kolvex {

constexpr int kStoreCapacity = 356;
// One piece of the file: at most 511 characters and the terminating NUL.
constexpr int kLineBufferSize = 512;
inline constexpr const char* kTurnpointFileName = "KOL-VEX.dat";

// One line of the turnpoint file, each field cut and padded to its width.
struct TurnpointRecord {
  FixedText<8> code{"0000"};
  FixedText<16> latitude{"N002........"};
  FixedText<16> longitude{"E003........"};
  FixedText<8> elevation{"000000"};
  FixedText<12> kind{"000000000"};
  FixedText<16> name{"123456789012"};
  FixedText<16> note{"123456789012"};
  FixedText<16> distance_key{"123456789012"};
};

struct TurnpointStore {
  TurnpointRecord records[kStoreCapacity];
};

// The texts of the shown record.
struct TargetFields {
  FixedText<16> latitude{"N002........"};
  FixedText<16> longitude{"E003........"};
  FixedText<8> elevation{"000000"};
  FixedText<16> name{"123456789012"};
  FixedText<16> note{"123456789012"};
};

extern TurnpointStore turnpoint_store;
extern TargetFields target_fields;

// Reads "KOL-VEX.dat" into the store, sets record_count, then builds the alphabetic list and
// the task table. A missing or unreadable file loads no record.
void load_turnpoints();

// Field n (1 to 7) of a line without its line feed.
std::string_view extract_field(std::string_view line, int n);

// The first record below record_count whose kind contains "H", or 0.
int find_home_record();

// record_count held to the store's bounds: the number of records the scans may visit.
int loaded_record_count();

}  // namespace kolvex
