// IGC flight logs: the fixes of a log's B records, and the aircraft's place at any moment of
// the log between them.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace kolvex::sim {

struct IgcFix {
  double seconds;  // time of day in UTC; a log that passes midnight keeps counting past 86400
  double lat_deg;  // north positive
  double lon_deg;  // east positive
  double pressure_altitude_m;
  double gps_altitude_m;
};

// Reads every well-formed B record of a log, in file order. Records with a time earlier than
// the one before them count as the next day. Other records are skipped; false, with the reason
// in error, when the log holds no fix at all.
bool read_igc(std::istream& log, std::vector<IgcFix>& fixes, std::string& error);

// One B record; false when the line is not a well-formed B record.
bool parse_b_record(std::string_view line, IgcFix& fix);

// "hh:mm:ss" (or "hhmmss") as seconds of the day.
bool parse_time_of_day(std::string_view text, double& seconds);
std::string format_time_of_day(double seconds);

// The aircraft at a moment of the log: the fixes on either side, interpolated linearly; before
// the first fix it stands at the first, after the last at the last.
IgcFix fix_at(const std::vector<IgcFix>& fixes, double seconds);

}  // namespace kolvex::sim
