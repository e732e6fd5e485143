// The book's RAR archives: lists an archive as browsable pages in the page area, unpacks it for
// a file link of the listing or into the reader's chosen folder, tells the page areas when a
// listing is on show, and removes its working folders ("as_...") from the private temporary
// folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "archive/archive_listing.h"
#include "archive/rar_archive.h"
#include "store/dynamic_arrays.h"

namespace shelf {

class TDosFileSystem;

// What the archive reader needs of the main window.
class TUnRarHost {
 public:
  virtual ~TUnRarHost() = default;
  // A message for the reader on the drawn dialog's message page (Windows-1251).
  virtual void ShowArchiveMessage(const std::string& text) = 0;
  // Shows a listing page in the current page area as if a link to it had been followed.
  virtual void OpenListingPage(const std::string& page) = 0;
  // Whether the current page area shows a listing.
  virtual bool ArchiveMode() const = 0;
  // The folder the path box of the current screen names; nullopt when there is none.
  virtual std::optional<std::filesystem::path> ChosenFolder() const = 0;
  virtual void SetBusy(bool busy) = 0;
  // A yes-or-no question for the reader (Windows-1251); true for yes.
  virtual bool AskArchiveQuestion(const std::string& text) = 0;
};

class TUnRar {
 public:
  // `tempDir`: the program's private temporary folder in DOS form, ending in '\'. Removes the
  // working folders an earlier run left behind.
  TUnRar(TUnRarHost& host, const TDosFileSystem& fileSystem, std::string tempDir);
  // Removes the working folders of this run.
  ~TUnRar();
  TUnRar(const TUnRar&) = delete;
  TUnRar& operator=(const TUnRar&) = delete;

  // Lists `archivePath` (DOS form) as pages, once per run, and shows them; `sourcePage` is the
  // page the current area showed, where leaving the listing ends archive mode.
  void ShowArchive(const std::string& archivePath, const std::string& sourcePage);
  // Unpacks the archive listed last: into a new subfolder of the chosen folder named after the
  // archive, or (`toChosenFolder` false) into its working folder so that its links resolve.
  void ExtractArchive(bool toChosenFolder, bool keepPaths);
  // The archive flag of the current page area after it showed `pageAddress`.
  bool UpdateListingFlag(bool archiveMode, const std::string& pageAddress) const;
  void CleanTempFiles();

  const std::string& ArchiveName() const { return archiveName_; }
  const std::string& TempFolder() const { return tempFolder_; }
  const TDynamicStringArray& ListingPages() const { return listingPages_; }
  const TDynamicStringArray& SourcePages() const { return sourcePages_; }

  // TempDir + "as_" + the archive path with its last '\', ':' or '.' and then every '\' and ':'
  // made '_', + '\'.
  // A listing shows at most this many entries, and no name longer than kMaxListedName bytes
  // (far beyond any path the desktop takes): the pages, their folders and their memory grow
  // with both.
  static constexpr std::size_t kMaxListedEntries = 100000;
  static constexpr std::size_t kMaxListedName = 1024;

  static std::string WorkingFolderOf(const std::string& tempDir, const std::string& archivePath);

  // What one extraction may write without asking the reader: kExtractionFactor times the
  // archive's size (all its volumes), and at least kExtractionFloor. Past what was allowed,
  // unpacking stops.
  static constexpr std::uint64_t kExtractionFactor = 10;
  static constexpr std::uint64_t kExtractionFloor = 1ull << 30;
  static std::uint64_t ExtractionAllowance(std::uint64_t archiveSize);

 private:
  // Entries left packed, by why.
  struct TRefused {
    std::vector<std::string> OutsideFolder, Encrypted;
  };
  // The header loop of listing and unpacking: hands each header to `seen` (false ends the loop
  // there), then skips its entry or unpacks it under `destination` (when given). Names of entries
  // refused for their path or their encryption are added to `refused`.
  void ReadEntries(TRarArchive& rar, const std::filesystem::path* destination,
                   const std::function<bool(const RRarHeader&)>& seen, TRefused& refused);
  // Asks the reader before unpacking more than the allowance; the bound on what this extraction
  // may write, or nullopt when the reader declined.
  std::optional<std::uint64_t> ExtractionBudget(const std::filesystem::path& archive);
  bool ChangeVolume(const std::filesystem::path& volume, int mode);
  void ReportOpenError(int code, const std::string& archivePath);
  void ReportProcessError(int code, const std::string& entryName);
  bool WritePages(const std::string& framesetPage, TListDir dirs,
                  const std::vector<RListFiles>& files);

  TUnRarHost& host_;
  const TDosFileSystem& fileSystem_;
  std::string tempDir_;
  std::string archiveName_;
  std::string tempFolder_;
  TDynamicStringArray listingPages_;
  TDynamicStringArray sourcePages_;
  std::uint64_t extractionBudget_ = 0;  // of the extraction under way
};

}  // namespace shelf
