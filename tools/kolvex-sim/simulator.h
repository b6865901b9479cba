// The scenario player: one host, one aircraft, one millisecond clock, and the commands of a
// scenario file applied to them one line at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/panel_host/panel_host.h"

namespace kolvex::sim {

// A text as the output shows it between quotes: printable ASCII as is, except " and \, which
// are escaped, and every other byte as \n, \r or \xHH.
std::string escape(std::string_view bytes);

// The words of a scenario line, separated by spaces and tabs.
std::vector<std::string_view> split(std::string_view line);
// A scenario number: the whole token a finite decimal number, read without locale.
bool parse_number(std::string_view token, double& value);

class Simulator {
 public:
  static constexpr int kDefaultFrameMs = 55;

  Simulator(host::PanelHost& host, int frame_ms) : host_(host), frame_ms_(frame_ms) {}

  // Runs one scenario line and appends what it prints to out. Blank lines and lines starting
  // with # do nothing. Returns false, with the reason in error, for a line that is not a
  // command with the right arguments.
  bool run_line(std::string_view line, std::string& out, std::string& error);

  // The face, one line: every element of the face by name, in element-list order.
  std::string show() const;
  // The two companion files in the current folder.
  static std::string files();

 private:
  void advance(std::int64_t milliseconds);

  host::PanelHost& host_;
  int frame_ms_;
  std::int64_t clock_ms_ = 0;
};

}  // namespace kolvex::sim
