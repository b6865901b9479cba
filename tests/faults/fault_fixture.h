// Fault tests drive the whole instrument through the panel host: switch it on over a damaged
// world, fly a little, and look at what the face and the companion files say.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/instrument.h"

namespace kolvex::testing {

class FaultTest : public InstrumentTest {
 protected:
  // An aircraft near the sample points (47° N 8° E), units 2.
  void SetUp() override {
    InstrumentTest::SetUp();
    place_aircraft();
  }

  void place_aircraft() {
    set_position(47.02, 8.0);
    host.set_var(73, 1000.0);
    host.set_var(335, 2.0);
  }

  // The instrument as loaded, in an emptied folder (for the next case of a table).
  void start_over() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
      std::filesystem::remove_all(entry.path(), ignored);
    }
    reset_instrument();
    host.kill();
    host.open();
    clock_ms_ = 0;
    host.set_clock(0);
    place_aircraft();
  }

  void press(host::Button button) {
    host.press(button);
    host.frame();
  }

  // Two seconds on and one frame: a navigation tick.
  void tick() {
    clock_ms_ += 2000;
    host.set_clock(static_cast<std::int32_t>(clock_ms_));
    host.frame();
  }

  // ON, a tick, and one more frame so that the files carry the tick's values.
  void switch_on() {
    press(host::Button::on);
    tick();
    host.frame();
  }

  // Line n (from 1) of a companion file, line ends of either platform taken away; "<none>"
  // when the file has fewer lines.
  static std::string companion_line(const char* name, int n) {
    const std::vector<std::string> lines = companion_lines(name);
    return n >= 1 && static_cast<std::size_t>(n) <= lines.size() ? lines[n - 1] : "<none>";
  }

  static std::vector<std::string> companion_lines(const char* name) {
    std::vector<std::string> lines(1);
    for (char c : read_file(name)) {
      if (c == '\n') {
        lines.emplace_back();
      } else if (c != '\r') {
        lines.back() += c;
      }
    }
    if (lines.back().empty()) {
      lines.pop_back();
    }
    return lines;
  }

  // What every frame must leave, whatever the world: texts within their elements, and both
  // files whole (seven lines, the last without a line end, and four lines).
  void expect_sound_frame() {
    EXPECT_LE(host.text(kFirstLine).size(), 12u);
    EXPECT_LE(host.text(kSecondLine).size(), 12u);
    EXPECT_LE(host.text(kLeftReadout).size(), 3u);
    EXPECT_LE(host.text(kRightReadout).size(), 3u);
    EXPECT_LE(host.text(kDistanceReadout).size(), 3u);
    // A file that a test keeps from being written is left out.
    if (std::filesystem::is_regular_file("KOLVEX.MAX")) {
      const std::string max = read_file("KOLVEX.MAX");
      EXPECT_EQ(companion_lines("KOLVEX.MAX").size(), 7u) << max;
      EXPECT_TRUE(max.ends_with("stopwatch aan") || max.ends_with("stopwatch uit")) << max;
    }
    if (std::filesystem::is_regular_file("KOLVEX.TGT")) {
      EXPECT_EQ(companion_lines("KOLVEX.TGT").size(), 4u) << read_file("KOLVEX.TGT");
    }
  }

  // Left to the position page, then right through every page up to task selection, trying
  // the arrows and a tick on each; back on the navigation page at the end.
  void visit_every_page() {
    for (int i = 0; i < 12; ++i) {
      press(host::Button::left);
    }
    for (int page = 18; page <= 26; ++page) {
      press(host::Button::down);
      tick();
      expect_sound_frame();
      press(host::Button::up);
      tick();
      expect_sound_frame();
      press(host::Button::right);
    }
    back_to_navigation();
  }

  void back_to_navigation() {
    for (int i = 0; i < 12; ++i) {
      press(host::Button::left);
    }
    press(host::Button::right);
    press(host::Button::right);
    tick();
  }

  std::int64_t clock_ms_ = 0;
};

}  // namespace kolvex::testing
