#include "host/services.h"

#include <cstring>
#include <iterator>

namespace kolvex {
namespace {

MODULE_VAR module_vars[] = {
    {static_cast<int>(HostVar::unused_61), 0, 0.0},
    {static_cast<int>(HostVar::altitude), 0, 0.0},
    {static_cast<int>(HostVar::unused_65), 0, 0.0},
    {static_cast<int>(HostVar::latitude), 0, 0.0},
    {static_cast<int>(HostVar::longitude), 0, 0.0},
    {static_cast<int>(HostVar::wind_speed), 0, 0.0},
    {static_cast<int>(HostVar::wind_direction), 0, 0.0},
    {static_cast<int>(HostVar::units), 0, 0.0},
};

MODULE_VAR* module_var(HostVar which) {
  for (MODULE_VAR& var : module_vars) {
    if (var.id == static_cast<int>(which)) {
      return &var;
    }
  }
  return nullptr;
}

}  // namespace

PANELS* panel_services() {
  return ImportTable.panels.services;
}

void initialize_module_vars() {
  PANELS* services = panel_services();
  if (services == nullptr || services->initialize_var == nullptr) {
    return;
  }
  for (MODULE_VAR& var : module_vars) {
    services->initialize_var(&var);
  }
}

double lookup_host_var(HostVar which) {
  MODULE_VAR* var = module_var(which);
  PANELS* services = panel_services();
  if (var == nullptr) {
    return 0.0;
  }
  if (services != nullptr && services->lookup_var != nullptr) {
    services->lookup_var(var);
  }
  return var->var_value;
}

void write_element_text(ELEMENT_STRING& element, std::string_view text) {
  if (element.string == nullptr || element.max_string_length < 0) {
    return;
  }
  const std::size_t room = static_cast<std::size_t>(element.max_string_length);
  const std::size_t length = text.size() < room ? text.size() : room;
  // The text may be the element's own buffer (a line copied onto itself).
  if (length > 0) {
    std::memmove(element.string, text.data(), length);
  }
  element.string[length] = '\0';
}

std::string_view element_text(const ELEMENT_STRING& element) {
  if (element.string == nullptr || element.max_string_length < 0) {
    return {};
  }
  const std::size_t room = static_cast<std::size_t>(element.max_string_length);
  std::size_t length = 0;
  while (length < room && element.string[length] != '\0') {
    ++length;
  }
  return {element.string, length};
}

}  // namespace kolvex
