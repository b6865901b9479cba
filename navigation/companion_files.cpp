#include "navigation/companion_files.h"

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "gauge/fixed_text.h"
#include "gauge/format.h"
#include "gauge/navigator_state.h"
#include "gauge/read_number.h"
#include "navigation/target_solution.h"

namespace kolvex {
namespace {

// Every line the instrument's own values produce fits the 30-character line buffer. Absurd
// numbers (an exponent in an elevation or coordinate text) can make a line of up to a sign, 309
// integer digits, a point, eight decimals and the line end; such a line goes whole through the
// wide buffer instead of being cut.
FixedText<31> line_buffer{"123456789012345678901234567890"};
FixedText<328> wide_line_buffer;

// One line written by one string write; a stream that failed to open is skipped.
template <std::size_t N>
void write_line(std::FILE* file, const FixedText<N>& line) {
  if (file != nullptr) {
    std::fputs(line.c_str(), file);
  }
}

void write_text_line(std::FILE* file, std::string_view text) {
  line_buffer.assign(text);
  line_buffer.append('\n');
  write_line(file, line_buffer);
}

template <std::size_t N>
void compose_number_line(FixedText<N>& buffer, const char* pattern, double value) {
  buffer.assign_format(pattern, value);
  buffer.append('\n');
}

void write_number_line(std::FILE* file, const char* pattern, double value) {
  const std::size_t length = format_value(nullptr, 0, pattern, value) + 1;  // with the line end
  if (length < line_buffer.capacity()) {
    compose_number_line(line_buffer, pattern, value);
    write_line(file, line_buffer);
  } else {
    compose_number_line(wide_line_buffer, pattern, value);
    write_line(file, wide_line_buffer);
  }
}

void write_power_line(std::FILE* file) {
  write_text_line(file, navigator.power_on != 0 ? "1" : "0");
}

// Rewrites the file, or adds to it when it cannot be emptied; nullptr when neither works, and
// then this frame leaves that file alone.
std::FILE* open_companion_file(const char* name) {
  std::FILE* file = std::fopen(name, "w");
  if (file == nullptr) {
    file = std::fopen(name, "a");
  }
  return file;
}

void close_companion_file(std::FILE* file) {
  if (file != nullptr) {
    std::fclose(file);
  }
}

}  // namespace

void write_companion_files() {
  const TurnpointRecord* record = target_record();

  std::FILE* max_file = open_companion_file("KOLVEX.MAX");
  write_power_line(max_file);
  write_number_line(max_file, "%06.1f", record != nullptr ? read_number(record->elevation) : 0.0);
  solve_target_record();
  write_number_line(max_file, "%08.3f", navigator.target_record_distance_km);
  write_number_line(max_file, "%08.3f", navigator.target_record_bearing);
  write_number_line(max_file, "%08.3f", navigator.track);
  write_number_line(max_file, "%08.3f", navigator.ground_speed);
  line_buffer.assign(navigator.stopwatch_running != 0 ? "stopwatch aan" : "stopwatch uit");
  write_line(max_file, line_buffer);
  close_companion_file(max_file);

  std::FILE* target_file = open_companion_file("KOLVEX.TGT");
  write_power_line(target_file);
  write_number_line(target_file, "%014.8f", navigator.target_record_lat_min);
  write_number_line(target_file, "%014.8f", navigator.target_record_lon_min);
  write_text_line(target_file, record != nullptr ? record->name.view() : std::string_view());
  close_companion_file(target_file);
}

}  // namespace kolvex
