// What this system can decode, asked of GStreamer's plugin registry (the decoders Qt Multimedia
// plays with), and the desktop's helper that installs a missing plugin, where it has one.
#pragma once

#include <string>
#include <vector>

namespace shelf {

// Whether an element of that name (a decoder, demuxer or parser) is installed.
bool HasMediaElement(const std::string& element);

// Asks the desktop's plugin installer (when it has one) for the elements, without waiting.
// False when there is no such helper.
bool OfferPluginInstall(const std::vector<std::string>& elements);

}  // namespace shelf
