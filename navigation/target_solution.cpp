#include "navigation/target_solution.h"

#include "gauge/navigator_state.h"

namespace kolvex {

// Placeholders until the target solution lands.
double solve_selected_target() {
  return navigator.bearing_to_target;
}
void solve_target_record() {}
double update_track() {
  return navigator.track_deg;
}
void update_steering() {}

}  // namespace kolvex
