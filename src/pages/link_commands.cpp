#include "pages/link_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <filesystem>

#include "html/book_url.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "platform/shell_open.h"
#include "store/book_file_copy.h"
#include "store/book_folders.h"
#include "store/book_store.h"
#include "widgets/path_input_box.h"
#include "widgets/status_line.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

constexpr const char* kZipFilter = "Zip файлы (*.zip)|*.zip|Все файлы (*.*)|*.*";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The extension from the last '.', anchor and all.
std::string_view Extension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool IsDocument(std::string_view extension, std::string_view url) {
  for (const char* kind : {".htm", ".txt", ".inf", ".diz", ".bmp", ".gif", ".jpg", ".jpeg"})
    if (Contains(extension, kind)) return true;
  return !url.empty() && url.front() == '#';
}

// "d:\" of "d:\setup\setup.exe"; empty when the name starts with no drive.
std::string_view DriveRoot(std::string_view name) {
  return name.size() >= 3 && name[1] == ':' && name[2] == '\\' ? name.substr(0, 3)
                                                               : std::string_view();
}

std::string_view FilePart(std::string_view name) {
  const std::size_t slash = name.find_last_of("\\/:");
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

}  // namespace

TLinkCommands::TLinkCommands(THtmlFrame& pages, THtmlFrameHost& host, const TBookStore& store,
                             const TDosFileSystem& fileSystem, const TBookFolders& folders,
                             TShellOpen& desktop)
    : pages_(pages),
      host_(host),
      store_(store),
      fileSystem_(fileSystem),
      folders_(folders),
      desktop_(&desktop) {}

void TLinkCommands::HandleLinkClick(TFrameViewer& sender, const std::string& target,
                                    const std::string& url, bool& handled) {
  handled = false;
  const std::string lowerUrl = Cp1251LowerString(url);
  const std::string expanded = Cp1251LowerString(sender.ExpandUrl(url));
  const auto visit = [&sender](const std::string& name) {
    sender.AddVisited(name);
    sender.CheckVisitedLinks();
  };
  handled = true;
  if (AsciiLower(target) == "_blank") {
    visit(expanded);
    ShowEnlargedPicture(expanded);
  } else if (Contains(lowerUrl, "http:") || Contains(lowerUrl, "mailto:")) {
    visit(expanded);
    if (!desktop_->OpenUrl(Cp1251ToUtf8(url))) Report("Не удалось открыть ссылку");
  } else if (const std::size_t print = lowerUrl.find("printhtml:"); print != std::string::npos) {
    std::string file = url;
    const std::string expandedFile = sender.ExpandUrl(file.erase(print, 10));
    visit(expandedFile);
    pages_.PrintPage(expandedFile);
  } else if (Contains(lowerUrl, "copy:")) {
    visit(expanded);
    CopyToPathBox(Cp1251LowerString(sender.ExpandUrl(url.substr(5))));
  } else if (Contains(lowerUrl, "copylist:")) {
    visit(expanded);
    CopyListSelection(url.substr(9));
  } else {
    handled = false;
  }
  if (handled) return;

  const bool archive = pages_.ArchiveMode();
  const bool anchor = !url.empty() && url.front() == '#';
  // A file of an archive listing is not a book file: the archive is unpacked first, so that
  // the link finds it in the listing's working folder.
  if (archive && !store_.BookFileExists(expanded) && !anchor && UnpackShownArchive)
    UnpackShownArchive();
  const std::string_view extension = Extension(expanded);
  if (IsDocument(extension, url)) {
    if (archive && !Contains(FilePart(expanded), "as_") && !anchor) {
      pages_.OpenLinkedPage(expanded);
      handled = true;
    }
    return;
  }

  handled = true;
  visit(expanded);
  std::string file = expanded;
  const std::string_view root = DriveRoot(file);
  // A link written for another drive letter finds the file on the drive the book runs from.
  if (root != folders_.CdRoot && !archive) file = folders_.CdRoot + file.substr(root.size());
  if (Contains(extension, ".zip")) {
    SaveZip(file);
  } else if (Contains(extension, ".rar")) {
    if (ShowArchive) ShowArchive(file);
  } else if (Contains(extension, ".wav")) {
    if (PlaySound) PlaySound(file);
  } else {
    OpenExternal(file, Contains(extension, ".exe") || Contains(extension, ".com"));
  }
}

void TLinkCommands::CopyListSelection(const std::string& name) {
  const TFrameViewer* viewer = pages_.CurrentScreenViewer();
  const TDocumentView* view = viewer ? viewer->ActiveViewer() : nullptr;
  if (!view) return;
  const std::string wanted = Cp1251LowerString(name);
  for (const TFormControl& control : view->FormControls()) {
    const auto* list = qobject_cast<const QComboBox*>(control.Control);
    if (control.Kind != TFormControl::Select || !list || list->currentIndex() < 0 ||
        Cp1251LowerString(control.Name) != wanted)
      continue;
    QGuiApplication::clipboard()->setText(list->currentText());
    Report("Серийный номер скопирован");
  }
}

void TLinkCommands::ShowEnlargedPicture(const std::string& expanded) {
  const std::string picture(UrlWithoutFragment(expanded));
  if (!store_.BookFileExists(picture)) return;
  if (AskPictureWindows && AskPictureWindows(expanded)) return;
  const auto book = fileSystem_.ToHost(folders_.ProgramDir);
  if (!book || !desktop_->StartOwnCopy({"--book", book->string(), Cp1251ToUtf8(expanded)}))
    Report("Не удалось открыть окно с картинкой");
}

void TLinkCommands::CopyToPathBox(const std::string& file) {
  const TPathInputBox* boxes = host_.PathInputs();
  if (!boxes) return;
  const std::string_view name = FilePart(file);
  // Only the file's own name goes into the folder: nothing a link writes climbs out of it.
  const bool plainName = !name.empty() && name != "." && name != "..";
  const auto to = plainName ? boxes->CurrentFolder(host_.CurrentScreen()) : std::nullopt;
  if (!to || !CopyBookFile(store_, file, *to / fs::path(Cp1251ToUtf8(name))))
    Report("Не удалось скопировать файл");
}

void TLinkCommands::SaveZip(const std::string& file) {
  const auto chosen = desktop_->AskSaveFile(&host_.Window(), fs::path(zipFolder_),
                                            Cp1251ToUtf8(FilePart(file)), kZipFilter);
  if (!chosen) return;
  zipFolder_ = chosen->parent_path().string();
  if (!CopyBookFile(store_, file, *chosen)) Report("Не удалось скопировать файл");
}

void TLinkCommands::OpenExternal(const std::string& file, bool program) {
  const auto host = fileSystem_.ToHost(file);
  if (const auto folder = fileSystem_.ToHost(DosFolderOf(file)))
    desktop_->SetCurrentFolder(*folder);
  std::error_code ec;
  if (!host || !fs::is_regular_file(*host, ec)) {
    Report("Не удалось открыть файл");
  } else if (program && !desktop_->HasHandler(*host)) {
    // A Windows program runs here only through a handler the desktop has for such programs.
    Report("Программа не может быть запущена в этой системе");
  } else if (!desktop_->OpenFile(*host)) {
    Report(program ? "Программа не может быть запущена в этой системе" : "Не удалось открыть файл");
  }
}

void TLinkCommands::Report(const char* utf8Text) {
  if (TStatusLine* status = host_.StatusLine()) status->Show(*Utf8ToCp1251(utf8Text));
}

}  // namespace shelf
