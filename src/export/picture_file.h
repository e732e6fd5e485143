// A picture of the book in a form every EPUB reader shows: PNG, GIF and JPEG as they are, BMP
// converted to PNG. The kind comes from the bytes, not from the name.
#pragma once

#include <optional>
#include <string>

namespace shelf {

// A file the EPUB holds beside its pages: a picture, or a sound kept as audio.
struct REpubResource {
  std::string Bytes;
  std::string Extension;  // "png", "gif", "jpg", "mp3"
  std::string MediaType;  // "image/png"...
};

// Nullopt when the bytes are no picture of those kinds (or a BMP that cannot be decoded).
std::optional<REpubResource> EpubPicture(std::string bytes);

}  // namespace shelf
