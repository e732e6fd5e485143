// A picture of the book in a form every EPUB reader shows: PNG, GIF and JPEG as they are, BMP
// converted to PNG. The kind comes from the bytes, not from the name.
#pragma once

#include <optional>
#include <string>

namespace shelf {

struct RPictureFile {
  std::string Bytes;
  std::string Extension;  // "png", "gif", "jpg"
  std::string MediaType;  // "image/png"...
};

// Nullopt when the bytes are no picture of those kinds (or a BMP that cannot be decoded).
std::optional<RPictureFile> EpubPicture(std::string bytes);

}  // namespace shelf
