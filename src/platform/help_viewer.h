// The help system's part that is not a window: a compiled HTML help file (.chm) is unpacked
// into a folder of ours, so that our own help window can show its pages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace shelf {

// What a help file of `helpFileSize` bytes may unpack in all: kHelpUnpackFactor times its size,
// at least kHelpUnpackFloor and at most kHelpUnpackCeiling (compressed help runs to a few times
// its size).
constexpr std::uint64_t kHelpUnpackFactor = 20;
constexpr std::uint64_t kHelpUnpackFloor = 64ull << 20;
constexpr std::uint64_t kHelpUnpackCeiling = 1ull << 30;
std::uint64_t HelpUnpackAllowance(std::uint64_t helpFileSize);

// Unpacks every file of the help file `chm` into `folder` and names the page to show for
// `topic`: the page whose name without folder and extension equals the topic (letter case
// ignored), else the help file's default page. Nullopt when it is no help file or has no page.
// Names that would climb out of `folder` are left out, and so are files beyond what one help
// file may unpack (HelpUnpackAllowance): its files may all name the same bytes.
std::optional<std::filesystem::path> UnpackHelpTopic(const std::filesystem::path& chm,
                                                     const std::string& topic,
                                                     const std::filesystem::path& folder);

}  // namespace shelf
