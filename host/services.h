// The module's side of the host services: the exported records, the eight module variables,
// and bounded writes into the text buffers the host gives the string elements.
//
// Reads: ImportTable (filled by the host). Writes: the module variables' values (through the
// host's lookup), the string elements' host buffers.
#pragma once

#include <string_view>

#include "host/panel.h"

namespace kolvex {

// The host variables the instrument reads, by their host ids.
enum class HostVar : int {
  unused_61 = 61,
  altitude = 73,
  unused_65 = 65,
  latitude = 71,
  longitude = 72,
  wind_speed = 343,
  wind_direction = 344,
  units = 335,
};

// The service table, or null while the host has not filled ImportTable.
PANELS* panel_services();

// Registers the eight module variables with the host, in the order 61, 73, 65, 71, 72, 343,
// 344, 335.
void initialize_module_vars();

// Looks the variable up through the host and returns its current value (0 before any host
// filled ImportTable).
double lookup_host_var(HostVar which);

// Writes text into a string element's host buffer, cut to the element's character count.
// Does nothing while the host has given the element no buffer.
void write_element_text(ELEMENT_STRING& element, std::string_view text);

// The element's current text (empty while it has no buffer).
std::string_view element_text(const ELEMENT_STRING& element);

}  // namespace kolvex
