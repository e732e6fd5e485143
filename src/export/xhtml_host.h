// What the XHTML writer asks of the export while it writes a page: where the page's links,
// pictures and sounds go in the EPUB, and the pages of its frames.
#pragma once

#include <memory>
#include <string>

namespace shelf {

class THtmlTree;

class TXhtmlHost {
 public:
  virtual ~TXhtmlHost() = default;

  // The href in the EPUB of a link (UTF-8, as written) of the page `file`; empty, with the
  // note for the reader in `note`, when the link cannot stay a link.
  virtual std::string LinkHref(const char* url, const std::string& file, std::string& note) = 0;
  // The EPUB path of a picture; empty with `note` when the picture cannot go in.
  virtual std::string PictureHref(const char* url, const std::string& file, std::string& note) = 0;
  // The EPUB path of a sound kept as audio; empty with `note` when it stays out.
  virtual std::string SoundHref(const char* url, const std::string& file, std::string& note) = 0;
  // The page a frame shows, parsed, and its full file name; null with `note` when it cannot be
  // read.
  virtual std::unique_ptr<THtmlTree> FramePage(const char* url, const std::string& file,
                                               std::string& frameFile, std::string& note) = 0;
};

}  // namespace shelf
