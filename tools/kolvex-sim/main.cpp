// kolvex-sim: plays the simulator's panel system for the gauge module. It loads the module by
// its exported records, drives it through the gauge routines, element callbacks and mouse
// handlers as a scenario file says, and prints the face and the companion files.
//
//   kolvex-sim [--module PATH] [--frame-ms N] SCENARIO
#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "host/panel.h"
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
  return fail(problem + "\nusage: kolvex-sim [--module PATH] [--frame-ms N] SCENARIO");
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
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
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
  if (scenario_path.empty()) {
    return usage("no scenario given");
  }
  std::ifstream scenario(scenario_path, std::ios::binary);
  if (!scenario) {
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
    std::string line;
    int line_number = 0;
    while (std::getline(scenario, line)) {
      ++line_number;
      std::string out;
      const bool good = simulator.run_line(line, out, error);
      print(out);
      if (!good) {
        return fail(scenario_path + ":" + std::to_string(line_number) + ": " + error);
      }
    }
    host.kill();
  }
  std::fflush(stdout);
  return 0;
}
