// What this system can decode, asked of GStreamer's plugin registry (the decoders Qt Multimedia
// plays with), what each kind of media and each codec of a film needs, and the desktop's helper
// that installs a missing plugin, where it has one.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace shelf {

// Whether an element of that name (a decoder, demuxer or parser) is installed.
bool HasMediaElement(const std::string& element);

// What decodes one kind of media (as TMciDevice::MediaKind names it), one "codec" word of a
// book, or one codec a film's streams are stored with ("MJPG", "audio 0x0002"): any of
// `elements` will do; `package` is the Debian package that brings the first; `name` is what a
// reader knows the decoder by.
struct TDecoderNeed {
  const char* need;
  const char* name;
  std::vector<const char*> elements;
  const char* package;
};
const std::vector<TDecoderNeed>& DecoderNeeds();

// The codecs an AVI file's streams are stored with: each video stream's handler ("MJPG",
// "IV50") and each sound stream's format ("audio 0x0055"). Empty when its headers are unreadable.
std::vector<std::string> AviStreamCodecs(const std::filesystem::path& file);

// Asks the desktop's plugin installer (when it has one) for the elements, without waiting.
// False when there is no such helper.
bool OfferPluginInstall(const std::vector<std::string>& elements);

}  // namespace shelf
