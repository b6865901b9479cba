// Test support: the whole instrument in its load-time state, driven through the panel host as
// the simulator drives it, in a fresh working folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/panel_host/panel_host.h"

namespace kolvex::testing {

// Puts every static record of the instrument back to its load-time contents.
void reset_instrument();

// The face's children by their position in the element list.
using Child = host::FaceChild;
using enum host::FaceChild;

// Folder of the real-world sample data shared with the project.
std::filesystem::path shared_data(std::string_view file);

void write_file(const std::filesystem::path& path, std::string_view content);
// The file's bytes, or "<missing>".
std::string read_file(const std::filesystem::path& path);

class InstrumentTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Host variables for an aircraft at decimal degrees, north and east positive.
  void set_position(double lat_deg, double lon_deg);
  // Advance the host clock to `ms` and run one frame.
  void frame_at(std::int32_t ms);

  host::PanelHost host;
  std::filesystem::path folder;

 private:
  std::filesystem::path previous_folder_;
};

}  // namespace kolvex::testing
