// What kolvex-sim needs from the operating system: loading the gauge module and finding its
// exports by name, the module's bitmaps, and the program's own location.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tools/panel_host/panel_host.h"

namespace kolvex::sim {

class LoadedModule {
 public:
  virtual ~LoadedModule() = default;
  // The address of an exported symbol, or null.
  virtual void* symbol(const char* name) = 0;
  // The module's bitmaps, as the simulator would find them for this module.
  virtual std::unique_ptr<host::BitmapSource> bitmaps() = 0;
};

// Loads the module at path; null with a reason in error when it cannot be loaded.
std::unique_ptr<LoadedModule> load_module(const std::filesystem::path& path, std::string& error);

// The module file the build puts beside the kolvex-sim executable.
std::filesystem::path default_module_path();

// Standard output carries bytes exactly as written (no line-end translation).
void use_binary_stdout();

}  // namespace kolvex::sim
