// Benchmarks of the instrument's three costly operations, each beside a floor: the least work
// that any implementation of the same job must do, measured in the same run. The table ends with
// each operation's ratio to its floor and the ratio aimed at.
//
//   one frame (update and draw, both files rewritten)   vs  rewriting the same two files   1.2
//   build_distance_list, 356 records, 256 listed         vs  356 solutions + sort of 256    2
//   load_turnpoints of a 356-line file                   vs  reading the file line by line  2
//
// The files are written in a fresh folder in /dev/shm when there is one (a disk adds the same
// milliseconds to both sides of the first ratio), or in KOLVEX_BENCH_DIR when it is set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/pick_lists.h"
#include "database/turnpoint_store.h"
#include "gauge/fixed_text.h"
#include "gauge/navigator_state.h"
#include "host/panel.h"
#include "tools/panel_host/panel_host.h"

namespace {

using kolvex::host::Button;
using kolvex::host::PanelHost;

constexpr int kRecords = 356;

// 356 turnpoints spread over about 200 km around 47° N 8° E, in both coordinate forms, the
// first one home.
std::string turnpoint_file() {
  std::string content;
  for (int i = 0; i < kRecords; ++i) {
    const int lat_min = 2760 + (i * 37) % 120;  // 46°00' to 47°59'
    const int lon_min = 420 + (i * 53) % 120;   // 7°00' to 8°59'
    const int fraction = (i * 7919) % 1000;
    char line[160];
    if (i % 2 == 0) {
      std::snprintf(line, sizeof line,
                    "%d,%02d:%02d.%03dN,%03d:%02d.%03dE,%dM,%s,Point %d,note %d\n", 1000 + i,
                    lat_min / 60, lat_min % 60, fraction, lon_min / 60, lon_min % 60, fraction,
                    300 + i, i == 0 ? "HT" : "T", i, i);
    } else {
      std::snprintf(line, sizeof line, "%d,%02d:%02d:%02dN,%03d:%02d:%02dE,%dF,TS,Point %d,\n",
                    1000 + i, lat_min / 60, lat_min % 60, fraction % 60, lon_min / 60, lon_min % 60,
                    fraction % 60, 1000 + i, i);
    }
    content += line;
  }
  return content;
}

void write_file(const char* name, const std::string& content) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file << content;
}

std::string read_file(const char* name) {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// The instrument switched on over the 356-point file, flying, on the navigation page.
class Instrument {
 public:
  Instrument() {
    write_file(kolvex::kTurnpointFileName, turnpoint_file());
    host_.attach(&Linkage, &ImportTable, kolvex_set_clock_ms);
    host_.open();
    host_.set_var(71, kolvex::host::latitude_var(47.02));
    host_.set_var(72, kolvex::host::longitude_var(8.01));
    host_.set_var(73, 1200.0);
    host_.set_var(335, 2.0);
    host_.press(Button::on);
    frame();
  }
  void frame() {
    clock_ms_ += 55;
    host_.set_clock(clock_ms_);
    host_.frame();
    host_.clear_calls();
  }

 private:
  PanelHost host_;
  std::int32_t clock_ms_ = 0;
};

void BM_Frame(benchmark::State& state) {
  Instrument instrument;
  for (auto _ : state) {
    instrument.frame();
  }
}

// The same two files rewritten with the bytes a frame writes, one string write each.
void BM_FrameFloor(benchmark::State& state) {
  Instrument instrument;
  const std::string max = read_file("KOLVEX.MAX");
  const std::string target = read_file("KOLVEX.TGT");
  for (auto _ : state) {
    for (const auto& [name, content] : {std::pair{"KOLVEX.MAX", &max}, {"KOLVEX.TGT", &target}}) {
      std::FILE* file = std::fopen(name, "w");
      std::fputs(content->c_str(), file);
      std::fclose(file);
    }
  }
}

void BM_BuildDistanceList(benchmark::State& state) {
  Instrument instrument;
  kolvex::navigator.page = kolvex::kTurnpointDistancePage;
  for (auto _ : state) {
    kolvex::build_distance_list();
  }
  if (kolvex::navigator.distance_last != kolvex::kListCapacity - 1) {
    state.SkipWithError("the list is not full");
  }
}

struct Position {
  double lat_min;
  double lon_min;
};

// 356 flat-earth solutions from positions already in minutes, and one sort of 256 keys of twelve
// characters.
void BM_BuildDistanceListFloor(benchmark::State& state) {
  std::vector<Position> positions;
  for (int i = 0; i < kRecords; ++i) {
    positions.push_back({2760.0 + (i * 37) % 120 + 0.5, 420.0 + (i * 53) % 120 + 0.25});
  }
  const Position aircraft{47.02 * 60.0, 8.01 * 60.0};
  std::vector<std::array<char, 12>> keys(kolvex::kListCapacity);
  for (auto _ : state) {
    for (int i = 0; i < kRecords; ++i) {
      const Position& p = positions[static_cast<std::size_t>(i)];
      const double mid_lat = (aircraft.lat_min + (p.lat_min - aircraft.lat_min) / 2.0) / 60.0;
      const double east = std::cos(mid_lat * 3.14159265359 / 180.0) *
                          (p.lon_min - aircraft.lon_min) / 60.0 * 111.321;
      const double north = (p.lat_min - aircraft.lat_min) / 60.0 * 111.15;
      const double distance = std::sqrt(east * east + north * north);
      const double bearing = std::atan2(east, north);
      benchmark::DoNotOptimize(bearing);
      if (i < kolvex::kListCapacity) {
        // The key's twelve characters: the distance's digits, cheaply.
        auto& key = keys[static_cast<std::size_t>(i)];
        auto value = static_cast<unsigned long long>(distance * 1e8);
        for (int c = 11; c >= 0; --c) {
          key[static_cast<std::size_t>(c)] = static_cast<char>('0' + value % 10);
          value /= 10;
        }
      }
    }
    std::sort(keys.begin(), keys.end());
    benchmark::DoNotOptimize(keys.data());
  }
}

void BM_LoadTurnpoints(benchmark::State& state) {
  Instrument instrument;
  for (auto _ : state) {
    kolvex::load_turnpoints();
  }
  if (kolvex::navigator.record_count != kRecords) {
    state.SkipWithError("the file did not load whole");
  }
}

// Reading the same file line by line into a 512-byte buffer.
void BM_LoadTurnpointsFloor(benchmark::State& state) {
  Instrument instrument;
  char line[512];
  for (auto _ : state) {
    std::FILE* file = std::fopen(kolvex::kTurnpointFileName, "r");
    int lines = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
      ++lines;
    }
    std::fclose(file);
    benchmark::DoNotOptimize(lines);
  }
}

