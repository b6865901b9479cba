#include "tests/support/instrument.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "host/panel.h"

#ifndef KOLVEX_SHARED_DATA
#error "KOLVEX_SHARED_DATA must name the shared data folder"
#endif

namespace kolvex::testing {

void reset_instrument() {
  navigator = NavigatorState{};
  readouts = ReadoutTexts{};
  turnpoint_store = TurnpointStore{};
  target_fields = TargetFields{};
  alphabetic_list = AlphabeticList{};
  distance_list = DistanceList{};
  task_table = TaskTable{};
}

std::filesystem::path shared_data(std::string_view file) {
  return std::filesystem::path(KOLVEX_SHARED_DATA) / std::string(file);
}

void write_file(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "<missing>";
  }
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void InstrumentTest::SetUp() {
  static std::atomic<int> counter{0};
  previous_folder_ = std::filesystem::current_path();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') {
      c = '_';
    }
  }
  folder = std::filesystem::temp_directory_path() /
           ("kolvex-test-" + name + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  reset_instrument();
  host.attach(&Linkage, &ImportTable, kolvex_set_clock_ms);
  host.open();
}

void InstrumentTest::TearDown() {
  std::filesystem::current_path(previous_folder_);
  std::error_code ignored;
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(folder, ignored);
}

void InstrumentTest::set_position(double lat_deg, double lon_deg) {
  host.set_var(71, host::latitude_var(lat_deg));
  host.set_var(72, host::longitude_var(lon_deg));
}

void InstrumentTest::frame_at(std::int32_t ms) {
  host.set_clock(ms);
  host.frame();
}

}  // namespace kolvex::testing
