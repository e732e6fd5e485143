#include "shell/book_archives.h"

#include <QMessageBox>

#include "book/book_session.h"
#include "dialogs/cool_dialog.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "shell/shell_window.h"
#include "widgets/path_input_box.h"

namespace shelf {

TBookArchives::TBookArchives(TShellWindow& window, const TBookSession& session, THtmlFrame* pages,
                             TCoolDialog* dialog, TPathInputBox* pathBoxes)
    : window_(window),
      pages_(pages),
      dialog_(dialog),
      pathBoxes_(pathBoxes),
      unRar_(*this, session.FileSystem, session.Folders.TempDir) {}

void TBookArchives::ShowArchive(const std::string& archive) {
  const TFrameViewer* viewer = pages_ ? pages_->CurrentScreenViewer() : nullptr;
  unRar_.ShowArchive(archive, viewer ? viewer->CurrentFile() : std::string());
}

void TBookArchives::ShowArchiveMessage(const std::string& text) {
  ShowBookMessage(dialog_, text);
}

void TBookArchives::OpenListingPage(const std::string& page) {
  if (pages_) pages_->OpenLinkedPage(page);
}

bool TBookArchives::ArchiveMode() const {
  return pages_ && pages_->ArchiveMode();
}

std::optional<std::filesystem::path> TBookArchives::ChosenFolder() const {
  if (!pathBoxes_) return std::nullopt;
  return pathBoxes_->CurrentFolder(window_.CurrentScreen());
}

void TBookArchives::SetBusy(bool busy) {
  window_.SetBusy(busy);
}

bool TBookArchives::AskArchiveQuestion(const std::string& text) {
  return QMessageBox::question(&window_.Window(), QString(), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace shelf
