// kolvex-sim --interactive: the face drawn live in the terminal, the six buttons on keys, and an
// aircraft that replays a flight log or is flown with the keyboard.
#pragma once

#include <string>

#include "tools/kolvex-sim/flight.h"

namespace kolvex::sim {

// Runs until the pilot quits; returns the program's exit status. replay_file may be empty.
// speedup: simulated seconds per real second (0 is taken as 1).
int run_interactive(Cockpit& cockpit, host::PanelHost& host, const std::string& replay_file,
                    double speedup, int frame_ms);

}  // namespace kolvex::sim
