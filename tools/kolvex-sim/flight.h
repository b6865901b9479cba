// The aircraft side of kolvex-sim: flying straight legs, replaying IGC flight logs, watching
// the face change, pictures of the face, and a summary of what was flown. Every other scenario
// command goes on to the Simulator.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kolvex-sim/igc.h"
#include "tools/kolvex-sim/render.h"
#include "tools/kolvex-sim/simulator.h"
#include "tools/panel_host/panel_host.h"

namespace kolvex::sim {

// The instrument's flat-earth distance (km) and direction (degrees) between two points in
// decimal degrees: the rule the gauge measures with, so that a leg flown at a ground speed shows
// that ground speed.
double flat_earth_km(double lat_a, double lon_a, double lat_b, double lon_b);
double flat_earth_direction(double lat_a, double lon_a, double lat_b, double lon_b);

struct CockpitOptions {
  bool watch = false;         // print the face whenever it changes
  double speedup = 0;         // simulated seconds per real second; 0: as fast as possible
  double render_every_s = 0;  // a picture every so many simulated seconds; 0: none
  std::filesystem::path render_folder;
  std::filesystem::path bitmap_folder;  // the module's bitmaps, <id>.bmp
  std::filesystem::path font_file;
};

class Cockpit {
 public:
  using Printer = std::function<void(std::string_view)>;

  Cockpit(host::PanelHost& host, Simulator& simulator, int frame_ms, CockpitOptions options,
          Printer print);

  // Runs one scenario line: fly, replay, render, say, face and summary here, wait frame by
  // frame here, everything else through the simulator. False, with the reason in error, for a
  // line that is not a command with the right arguments, or a file that cannot be used.
  bool run_line(std::string_view line, std::string& error);

  // The aircraft, in decimal degrees, as the host variables hold it.
  double latitude() const;
  double longitude() const;
  void place(double lat_deg, double lon_deg);

  // One frame, ms milliseconds after the last: the clock moves on, the gauge updates and
  // draws; then the face is watched, pictured and paced as the options say.
  bool step(std::int64_t ms, std::string& error);
  // Replays a flight log (as the scenario command replay FILE does).
  bool replay_log(std::string_view file, std::string& error) { return replay({file}, error); }
  // Flies straight to a point at a ground speed, frame by frame.
  bool fly(double lat_deg, double lon_deg, double kmh, std::string& error);

  // Simulated milliseconds since the start.
  std::int64_t clock_ms() const { return clock_ms_; }
  std::string summary() const;
  std::string clock_text() const;

 private:
  struct Leg {
    double from_lat, from_lon, to_lat, to_lon;
    double km;
    std::int64_t ms;
    std::string name;
  };
  struct Event {
    std::int64_t clock_ms;
    std::string text;
  };
  struct Replay {
    std::string file;
    std::vector<IgcFix> fixes;
    std::int64_t log_ms = 0;  // the log time the aircraft has reached
  };

  bool replay(const std::vector<std::string_view>& arguments, std::string& error);
  bool render(const std::filesystem::path& png, std::string& error);
  void watch();
  void pace();
  void restart_pacing(double speedup);

  host::PanelHost& host_;
  Simulator& simulator_;
  int frame_ms_;
  CockpitOptions options_;
  Printer print_;
  std::int64_t clock_ms_ = 0;
  std::string shown_state_;
  std::string first_line_;
  std::string second_line_;
  bool stopwatch_running_ = false;
  bool stopwatch_due_ = true;  // read the companion file at the next frame
  int frames_since_stopwatch_ = 0;
  std::vector<Leg> legs_;
  std::vector<Event> events_;
  std::optional<Replay> replay_;
  std::unique_ptr<FaceRenderer> renderer_;
  std::int64_t next_render_ms_ = 0;
  int pictures_ = 0;        // every picture written
  int frame_pictures_ = 0;  // those of --render-every
  double pacing_speedup_ = 0;
  std::chrono::steady_clock::time_point pacing_real_start_;
  std::int64_t pacing_sim_start_ = 0;
};

}  // namespace kolvex::sim
