// Test support: marks a file append-only (Linux), the one way to have "w" refused and "a"
// accepted for a process that may run as root.
#pragma once

#if defined(__linux__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kolvex::testing {

// An append-only file refuses to be emptied but takes more lines at its end. Setting the flag
// needs the privilege to change it and a file system that keeps it.
class AppendOnly {
 public:
  explicit AppendOnly(const char* path) : fd_(::open(path, O_RDONLY)) { set(FS_APPEND_FL); }
  ~AppendOnly() {
    if (set_) {
      set(0);
    }
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  AppendOnly(const AppendOnly&) = delete;
  AppendOnly& operator=(const AppendOnly&) = delete;
  bool active() const { return set_; }

 private:
  void set(int flag) {
    int flags = 0;
    if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) {
      return;
    }
    flags = (flags & ~FS_APPEND_FL) | flag;
    set_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0 && flag != 0;
  }
  int fd_;
  bool set_ = false;
};

}  // namespace kolvex::testing
#endif
