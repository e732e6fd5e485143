// Per-user folders that stand in for the Windows system, Windows and temporary folders, and the
// private runtime folder where the program keeps its locks and sockets.
#pragma once

#include <filesystem>
#include <string>

namespace shelf {

// A folder ready for use, or why it cannot be used.
struct TFolderResult {
  std::filesystem::path folder;  // empty on failure
  std::string error;             // empty on success
};

// $XDG_CONFIG_HOME, else $HOME/.config; $XDG_DATA_HOME, else $HOME/.local/share;
// $XDG_CACHE_HOME, else $HOME/.cache. Relative values of the variables are ignored, as the XDG
// rules ask. The environment is read on every call. Empty when no home folder is known. Nothing
// is created.
std::filesystem::path ConfigHome();
std::filesystem::path DataHome();
std::filesystem::path CacheHome();

// The running executable's own file (what the installed layout is found from); empty when the
// system does not say.
std::filesystem::path ProgramFile();

// Creates `folder` with mode 0700 when it is missing (its parent must exist), or checks the one
// that is there: it must be a real folder, not a symbolic link, owned by this user and not
// writable by anyone else. Other bits beyond 0700 (0755 left by a umask, say) are cleared, since
// nobody else could have put anything in it; a folder others could write to is refused, because
// later code writes predictable names there.
TFolderResult PrivateFolder(const std::filesystem::path& folder);

// $XDG_RUNTIME_DIR/shelf when that variable names an existing folder, else /tmp/shelf-<uid>;
// private (see PrivateFolder).
TFolderResult RuntimeFolder();

// DataHome()/shelf/system and DataHome()/shelf/windows, created when missing.
TFolderResult HostSystemDir();
TFolderResult HostWindowsDir();

// RuntimeFolder()/tmp, private.
TFolderResult HostTempDir();

}  // namespace shelf
