// Turns an open book into an EPUB 3 file: every page the contents tree reaches, in its order,
// then the pages they lead to, each as XHTML with its pictures; the contents tree as the
// navigation and the thesaurus index as a glossary. One page is in memory at a time.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/epub_archive.h"
#include "export/epub_documents.h"
#include "export/export_plan.h"
#include "export/picture_file.h"
#include "export/xhtml_host.h"

namespace shelf {

struct TBookSession;

struct RExportOptions {
  bool WithMedia = false;    // WAV and MP3 sounds go in as audio rather than as notes
  std::time_t Modified = 0;  // the EPUB's modification time
};

// What the export did, for the reader's summary. Messages are UTF-8.
struct RExportReport {
  int Pages = 0;
  int Pictures = 0;
  int Sounds = 0;
  int Notes = 0;                     // links and media the EPUB cannot carry, left as notes
  std::vector<std::string> Missing;  // files the book names but does not have
  std::vector<std::string> Skipped;  // files the book has but cannot give intact
};

class TBookExport : private TXhtmlHost {
 public:
  TBookExport(const TBookSession& session, RExportOptions options);
  ~TBookExport() override;

  // Called after each page written, with the pages done and the pages in all.
  std::function<void(int done, int total)> OnProgress;

  // Writes the EPUB to `file`. False with `error` when there is nothing to export or the file
  // cannot be written; pages and pictures that cannot be read are in the report instead.
  bool Write(const std::filesystem::path& file, RExportReport& report, std::string& error);

 private:
  void PlanPages();
  void PlanPage(int index);
  void FollowLinks(const class THtmlTree& tree, const std::string& file, int index, int depth);
  bool WritePage(int index, std::string& error);
  std::vector<RNavPoint> NavPoints() const;
  bool ReadPage(const std::string& file, std::string& bytes);
  void NoteMissing(const std::string& file);

  // TXhtmlHost
  std::string LinkHref(const char* url, const std::string& file, std::string& note) override;
  std::string PictureHref(const char* url, const std::string& file, std::string& note) override;
  std::string SoundHref(const char* url, const std::string& file, std::string& note) override;
  std::unique_ptr<THtmlTree> FramePage(const char* url, const std::string& file,
                                       std::string& frameFile, std::string& note) override;
  // A book file the EPUB holds beside the pages, added once under `folder` as `convert` makes
  // it: its path in the EPUB, or "" with `note` when it is missing or cannot go in.
  std::string ResourceHref(
      const std::string& file, const std::string& folder, int& count, std::string& note,
      const std::function<std::optional<REpubResource>(std::string bytes)>& convert);

  const TBookSession& session_;
  RExportOptions options_;
  RExportReport* report_ = nullptr;
  TExportPlan plan_;
  TEpubArchive archive_;
  RBookMetadata book_;
  struct RContentsPoint {
    std::string Caption, File, Fragment;
    int Parent = -1;
  };
  std::vector<RContentsPoint> contents_;
  std::vector<RGlossaryEntry> glossary_;
  std::vector<std::pair<int, std::string>> glossaryPages_;  // planned page, fragment per entry
  int glossaryAt_ = -1;  // where the glossary stands in the reading order, -1 without one
  std::vector<RManifestItem> manifest_;
  std::map<std::string, std::string> files_;  // lower-case book file -> EPUB path ("" if none)
  std::string writeError_;
  int current_ = -1;  // the page being written
};

}  // namespace shelf
