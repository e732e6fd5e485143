// The book's RAR archives in the window: an archive listed as pages in the current page area,
// unpacked into the working folder or into the folder the path box names, with the reader's
// messages on the drawn dialog. Made when the first archive is shown.
#pragma once

#include <string>

#include "archive/unrar.h"

namespace shelf {

struct TBookSession;
class TShellWindow;
class THtmlFrame;
class TCoolDialog;
class TPathInputBox;

class TBookArchives : private TUnRarHost {
 public:
  // Any piece may be missing: no pages, nothing is listed; no dialog, messages go in a box.
  TBookArchives(TShellWindow& window, const TBookSession& session, THtmlFrame* pages,
                TCoolDialog* dialog, TPathInputBox* pathBoxes);

  // Lists the archive (DOS path) in the current page area, the page on show as its way back.
  void ShowArchive(const std::string& archive);
  TUnRar& UnRar() { return unRar_; }

 private:
  void ShowArchiveMessage(const std::string& text) override;
  void OpenListingPage(const std::string& page) override;
  bool ArchiveMode() const override;
  std::optional<std::filesystem::path> ChosenFolder() const override;
  void SetBusy(bool busy) override;
  bool AskArchiveQuestion(const std::string& text) override;

  TShellWindow& window_;
  THtmlFrame* pages_;
  TCoolDialog* dialog_;
  TPathInputBox* pathBoxes_;
  TUnRar unRar_;  // after the pieces: it may ask for them as it starts
};

}  // namespace shelf
