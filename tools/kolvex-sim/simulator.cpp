#include "tools/kolvex-sim/simulator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace kolvex::sim {
namespace {

// The face's children, in the order of its element list.
constexpr const char* kChildNames[] = {
    "first_line",    "second_line",    "steer_icon",       "label_icon",
    "distance_icon", "track_icon",     "satellite_icon",   "left_readout",
    "right_readout", "distance_point", "distance_readout", "distance_tenths",
};

bool parse_integer(std::string_view token, std::int64_t& value) {
  const char* end = token.data() + token.size();
  const auto [stop, status] = std::from_chars(token.data(), end, value);
  return status == std::errc() && stop == end;
}

// Milliseconds or a frame count: a whole number, not negative, below 2^31.
bool parse_count(std::string_view token, std::int64_t& value) {
  return parse_integer(token, value) && value >= 0 && value <= 0x7fffffff;
}

bool parse_button(std::string_view token, host::Button& button) {
  static constexpr std::pair<std::string_view, host::Button> kButtons[] = {
      {"on", host::Button::on},       {"go", host::Button::go}, {"left", host::Button::left},
      {"right", host::Button::right}, {"up", host::Button::up}, {"down", host::Button::down},
  };
  for (const auto& [name, which] : kButtons) {
    if (token == name) {
      button = which;
      return true;
    }
  }
  return false;
}

std::string in_quotes(std::string_view bytes) {
  return "\"" + escape(bytes) + "\"";
}

std::string file_line(const char* name) {
  std::ifstream file(name, std::ios::binary);
  if (!file) {
    return std::string(name) + "=missing\n";
  }
  std::ostringstream content;
  content << file.rdbuf();
  return std::string(name) + "=" + in_quotes(content.str()) + "\n";
}

}  // namespace

std::vector<std::string_view> split(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
      ++at;
    }
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') {
      ++at;
    }
    if (at > start) {
      tokens.push_back(line.substr(start, at - start));
    }
  }
  return tokens;
}

bool parse_number(std::string_view token, double& value) {
  const char* end = token.data() + token.size();
  const auto [stop, status] = std::from_chars(token.data(), end, value);
  return status == std::errc() && stop == end && std::isfinite(value);
}

std::string escape(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte > 0x7e) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(byte));
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Simulator::show() const {
  std::string line;
  for (std::size_t i = 0; i < std::size(kChildNames); ++i) {
    if (i > 0) {
      line += ' ';
    }
    line += kChildNames[i];
    line += '=';
    const ELEMENT_HEADER* element = host_.child(i);
    if (element != nullptr && element->element_type == ELEMENT_TYPE_ICON) {
      line += std::to_string(host_.frame_of(i));
    } else {
      line += in_quotes(host_.text(i));
    }
  }
  return line + "\n";
}

std::string Simulator::files() {
  return file_line("KOLVEX.MAX") + file_line("KOLVEX.TGT");
}

void Simulator::advance(std::int64_t milliseconds) {
  clock_ms_ += milliseconds;
  // The module's clock is a 32-bit count that wraps.
  host_.set_clock(static_cast<std::int32_t>(static_cast<std::uint32_t>(clock_ms_)));
}

bool Simulator::run_line(std::string_view line, std::string& out, std::string& error) {
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  const std::vector<std::string_view> tokens = split(line);
  if (tokens.empty() || tokens[0].front() == '#') {
    return true;
  }
  const std::string_view command = tokens[0];
  const std::size_t arguments = tokens.size() - 1;
  auto wrong_count = [&](const char* expected) {
    error = "'" + std::string(command) + "' takes " + expected;
    return false;
  };
  auto bad = [&](std::string_view token, const char* what) {
    error = "'" + std::string(token) + "' is not " + what;
    return false;
  };
  auto numbers = [&](double* values) {
    for (std::size_t i = 0; i < arguments; ++i) {
      if (!parse_number(tokens[i + 1], values[i])) {
        return bad(tokens[i + 1], "a number");
      }
    }
    return true;
  };

  double values[2] = {};
  if (command == "position") {
    if (arguments != 2) {
      return wrong_count("LAT LON");
    }
    if (!numbers(values)) {
      return false;
    }
    host_.set_var(71, host::latitude_var(values[0]));
    host_.set_var(72, host::longitude_var(values[1]));
  } else if (command == "altitude" || command == "units") {
    if (arguments != 1) {
      return wrong_count(command == "units" ? "N" : "M");
    }
    if (!numbers(values)) {
      return false;
    }
    host_.set_var(command == "units" ? 335 : 73, values[0]);
  } else if (command == "wind") {
    if (arguments != 2) {
      return wrong_count("KNOTS DEGREES");
    }
    if (!numbers(values)) {
      return false;
    }
    host_.set_var(343, values[0]);
    host_.set_var(344, values[1]);
  } else if (command == "var") {
    if (arguments != 2) {
      return wrong_count("ID VALUE");
    }
    std::int64_t id = 0;
    if (!parse_integer(tokens[1], id) || id < INT32_MIN || id > INT32_MAX) {
      return bad(tokens[1], "a variable id");
    }
    if (!parse_number(tokens[2], values[0])) {
      return bad(tokens[2], "a number");
    }
    host_.set_var(static_cast<int>(id), values[0]);
  } else if (command == "press") {
    host::Button button{};
    if (arguments != 1) {
      return wrong_count("one of on, go, left, right, up, down");
    }
    if (!parse_button(tokens[1], button)) {
      return bad(tokens[1], "a button (on, go, left, right, up, down)");
    }
    host_.press(button);
  } else if (command == "click") {
    if (arguments != 2) {
      return wrong_count("X Y");
    }
    std::int64_t x = 0;
    std::int64_t y = 0;
    if (!parse_integer(tokens[1], x) || x < INT32_MIN || x > INT32_MAX) {
      return bad(tokens[1], "a pixel position");
    }
    if (!parse_integer(tokens[2], y) || y < INT32_MIN || y > INT32_MAX) {
      return bad(tokens[2], "a pixel position");
    }
    host_.click(static_cast<int>(x), static_cast<int>(y));
  } else if (command == "frame") {
    std::int64_t count = 1;
    if (arguments > 1) {
      return wrong_count("at most a frame count");
    }
    if (arguments == 1 && !parse_count(tokens[1], count)) {
      return bad(tokens[1], "a frame count");
    }
    for (std::int64_t i = 0; i < count; ++i) {
      host_.frame();
    }
  } else if (command == "advance" || command == "wait") {
    std::int64_t milliseconds = 0;
    if (arguments != 1) {
      return wrong_count("MS");
    }
    if (!parse_count(tokens[1], milliseconds)) {
      return bad(tokens[1], "a count of milliseconds");
    }
    if (command == "advance") {
      advance(milliseconds);
    } else {
      while (milliseconds > 0) {
        const std::int64_t step = milliseconds < frame_ms_ ? milliseconds : frame_ms_;
        advance(step);
        milliseconds -= step;
        host_.frame();
      }
    }
  } else if (command == "generate" || command == "show" || command == "files") {
    if (arguments != 0) {
      return wrong_count("no arguments");
    }
    if (command == "generate") {
      host_.generate(0);
    } else if (command == "show") {
      out += show();
    } else {
      out += files();
    }
  } else {
    error = "unknown command '" + std::string(command) + "'";
    return false;
  }
  return true;
}

}  // namespace kolvex::sim
