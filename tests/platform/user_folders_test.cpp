#include "platform/user_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// Sets (or, with nullptr, removes) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class UserFoldersTest : public test::IsolatedTest {};

TEST_F(UserFoldersTest, XdgVariablesWinOverTheHomeFolder) {
  struct Case {
    const char* config;
    const char* data;
    fs::path wantConfig, wantData;
  } cases[] = {
      {"/x/cfg", "/x/data", "/x/cfg", "/x/data"},
      {nullptr, nullptr, "/h/.config", "/h/.local/share"},
      {"relative", "", "/h/.config", "/h/.local/share"},  // not absolute: ignored
  };
  ScopedEnv home("HOME", "/h");
  for (const Case& c : cases) {
    ScopedEnv config("XDG_CONFIG_HOME", c.config);
    ScopedEnv data("XDG_DATA_HOME", c.data);
    EXPECT_EQ(ConfigHome(), c.wantConfig);
    EXPECT_EQ(DataHome(), c.wantData);
  }
}

TEST_F(UserFoldersTest, HostFoldersAreMadeInTheUsersFolders) {
  const fs::path data = Dir() / "XDG_DATA_HOME" / "shelf";
  const fs::path runtime = Dir() / "XDG_RUNTIME_DIR" / "shelf";
  EXPECT_EQ(HostSystemDir().folder, data / "system");
  EXPECT_EQ(HostWindowsDir().folder, data / "windows");
  EXPECT_EQ(HostTempDir().folder, runtime / "tmp");
  EXPECT_TRUE(fs::is_directory(data / "system"));
  EXPECT_TRUE(fs::is_directory(data / "windows"));
  EXPECT_EQ(ModeOf(runtime), 0700u);
  EXPECT_EQ(ModeOf(runtime / "tmp"), 0700u);

  // Without a runtime folder the private folder goes to /tmp, named after the user.
  const fs::path fallback = "/tmp/shelf-" + std::to_string(geteuid());
  const fs::path missing = Dir() / "missing";
  for (const char* value : {missing.c_str(), static_cast<const char*>(nullptr)}) {
    ScopedEnv env("XDG_RUNTIME_DIR", value);
    const TFolderResult result = RuntimeFolder();
    EXPECT_EQ(result.folder, fallback) << result.error;
    EXPECT_EQ(ModeOf(fallback), 0700u);
  }
}

TEST_F(UserFoldersTest, ExistingFoldersMustBePrivateToTheUser) {
  const fs::path target = Dir() / "target";
  fs::create_directory(target);
  struct Case {
    const char* what;
    void (*make)(const fs::path& folder, const fs::path& target);
    bool usable;
  } cases[] = {
      {"missing", [](const fs::path&, const fs::path&) {}, true},
      {"mode 0700", [](const fs::path& f, const fs::path&) { mkdir(f.c_str(), 0700); }, true},
      {"mode 0755 is tightened",
       [](const fs::path& f, const fs::path&) {
         mkdir(f.c_str(), 0);
         chmod(f.c_str(), 0755);
       },
       true},
      {"mode 0500 is repaired",
       [](const fs::path& f, const fs::path&) {
         mkdir(f.c_str(), 0);
         chmod(f.c_str(), 0500);
       },
       true},
      {"group may write",
       [](const fs::path& f, const fs::path&) {
         mkdir(f.c_str(), 0);
         chmod(f.c_str(), 0770);
       },
       false},
      {"others may write",
       [](const fs::path& f, const fs::path&) {
         mkdir(f.c_str(), 0);
         chmod(f.c_str(), 01777);
       },
       false},
      {"symbolic link to a private folder",
       [](const fs::path& f, const fs::path& t) {
         chmod(t.c_str(), 0700);
         fs::create_directory_symlink(t, f);
       },
       false},
      {"a file",
       [](const fs::path& f, const fs::path&) {
         test::WriteTree(f.parent_path(), {{f.filename(), "x"}});
       },
       false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = Dir() / ("case" + std::to_string(n++));
    c.make(folder, target);
    const TFolderResult result = PrivateFolder(folder);
    if (c.usable) {
      EXPECT_EQ(result.folder, folder) << result.error;
      EXPECT_TRUE(result.error.empty());
      EXPECT_EQ(ModeOf(folder), 0700u);
    } else {
      EXPECT_TRUE(result.folder.empty());
      EXPECT_NE(result.error.find(folder.string()), std::string::npos) << result.error;
    }
  }
  EXPECT_FALSE(PrivateFolder(Dir() / "no" / "parent").error.empty());
}

}  // namespace
}  // namespace shelf
