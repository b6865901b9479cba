// libFuzzer target: each input (see instrument_input.h) is played against the instrument from
// its load-time state, under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "host/panel.h"
#include "tools/fuzz/instrument_input.h"
#include "tools/panel_host/panel_host.h"

namespace {

// Puts every static record of the instrument back to its load-time contents, so that each input
// starts from the same state and a finding replays alone.
void reset_instrument() {
  kolvex::navigator = kolvex::NavigatorState{};
  kolvex::readouts = kolvex::ReadoutTexts{};
  kolvex::turnpoint_store = kolvex::TurnpointStore{};
  kolvex::target_fields = kolvex::TargetFields{};
  kolvex::alphabetic_list = kolvex::AlphabeticList{};
  kolvex::distance_list = kolvex::DistanceList{};
  kolvex::task_table = kolvex::TaskTable{};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Each fuzzing process works in a folder of its own: the instrument reads and writes by bare
  // file names. A memory file system when there is one: every frame rewrites two files, and on
  // a disk that costs milliseconds.
  std::filesystem::path base = std::filesystem::temp_directory_path();
  if (const char* chosen = std::getenv("KOLVEX_FUZZ_DIR")) {
    base = chosen;
  } else if (std::filesystem::is_directory("/dev/shm")) {
    base = "/dev/shm";
  }
  static const auto folder = base / ("kolvex-fuzz-" + std::to_string(static_cast<long>(getpid())));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  reset_instrument();
  kolvex::host::PanelHost host;
  host.attach(&Linkage, &ImportTable, kolvex_set_clock_ms);
  host.open();
  kolvex::fuzz::play_input(host, std::string_view(reinterpret_cast<const char*>(data), size));
  host.kill();
  return 0;
}
