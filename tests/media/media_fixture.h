// Shared pieces of the media tests: tones written as WAV files, a book folder mapped as drive
// c:, and an event loop that runs until a condition holds.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/dos_path.h"
#include "store/book_store.h"
#include "test_support.h"

namespace shelf::test {

// A mono 16-bit PCM WAV tone of `ms` milliseconds at 8000 Hz; `amplitude` 0..1.
std::string ToneWav(int ms, double frequency = 440, double amplitude = 0.5);

// Runs the event loop until `done` or `limit`; true when `done` held.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// The test's folder as drive c: of a book without a container.
class MediaTest : public IsolatedTest {
 protected:
  void SetUp() override;
  TDosFileSystem FileSystem;
  TBookStore Store{FileSystem};
};

}  // namespace shelf::test
