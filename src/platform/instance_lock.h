// One running copy per name (the book title, "Тезаурус"): an exclusive lock on a file in the
// private runtime folder, which the kernel releases when the holding process ends in any way.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace shelf {

class TInstanceLock {
 public:
  // `name` is Windows-1251 bytes, compared exactly (as Windows compares object names).
  explicit TInstanceLock(std::string name) : name_(std::move(name)) {}
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  // True when this object holds the lock, taken now or before; false while another holder (in
  // this or another process) has it. When the lock file cannot be used at all nobody can be
  // shown to hold it: the reason goes to stderr and the answer is true, so the book still opens.
  bool TryAcquire();
  // Tries again and again for up to `patience` (a holder that is closing lets go within
  // seconds); gives up early when `stopWaiting` answers true between tries.
  bool AcquireWithin(std::chrono::milliseconds patience, const std::function<bool()>& stopWaiting);

 private:
  std::string name_;
  int fd_ = -1;
};

}  // namespace shelf
