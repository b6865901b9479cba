// The six button handlers: the page state machine.
//
// Reads and writes: navigator's operating, selection and task fields. Calls the database
// operations (load, select, pick, build, task lookups).
#pragma once

#include "host/panel.h"

namespace kolvex {

std::uint32_t KOLVEX_HOSTCALL on_button_handler(PIXPOINT* point, std::uint32_t flags);
std::uint32_t KOLVEX_HOSTCALL go_button_handler(PIXPOINT* point, std::uint32_t flags);
std::uint32_t KOLVEX_HOSTCALL left_button_handler(PIXPOINT* point, std::uint32_t flags);
std::uint32_t KOLVEX_HOSTCALL right_button_handler(PIXPOINT* point, std::uint32_t flags);
std::uint32_t KOLVEX_HOSTCALL up_button_handler(PIXPOINT* point, std::uint32_t flags);
std::uint32_t KOLVEX_HOSTCALL down_button_handler(PIXPOINT* point, std::uint32_t flags);

}  // namespace kolvex
