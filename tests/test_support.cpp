#include "test_support.h"

#include <sys/resource.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/cp1251.h"
#include "platform/registry.h"
#include "shell/stored_switches.h"

namespace shelf::test {
namespace fs = std::filesystem;

namespace {
constexpr const char* kIsolatedVars[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR",
                                         "HOME"};
}

void IsolatedTest::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "shelf-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  for (const char* name : kIsolatedVars) {
    if (const char* old = std::getenv(name)) savedEnv_[name] = old;
    const fs::path sub = dir_ / name;
    fs::create_directories(sub);
    fs::permissions(sub, fs::perms::owner_all);
    setenv(name, sub.c_str(), 1);
  }
}

void IsolatedTest::TearDown() {
  for (const char* name : kIsolatedVars) {
    if (auto it = savedEnv_.find(name); it != savedEnv_.end())
      setenv(name, it->second.c_str(), 1);
    else
      unsetenv(name);
  }
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void WriteTree(const fs::path& root, const std::map<std::string, std::string>& files) {
  for (const auto& [name, bytes] : files) {
    const fs::path path = root / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
}

long long PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<long long>(usage.ru_maxrss) * 1024;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void SetSampleBookStartClip(bool on) {
  TRegistry settings;
  const auto title = Utf8ToCp1251("Вектор-2107. Руководство по ремонту и эксплуатации");
  ASSERT_TRUE(settings.OpenKey(SettingsKeyPath(*title), true));
  ASSERT_TRUE(settings.WriteBool("Clip", on));
  ASSERT_TRUE(settings.CloseKey());
}

}  // namespace shelf::test
