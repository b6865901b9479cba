// The records the host finds by name, and the module's clock.
#include <chrono>

#include "gauge/face.h"
#include "gauge/update_cycle.h"
#include "host/panel.h"

namespace {

void KOLVEX_HOSTCALL module_init() {}
void KOLVEX_HOSTCALL module_deinit() {}

const auto module_loaded = std::chrono::steady_clock::now();
bool host_drives_clock = false;
std::int32_t host_clock_ms = 0;

}  // namespace

extern "C" {

KOLVEX_EXPORT GAUGESLINKAGE Linkage = {
    LINKAGE_MODULE_ID, module_init, module_deinit, 0, 0, 0, {&kolvex::gauge_header, nullptr},
};

KOLVEX_EXPORT IMPORT_TABLE ImportTable = {
    {IMPORT_PANELS_ID, nullptr},
    {0, nullptr},
};

KOLVEX_EXPORT void kolvex_set_clock_ms(std::int32_t milliseconds) {
  host_drives_clock = true;
  host_clock_ms = milliseconds;
}

}  // extern "C"

namespace kolvex {

std::int32_t clock_ms() {
  if (host_drives_clock) {
    return host_clock_ms;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - module_loaded);
  // The count wraps like the host's 32-bit millisecond counters; the interval arithmetic of
  // the update cycle is wrap-safe.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(elapsed.count()));
}

}  // namespace kolvex
