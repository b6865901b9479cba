// kolvex-sim: plays the simulator's panel system for the gauge module. It loads the module by
// its exported records, drives it through the gauge routines, element callbacks and mouse
// handlers as a scenario file says, and prints the face and the companion files.
//
//   kolvex-sim [--module PATH] [--frame-ms N] [--watch] [--speedup N]
//              [--render-every SECONDS FOLDER] [--replay FILE.igc] SCENARIO
//   kolvex-sim [options as above] --replay FILE.igc    (the whole log after the scenario, if any)
//   kolvex-sim [--module PATH] [--frame-ms N] --interactive [--replay FILE.igc] [--speedup N]
#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "host/panel.h"
#include "tools/kolvex-sim/flight.h"
#include "tools/kolvex-sim/interactive.h"
#include "tools/kolvex-sim/platform.h"
#include "tools/kolvex-sim/simulator.h"
#include "tools/panel_host/panel_host.h"

namespace {

constexpr int kBadInput = 2;

int fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "kolvex-sim: %s\n", message.c_str());
  return kBadInput;
}

int usage(const std::string& problem) {
  return fail(problem +
              "\nusage: kolvex-sim [--module PATH] [--frame-ms N] [--watch] [--speedup N]"
              " [--render-every SECONDS FOLDER] [--replay FILE.igc] SCENARIO"
              "\n       kolvex-sim [--module PATH] [--frame-ms N] --interactive"
              " [--replay FILE.igc] [--speedup N]");
}

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kolvex;
  sim::use_binary_stdout();

  std::filesystem::path module_path;
  int frame_ms = sim::Simulator::kDefaultFrameMs;
  std::string scenario_path;
  sim::CockpitOptions cockpit_options;
  bool interactive = false;
  std::string replay_path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--watch" || argument == "--interactive") {
      (argument == "--watch" ? cockpit_options.watch : interactive) = true;
      continue;
    }
    if (argument == "--speedup" || argument == "--render-every" || argument == "--replay") {
      const int needed = argument == "--render-every" ? 2 : 1;
      if (i + needed >= argc) {
        return usage(std::string(argument) +
                     (needed == 2 ? " needs two values" : " needs a value"));
      }
      const std::string_view value = argv[++i];
      if (argument == "--replay") {
        replay_path = std::string(value);
        continue;
      }
      double number = 0;
      const char* end = value.data() + value.size();
      const auto [stop, status] = std::from_chars(value.data(), end, number);
      if (status != std::errc() || stop != end || !(number >= 0) ||
          (argument == "--render-every" && number <= 0)) {
        return usage(std::string(argument) + " needs a number of seconds above 0");
      }
      if (argument == "--speedup") {
        cockpit_options.speedup = number;
      } else {
        cockpit_options.render_every_s = number;
        cockpit_options.render_folder = std::string(argv[++i]);
      }
      continue;
    }
    if (argument == "--module" || argument == "--frame-ms") {
      if (i + 1 >= argc) {
        return usage(std::string(argument) + " needs a value");
      }
      const std::string_view value = argv[++i];
      if (argument == "--module") {
        module_path = std::string(value);
      } else {
        const char* end = value.data() + value.size();
        const auto [stop, status] = std::from_chars(value.data(), end, frame_ms);
        if (status != std::errc() || stop != end || frame_ms <= 0) {
          return usage("--frame-ms needs a whole number of milliseconds above 0");
        }
      }
    } else if (!scenario_path.empty() || (argument.size() > 1 && argument.front() == '-')) {
      return usage("unexpected argument '" + std::string(argument) + "'");
    } else {
      scenario_path = std::string(argument);
    }
  }
  if (scenario_path.empty() && !interactive && replay_path.empty()) {
    return usage("no scenario given");
  }
  std::ifstream scenario;
  if (!scenario_path.empty()) {
    scenario.open(scenario_path, std::ios::binary);
  }
  if (!scenario_path.empty() && !scenario) {
    return fail("cannot read scenario " + scenario_path);
  }

  if (module_path.empty()) {
    module_path = sim::default_module_path();
  }
  std::string error;
  std::unique_ptr<sim::LoadedModule> module = sim::load_module(module_path, error);
  if (!module) {
    return fail("cannot load module " + module_path.string() + ": " + error);
  }
  auto* linkage = static_cast<GAUGESLINKAGE*>(module->symbol("Linkage"));
  auto* imports = static_cast<IMPORT_TABLE*>(module->symbol("ImportTable"));
  if (linkage == nullptr || imports == nullptr) {
    return fail(module_path.string() + " does not export Linkage and ImportTable");
  }
  if (linkage->gauge_headers[0] == nullptr) {
    return fail(module_path.string() + " names no gauge in Linkage");
  }
  const auto set_clock = reinterpret_cast<SetClockFunction>(module->symbol("kolvex_set_clock_ms"));
  if (set_clock == nullptr) {
    std::fprintf(stderr, "kolvex-sim: %s does not export kolvex_set_clock_ms; its clock runs on\n",
                 module_path.string().c_str());
  }

  const std::unique_ptr<host::BitmapSource> bitmaps = module->bitmaps();
  {
    host::PanelHost host;
    host.set_bitmap_source(bitmaps.get());
    host.attach(linkage, imports, set_clock);
    host.install(0);
    host.initialize();

    sim::Simulator simulator(host, frame_ms);
    std::error_code ignored;
    cockpit_options.bitmap_folder =
        std::filesystem::absolute(module_path, ignored).parent_path() / "kolvex-bitmaps";
    sim::Cockpit cockpit(host, simulator, frame_ms, cockpit_options, [](std::string_view text) {
      print(std::string(text));
      if (!text.empty()) {
        std::fflush(stdout);
      }
    });
    std::string line;
    int line_number = 0;
    while (scenario.is_open() && std::getline(scenario, line)) {
      ++line_number;
      if (!cockpit.run_line(line, error)) {
        return fail(scenario_path + ":" + std::to_string(line_number) + ": " + error);
      }
    }
    if (!interactive && !replay_path.empty() && !cockpit.replay_log(replay_path, error)) {
      return fail(error);
    }
    if (interactive) {
      const int status =
          sim::run_interactive(cockpit, host, replay_path, cockpit_options.speedup, frame_ms);
      if (status != 0) {
        return status;
      }
    }
    host.kill();
  }
  std::fflush(stdout);
  return 0;
}
