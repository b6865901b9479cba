#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tools/kolvex-sim/platform.h"

namespace kolvex::sim {
namespace {

// The bitmaps the simulator draws come from the module's BITMAP resources.
class ResourceBitmaps : public host::BitmapSource {
 public:
  explicit ResourceBitmaps(HMODULE module) : module_(module) {}
  bool bitmap_size(int resource_id, PIXPOINT& size) override {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(resource_id), RT_BITMAP);
    if (found == nullptr) {
      return false;
    }
    HGLOBAL loaded = LoadResource(module_, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
      return false;
    }
    // A bitmap resource is the info header and the pixels, without the file header.
    return host::info_header_size(static_cast<const unsigned char*>(bytes),
                                  SizeofResource(module_, found), size);
  }

 private:
  HMODULE module_;
};

class Library : public LoadedModule {
 public:
  explicit Library(HMODULE module) : module_(module) {}
  ~Library() override { FreeLibrary(module_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  void* symbol(const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }
  std::unique_ptr<host::BitmapSource> bitmaps() override {
    return std::make_unique<ResourceBitmaps>(module_);
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<LoadedModule> load_module(const std::filesystem::path& path, std::string& error) {
  const std::string name = path.string();
  HMODULE module = LoadLibraryA(name.c_str());
  if (module == nullptr) {
    error = "cannot load " + name + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::make_unique<Library>(module);
}

std::filesystem::path default_module_path() {
  char self[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return "kolvex.gau";
  }
  return std::filesystem::path(std::string(self, length)).parent_path() / "kolvex.gau";
}

void use_binary_stdout() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace kolvex::sim
