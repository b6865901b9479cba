// "KOLVEX.MAX" and "KOLVEX.TGT", rewritten on every frame for companion programs.
//
// Reads: navigator.power_on, target_index, track, ground_speed, stopwatch_running; the target
// record's elevation and name. Writes: the two files (and, through solve_target_record, the
// target_record_* fields).
#pragma once

namespace kolvex {

void write_companion_files();

}  // namespace kolvex
