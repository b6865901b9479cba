#include "gauge/update_cycle.h"

#include "database/pick_lists.h"
#include "gauge/navigator_state.h"
#include "navigation/companion_files.h"
#include "navigation/readouts.h"
#include "navigation/target_solution.h"

namespace kolvex {
namespace {

void navigation_tick() {
  if (navigator.page < 26) {
    if (navigator.page == 24 || navigator.page == 25) {
      build_distance_list();
      navigator.distance_pick = pick_by_distance(navigator.cursor);
    }
    update_position_readouts();
    update_wind_readouts();
    navigator.bearing_to_target = solve_selected_target();
    navigator.track_deg = update_track();
    update_steering();
  }
  navigator.tick_clock_ms = navigator.now_clock_ms;
  navigator.prev_lat_min = navigator.aircraft_lat_min;
  navigator.prev_lon_min = navigator.aircraft_lon_min;
}

void update_proximity() {
  navigator.previous_proximity = navigator.proximity;
  navigator.proximity = 0;
  if (navigator.target_distance_km < navigator.close_radius_km) {
    navigator.proximity = 1;
  }
  if (navigator.target_distance_km < navigator.arrival_radius_km) {
    navigator.proximity = 2;
  }
}

// The stopwatch runs from an arrival at the target to the next arrival at the same point.
void update_stopwatch() {
  if (navigator.previous_proximity != 1 || navigator.proximity != 2) {
    return;
  }
  if (navigator.stopwatch_running == 1) {
    if (navigator.target_index == navigator.stopwatch_point) {
      navigator.stopwatch_armed = 0;
      navigator.stopwatch_running = 0;
    }
  } else if (navigator.stopwatch_armed == 1) {
    navigator.stopwatch_point = navigator.target_index;
    navigator.stopwatch_running = 1;
  }
}

}  // namespace

int whole_seconds_between(std::int32_t from_ms, std::int32_t to_ms) {
  // The interval is counted forward from `from_ms` in unsigned arithmetic, so that a wrap of the
  // 32-bit count between the two readings, or more than 2^31 ms since the last tick (a switch-on
  // weeks after loading), still gives the seconds that passed.
  const std::uint32_t interval =
      static_cast<std::uint32_t>(to_ms) - static_cast<std::uint32_t>(from_ms);
  return static_cast<int>(interval / 1000u);
}

void update_cycle() {
  write_companion_files();
  if (navigator.power_on == 0) {
    return;
  }
  navigator.now_clock_ms = clock_ms();
  navigator.elapsed_s = whole_seconds_between(navigator.tick_clock_ms, navigator.now_clock_ms);
  if (navigator.elapsed_s >= navigator.tick_period_s) {
    navigation_tick();
  }
  update_proximity();
  update_stopwatch();
}

}  // namespace kolvex
