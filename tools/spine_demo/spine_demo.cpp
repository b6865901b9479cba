// Loads the gauge module, drives it through its exported records with the panel host for a
// few navigation ticks over an aircraft flying north-east, and prints the readouts.
#include <cstdio>

#include "gauge/navigator_state.h"
#include "host/panel.h"
#include "tools/panel_host/panel_host.h"

int main() {
  using kolvex::navigator;
  using kolvex::readouts;
  kolvex::host::PanelHost host;
  host.attach(&Linkage, &ImportTable, kolvex_set_clock_ms);
  host.open();
  host.set_var(73, 850.0);
  host.set_var(335, 1);
  host.set_var(343, 12.0);
  host.set_var(344, 240.0);
  host.press(kolvex::host::Button::on);
  double lat = 50.80;
  double lon = 6.18;
  for (int second = 0; second <= 10; ++second) {
    host.set_var(71, kolvex::host::latitude_var(lat));
    host.set_var(72, kolvex::host::longitude_var(lon));
    host.set_clock(second * 1000);
    host.frame();
    if (navigator.tick_clock_ms == second * 1000 && second > 0) {
      std::printf("t=%2ds  %s  %s  %s  wind %s /%s\n", second, readouts.latitude_text.c_str(),
                  readouts.longitude_text.c_str(), readouts.altitude_text.c_str(),
                  readouts.wind_direction_text.c_str(), readouts.wind_speed_text.c_str());
    }
    lat += 0.0004;
    lon += 0.0006;
  }
  host.kill();
  return 0;
}
