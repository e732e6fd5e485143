// The book's codec set-up on this system. The copies and settings entries its Windows installers
// made go to the program's own emulated system folder and hives (what other parts of a book may
// look for; nothing the book carries is ever run). The real job is done here: the decoders the
// book's clips and songs need are looked up in GStreamer, and the reader is told once which
// Debian package provides a missing one.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/media_decoders.h"
#include "store/book_folders.h"

namespace shelf {

class TBookStore;
class TDosFileSystem;

class TCodecInstaller {
 public:
  using THasElement = std::function<bool(const std::string&)>;
  // `tell` shows the reader a message (Windows-1251); `hasElement` answers whether a GStreamer
  // element is installed.
  TCodecInstaller(const TBookStore& store, const TDosFileSystem& fileSystem,
                  const TBookFolders& folders, std::function<void(const std::string&)> tell,
                  THasElement hasElement);

  // Start-up: "indeo5" (with the "Clip" option on) and "mpegaudio" in the "codec" words.
  void InstallForBook(const std::string& codecWords, bool clipOption);
  void InstallIndeo();
  void InstallMp3Codec();
  void InstallMpegDriver();

  // A file could not be opened for want of a decoder of `need` (a kind of media or a film's
  // codec, see TDecoderNeed): the decoders missing and the packages that provide them, each
  // told to the reader once (and offered to the desktop's installer).
  void DecoderMissing(const std::string& need);

  // The Debian packages whose elements a kind of media ("AVI", "MIDI", ...), a film's codec
  // ("MJPG") or a "codec" word ("indeo5", "mpegaudio") needs and this system lacks.
  std::vector<std::string> MissingPackages(const std::string& need) const;

 private:
  std::vector<const TDecoderNeed*> Unmet(const std::string& need) const;
  void TellMissing(const std::string& need);
  void ReportAtStartup(const std::string& need) const;
  // Copies a file the book carries into the emulated system; false when it cannot.
  bool CopyResource(const std::string& from, const std::string& toDos, bool replace);

  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  TBookFolders folders_;
  std::function<void(const std::string&)> tell_;
  THasElement hasElement_;
  std::set<std::string> told_;
};

}  // namespace shelf
