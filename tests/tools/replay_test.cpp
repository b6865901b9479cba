// A real flight replayed through kolvex-sim's cockpit: the Benalla - Deniliquin log of
// 2009-12-27, flown as the task Benalla - the turn - Benalla.
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/instrument.h"
#include "tools/kolvex-sim/flight.h"
#include "tools/kolvex-sim/simulator.h"

namespace kolvex::testing {
namespace {

constexpr int kFrameMs = 1000;

// Benalla, home and landing place, and the point where the pilot turned (the log's fix at
// 03:48:18). The legs are the instrument's flat-earth distances between them.
constexpr const char* kTurnpoints =
    "001,36:33.075S,146:00.328E,175M,HTA,Benalla,Home\n"
    "002,35:49.474S,144:56.394E,110M,T,Turn,Pilot turned\n"
    "A0,001,0\n"
    "A1,002,125.3\n"
    "A2,001,125.3\n";

struct LogFix {
  int seconds;
  double lat;
  double lon;
};

// The log's B records, read here independently of the cockpit's reader.
std::vector<LogFix> log_fixes(const std::string& path) {
  std::vector<LogFix> fixes;
  std::ifstream log(path);
  std::string line;
  while (std::getline(log, line)) {
    if (line.size() < 35 || line[0] != 'B') {
      continue;
    }
    const int seconds = std::stoi(line.substr(1, 2)) * 3600 + std::stoi(line.substr(3, 2)) * 60 +
                        std::stoi(line.substr(5, 2));
    double lat = std::stoi(line.substr(7, 2)) + std::stoi(line.substr(9, 5)) / 60000.0;
    double lon = std::stoi(line.substr(15, 3)) + std::stoi(line.substr(18, 5)) / 60000.0;
    fixes.push_back({seconds, line[14] == 'S' ? -lat : lat, line[23] == 'W' ? -lon : lon});
  }
  return fixes;
}

std::string log_time(int seconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 100, seconds / 60 % 60,
                seconds % 60);
  return text;
}

class BenallaReplay : public InstrumentTest {
 protected:
  void run(const std::string& line) {
    std::string error;
    ASSERT_TRUE(cockpit.run_line(line, error)) << line << ": " << error;
  }
  void replay_until(int seconds) { run("replay " + log + " until " + log_time(seconds)); }
  std::string first_line() const { return host.text(kFirstLine); }

  // Replays from..to in steps of ten seconds and returns the log times at which the first line
  // first read "Close To" and "Arrival!" (-1 when it never did).
  std::pair<int, int> approach(int from, int to) {
    int close = -1;
    int arrival = -1;
    for (int t = from; t <= to; t += 10) {
      replay_until(t);
      if (close < 0 && first_line() == "Close To") {
        close = t;
      }
      if (arrival < 0 && first_line() == "Arrival!") {
        arrival = t;
      }
    }
    return {close, arrival};
  }

  // At fixes between from and to (every ten minutes or so), the track and ground speed on the
  // face against the straight line between the two fixes the last navigation tick fell between.
  void check_track_and_speed(int from, int to) {
    int checked = 0;
    int next_check = from;
    for (std::size_t i = 1; i < fixes.size(); ++i) {
      const LogFix& a = fixes[i - 1];
      const LogFix& b = fixes[i];
      // The tick measures over the last two seconds: both must lie within this interval,
      // whichever second the tick fell on.
      if (b.seconds < next_check || b.seconds > to || b.seconds - a.seconds < 4) {
        continue;
      }
      replay_until(b.seconds);
      const double km = sim::flat_earth_km(a.lat, a.lon, b.lat, b.lon);
      const double kmh = km / (b.seconds - a.seconds) * 3600.0;
      const double track = sim::flat_earth_direction(a.lat, a.lon, b.lat, b.lon);
      const std::string when = "at " + log_time(b.seconds);
      ASSERT_EQ(host.frame_of(kLabelIcon), 2) << when;  // V: the ground speed
      EXPECT_NEAR(std::stod(host.text(kLeftReadout)), kmh, 1.5) << when;
      double shown_track = std::stod(host.text(kRightReadout));
      if (shown_track - track > 180) {
        shown_track -= 360;
      } else if (track - shown_track > 180) {
        shown_track += 360;
      }
      EXPECT_NEAR(shown_track, track, 1.5) << when;
      ++checked;
      next_check = b.seconds + 600;
    }
    EXPECT_GE(checked, 4);
  }

  const std::string log = shared_data("benalla-deniliquin.igc").string();
  const std::vector<LogFix> fixes = log_fixes(log);
  sim::Simulator simulator{host, kFrameMs};
  sim::Cockpit cockpit{host, simulator, kFrameMs, sim::CockpitOptions{}, [](std::string_view) {}};
};

TEST_F(BenallaReplay, TaskFlownToTheTurnAndBackShowsProximityOnTimeAndTheLoggedMotion) {
  ASSERT_GT(fixes.size(), 1000u) << "cannot read " << log;
  write_file("KOL-VEX.dat", kTurnpoints);
  run("units 2");
  // On the ground at Benalla, a few minutes into the log: switch on, select, declare and start
  // task A, and take the turn as the next point.
  replay_until(2 * 3600 + 10 * 60);
  run("press on");
  run("wait 2000");
  for (int i = 0; i < 6; ++i) {
    run("press right");
  }
  for (const char* button : {"go", "go", "down", "go", "down", "go"}) {
    run(std::string("press ") + button);
  }
  run("wait 2000");
  EXPECT_EQ(host.text(kSecondLine), "Benalla     ");
  run("press right");
  run("press right");
  run("press go");
  run("wait 2000");
  EXPECT_EQ(host.text(kSecondLine), "Turn        ");

  // Out to the turn with the ground speed on the left readout, then back to the proximity line.
  run("press up");
  check_track_and_speed(2 * 3600 + 40 * 60, 3 * 3600 + 35 * 60);
  run("press down");
  const auto [close_turn, arrival_turn] = approach(3 * 3600 + 40 * 60, 3 * 3600 + 50 * 60);
  EXPECT_GE(close_turn, 3 * 3600 + 47 * 60) << log_time(close_turn);
  EXPECT_LE(close_turn, 3 * 3600 + 48 * 60 + 10) << log_time(close_turn);
  EXPECT_GE(arrival_turn, 3 * 3600 + 48 * 60) << log_time(arrival_turn);
  EXPECT_LE(arrival_turn, 3 * 3600 + 48 * 60 + 40) << log_time(arrival_turn);
  EXPECT_LT(close_turn, arrival_turn);

  // GO on the task point page for the next point: Benalla.
  run("press right");
  run("press right");
  run("frame");
  EXPECT_EQ(host.text(kFirstLine), "Task TP:  A2");
  EXPECT_EQ(host.text(kSecondLine), "Benalla     ");
  run("press go");
  run("press up");
  check_track_and_speed(4 * 3600, 5 * 3600 + 25 * 60);
  run("press down");
  const auto [close_home, arrival_home] = approach(5 * 3600 + 30 * 60, 5 * 3600 + 40 * 60);
  EXPECT_GE(close_home, 5 * 3600 + 35 * 60) << log_time(close_home);
  EXPECT_LE(close_home, 5 * 3600 + 36 * 60) << log_time(close_home);
  EXPECT_GE(arrival_home, 5 * 3600 + 36 * 60) << log_time(arrival_home);
  EXPECT_LE(arrival_home, 5 * 3600 + 37 * 60) << log_time(arrival_home);
  EXPECT_LT(close_home, arrival_home);
}

}  // namespace
}  // namespace kolvex::testing
