// The desktop for tests: the copies of the program it was asked to start and the files it was
// asked to open are written down.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell_open.h"

namespace shelf::test {

class RecordingDesktop : public TShellOpen {
 public:
  bool StartOwnCopy(const std::vector<std::string>& arguments) override {
    starts.push_back(arguments);
    return true;
  }
  bool HasHandler(const std::filesystem::path&) override { return hasHandler; }
  bool OpenFile(const std::filesystem::path& file) override {
    opened.push_back(file);
    return true;
  }
  std::vector<std::vector<std::string>> starts;
  std::vector<std::filesystem::path> opened;
  bool hasHandler = false;
};

}  // namespace shelf::test
