#include "database/turnpoint_store.h"

#include <cstdio>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "gauge/navigator_state.h"
#include "gauge/read_number.h"

namespace kolvex {

TurnpointStore turnpoint_store;
TargetFields target_fields;

namespace {

constexpr int kDosEndOfFile = 0x1A;
constexpr double kMetresPerFoot = 0.3048;

// The piece of the file being loaded, and the field taken from it.
char line_buffer[kLineBufferSize];
FixedText<kLineBufferSize> field_buffer;

// The turnpoint file read as a text-mode stream reads it on Windows, on every platform: a
// carriage return right before a line feed is dropped, and a DOS end-of-file byte ends the file.
class TextFile {
 public:
  explicit TextFile(const char* name) : file_(std::fopen(name, "rb")) {}
  ~TextFile() {
    if (file_ != nullptr) {
      std::fclose(file_);
    }
  }
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Reads characters up to and including the next line feed, at most capacity - 1 of them,
  // into buffer and NUL-terminates them. Returns the number read; 0 at the end of the file.
  int read_piece(char* buffer, int capacity) {
    int length = 0;
    while (length < capacity - 1) {
      const int c = next();
      if (c == EOF) {
        break;
      }
      buffer[length++] = static_cast<char>(c);
      if (c == '\n') {
        break;
      }
    }
    buffer[length] = '\0';
    return length;
  }

 private:
  static constexpr int kNothingHeld = -2;

  int next() {
    if (ended_ || file_ == nullptr) {
      return EOF;
    }
    int c = held_;
    held_ = kNothingHeld;
    if (c == kNothingHeld) {
      c = std::fgetc(file_);
    }
    if (c == EOF || c == kDosEndOfFile) {
      ended_ = true;
      return EOF;
    }
    if (c == '\r') {
      const int following = std::fgetc(file_);
      if (following == '\n') {
        return '\n';
      }
      held_ = following;
    }
    return c;
  }

  std::FILE* file_;
  int held_ = kNothingHeld;
  bool ended_ = false;
};

// Stores field n of the line in slot, cut and padded to the width that pattern ("%-W.Ws") names.
template <std::size_t Capacity>
void store_field(FixedText<Capacity>& slot, std::string_view line, int n,
                 std::string_view pattern) {
  field_buffer.assign(extract_field(line, n));
  slot.assign_format(pattern, field_buffer.view());
}

// An elevation written in feet ("F") is stored in whole metres: 1000F becomes "305M  ".
void apply_elevation_rule(FixedText<8>& elevation) {
  if (!elevation.contains('F')) {
    return;
  }
  const double metres = read_number(elevation.view()) * kMetresPerFoot;
  FixedText<16> converted;
  converted.assign_format("%0.0f", metres);
  converted.append('M');
  // Only an exponent gives a value too long for the slot; it keeps its first 7 characters.
  elevation.assign_format("%-6s", converted.view());
}

void store_line(TurnpointRecord& record, std::string_view line) {
  store_field(record.code, line, 1, "%-4.4s");
  store_field(record.latitude, line, 2, "%-12.12s");
  store_field(record.longitude, line, 3, "%-12.12s");
  store_field(record.elevation, line, 4, "%-6.6s");
  apply_elevation_rule(record.elevation);
  store_field(record.kind, line, 5, "%-9.9s");
  store_field(record.name, line, 6, "%-12.12s");
  store_field(record.note, line, 7, "%-12.12s");
}

}  // namespace

std::string_view extract_field(std::string_view line, int n) {
  std::size_t start = 0;
  for (int i = 1; i < n && start < line.size(); ++i) {
    const std::size_t comma = line.find(',', start);
    start = comma == std::string_view::npos ? line.size() : comma + 1;
  }
  const std::size_t end = line.find_first_of(",\n", start);
  return line.substr(start, end == std::string_view::npos ? line.size() - start : end - start);
}

void load_turnpoints() {
  int count = 0;
  {
    TextFile file(kTurnpointFileName);
    while (true) {
      const int length = file.read_piece(line_buffer, kLineBufferSize);
      if (length == 0) {
        break;
      }
      // A piece without a line feed is a last line without line end, or the front of a line
      // longer than the buffer: neither is loaded.
      if (line_buffer[length - 1] != '\n') {
        continue;
      }
      // The line is a NUL-terminated text: a NUL byte inside it ends it.
      std::string_view line(line_buffer, static_cast<std::size_t>(length - 1));
      line = line.substr(0, line.find('\0'));
      // Lines beyond the store's capacity are read and dropped.
      if (count < kStoreCapacity) {
        store_line(turnpoint_store.records[count], line);
        ++count;
      }
    }
  }
  navigator.record_count = count;
  build_alphabetic_list();
  build_task_table();
}

int loaded_record_count() {
  if (navigator.record_count < 0) {
    return 0;
  }
  return navigator.record_count < kStoreCapacity ? navigator.record_count : kStoreCapacity;
}

int find_home_record() {
  const int count = loaded_record_count();
  for (int index = 0; index < count; ++index) {
    if (turnpoint_store.records[index].kind.contains('H')) {
      return index;
    }
  }
  return 0;
}

}  // namespace kolvex
