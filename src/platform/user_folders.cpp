#include "platform/user_folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace shelf {
namespace fs = std::filesystem;
namespace {

// An environment variable naming an absolute path, or empty.
fs::path AbsoluteFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  return value;
}

fs::path HomeFolder() {
  if (fs::path home = AbsoluteFromEnv("HOME"); !home.empty()) return home;
  const passwd* entry = getpwuid(getuid());
  if (entry == nullptr || entry->pw_dir == nullptr || entry->pw_dir[0] != '/') return {};
  return entry->pw_dir;
}

fs::path XdgFolder(const char* variable, const fs::path& underHome) {
  if (fs::path folder = AbsoluteFromEnv(variable); !folder.empty()) return folder;
  const fs::path home = HomeFolder();
  return home.empty() ? fs::path() : home / underHome;
}

TFolderResult Refuse(const fs::path& folder, const std::string& why) {
  return {{}, "cannot use the folder " + folder.string() + ": " + why};
}

// A folder of the program under DataHome(), created when missing.
TFolderResult DataFolder(const char* name) {
  const fs::path data = DataHome();
  if (data.empty()) return {{}, "no home folder is known (HOME is not set)"};
  const fs::path folder = data / "shelf" / name;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec))
    return Refuse(folder, ec ? ec.message() : "not a folder");
  return {folder, {}};
}

}  // namespace

fs::path ConfigHome() {
  return XdgFolder("XDG_CONFIG_HOME", ".config");
}

fs::path DataHome() {
  return XdgFolder("XDG_DATA_HOME", ".local/share");
}

fs::path CacheHome() {
  return XdgFolder("XDG_CACHE_HOME", ".cache");
}

fs::path ProgramFile() {
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec);
}

TFolderResult PrivateFolder(const fs::path& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return Refuse(folder, strerror(errno));
  // Opening without following links and working on the descriptor leaves no gap between the
  // check and the repair in which the folder could be swapped.
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ELOOP) return Refuse(folder, "it is a symbolic link");
    if (error == ENOTDIR) return Refuse(folder, "it is not a folder");
    return Refuse(folder, strerror(error));
  }
  struct stat info {};
  TFolderResult result{folder, {}};
  if (fstat(fd, &info) != 0)
    result = Refuse(folder, strerror(errno));
  else if (info.st_uid != geteuid())
    result = Refuse(folder, "it belongs to another user");
  else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
    result = Refuse(folder, "other users may write to it (expected mode 0700)");
  else if ((info.st_mode & 07777) != 0700 && fchmod(fd, 0700) != 0)
    result = Refuse(folder, std::string("cannot set mode 0700: ") + strerror(errno));
  close(fd);
  return result;
}

TFolderResult RuntimeFolder() {
  const fs::path runtime = AbsoluteFromEnv("XDG_RUNTIME_DIR");
  std::error_code ec;
  if (!runtime.empty() && fs::is_directory(runtime, ec)) return PrivateFolder(runtime / "shelf");
  return PrivateFolder(fs::path("/tmp") / ("shelf-" + std::to_string(geteuid())));
}

TFolderResult HostSystemDir() {
  return DataFolder("system");
}

TFolderResult HostWindowsDir() {
  return DataFolder("windows");
}

TFolderResult HostTempDir() {
  TFolderResult runtime = RuntimeFolder();
  if (runtime.folder.empty()) return runtime;
  return PrivateFolder(runtime.folder / "tmp");
}

}  // namespace shelf
