// The aircraft's position, altitude and wind as the host reports them, converted and put into
// the readout texts.
//
// Reads: host variables 71, 72, 73, 335, 343, 344. Writes: navigator.aircraft_lat_min,
// aircraft_lon_min, units; readouts.latitude_text, longitude_text, altitude_text,
// wind_speed_text, wind_direction_text (and the scratch degrees_text, minutes_text).
#pragma once

namespace kolvex {

void update_position_readouts();
void update_wind_readouts();

}  // namespace kolvex
