#include "tools/kolvex-sim/igc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kolvex::sim {
namespace {

// The decimal value of count digits at line[at], or -1 when one of them is not a digit.
long digits(std::string_view line, std::size_t at, std::size_t count) {
  long value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (i >= line.size() || line[i] < '0' || line[i] > '9') {
      return -1;
    }
    value = value * 10 + (line[i] - '0');
  }
  return value;
}

}  // namespace

bool parse_b_record(std::string_view line, IgcFix& fix) {
  // B HHMMSS DDMMmmm N DDDMMmmm E V PPPPP GGGGG, 35 characters without the line end.
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  if (line.size() < 35 || line[0] != 'B') {
    return false;
  }
  const long hours = digits(line, 1, 2);
  const long minutes = digits(line, 3, 2);
  const long seconds = digits(line, 5, 2);
  const long lat_degrees = digits(line, 7, 2);
  const long lat_thousandths = digits(line, 9, 5);
  const char north_south = line[14];
  const long lon_degrees = digits(line, 15, 3);
  const long lon_thousandths = digits(line, 18, 5);
  const char east_west = line[23];
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
      lat_degrees < 0 || lat_degrees > 90 || lat_thousandths < 0 || lon_degrees < 0 ||
      lon_degrees > 180 || lon_thousandths < 0 || (north_south != 'N' && north_south != 'S') ||
      (east_west != 'E' && east_west != 'W')) {
    return false;
  }
  // Altitudes may carry a sign in their first place.
  auto altitude = [&](std::size_t at) {
    const bool negative = line[at] == '-';
    const long value = digits(line, at + (negative ? 1 : 0), negative ? 4 : 5);
    return value < 0 ? 0.0 : (negative ? -value : value);
  };
  fix.seconds = static_cast<double>(hours * 3600 + minutes * 60 + seconds);
  fix.lat_deg = (lat_degrees + lat_thousandths / 60000.0) * (north_south == 'S' ? -1 : 1);
  fix.lon_deg = (lon_degrees + lon_thousandths / 60000.0) * (east_west == 'W' ? -1 : 1);
  fix.pressure_altitude_m = altitude(25);
  fix.gps_altitude_m = altitude(30);
  return true;
}

bool read_igc(std::istream& log, std::vector<IgcFix>& fixes, std::string& error) {
  fixes.clear();
  std::string line;
  double day = 0;
  while (std::getline(log, line)) {
    IgcFix fix{};
    if (!parse_b_record(line, fix)) {
      continue;
    }
    fix.seconds += day;
    if (!fixes.empty() && fix.seconds < fixes.back().seconds) {
      day += 86400;
      fix.seconds += 86400;
    }
    fixes.push_back(fix);
  }
  if (fixes.empty()) {
    error = "no B record (fix) in the log";
    return false;
  }
  return true;
}

bool parse_time_of_day(std::string_view text, double& seconds) {
  long parts[3] = {};
  if (text.size() == 8 && text[2] == ':' && text[5] == ':') {
    parts[0] = digits(text, 0, 2);
    parts[1] = digits(text, 3, 2);
    parts[2] = digits(text, 6, 2);
  } else if (text.size() == 6) {
    parts[0] = digits(text, 0, 2);
    parts[1] = digits(text, 2, 2);
    parts[2] = digits(text, 4, 2);
  } else {
    return false;
  }
  if (parts[0] < 0 || parts[0] > 47 || parts[1] < 0 || parts[1] > 59 || parts[2] < 0 ||
      parts[2] > 59) {
    return false;
  }
  seconds = static_cast<double>(parts[0] * 3600 + parts[1] * 60 + parts[2]);
  return true;
}

std::string format_time_of_day(double seconds) {
  const long whole = std::lround(std::floor(seconds));
  char text[64];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  return text;
}

IgcFix fix_at(const std::vector<IgcFix>& fixes, double seconds) {
  if (fixes.empty()) {
    return {};
  }
  if (seconds <= fixes.front().seconds) {
    return fixes.front();
  }
  if (seconds >= fixes.back().seconds) {
    return fixes.back();
  }
  const auto after =
      std::upper_bound(fixes.begin(), fixes.end(), seconds,
                       [](double moment, const IgcFix& fix) { return moment < fix.seconds; });
  const IgcFix& b = *after;
  const IgcFix& a = *(after - 1);
  const double span = b.seconds - a.seconds;
  const double f = span > 0 ? (seconds - a.seconds) / span : 0.0;
  auto mix = [f](double from, double to) { return from + (to - from) * f; };
  return {seconds, mix(a.lat_deg, b.lat_deg), mix(a.lon_deg, b.lon_deg),
          mix(a.pressure_altitude_m, b.pressure_altitude_m),
          mix(a.gps_altitude_m, b.gps_altitude_m)};
}

}  // namespace kolvex::sim
