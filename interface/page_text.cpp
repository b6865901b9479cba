#include "interface/page_text.h"

#include "gauge/face.h"
#include "gauge/navigator_state.h"
#include "gauge/update_cycle.h"
#include "host/services.h"

namespace kolvex {

double KOLVEX_HOSTCALL first_line_callback(MODULE_VAR* source) {
  update_cycle();
  // Page texts arrive with the operator interface; until then the line stays empty.
  write_element_text(first_line, "");
  return source != nullptr ? source->var_value : 0.0;
}

// Placeholders until the page texts land.
double KOLVEX_HOSTCALL second_line_callback(MODULE_VAR* source) {
  return source != nullptr ? source->var_value : 0.0;
}
double KOLVEX_HOSTCALL steer_icon_callback(MODULE_VAR*) {
  return 0.0;
}
double KOLVEX_HOSTCALL label_icon_callback(MODULE_VAR*) {
  return 0.0;
}
double KOLVEX_HOSTCALL left_readout_callback(MODULE_VAR* source) {
  return source != nullptr ? source->var_value : 0.0;
}
double KOLVEX_HOSTCALL track_icon_callback(MODULE_VAR*) {
  return 0.0;
}
double KOLVEX_HOSTCALL right_readout_callback(MODULE_VAR* source) {
  return source != nullptr ? source->var_value : 0.0;
}
double KOLVEX_HOSTCALL distance_icon_callback(MODULE_VAR*) {
  return 0.0;
}
double KOLVEX_HOSTCALL distance_readout_callback(MODULE_VAR* source) {
  return source != nullptr ? source->var_value : 0.0;
}
double KOLVEX_HOSTCALL satellite_icon_callback(MODULE_VAR*) {
  return 0.0;
}

}  // namespace kolvex
