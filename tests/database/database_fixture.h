// Test support for the turnpoint database: a fixture that writes the turnpoint file into the
// test's working folder and loads it, and the aircraft placed by minutes of arc.
#pragma once

#include <string>
#include <string_view>

#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"

namespace kolvex::testing {

class DatabaseTest : public InstrumentTest {
 protected:
  // Writes "KOL-VEX.dat" with exactly these bytes and switches the loader on.
  void load(std::string_view content) {
    write_file(kTurnpointFileName, content);
    load_turnpoints();
  }

  // Copies a shared sample file in as "KOL-VEX.dat" and loads it.
  void load_sample(std::string_view file) { load(read_file(shared_data(file))); }

  // Host variables for an aircraft at these minutes of arc, north and east positive.
  void place_aircraft(double lat_min, double lon_min) {
    host.set_var(71, lat_min * 1852.175925953);
    host.set_var(72, (lon_min < 0 ? lon_min + 21600.0 : lon_min) * 13031248921.78);
  }

  static const TurnpointRecord& record(int index) { return turnpoint_store.records[index]; }
};

// One file line from its seven fields, with a line feed.
inline std::string tp_line(std::string_view code, std::string_view latitude,
                           std::string_view longitude, std::string_view kind, std::string_view name,
                           std::string_view elevation = "100M", std::string_view note = "") {
  std::string line;
  for (std::string_view field : {code, latitude, longitude, elevation, kind, name}) {
    line.append(field);
    line.push_back(',');
  }
  line.append(note);
  line.push_back('\n');
  return line;
}

}  // namespace kolvex::testing
