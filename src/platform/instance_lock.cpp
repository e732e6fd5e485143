#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <thread>

#include "platform/user_folders.h"

namespace shelf {
namespace {

// Titles may hold any bytes; the file is named after a digest of them.
std::string LockFileName(const std::string& name) {
  const QByteArray digest =
      QCryptographicHash::hash(QByteArray::fromStdString(name), QCryptographicHash::Sha256);
  return "instance-" + digest.toHex().left(32).toStdString() + ".lock";
}

// Without a usable lock file nobody can be shown to hold the lock.
bool Unchecked(const std::string& why) {
  std::cerr << "shelf: cannot check for another running copy: " << why << '\n';
  return true;
}

}  // namespace

TInstanceLock::~TInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool TInstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  // An object without a name is nobody's to share: every untitled book opens.
  if (name_.empty()) return true;
  const TFolderResult folder = RuntimeFolder();
  if (folder.folder.empty()) return Unchecked(folder.error);
  const std::string path = (folder.folder / LockFileName(name_)).string();
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Unchecked(path + ": " + strerror(errno));
  // flock belongs to this open file: a second open, even in this process, is refused, and
  // O_CLOEXEC keeps programs started later from inheriting it.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return true;
  }
  const int error = errno;
  close(fd);
  return error != EWOULDBLOCK && Unchecked(path + ": " + strerror(error));
}

bool TInstanceLock::AcquireWithin(std::chrono::milliseconds patience,
                                  const std::function<bool()>& stopWaiting) {
  constexpr std::chrono::milliseconds kRetry(50);
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!TryAcquire()) {
    if (std::chrono::steady_clock::now() >= until || (stopWaiting && stopWaiting())) return false;
    std::this_thread::sleep_for(kRetry);
  }
  return true;
}

}  // namespace shelf
