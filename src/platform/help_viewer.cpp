#include "platform/help_viewer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/chm_file.h"
#include "platform/cp1251.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

// `name` ("/pics/a.gif") under `folder`, or nullopt when it would leave the folder.
std::optional<fs::path> Inside(const fs::path& folder, const std::string& name) {
  const fs::path relative = fs::path(name).relative_path().lexically_normal();
  if (relative.empty() || *relative.begin() == "..") return std::nullopt;
  return folder / relative;
}

}  // namespace

std::uint64_t HelpUnpackAllowance(std::uint64_t helpFileSize) {
  const std::uint64_t scaled = std::min(helpFileSize, kHelpUnpackCeiling) * kHelpUnpackFactor;
  return std::clamp(scaled, kHelpUnpackFloor, kHelpUnpackCeiling);
}

std::optional<fs::path> UnpackHelpTopic(const fs::path& chm, const std::string& topic,
                                        const fs::path& folder) {
  const auto help = TChmFile::Open(chm);
  if (!help) return std::nullopt;
  std::string page;
  std::error_code ec;
  std::uint64_t left = HelpUnpackAllowance(help->FileSize());
  int leftOut = 0;
  for (const std::string& name : help->Files()) {
    const auto target = Inside(folder, name);
    const auto bytes =
        target ? help->Read(name, std::min(left, TChmFile::kMaxEntry)) : std::nullopt;
    if (!bytes) {
      leftOut += target.has_value();
      continue;
    }
    left -= bytes->size();
    fs::create_directories(target->parent_path(), ec);
    std::ofstream(*target, std::ios::binary) << *bytes;
    if (page.empty() && AsciiLower(fs::path(name).stem().string()) == AsciiLower(topic))
      page = name;
  }
  if (leftOut > 0)
    std::fprintf(stderr,
                 "shelf: help file %s: %d file(s) left out: damaged, too large, or beyond the "
                 "%llu MiB it may unpack\n",
                 chm.c_str(), leftOut,
                 static_cast<unsigned long long>(HelpUnpackAllowance(help->FileSize()) >> 20));
  if (page.empty()) page = help->DefaultPage();
  const auto shown = page.empty() ? std::nullopt : Inside(folder, page);
  if (!shown || !fs::is_regular_file(*shown, ec)) return std::nullopt;
  return shown;
}

}  // namespace shelf
