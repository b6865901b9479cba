// Soak run: many simulated hours of flying with the instrument on, through the panel host as
// the simulator drives it, 18 frames a second. A pilot flies task A round and round, looks at
// every page and pick list on the way, switches the instrument off and on, and has the panel
// closed and opened again now and then. Resident memory and open file descriptors are sampled
// from /proc/self every ten simulated minutes; at the end both companion files must hold exactly
// the parked aircraft's solution.
//
//   kolvex-soak [HOURS] [FOLDER]     HOURS simulated (default 24); FOLDER to work in (default a
//                                    fresh folder in /dev/shm, or the temporary folder)
//
// Exit status 0 when memory and descriptors held steady and every check passed.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host/panel.h"
#include "tools/panel_host/panel_host.h"

namespace {

using kolvex::host::Button;
using kolvex::host::PanelHost;

constexpr int kFramesPerSecond = 18;
constexpr double kSpeedKmh = 150.0;
constexpr double kArrivalKm = 0.2;
constexpr std::int64_t kFramesPerSample = 10 * 60 * kFramesPerSecond;
// Memory may settle during the first ten minutes; after them it may not grow by more than this.
constexpr long kRssToleranceKb = 256;

constexpr const char* kTurnpoints =
    "101,47:00.000N,008:00.000E,400M,HT,Base,launch\n"
    "102,47:10.000N,008:00.000E,900M,T,North Peak,\n"
    "103,47:05:00N,008:13:30E,2100F,TS,East Ridge,hut\n"
    "104,46:58.250N,007:50.500E,420M,AL,Farm Strip,grass 600\n"
    "105,47:02:00N,007:59:00E,1500f,W,Lake,\n"
    "106,47:08.000N,008:05.000E,700M,R,Road Bend,\n"
    "107,46:55.000N,008:07.000E,500M,AM,Airfield,\n"
    "A0,101,0\nA1,102,18.5\nA2,103,20.2\nA3,101,17.9\n";

struct Point {
  const char* name;  // as the second line shows it
  double lat_deg;
  double lon_deg;
};

const Point kTask[] = {
    {"Base        ", 47.0, 8.0},
    {"North Peak  ", 47.0 + 10.0 / 60.0, 8.0},
    {"East Ridge  ", 47.0 + 5.0 / 60.0, 8.0 + 13.5 / 60.0},
    {"Base        ", 47.0, 8.0},
};

long resident_kb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int open_descriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count - 1;  // the iterator's own
}