// Not a target of its own: the number formatting that all three operations spend much of their
// time in, beside the C library's.
void BM_FormatCoordinate(benchmark::State& state) {
  kolvex::FixedText<32> text;
  double value = 2821.123456789;
  for (auto _ : state) {
    text.assign_format("%014.8f", value);
    benchmark::DoNotOptimize(text.c_str());
    value += 0.001;
  }
}

void BM_FormatCoordinateFloor(benchmark::State& state) {
  char text[32];
  double value = 2821.123456789;
  for (auto _ : state) {
    std::snprintf(text, sizeof text, "%014.8f", value);
    benchmark::DoNotOptimize(text);
    value += 0.001;
  }
}

BENCHMARK(BM_Frame);
BENCHMARK(BM_FrameFloor);
BENCHMARK(BM_BuildDistanceList);
BENCHMARK(BM_BuildDistanceListFloor);
BENCHMARK(BM_LoadTurnpoints);
BENCHMARK(BM_LoadTurnpointsFloor);
BENCHMARK(BM_FormatCoordinate);
BENCHMARK(BM_FormatCoordinateFloor);

// Keeps each benchmark's time per iteration while printing as usual.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    // A single run's time, or with repetitions their median (reported after them).
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if ((run.run_type == Run::RT_Iteration || median) && !run.error_occurred) {
        nanoseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Each operation against its floor; false when a ratio misses its target.
  bool print_ratios() const {
    struct Pair {
      const char* operation;
      const char* floor;
      double target;
    } pairs[] = {
        {"BM_Frame", "BM_FrameFloor", 1.2},
        {"BM_BuildDistanceList", "BM_BuildDistanceListFloor", 2.0},
        {"BM_LoadTurnpoints", "BM_LoadTurnpointsFloor", 2.0},
        {"BM_FormatCoordinate", "BM_FormatCoordinateFloor", 0.0},
    };
    bool met = true;
    std::printf("\n%-22s %12s %12s %8s %8s\n", "operation", "time", "floor", "ratio", "target");
    for (const Pair& pair : pairs) {
      const auto operation = nanoseconds_.find(pair.operation);
      const auto floor = nanoseconds_.find(pair.floor);
      if (operation == nanoseconds_.end() || floor == nanoseconds_.end()) {
        continue;
      }
      const double ratio = operation->second / floor->second;
      if (pair.target == 0.0) {  // shown for what it explains
        std::printf("%-22s %10.3f us %10.3f us %8.2f %8s\n", pair.operation + 3,
                    operation->second / 1000.0, floor->second / 1000.0, ratio, "-");
        continue;
      }
      std::printf("%-22s %10.2f us %10.2f us %8.2f %8.1f%s\n", pair.operation + 3,
                  operation->second / 1000.0, floor->second / 1000.0, ratio, pair.target,
                  ratio <= pair.target ? "" : "  missed");
      met = met && ratio <= pair.target;
    }
    return met;
  }

 private:
  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path base = std::filesystem::temp_directory_path();
  if (const char* chosen = std::getenv("KOLVEX_BENCH_DIR")) {
    base = chosen;
  } else if (std::filesystem::is_directory("/dev/shm")) {
    base = "/dev/shm";
  }
  const auto folder = base / ("kolvex-bench-" + std::to_string(static_cast<long>(getpid())));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  std::printf("working folder: %s\n", folder.c_str());

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_Defaults
                                                    : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.print_ratios();
  benchmark::Shutdown();

  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
