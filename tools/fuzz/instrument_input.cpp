#include "tools/fuzz/instrument_input.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>

#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "host/panel.h"

namespace kolvex::fuzz {
namespace {

using host::Button;
using host::PanelHost;

// Keeps one input's run short however its bytes fall.
constexpr int kMaxFrames = 400;

// The host variables the instrument reads.
constexpr int kVarIds[] = {71, 72, 73, 335, 343, 344};

// Values a host may hand over that no real flight gives.
const double kOddValues[] = {
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::denorm_min(),
    -0.0,
    2147483648.0,
    -2147483649.0,
    1e300,
    21600.0 * 13031248921.78,  // longitude of a full turn
    3.0,
    -1.0,
};

void write_turnpoint_file(std::string_view bytes) {
  std::FILE* file = std::fopen(kTurnpointFileName, "wb");
  if (file == nullptr) {
    std::abort();
  }
  if (!bytes.empty()) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
  }
  std::fclose(file);
}

// A directory in place of a companion file: neither rewriting nor appending can open it.
void block_file(const char* name) {
  std::error_code ignored;
  std::filesystem::remove(name, ignored);
  std::filesystem::create_directory(name, ignored);
}

void free_companion_files() {
  std::error_code ignored;
  std::filesystem::remove_all("KOLVEX.MAX", ignored);
  std::filesystem::remove_all("KOLVEX.TGT", ignored);
}

// The ranges the host and the rest of the instrument rely on: an icon frame beyond the
// element's bitmaps, or a page or record index outside its table, is a fault even where no
// sanitizer sees a bad access. A violation aborts, which the fuzzer reports as a crash.
void expect(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "instrument state out of range: %s\n", what);
    std::abort();
  }
}

void check_state() {
  expect(navigator.steer_frame >= 0 && navigator.steer_frame <= 9, "steer_frame 0 to 9");
  expect(navigator.label_frame >= 0 && navigator.label_frame <= 2, "label_frame 0 to 2");
  expect(navigator.page >= 18 && navigator.page <= 28, "page 18 to 28");
  expect(navigator.record_count >= 0 && navigator.record_count <= kStoreCapacity,
         "record_count within the store");
  expect(navigator.target_index >= 0 && navigator.target_index <= kStoreCapacity,
         "target_index a record or the no-record marker");
  expect(navigator.last_point_index >= 0 && navigator.last_point_index <= kStoreCapacity,
         "last_point_index a record or the no-record marker");
  expect(navigator.power_on == 0 || navigator.power_on == 1, "power_on 0 or 1");
  expect(navigator.proximity >= 0 && navigator.proximity <= 2, "proximity 0 to 2");
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool done() const { return at_ >= bytes_.size(); }
  std::uint8_t byte() { return done() ? 0 : static_cast<std::uint8_t>(bytes_[at_++]); }
  std::uint32_t u32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(byte()) << (8 * i);
    }
    return value;
  }
  double raw_double() {
    std::uint64_t bits = u32();
    bits |= static_cast<std::uint64_t>(u32()) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

class Player {
 public:
  explicit Player(PanelHost& host) : host_(host) {}

  void frame() {
    if (frames_ < kMaxFrames) {
      host_.frame();
      ++frames_;
      check_state();
    }
  }
  void advance(std::uint32_t milliseconds) {
    clock_ += milliseconds;
    host_.set_clock(static_cast<std::int32_t>(clock_));
  }
  void press(Button button) { host_.press(button); }

  // One action per opcode byte; operands follow it.
  void play_actions(std::string_view script) {
    Reader in(script);
    while (!in.done() && frames_ < kMaxFrames) {
      const std::uint8_t op = in.byte();
      switch (op % 16) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
          press(static_cast<Button>(op % 16));
          break;
        case 6:
          frame();
          break;
        case 7:  // a run of frames, one frame time apart
          for (int n = 1 + in.byte() % 32; n > 0; --n) {
            advance(55);
            frame();
          }
          break;
        case 8:  // clock step, up to about a minute
          advance(static_cast<std::uint32_t>(in.byte()) * 250u);
          break;
        case 9:  // the clock set anywhere, its wrap included
          clock_ = in.u32();
          host_.set_clock(static_cast<std::int32_t>(clock_));
          break;
        case 10:  // a host variable, any bit pattern
        {
          const int id = kVarIds[in.byte() % std::size(kVarIds)];
          host_.set_var(id, in.raw_double());
          break;
        }
        case 11:  // a host variable, an odd value
        {
          const int id = kVarIds[in.byte() % std::size(kVarIds)];
          host_.set_var(id, kOddValues[in.byte() % std::size(kOddValues)]);
          break;
        }
        case 12:  // a plausible position and altitude
        {
          const double lat = (static_cast<int>(in.byte()) - 128) * 0.7;
          const double lon = (static_cast<int>(in.byte()) - 128) * 1.4;
          host_.set_var(71, host::latitude_var(lat));
          host_.set_var(72, host::longitude_var(lon));
          host_.set_var(73, in.byte() * 20.0);
          host_.set_var(335, in.byte() % 4);
          break;
        }
        case 13:
          host_.generate(in.byte());
          break;
        case 14:  // the host's other routines, or the companion files blocked and freed
          switch (in.byte() % 4) {
            case 0:
              host_.query();
              host_.draw();
              break;
            case 1:
              block_file("KOLVEX.MAX");
              break;
            case 2:
              block_file("KOLVEX.TGT");
              break;
            case 3:
              free_companion_files();
              break;
          }
          break;
        case 15:  // the panel closed and opened again
          host_.kill();
          host_.open();
          break;
      }
    }
  }

  // Switches on, then looks at every page and list with a few frames between the presses.
  void play_default() {
    host_.set_var(71, host::latitude_var(50.8));
    host_.set_var(72, host::longitude_var(6.2));
    host_.set_var(335, 2);
    static constexpr Button kPresses[] = {
        Button::on,    Button::right, Button::down,  Button::down, Button::go,   Button::right,
        Button::right, Button::down,  Button::up,    Button::go,   Button::left, Button::left,
        Button::up,    Button::up,    Button::go,    Button::down, Button::go,   Button::go,
        Button::right, Button::right, Button::right, Button::go,   Button::on,   Button::on,
    };
    for (Button button : kPresses) {
      press(button);
      advance(2100);
      frame();
      frame();
    }
  }

 private:
  PanelHost& host_;
  std::uint32_t clock_ = 0;
  int frames_ = 0;
};

}  // namespace

void play_input(host::PanelHost& host, std::string_view input) {
  const std::size_t marker = input.find(kActionsMarker);
  free_companion_files();
  write_turnpoint_file(input.substr(0, marker));
  Player player(host);
  if (marker == std::string_view::npos) {
    player.play_default();
  } else {
    player.play_actions(input.substr(marker + kActionsMarker.size()));
  }
}

}  // namespace kolvex::fuzz
