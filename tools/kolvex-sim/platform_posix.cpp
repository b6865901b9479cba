#include <dlfcn.h>

#include <system_error>

#include "tools/kolvex-sim/platform.h"

namespace kolvex::sim {
namespace {

class SharedLibrary : public LoadedModule {
 public:
  SharedLibrary(void* handle, std::filesystem::path folder)
      : handle_(handle), folder_(std::move(folder)) {}
  ~SharedLibrary() override { dlclose(handle_); }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  void* symbol(const char* name) override { return dlsym(handle_, name); }
  std::unique_ptr<host::BitmapSource> bitmaps() override {
    return std::make_unique<host::BmpFolderBitmaps>(folder_ / "kolvex-bitmaps");
  }

 private:
  void* handle_;
  std::filesystem::path folder_;
};

}  // namespace

std::unique_ptr<LoadedModule> load_module(const std::filesystem::path& path, std::string& error) {
  std::error_code ignored;
  // An absolute path keeps dlopen from searching the library path for a bare name.
  const std::filesystem::path full = std::filesystem::absolute(path, ignored);
  void* handle = dlopen(full.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot load " + full.string();
    return nullptr;
  }
  return std::make_unique<SharedLibrary>(handle, full.parent_path());
}

std::filesystem::path default_module_path() {
  std::error_code failed;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
  return (failed ? std::filesystem::path(".") : self.parent_path()) / "kolvex.so";
}

void use_binary_stdout() {}

}  // namespace kolvex::sim
