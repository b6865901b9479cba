// The element update callbacks: page texts, readouts and icon frames. The first line's
// callback also runs the update cycle.
//
// Reads: navigator, target_fields, readouts. Writes: the elements' texts, navigator.steer_frame
// (0 on pages without a bar) and label_frame, readouts.scratch_text (where a line is put
// together), and blanks or fills bearing_text, track_text and distance_text as the page asks.
#pragma once

#include "host/panel.h"

namespace kolvex {

double KOLVEX_HOSTCALL first_line_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL second_line_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL steer_icon_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL label_icon_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL left_readout_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL track_icon_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL right_readout_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL distance_icon_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL distance_readout_callback(MODULE_VAR* source);
double KOLVEX_HOSTCALL satellite_icon_callback(MODULE_VAR* source);

}  // namespace kolvex
