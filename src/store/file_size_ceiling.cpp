#include "store/file_size_ceiling.h"

#include <string>

namespace shelf {

std::uint64_t SizeCeilingFor(std::string_view fileName) {
  const std::size_t dot = fileName.find_last_of(".\\/");
  if (dot == std::string_view::npos || fileName[dot] != '.') return kMaxOtherFile;
  std::string extension(fileName.substr(dot + 1));
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (extension == "txt") return kMaxDescriptionFile;
  if (extension == "idx") return kMaxIndexFile;
  if (extension == "htm" || extension == "html" || extension == "css") return kMaxPageFile;
  if (extension == "gif" || extension == "jpg" || extension == "jpeg" || extension == "png" ||
      extension == "bmp")
    return kMaxPictureFile;
  return kMaxOtherFile;
}

}  // namespace shelf
