// One fuzz input played against the instrument: the fuzz target runs it under the sanitizers,
// and the tests replay every committed input (the seeds and each finding) natively and under
// Wine.
//
// Layout: the bytes before the first "\n#ACTIONS\n" are "KOL-VEX.dat", written into the current
// folder; the bytes after it are actions, one opcode byte each with its operands:
//   0-5 press ON, GO, left, up, down, right   6 one frame   7 n: 1 + n % 32 frames, 55 ms apart
//   8 n: clock + 250 n ms   9 u32: clock set to any count   10 v, 8 bytes: host variable v any bits
//   11 v k: host variable v an odd value (NaN, infinities, extremes)   12 lat lon alt units: a
//   plausible aircraft   13 n: generate   14 n: query and draw (n % 4 = 0), a directory in place
//   of KOLVEX.MAX (1) or KOLVEX.TGT (2), both freed (3)   15 kill, then install and initialize
// (the opcode is taken modulo 16). An input without the marker is a turnpoint file alone, flown
// with a fixed script that switches on and visits the pages and lists.
#pragma once

#include <string_view>

#include "tools/panel_host/panel_host.h"

namespace kolvex::fuzz {

inline constexpr std::string_view kActionsMarker = "\n#ACTIONS\n";

// Plays the input through a host already attached to the module and opened. The caller puts
// the instrument's state back to its load-time contents first when a run must replay alone.
void play_input(host::PanelHost& host, std::string_view input);

}  // namespace kolvex::fuzz
