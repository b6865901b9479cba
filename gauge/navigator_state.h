// The instrument's whole mutable state: one static record of numbers and one of readout texts.
// Both take their initial values when the module is loaded and keep them while it stays
// loaded; the module never resets either as a whole (tests may, between cases).
#pragma once

#include "gauge/fixed_text.h"

namespace kolvex {

struct NavigatorState {
  // Operating state (pages and buttons).
  int power_on = 0;
  int page = 20;
  int cursor = 0;
  int units = 0;  // host units setting, written by the position readouts

  // Turnpoint database and selection.
  int record_count = 0;
  int alphabetic_count = 0;
  int distance_last = 0;
  int target_index = 0;
  int last_point_index = 0;
  int alphabetic_pick = 0;
  int distance_pick = 0;
  int on_task = 0;
  int task_letter = 0;
  int task_point_number = 0;
  int task_point_index = 0;

  // Timing, proximity and stopwatch (update cycle).
  int tick_period_s = 2;
  int tick_clock_ms = 0;
  int now_clock_ms = 0;
  double elapsed_s = 0;
  double prev_lat_min = 0;
  double prev_lon_min = 0;
  double close_radius_km = 2.0;
  double arrival_radius_km = 0.5;
  int proximity = 0;
  int previous_proximity = 0;
  int stopwatch_running = 0;
  int stopwatch_armed = 1;
  int stopwatch_point = 0;

  // Aircraft and solution.
  double aircraft_lat_min = 0;
  double aircraft_lon_min = 0;
  double target_distance_km = 0;
  double bearing_to_target = 0;
  double fix_distance = 0;
  double track = 0;
  double track_deg = 0;
  double ground_speed = 0;
  double target_record_lat_min = 0;
  double target_record_lon_min = 0;
  double target_record_distance_km = 0;
  double target_record_bearing = 0;

  // Display state.
  int steer_frame = 5;
  int label_frame = 0;
};

// Texts shared between the computations and the display.
struct ReadoutTexts {
  // Position, altitude and wind readouts.
  FixedText<16> latitude_text{" 00:00.00 N"};
  FixedText<16> longitude_text{"000:00.00 E"};
  FixedText<16> altitude_text{"alt: 0000"};
  FixedText<8> wind_speed_text{"0000"};
  FixedText<8> wind_direction_text{"0000"};
  FixedText<8> degrees_text{"000"};    // scratch while a position text is composed
  FixedText<8> minutes_text{"00000"};  // scratch while a position text is composed
  // Target solution.
  FixedText<8> distance_text{"000.0"};
  FixedText<8> bearing_text{"000"};
  FixedText<8> track_text{"000"};
  // Work buffer of the page text.
  FixedText<16> scratch_text{"123456789012"};
};

extern NavigatorState navigator;
extern ReadoutTexts readouts;

}  // namespace kolvex
