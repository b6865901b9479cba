// Distance and bearing to the target, track and ground speed, and the steering bar.
//
// Reads: navigator.aircraft_lat_min, aircraft_lon_min, units, prev_lat_min, prev_lon_min,
// elapsed_s, target_index, track_deg, bearing_to_target; target_fields; the store.
// Writes: navigator.target_distance_km, target_record_*, fix_distance, track, ground_speed,
// steer_frame; readouts.distance_text, bearing_text, track_text.
#pragma once

#include "database/turnpoint_store.h"

namespace kolvex {

// Distance and bearing to the shown record; returns the bearing.
double solve_selected_target();

// Distance, bearing and position of the record at target_index.
void solve_target_record();

// Track, distance flown and ground speed since the previous fix; returns the track.
double update_track();

// The steering bar's frame from track and bearing.
void update_steering();

// The record at target_index, or nullptr when that index lies outside the store.
const TurnpointRecord* target_record();

}  // namespace kolvex
