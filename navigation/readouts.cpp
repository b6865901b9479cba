#include "navigation/readouts.h"

#include <cmath>

#include "gauge/navigator_state.h"
#include "gauge/whole_number.h"
#include "host/services.h"

namespace kolvex {
namespace {

constexpr double kLatitudeUnitsPerMinute = 1852.175925953;
constexpr double kLongitudeUnitsPerMinute = 13031248921.78;
constexpr double kMinutesInFullTurn = 21600.0;
constexpr double kMinutesInHalfTurn = 10800.0;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kKmPerNauticalMile = 1.852;
constexpr double kAltitudeLimit = 99999.0;

// Composes «ddd:mm.mm H» from whole degrees and minutes, carrying minutes that would show as
// 60.00 into the degrees.
template <std::size_t N>
void compose_position(FixedText<N>& text, double degrees, double minutes, char hemisphere) {
  if (minutes > 59.99) {
    minutes = 0.0;
    degrees += 1.0;
  }
  // Degrees outside the int range (only absurd host values give them) print as the number
  // they are; "%3.0f" of an integral value is what "%3d" gives.
  if (fits_int(degrees)) {
    readouts.degrees_text.assign_format("%3d", static_cast<int>(degrees));
  } else {
    readouts.degrees_text.assign_format("%3.0f", degrees);
  }
  readouts.minutes_text.assign_format("%05.2f", minutes);
  text.assign(readouts.degrees_text);
  text.append(':');
  text.append(readouts.minutes_text);
  text.append(' ');
  text.append(hemisphere);
}

}  // namespace

void update_position_readouts() {
  const double latitude = lookup_host_var(HostVar::latitude);
  const char north_south = latitude >= 0.0 ? 'N' : 'S';
  navigator.aircraft_lat_min = latitude / kLatitudeUnitsPerMinute;
  const double lat_abs = std::fabs(navigator.aircraft_lat_min);
  const double lat_degrees = std::trunc(lat_abs / 60.0);
  compose_position(readouts.latitude_text, lat_degrees, lat_abs - 60.0 * lat_degrees, north_south);

  const double longitude = lookup_host_var(HostVar::longitude) / kLongitudeUnitsPerMinute;
  navigator.aircraft_lon_min =
      longitude < kMinutesInHalfTurn ? longitude : -(kMinutesInFullTurn - longitude);
  double lon_degrees = std::trunc(longitude / 60.0);
  double lon_minutes = longitude - 60.0 * lon_degrees;
  char east_west = 'E';
  if (!(lon_degrees < 180.0)) {
    east_west = 'W';
    lon_degrees = 359.0 - lon_degrees;
    lon_minutes = 60.0 - lon_minutes;
  }
  compose_position(readouts.longitude_text, lon_degrees, lon_minutes, east_west);

  double altitude = lookup_host_var(HostVar::altitude);
  navigator.units = truncate_to_int(lookup_host_var(HostVar::units));
  const bool feet = navigator.units == 0 || navigator.units == 1;
  if (feet) {
    altitude /= kMetresPerFoot;
  }
  if (altitude > kAltitudeLimit) {
    altitude = kAltitudeLimit;
  }
  readouts.altitude_text.assign("    ");
  readouts.altitude_text.append_format("%5.0f", altitude);
  if (feet) {
    readouts.altitude_text.append(" ft");
  } else if (navigator.units == 2) {
    readouts.altitude_text.append(" m");
  }
}

void update_wind_readouts() {
  double speed = lookup_host_var(HostVar::wind_speed);
  if (navigator.units != 0) {
    speed *= kKmPerNauticalMile;
  }
  readouts.wind_speed_text.assign_format("%4.0f", speed);
  readouts.wind_direction_text.assign_format("%4.0f", lookup_host_var(HostVar::wind_direction));
}

}  // namespace kolvex
