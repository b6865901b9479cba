// The per-frame update cycle: companion files, the two-second navigation tick, proximity and
// the stopwatch.
//
// Reads: the clock, navigator.power_on, page, cursor, target_index, target_distance_km.
// Writes: navigator's timing, proximity and stopwatch fields, bearing_to_target, track_deg,
// distance_pick and previous fix; through the operations it calls, the readouts and solution.
#pragma once

#include <cstdint>

namespace kolvex {

void update_cycle();

// Milliseconds since the module was loaded, or the last value a host handed over.
std::int32_t clock_ms();

// Whole seconds from `from_ms` forward to `to_ms`, truncated, across a wrap of the count.
int whole_seconds_between(std::int32_t from_ms, std::int32_t to_ms);

}  // namespace kolvex
