#include "interface/buttons.h"

#include "gauge/navigator_state.h"

namespace kolvex {

// Placeholders until the page state machine lands; ON only switches on and off.
std::uint32_t KOLVEX_HOSTCALL on_button_handler(PIXPOINT*, std::uint32_t flags) {
  navigator.power_on = navigator.power_on == 0 ? 1 : 0;
  return flags;
}
std::uint32_t KOLVEX_HOSTCALL go_button_handler(PIXPOINT*, std::uint32_t flags) {
  return flags;
}
std::uint32_t KOLVEX_HOSTCALL left_button_handler(PIXPOINT*, std::uint32_t flags) {
  return flags;
}
std::uint32_t KOLVEX_HOSTCALL right_button_handler(PIXPOINT*, std::uint32_t flags) {
  return flags;
}
std::uint32_t KOLVEX_HOSTCALL up_button_handler(PIXPOINT*, std::uint32_t flags) {
  return flags;
}
std::uint32_t KOLVEX_HOSTCALL down_button_handler(PIXPOINT*, std::uint32_t flags) {
  return flags;
}

}  // namespace kolvex
