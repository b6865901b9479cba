#include "tools/kolvex-sim/flight.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/kolvex-sim/simulator.h"
#include "tools/kolvex-sim/terminal_face.h"

namespace kolvex::sim {
namespace {

// The gauge's own constants: pi as it writes it, and its kilometres per degree.
constexpr double kPi = 3.14159265359;
constexpr double kKmPerDegreeEast = 111.321;
constexpr double kKmPerDegreeNorth = 111.15;
// Host variable units: minutes of arc.
constexpr double kLatitudeUnitsPerMinute = 1852.175925953;
constexpr double kLongitudeUnitsPerMinute = 13031248921.78;

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string duration_text(std::int64_t ms) {
  const std::int64_t seconds = (ms + 500) / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%lld h %02lld min %02lld s",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld min %02lld s", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}

std::string position_text(double lat, double lon) {
  auto part = [](double degrees, int width, char positive, char negative) {
    const double minutes_total = std::fabs(degrees) * 60.0;
    int whole = static_cast<int>(minutes_total / 60.0);
    double minutes = minutes_total - whole * 60.0;
    if (minutes >= 59.995) {
      minutes = 0;
      ++whole;
    }
    char text[24];
    std::snprintf(text, sizeof text, "%0*d:%05.2f%c", width, whole, minutes,
                  degrees < 0 ? negative : positive);
    return std::string(text);
  };
  return part(lat, 2, 'N', 'S') + " " + part(lon, 3, 'E', 'W');
}

std::string format_number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

bool stopwatch_running_in_file() {
  // The companion file's last line: "stopwatch aan" while the stopwatch runs.
  std::ifstream file("KOLVEX.MAX", std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  const std::string text = content.str();
  return text.size() >= 3 && text.compare(text.size() - 3, 3, "aan") == 0;
}

}  // namespace

double flat_earth_km(double lat_a, double lon_a, double lat_b, double lon_b) {
  const double middle = (lat_a + (lat_b - lat_a) / 2) * ((2 * kPi) / 360);
  const double east = (std::cos(middle) * (lon_b - lon_a)) * kKmPerDegreeEast;
  const double north = (lat_b - lat_a) * kKmPerDegreeNorth;
  return std::sqrt(east * east + north * north);
}

double flat_earth_direction(double lat_a, double lon_a, double lat_b, double lon_b) {
  const double middle = (lat_a + (lat_b - lat_a) / 2) * ((2 * kPi) / 360);
  const double east = (std::cos(middle) * (lon_b - lon_a)) * kKmPerDegreeEast;
  const double north = (lat_b - lat_a) * kKmPerDegreeNorth;
  double direction = std::atan2(east, north) * 360 / (2 * kPi);
  return direction < 0 ? direction + 360 : direction;
}

Cockpit::Cockpit(host::PanelHost& host, Simulator& simulator, int frame_ms, CockpitOptions options,
                 Printer print)
    : host_(host),
      simulator_(simulator),
      frame_ms_(frame_ms),
      options_(std::move(options)),
      print_(std::move(print)) {
  pacing_speedup_ = options_.speedup;
}

double Cockpit::latitude() const {
  return host_.var(71) / kLatitudeUnitsPerMinute / 60.0;
}

double Cockpit::longitude() const {
  double minutes = host_.var(72) / kLongitudeUnitsPerMinute;
  if (minutes >= 10800) {
    minutes -= 21600;
  }
  return minutes / 60.0;
}

void Cockpit::place(double lat_deg, double lon_deg) {
  host_.set_var(71, host::latitude_var(lat_deg));
  host_.set_var(72, host::longitude_var(lon_deg));
}

std::string Cockpit::clock_text() const {
  std::string text = format_time_of_day(static_cast<double>(clock_ms_) / 1000.0);
  if (replay_) {
    text += "  log " + format_time_of_day(static_cast<double>(replay_->log_ms) / 1000.0);
  }
  return text;
}

void Cockpit::restart_pacing(double speedup) {
  pacing_speedup_ = speedup;
  pacing_real_start_ = std::chrono::steady_clock::now();
  pacing_sim_start_ = clock_ms_;
}

void Cockpit::pace() {
  if (pacing_speedup_ <= 0) {
    return;
  }
  const double real_ms = static_cast<double>(clock_ms_ - pacing_sim_start_) / pacing_speedup_;
  std::this_thread::sleep_until(pacing_real_start_ +
                                std::chrono::microseconds(std::llround(real_ms * 1000.0)));
}

void Cockpit::watch() {
  // The stopwatch starts or stops at an arrival, which the face shows one frame before the
  // companion file does; the file is read on the frame after each change of the face, and
  // every tenth frame besides (opening files is what costs time here).
  if (stopwatch_due_ || ++frames_since_stopwatch_ >= 10) {
    const bool running = stopwatch_running_in_file();
    if (running != stopwatch_running_) {
      stopwatch_running_ = running;
      events_.push_back({clock_ms_, running ? "stopwatch started" : "stopwatch stopped"});
    }
    stopwatch_due_ = false;
    frames_since_stopwatch_ = 0;
  }
  const std::string state = face_state(host_);
  if (state == shown_state_) {
    return;
  }
  shown_state_ = state;
  stopwatch_due_ = true;
  const std::string first = trimmed(host_.text(kFirstLine));
  const std::string second = trimmed(host_.text(kSecondLine));
  if (first != first_line_ && (first == "Close To" || first == "Arrival!")) {
    events_.push_back({clock_ms_, first + " " + second});
  }
  if (second != second_line_ && second == "Task Ended") {
    events_.push_back({clock_ms_, second});
  }
  first_line_ = first;
  second_line_ = second;
  if (options_.watch) {
    print_(clock_text() + "\n" + terminal_face(host_));
  }
}

bool Cockpit::step(std::int64_t ms, std::string& error) {
  std::string out;
  if (!simulator_.run_line("wait " + std::to_string(ms), out, error)) {
    return false;
  }
  clock_ms_ += ms;
  if (!out.empty()) {
    print_(out);
  }
  watch();
  if (options_.render_every_s > 0 && clock_ms_ >= next_render_ms_) {
    char name[32];
    std::snprintf(name, sizeof name, "face-%05d.png", frame_pictures_ + 1);
    if (!render(options_.render_folder / name, error)) {
      return false;
    }
    ++frame_pictures_;
    next_render_ms_ = clock_ms_ + std::llround(options_.render_every_s * 1000.0);
  }
  pace();
  return true;
}

bool Cockpit::fly(double lat_deg, double lon_deg, double kmh, std::string& error) {
  const double from_lat = latitude();
  const double from_lon = longitude();
  const double km = flat_earth_km(from_lat, from_lon, lat_deg, lon_deg);
  const std::int64_t total_ms = std::llround(km / kmh * 3600.0 * 1000.0);
  restart_pacing(options_.speedup);
  for (std::int64_t done = 0; done < total_ms;) {
    const std::int64_t ms = std::min<std::int64_t>(frame_ms_, total_ms - done);
    done += ms;
    const double f = static_cast<double>(done) / static_cast<double>(total_ms);
    place(from_lat + (lat_deg - from_lat) * f, from_lon + (lon_deg - from_lon) * f);
    if (!step(ms, error)) {
      return false;
    }
  }
  place(lat_deg, lon_deg);
  // The end as the host variables hold it, to compare with the start of the next piece.
  const double end_lat = latitude();
  const double end_lon = longitude();
  // Pieces flown one after the other towards the same target make one leg.
  const std::string name = trimmed(host_.text(kSecondLine));
  if (!legs_.empty() && legs_.back().name == name && legs_.back().to_lat == from_lat &&
      legs_.back().to_lon == from_lon) {
    Leg& leg = legs_.back();
    leg.to_lat = end_lat;
    leg.to_lon = end_lon;
    leg.km += km;
    leg.ms += total_ms;
  } else {
    legs_.push_back({from_lat, from_lon, end_lat, end_lon, km, total_ms, name});
  }
  return true;
}

bool Cockpit::replay(const std::vector<std::string_view>& arguments, std::string& error) {
  const std::string file(arguments[0]);
  double speedup = options_.speedup;
  std::optional<double> from;
  std::optional<double> until;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view word = arguments[i];
    if (word == "from" || word == "until") {
      double seconds = 0;
      if (i + 1 >= arguments.size() || !parse_time_of_day(arguments[i + 1], seconds)) {
        error = "'" + std::string(word) + "' needs a log time hh:mm:ss";
        return false;
      }
      (word == "from" ? from : until) = seconds;
      ++i;
    } else if (!parse_number(word, speedup) || speedup < 0) {
      error = "'" + std::string(word) + "' is not a speed-up (a number, 0 for no waiting)";
      return false;
    }
  }
  if (!replay_ || replay_->file != file) {
    std::ifstream log(file, std::ios::binary);
    if (!log) {
      error = "cannot read flight log " + file;
      return false;
    }
    Replay fresh;
    fresh.file = file;
    if (!read_igc(log, fresh.fixes, error)) {
      error = file + ": " + error;
      return false;
    }
    replay_ = std::move(fresh);
    from = from.value_or(replay_->fixes.front().seconds);
  }
  Replay& flight = *replay_;
  const double day = std::floor(flight.fixes.front().seconds / 86400.0) * 86400.0;
  // Times before the log's first fix belong to the day after it (a log passing midnight).
  auto in_log = [&](double seconds) {
    seconds += day;
    return seconds < flight.fixes.front().seconds ? seconds + 86400.0 : seconds;
  };
  auto to_ms = [](double seconds) { return std::llround(seconds * 1000.0); };
  auto move_to = [&](std::int64_t log_ms) {
    flight.log_ms = log_ms;
    const IgcFix fix = fix_at(flight.fixes, static_cast<double>(log_ms) / 1000.0);
    place(fix.lat_deg, fix.lon_deg);
    host_.set_var(73, fix.gps_altitude_m);
  };
  if (from) {
    move_to(to_ms(in_log(*from)));
  }
  const std::int64_t end = to_ms(until ? std::min(in_log(*until), flight.fixes.back().seconds)
                                       : flight.fixes.back().seconds);
  restart_pacing(speedup);
  while (flight.log_ms < end) {
    const std::int64_t ms = std::min<std::int64_t>(frame_ms_, end - flight.log_ms);
    move_to(flight.log_ms + ms);
    if (!step(ms, error)) {
      return false;
    }
  }
  return true;
}

bool Cockpit::render(const std::filesystem::path& png, std::string& error) {
  if (!rendering_available()) {
    error = "this build cannot write pictures";
    return false;
  }
  if (renderer_ == nullptr) {
    renderer_ = std::make_unique<FaceRenderer>(options_.bitmap_folder, options_.font_file.empty()
                                                                           ? default_font_path()
                                                                           : options_.font_file);
  }
  std::error_code ignored;
  if (png.has_parent_path()) {
    std::filesystem::create_directories(png.parent_path(), ignored);
  }
  if (!renderer_->render(host_, png, error)) {
    return false;
  }
  ++pictures_;
  return true;
}

std::string Cockpit::summary() const {
  std::string text = "Summary\n";
  double total_km = 0;
  std::int64_t total_ms = 0;
  char line[200];
  text += "  Legs flown: " + std::to_string(legs_.size()) + "\n";
  for (std::size_t i = 0; i < legs_.size(); ++i) {
    const Leg& leg = legs_[i];
    const double hours = static_cast<double>(leg.ms) / 3600000.0;
    std::snprintf(line, sizeof line,
                  "  %2zu  to %-12s %s  flown %5.1f km (straight %5.1f km)  %s  %3.0f km/h\n",
                  i + 1, leg.name.c_str(), position_text(leg.to_lat, leg.to_lon).c_str(), leg.km,
                  flat_earth_km(leg.from_lat, leg.from_lon, leg.to_lat, leg.to_lon),
                  duration_text(leg.ms).c_str(), hours > 0 ? leg.km / hours : 0.0);
    text += line;
    total_km += leg.km;
    total_ms += leg.ms;
  }
  if (!legs_.empty()) {
    std::snprintf(line, sizeof line, "      in all %.1f km in %s\n", total_km,
                  duration_text(total_ms).c_str());
    text += line;
  }
  text += "  What the instrument showed:\n";
  std::int64_t started = -1;
  std::string run;
  for (const Event& event : events_) {
    text += "    " + format_time_of_day(static_cast<double>(event.clock_ms) / 1000.0) + "  " +
            event.text + "\n";
    if (event.text == "stopwatch started") {
      started = event.clock_ms;
    } else if (event.text == "stopwatch stopped" && started >= 0) {
      run = "  Stopwatch: ran from " + format_time_of_day(static_cast<double>(started) / 1000.0) +
            " to " + format_time_of_day(static_cast<double>(event.clock_ms) / 1000.0) + ", " +
            duration_text(event.clock_ms - started) + "\n";
      started = -1;
    }
  }
  if (started >= 0) {
    run = "  Stopwatch: running since " +
          format_time_of_day(static_cast<double>(started) / 1000.0) + "\n";
  }
  text += run.empty() ? "  Stopwatch: did not run\n" : run;
  if (pictures_ > 0) {
    text += "  Pictures of the face: " + std::to_string(pictures_) +
            (pictures_ == 1 ? " PNG file" : " PNG files");
    if (frame_pictures_ > 0) {
      std::error_code ignored;
      text += ", " + std::to_string(frame_pictures_) + " of them every " +
              format_number(options_.render_every_s) + " s in " +
              std::filesystem::absolute(options_.render_folder, ignored).string();
    }
    text += "\n";
  }
  return text;
}

bool Cockpit::run_line(std::string_view line, std::string& error) {
  std::string_view content = line;
  if (!content.empty() && content.back() == '\r') {
    content.remove_suffix(1);
  }
  const std::vector<std::string_view> tokens = split(content);
  const std::string_view command = tokens.empty() ? std::string_view() : tokens[0];
  const std::size_t count = tokens.empty() ? 0 : tokens.size() - 1;

  if (command == "fly") {
    double values[3] = {};
    if (count != 3) {
      error = "'fly' takes LAT LON KMH";
      return false;
    }
    for (int i = 0; i < 3; ++i) {
      if (!parse_number(tokens[static_cast<std::size_t>(i) + 1], values[i])) {
        error = "'" + std::string(tokens[static_cast<std::size_t>(i) + 1]) + "' is not a number";
        return false;
      }
    }
    if (values[2] <= 0) {
      error = "'fly' needs a ground speed above 0 km/h";
      return false;
    }
    return fly(values[0], values[1], values[2], error);
  }
  if (command == "replay") {
    if (count < 1) {
      error = "'replay' takes FILE [SPEEDUP] [from hh:mm:ss] [until hh:mm:ss]";
      return false;
    }
    return replay({tokens.begin() + 1, tokens.end()}, error);
  }
  if (command == "render") {
    if (count != 1) {
      error = "'render' takes FILE.png";
      return false;
    }
    return render(std::filesystem::path(std::string(tokens[1])), error);
  }
  if (command == "say") {
    const std::size_t at = content.find("say") + 3;
    const std::size_t text = content.find_first_not_of(" \t", at);
    print_(std::string(text == std::string_view::npos ? "" : content.substr(text)) + "\n");
    return true;
  }
  if (command == "face" || command == "summary") {
    if (count != 0) {
      error = "'" + std::string(command) + "' takes no arguments";
      return false;
    }
    print_(command == "face" ? clock_text() + "\n" + terminal_face(host_) : summary());
    return true;
  }
  if (command == "wait" && count == 1) {
    // Frame by frame here, so that every frame is watched; the simulator reports a bad
    // argument.
    std::string ignored;
    std::int64_t ms = 0;
    const std::string_view token = tokens[1];
    const auto [stop, status] = std::from_chars(token.data(), token.data() + token.size(), ms);
    if (status != std::errc() || stop != token.data() + token.size() || ms < 0 || ms > 0x7fffffff) {
      return simulator_.run_line(content, ignored, error);
    }
    restart_pacing(options_.speedup);
    while (ms > 0) {
      const std::int64_t piece = std::min<std::int64_t>(ms, frame_ms_);
      if (!step(piece, error)) {
        return false;
      }
      ms -= piece;
    }
    return true;
  }
  std::string out;
  const bool good = simulator_.run_line(line, out, error);
  print_(out);
  if (good && command == "advance" && count == 1) {
    std::int64_t ms = 0;
    std::from_chars(tokens[1].data(), tokens[1].data() + tokens[1].size(), ms);
    clock_ms_ += ms;
  }
  return good;
}

}  // namespace kolvex::sim
