// A throw-away book folder for the fuzz targets: files are written into its run folder and read
// back through a book session, as the program reads a book (private to the fuzz targets).
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "book/book_session.h"

namespace shelf {

class TFuzzBook {
 public:
  TFuzzBook() {
    std::string pattern = (std::filesystem::temp_directory_path() / "shelf-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    root_ = pattern;
    // Per-user folders of the session stay inside the throw-away folder.
    setenv("HOME", root_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    std::filesystem::create_directories(root_ / "run");
    std::string error;
    session_ = OpenBookSession(root_ / "run", error);
    if (!session_) {
      std::fprintf(stderr, "fuzz: %s\n", error.c_str());
      std::abort();
    }
  }
  ~TFuzzBook() {
    session_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Writes a file of the run folder; returns its DOS name.
  std::string Put(const std::string& name, std::string_view bytes) const {
    std::ofstream(root_ / "run" / name, std::ios::binary).write(bytes.data(), bytes.size());
    return session_->Folders.ProgramDir + name;
  }
  const std::filesystem::path& Root() const { return root_; }
  TBookSession& Session() const { return *session_; }

 private:
  std::filesystem::path root_;
  std::unique_ptr<TBookSession> session_;
};

}  // namespace shelf
