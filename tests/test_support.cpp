#include "test_support.h"

#include <sys/resource.h>

#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
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

QWidget* Keyboard() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus : QApplication::activeWindow();
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

namespace {

// What `program` prints for `file` (quoted for the shell) followed by `rest`.
std::string ToolOutput(const std::string& program, const fs::path& file, const char* rest) {
  std::string quoted = "'";
  for (const char c : file.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  std::string out;
  if (FILE* pipe = popen((program + " " + quoted + "' " + rest + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

}  // namespace

int PdfPages(const fs::path& pdf) {
  const std::string info = ToolOutput("pdfinfo", pdf, "");
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PdfText(const fs::path& pdf) {
  return ToolOutput("pdftotext -enc UTF-8", pdf, "-");
}

std::vector<std::string> PdfSheetLines(const fs::path& pdf, int sheet) {
  const std::string text = ToolOutput(
      "pdftotext -layout -enc UTF-8 -f " + std::to_string(sheet) + " -l " + std::to_string(sheet),
      pdf, "-");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\n\f", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    const std::size_t first = line.find_first_not_of(' ');
    if (first != std::string::npos)
      lines.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
    start = end + 1;
  }
  return lines;
}

}  // namespace shelf::test
