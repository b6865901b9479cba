#include "navigation/target_solution.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gauge/navigator_state.h"
#include "gauge/read_number.h"
#include "gauge/whole_number.h"

namespace kolvex {
namespace {

// The instrument's pi, to twelve decimals; bearings and distances follow from this value.
constexpr double kPi = 3.14159265359;
constexpr double kKmPerDegreeEast = 111.321;  // at the equator, shrinking with cos(latitude)
constexpr double kKmPerDegreeNorth = 111.15;
constexpr double kKmPerNauticalMile = 1.852;
constexpr double kLargestShownDistance = 999.9;  // keeps the distance text at five characters
constexpr double kMinutesPerSecond = 0.0166667;
constexpr double kSecondsPerHour = 3600.0;

struct Point {
  double lat_min;
  double lon_min;
};

struct Solution {
  double distance_km;
  double direction_deg;  // 0 is north, 90 east
};

// 0 up to (not including) 360. Adding 0.0 turns a negative zero into a plain zero, so that a
// bearing straight north never shows as "-00".
double normalized_direction(double degrees) {
  if (degrees < 0.0) {
    degrees += 360.0;
  }
  if (degrees >= 360.0) {  // only a direction a hair west of north rounds up to 360
    degrees -= 360.0;
  }
  return degrees + 0.0;
}

// The flat-earth rule: east and north offsets in km over the mid-latitude, measured from `from`
// to `to`. The longitude difference is taken as it is, so the 180° meridian is crossed the long
// way round.
Solution solve_flat_earth(Point from, Point to, double mid_lat_deg) {
  const double from_lat = from.lat_min / 60.0;
  const double from_lon = from.lon_min / 60.0;
  const double to_lat = to.lat_min / 60.0;
  const double to_lon = to.lon_min / 60.0;
  const double mid_lat_rad = mid_lat_deg * ((2.0 * kPi) / 360.0);
  const double east_km = (std::cos(mid_lat_rad) * (to_lon - from_lon)) * kKmPerDegreeEast;
  const double north_km = (to_lat - from_lat) * kKmPerDegreeNorth;
  const double distance = std::sqrt(east_km * east_km + north_km * north_km);
  const double direction = (std::atan2(east_km, north_km) * 360.0) / (2.0 * kPi);
  return {distance, normalized_direction(direction)};
}

// Half way from `side`'s latitude to `other`'s, in degrees.
double mid_latitude_deg(Point side, Point other) {
  const double side_lat = side.lat_min / 60.0;
  const double other_lat = other.lat_min / 60.0;
  return side_lat + (other_lat - side_lat) / 2.0;
}

Solution solve_from_aircraft(Point target) {
  const Point aircraft{navigator.aircraft_lat_min, navigator.aircraft_lon_min};
  return solve_flat_earth(aircraft, target, mid_latitude_deg(aircraft, target));
}

// Coordinate texts are read by character positions: degrees, a separator, then either decimal
// minutes (the point two characters after the separator) or whole minutes, a separator and
// whole seconds. The longitude layout is the latitude's shifted by its third degree digit.
struct CoordinateLayout {
  std::size_t degree_digits;
  char positive_hemisphere;