std::string read_file(const char* name) {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

class Pilot {
 public:
  explicit Pilot(PanelHost& host) : host_(host) {}

  std::int64_t frames() const { return frames_; }
  double hours() const { return static_cast<double>(frames_) / kFramesPerSecond / 3600.0; }
  int failures() const { return failures_; }

  void check(bool ok, const std::string& what) {
    if (!ok) {
      ++failures_;
      if (failures_ <= 20) {
        std::fprintf(stderr, "soak: at %.3f h: %s\n", hours(), what.c_str());
      }
    }
  }

  // Called every ten simulated minutes, between two frames.
  void on_sample(std::function<void()> sampler) { sampler_ = std::move(sampler); }

  // One frame 1/18 s after the last.
  void frame() {
    if (sampler_ && frames_ > 0 && frames_ % kFramesPerSample == 0) {
      sampler_();
    }
    ++frames_;
    host_.set_clock(
        static_cast<std::int32_t>(static_cast<std::uint32_t>(frames_ * 1000 / kFramesPerSecond)));
    host_.frame();
    // The test host notes every service call; the simulator keeps no such log.
    host_.clear_calls();
  }

  void frames(int count) {
    for (int i = 0; i < count; ++i) {
      frame();
    }
  }

  void press(Button button) {
    host_.press(button);
    frames(3);
  }

  void place(double lat_deg, double lon_deg) {
    lat_ = lat_deg;
    lon_ = lon_deg;
    host_.set_var(71, kolvex::host::latitude_var(lat_));
    host_.set_var(72, kolvex::host::longitude_var(lon_));
  }

  void back_to_navigation() {
    for (int i = 0; i < 10; ++i) {
      press(Button::left);
    }
    press(Button::right);
    press(Button::right);
  }

  // Every page from the position page to task selection, the arrows tried on each, a tick on
  // every pick list; the target must come out as it went in.
  void look_at_every_page() {
    const std::string target = host_.text(1);
    for (int i = 0; i < 10; ++i) {
      press(Button::left);
    }
    for (int page = 18; page < 26; ++page) {
      press(Button::down);
      press(Button::down);
      frames(2 * kFramesPerSecond);
      press(Button::up);
      press(Button::right);
    }
    back_to_navigation();
    frames(2 * kFramesPerSecond);
    check(host_.text(1) == target, "target changed by browsing: '" + host_.text(1) + "'");
  }

  // Task A selected, declared and started from the navigation page.
  void start_task() {
    back_to_navigation();
    for (int i = 0; i < 6; ++i) {
      press(Button::right);
    }
    press(Button::go);
    for (int i = 0; i < 4; ++i) {
      press(Button::right);
    }
    press(Button::go);
    press(Button::down);
    press(Button::go);
    press(Button::down);
    press(Button::go);
    frames(2 * kFramesPerSecond);
  }

  // The task point page's next point made the target.
  void next_task_point() {
    press(Button::right);
    press(Button::right);
    press(Button::go);
  }

  // Flies straight to the point at kSpeedKmh, looking at the pages every so often.
  void fly_to(const Point& point) {
    constexpr double kStepHours = 1.0 / kFramesPerSecond / 3600.0;
    std::int64_t next_look = frames_ + 90 * kFramesPerSecond;
    while (true) {
      const double north_km = (point.lat_deg - lat_) * 111.15;
      const double east_km =
          (point.lon_deg - lon_) * 111.321 * std::cos(lat_ * 3.14159265359 / 180.0);
      const double distance = std::sqrt(north_km * north_km + east_km * east_km);
      if (distance < kArrivalKm) {
        break;
      }
      const double step = kSpeedKmh * kStepHours / distance;
      place(lat_ + (point.lat_deg - lat_) * step, lon_ + (point.lon_deg - lon_) * step);
      frame();
      if (frames_ >= next_look) {
        look_at_every_page();
        next_look = frames_ + 90 * kFramesPerSecond;
      }
    }
    // Through the arrival radius, for the stopwatch.
    place(point.lat_deg, point.lon_deg);
    frames(3 * kFramesPerSecond);
  }

  void fly_task(int lap) {
    host_.set_var(335, lap % 3);
    host_.set_var(343, 5.0 + lap % 20);
    host_.set_var(344, (lap * 37) % 360);
    host_.set_var(73, 1200.0 + lap % 7 * 100.0);
    start_task();
    check(host_.text(1) == kTask[0].name, "start point: '" + host_.text(1) + "'");
    fly_to(kTask[0]);
    for (std::size_t leg = 1; leg < std::size(kTask); ++leg) {
      next_task_point();
      check(host_.text(1) == kTask[leg].name, "task point " + std::to_string(leg) + ": '" +
                                                  host_.text(1) + "', not " + kTask[leg].name);
      fly_to(kTask[leg]);
    }
    press(Button::right);
    press(Button::right);
    check(host_.text(1) == "Task Ended", "after the last point: '" + host_.text(1) + "'");
    press(Button::go);
  }

  void switch_off_and_on() {
    press(Button::on);
    frames(kFramesPerSecond);
    press(Button::on);
    frames(2 * kFramesPerSecond);
  }

  void reopen_panel() {
    host_.kill();
    host_.open();
    host_.generate(0);
    frames(kFramesPerSecond);
  }

 private:
  PanelHost& host_;
  std::int64_t frames_ = 0;
  double lat_ = 0.0;
  double lon_ = 0.0;
  int failures_ = 0;
  std::function<void()> sampler_;
};

}  // namespace

