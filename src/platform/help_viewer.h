// The help system's part that is not a window: a compiled HTML help file (.chm) is unpacked
// into a folder of ours, so that our own help window can show its pages.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace shelf {

// Unpacks every file of the help file `chm` into `folder` and names the page to show for
// `topic`: the page whose name without folder and extension equals the topic (letter case
// ignored), else the help file's default page. Nullopt when it is no help file or has no page.
// Names that would climb out of `folder` are left out.
std::optional<std::filesystem::path> UnpackHelpTopic(const std::filesystem::path& chm,
                                                     const std::string& topic,
                                                     const std::filesystem::path& folder);

}  // namespace shelf