  std::size_t minutes_at() const { return degree_digits + 1; }
  std::size_t point_at() const { return degree_digits + 3; }
  std::size_t seconds_at() const { return degree_digits + 4; }
};

constexpr CoordinateLayout kLatitudeLayout{2, 'N'};
constexpr CoordinateLayout kLongitudeLayout{3, 'E'};

// How a text tells its decimal form: the shown record's texts by a point anywhere, the target
// record's by a point right after the whole minutes.
enum class DecimalTest { point_anywhere, point_after_minutes };

// The characters [first, first + count) of text; those beyond its end are absent.
std::string_view characters(std::string_view text, std::size_t first, std::size_t count) {
  if (first >= text.size()) {
    return {};
  }
  return text.substr(first, count);
}

double read_degrees(std::string_view text, const CoordinateLayout& layout) {
  return read_number(characters(text, 0, layout.degree_digits));
}

double read_decimal_minutes(std::string_view text, const CoordinateLayout& layout) {
  return read_number(characters(text, layout.minutes_at(), 6));
}

double read_whole_minutes(std::string_view text, const CoordinateLayout& layout) {
  return read_number(characters(text, layout.minutes_at(), 2));
}

double read_seconds(std::string_view text, const CoordinateLayout& layout) {
  return read_number(characters(text, layout.seconds_at(), 2));
}

bool reads_positive(std::string_view text, const CoordinateLayout& layout) {
  return text.find(layout.positive_hemisphere) != std::string_view::npos;
}

bool has_decimal_minutes(std::string_view text, const CoordinateLayout& layout, DecimalTest test) {
  if (test == DecimalTest::point_anywhere) {
    return text.find('.') != std::string_view::npos;
  }
  return characters(text, layout.point_at(), 1) == ".";
}

// Minutes of arc, north and east positive.
double read_coordinate(std::string_view text, const CoordinateLayout& layout, DecimalTest test) {
  const double minutes =
      has_decimal_minutes(text, layout, test)
          ? read_decimal_minutes(text, layout)
          : read_whole_minutes(text, layout) + kMinutesPerSecond * read_seconds(text, layout);
  const double position = 60.0 * read_degrees(text, layout) + minutes;
  return reads_positive(text, layout) ? position : -position;
}

}  // namespace

const TurnpointRecord* target_record() {
  const int index = navigator.target_index;
  if (index < 0 || index >= kStoreCapacity) {
    return nullptr;
  }
  return &turnpoint_store.records[index];
}

double solve_selected_target() {
  Point target{};
  target.lon_min =
      read_coordinate(target_fields.longitude, kLongitudeLayout, DecimalTest::point_anywhere);
  target.lat_min =
      read_coordinate(target_fields.latitude, kLatitudeLayout, DecimalTest::point_anywhere);
  const Solution solution = solve_from_aircraft(target);
  navigator.target_distance_km = solution.distance_km;

  double shown = solution.distance_km;
  if (navigator.units == 0) {
    shown /= kKmPerNauticalMile;
  }
  if (shown > kLargestShownDistance) {
    shown = kLargestShownDistance;
  }
  readouts.distance_text.assign_format("%5.1f", shown);
  readouts.bearing_text.assign_format("%03.0f", solution.direction_deg);
  return solution.direction_deg;
}

void solve_target_record() {
  // An index outside the store names no record; the solution then points at latitude 0,
  // longitude 0 rather than reading past the store.
  Point target{0.0, 0.0};
  if (const TurnpointRecord* record = target_record()) {
    target.lon_min =
        read_coordinate(record->longitude, kLongitudeLayout, DecimalTest::point_after_minutes);
    target.lat_min =
        read_coordinate(record->latitude, kLatitudeLayout, DecimalTest::point_after_minutes);
  }
  navigator.target_record_lon_min = target.lon_min;
  navigator.target_record_lat_min = target.lat_min;
  const Solution solution = solve_from_aircraft(target);
  navigator.target_record_distance_km = solution.distance_km;
  navigator.target_record_bearing = solution.direction_deg;
}

double update_track() {
  const Point previous{navigator.prev_lat_min, navigator.prev_lon_min};
  const Point current{navigator.aircraft_lat_min, navigator.aircraft_lon_min};
  const Solution solution =
      solve_flat_earth(previous, current, mid_latitude_deg(current, previous));
  navigator.track = solution.direction_deg;
  navigator.fix_distance = solution.distance_km;
  readouts.track_text.assign_format("%03.0f", navigator.track);
  // A zero interval gives an infinite or undefined (NaN) speed, never a trap; the update
  // cycle only calls this after two or more seconds.
  navigator.ground_speed = (kSecondsPerHour / navigator.elapsed_s) * navigator.fix_distance;
  return navigator.track;
}

void update_steering() {
  // Whole degrees; a value with no integer part in range (NaN, huge) comes out as INT_MIN,
  // and the difference is taken in 64 bits so that it cannot overflow.
  const std::int64_t track = truncate_to_int(navigator.track_deg);
  const std::int64_t bearing = truncate_to_int(navigator.bearing_to_target);
  std::int64_t diff = track - bearing;  // positive: tracking right of the target
  if (diff < -180) {
    diff += 360;
  }
  if (diff > 180) {
    diff -= 360;
  }

  int frame = 9;
  if (diff > 25) {
    frame = 1;
  } else if (diff > 15) {
    frame = 2;
  } else if (diff > 10) {
    frame = 3;
  } else if (diff > 5) {
    frame = 4;
  } else if (diff >= -5) {
    frame = 5;
  } else if (diff >= -10) {
    frame = 6;
  } else if (diff >= -15) {
    frame = 7;
  } else if (diff >= -25) {
    frame = 8;
  }
  navigator.steer_frame = frame;
}

}  // namespace kolvex
