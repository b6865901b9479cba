#include "tools/kolvex-sim/interactive.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#if !defined(_WIN32)
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

#include "tools/kolvex-sim/igc.h"
#include "tools/kolvex-sim/terminal_face.h"

namespace kolvex::sim {

#if defined(_WIN32)

int run_interactive(Cockpit&, host::PanelHost&, const std::string&, double, int) {
  std::fprintf(stderr, "kolvex-sim: interactive use is not available on Windows\n");
  return 2;
}

#else

namespace {

// The terminal in raw mode for as long as this lives.
class RawTerminal {
 public:
  RawTerminal() {
    good_ = tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (good_) {
      termios raw = saved_;
      // Ctrl-C arrives as a key (and quits), so that the terminal is always given back.
      raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG));
      raw.c_cc[VMIN] = 0;
      raw.c_cc[VTIME] = 0;
      tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    std::fputs("\x1b[?25l", stdout);  // hide the cursor
  }
  ~RawTerminal() {
    if (good_) {
      tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    std::fputs("\x1b[?25h\n", stdout);
    std::fflush(stdout);
  }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;
  bool good() const { return good_; }

 private:
  termios saved_{};
  bool good_ = false;
};

enum class Key { none, on, go, left, right, up, down, turn_left, turn_right, faster, slower, quit };

// The next key pressed, or none; arrow keys arrive as ESC [ A to D.
Key read_key() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (poll(&input, 1, 0) <= 0) {
    return Key::none;
  }
  char c = 0;
  if (read(STDIN_FILENO, &c, 1) != 1) {
    return Key::none;
  }
  if (c == '\x1b') {
    char sequence[2] = {};
    if (read(STDIN_FILENO, &sequence[0], 1) != 1 || sequence[0] != '[' ||
        read(STDIN_FILENO, &sequence[1], 1) != 1) {
      return Key::none;
    }
    switch (sequence[1]) {
      case 'A':
        return Key::up;
      case 'B':
        return Key::down;
      case 'C':
        return Key::right;
      case 'D':
        return Key::left;
      default:
        return Key::none;
    }
  }
  switch (c) {
    case 'o':
    case 'O':
      return Key::on;
    case 'g':
    case 'G':
    case '\n':
    case ' ':
      return Key::go;
    case 'a':
    case 'A':
      return Key::turn_left;
    case 'd':
    case 'D':
      return Key::turn_right;
    case 'w':
    case 'W':
    case '+':
      return Key::faster;
    case 's':
    case 'S':
    case '-':
      return Key::slower;
    case 'q':
    case 'Q':
    case '\x03':
      return Key::quit;
    default:
      return Key::none;
  }
}

}  // namespace

int run_interactive(Cockpit& cockpit, host::PanelHost& host, const std::string& replay_file,
                    double speedup, int frame_ms) {
  std::vector<IgcFix> fixes;
  if (!replay_file.empty()) {
    std::ifstream log(replay_file, std::ios::binary);
    std::string error;
    if (!log || !read_igc(log, fixes, error)) {
      std::fprintf(stderr, "kolvex-sim: cannot replay %s%s%s\n", replay_file.c_str(),
                   error.empty() ? "" : ": ", error.c_str());
      return 2;
    }
  }
  if (!isatty(STDIN_FILENO)) {
    std::fprintf(stderr, "kolvex-sim: --interactive needs a terminal\n");
    return 2;
  }
  if (speedup <= 0) {
    speedup = 1;
  }
  const RawTerminal terminal;
  double log_s = fixes.empty() ? 0 : fixes.front().seconds;
  double heading = 0;
  double kmh = 0;
  if (!fixes.empty()) {
    cockpit.place(fixes.front().lat_deg, fixes.front().lon_deg);
  }
  std::string drawn;
  auto next = std::chrono::steady_clock::now();
  for (;;) {
    bool quit = false;
    for (Key key = read_key(); key != Key::none; key = read_key()) {
      switch (key) {
        case Key::on:
          host.press(host::Button::on);
          break;
        case Key::go:
          host.press(host::Button::go);
          break;
        case Key::left:
          host.press(host::Button::left);
          break;
        case Key::right:
          host.press(host::Button::right);
          break;
        case Key::up:
          host.press(host::Button::up);
          break;
        case Key::down:
          host.press(host::Button::down);
          break;
        case Key::turn_left:
          heading = std::fmod(heading + 350, 360);
          break;
        case Key::turn_right:
          heading = std::fmod(heading + 10, 360);
          break;
        case Key::faster:
          if (fixes.empty()) {
            kmh = std::min(kmh + 10, 300.0);
          } else {
            speedup = std::min(speedup * 2, 256.0);
          }
          break;
        case Key::slower:
          if (fixes.empty()) {
            kmh = std::max(kmh - 10, 0.0);
          } else {
            speedup = std::max(speedup / 2, 1.0);
          }
          break;
        case Key::quit:
          quit = true;
          break;
        case Key::none:
          break;
      }
    }
    if (quit) {
      break;
    }
    const double step_s = frame_ms / 1000.0;
    if (!fixes.empty()) {
      log_s = std::min(log_s + step_s, fixes.back().seconds);
      const IgcFix fix = fix_at(fixes, log_s);
      cockpit.place(fix.lat_deg, fix.lon_deg);
      host.set_var(73, fix.gps_altitude_m);
    } else if (kmh > 0) {
      // Straight ahead on the heading for one frame, by the flat-earth rule.
      const double km = kmh * step_s / 3600.0;
      const double radians = heading * 3.14159265359 / 180.0;
      const double lat = cockpit.latitude();
      cockpit.place(lat + km * std::cos(radians) / 111.15,
                    cockpit.longitude() +
                        km * std::sin(radians) / (111.321 * std::cos(lat * 3.14159265359 / 180)));
    }
    std::string error;
    if (!cockpit.step(frame_ms, error)) {
      std::fprintf(stderr, "kolvex-sim: %s\n", error.c_str());
      return 2;
    }
    char status[160];
    if (fixes.empty()) {
      std::snprintf(status, sizeof status, "heading %03.0f  speed %3.0f km/h  alt %4.0f m", heading,
                    kmh, host.var(73));
    } else {
      std::snprintf(status, sizeof status, "replay %s  x%.0f%s", format_time_of_day(log_s).c_str(),
                    speedup, log_s >= fixes.back().seconds ? "  (end of log)" : "");
    }
    const std::string screen = "\x1b[H\x1b[2J" + cockpit.clock_text() + "\n" + terminal_face(host) +
                               status + "\n\n" +
                               "o ON   g GO   arrow keys: the four arrows   q quit\n" +
                               (fixes.empty() ? "a/d turn 10 degrees   w/s speed +/-10 km/h\n"
                                              : "+/- replay faster/slower\n");
    if (screen != drawn) {
      std::fwrite(screen.data(), 1, screen.size(), stdout);
      std::fflush(stdout);
      drawn = screen;
    }
    next += std::chrono::microseconds(std::llround(frame_ms * 1000.0 / speedup));
    std::this_thread::sleep_until(next);
  }
  return 0;
}

#endif

}  // namespace kolvex::sim