int main(int argc, char** argv) {
  const double hours = argc > 1 ? std::atof(argv[1]) : 24.0;
  std::filesystem::path folder;
  if (argc > 2) {
    folder = argv[2];
  } else {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    folder = base / ("kolvex-soak-" + std::to_string(static_cast<long>(getpid())));
  }
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  {
    std::ofstream file("KOL-VEX.dat", std::ios::binary | std::ios::trunc);
    file << kTurnpoints;
  }

  PanelHost host;
  host.attach(&Linkage, &ImportTable, kolvex_set_clock_ms);
  host.open();
  Pilot pilot(host);
  pilot.place(47.02, 8.0);
  pilot.frames(kFramesPerSecond);
  pilot.press(Button::on);
  pilot.frames(2 * kFramesPerSecond);

  const auto started = std::chrono::steady_clock::now();
  std::printf("%8s %10s %10s %5s\n", "hours", "frames", "rss_kb", "fds");
  long baseline_rss = 0;
  int baseline_fds = 0;
  long worst_rss = 0;
  int worst_fds = 0;

  auto sample = [&] {
    const long rss = resident_kb();
    const int fds = open_descriptors();
    std::printf("%8.2f %10lld %10ld %5d\n", pilot.hours(), static_cast<long long>(pilot.frames()),
                rss, fds);
    std::fflush(stdout);
    if (baseline_rss == 0) {
      baseline_rss = rss;
      baseline_fds = fds;
    }
    worst_rss = std::max(worst_rss, rss);
    worst_fds = std::max(worst_fds, fds);
  };
  pilot.on_sample(sample);

  for (int lap = 0; pilot.hours() < hours; ++lap) {
    pilot.fly_task(lap);
    if (lap % 4 == 3) {
      pilot.switch_off_and_on();
    }
    if (lap % 9 == 8) {
      pilot.reopen_panel();
    }
    host.generate(0);
  }
  if (baseline_rss == 0) {
    sample();
  }

  // Parked on Base with Base the target, the stopwatch stopped: the files are exactly known.
  pilot.back_to_navigation();
  pilot.place(47.0, 8.0);
  host.generate(0);
  pilot.frames(5 * kFramesPerSecond);
  sample();  // before this program's own reading of the files takes memory
  const std::string max = read_file("KOLVEX.MAX");
  const std::string target = read_file("KOLVEX.TGT");
  pilot.check(max == "1\n0400.0\n0000.000\n0000.000\n0000.000\n0000.000\nstopwatch uit",
              "KOLVEX.MAX at the end:\n" + max);
  pilot.check(target == "1\n02820.00000000\n00480.00000000\nBase        \n",
              "KOLVEX.TGT at the end:\n" + target);
  host.kill();

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const long growth = worst_rss - baseline_rss;
  std::printf(
      "soak: %.2f simulated hours, %lld frames in %.1f s (%.1f us a frame); resident memory "
      "%ld kB after the first ten minutes, at most %ld kB (growth %ld kB); descriptors %d, at most "
      "%d\n",
      pilot.hours(), static_cast<long long>(pilot.frames()), seconds,
      seconds * 1e6 / static_cast<double>(pilot.frames()), baseline_rss, worst_rss, growth,
      baseline_fds, worst_fds);
  pilot.check(growth <= kRssToleranceKb,
              "resident memory grew by " + std::to_string(growth) + " kB");
  pilot.check(worst_fds == baseline_fds, "open descriptors rose from " +
                                             std::to_string(baseline_fds) + " to " +
                                             std::to_string(worst_fds));

  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  if (argc <= 2) {
    std::filesystem::remove_all(folder, ignored);
  }
  if (pilot.failures() != 0) {
    std::printf("soak: FAILED, %d checks\n", pilot.failures());
    return 1;
  }
  std::printf("soak: passed\n");
  return 0;
}
