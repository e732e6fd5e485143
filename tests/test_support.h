// Small fixtures shared by the tests: a private temporary folder per test with the user's
// settings, runtime and data folders pointed into it, and a writer of book folders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

class QWidget;

namespace shelf::test {

// Gives every test its own folder and points XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR
// and HOME into it, so no test sees another's settings, locks, temporary or home files.
class IsolatedTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::map<std::string, std::string> savedEnv_;
};

// Writes `files` (relative host path -> bytes) under `root`, creating folders.
void WriteTree(const std::filesystem::path& root, const std::map<std::string, std::string>& files);

std::string ReadFile(const std::filesystem::path& path);

// The most memory the test process has held so far (resident bytes).
long long PeakResidentBytes();
// Whether this is the checking build, with AddressSanitizer.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif
// What a test of hostile inputs may hold at most: 1 GiB, and twice that in the checking build,
// where AddressSanitizer's own bookkeeping (quarantine, shadow memory) comes on top.
constexpr long long kHostileInputMemory = kAddressSanitizer ? 2LL << 30 : 1LL << 30;

// Where a reader's keys go: the control that has the keyboard, else the active window.
QWidget* Keyboard();

// Sets the sample book's start clip on or off the way the options dialog does (its "Clip"
// setting, in the current settings folder); with it off, the book's window shows at once.
void SetSampleBookStartClip(bool on);

// A printed PDF as poppler reads it: its page count (-1: not a PDF) and its text.
int PdfPages(const std::filesystem::path& pdf);
std::string PdfText(const std::filesystem::path& pdf);
// The text lines of one sheet (1-based) as they stand on it, top to bottom, trimmed; blank
// lines left out.
std::vector<std::string> PdfSheetLines(const std::filesystem::path& pdf, int sheet);

}  // namespace shelf::test
