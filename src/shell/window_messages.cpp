#include "shell/window_messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_folders.h"
#include "store/book_text.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

std::string FileNameOf(const std::string& dosPath) {
  const std::size_t slash = dosPath.find_last_of("\\/:");
  return slash == std::string::npos ? dosPath : dosPath.substr(slash + 1);
}

// A whole decimal integer, or nullopt.
std::optional<int> DecimalOf(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

TWindowMessages::TWindowMessages(TWindowMessagesHost& host, TWindowBus& bus,
                                 const TDosFileSystem& fileSystem, const TBookFolders& folders)
    : host_(host), bus_(bus), fileSystem_(fileSystem), folders_(folders) {
  bus_.OnCopyData = [this](const CopyDataRecord& record, const TWindowId& sender) {
    HandleCopyData(record, sender);
  };
  bus_.OnMessage = [this](int code, std::int64_t parameter, const TWindowId& sender) {
    HandleMessage(code, parameter, sender);
  };
}

void TWindowMessages::HandleCopyData(const CopyDataRecord& record, const TWindowId& sender) {
  if (!host_.HasPageAreas()) return;
  switch (record.Kind) {
    case CopyDataRecord::kOpenPage:
      OpenPage(record.Items[0], sender);
      break;
    case CopyDataRecord::kPrintFile:
      PrintRequest(record);
      break;
    case CopyDataRecord::kPictureQuery: {
      picture_.PrintPicture = true;
      const bool yes = record.ItemTypes[0] == 0 && TrimText(host_.ShownFile()) == record.Items[0];
      if (!sender.empty()) bus_.SendMessageTo(sender, TWindowBus::kPictureAnswer, yes ? 1 : 0);
      break;
    }
    default:
      break;
  }
}

void TWindowMessages::OpenPage(const std::string& page, const TWindowId& sender) {
  // The thesaurus and the help window take the full page name and show it; they send no reply.
  if (host_.ThesaurusWindow() || host_.NotMainShell()) {
    host_.LoadPage(page);
    return;
  }
  if (host_.CurrentScreen() >= 1) {
    if (Cp1251LowerString(page) != Cp1251LowerString(FileNameOf(host_.CurrentPageFile())))
      host_.LoadPage(folders_.ProgramDir + page);
  } else {
    pendingFile_ = "screen2=" + folders_.ProgramDir + page;
    host_.DispatchCommand(pendingFile_);
  }
  if (!sender.empty()) bus_.PostMessageTo(sender, TWindowBus::kPageShown, 0);
}

void TWindowMessages::PrintRequest(const CopyDataRecord& record) {
  picture_.PrintPicture = true;
  for (std::size_t i = 0; i < std::min<std::size_t>(record.Count, 3); ++i) {
    const std::string& text = record.Items[i];
    if (record.ItemTypes[i] == 0) {
      pendingFile_ = text;
      continue;
    }
    if (record.ItemTypes[i] != 1 && record.ItemTypes[i] != 2) continue;
    const auto value = DecimalOf(text);
    if (!value) {
      // The rest of this request is not carried out.
      std::cerr << "shelf: a print request's picture size \"" << Cp1251ToUtf8(text)
                << "\" is not a whole number\n";
      return;
    }
    (record.ItemTypes[i] == 1 ? picture_.Width : picture_.Height) = *value;
  }
  if (!bus_.Id().empty()) bus_.PostMessageTo(bus_.Id(), TWindowBus::kPrintPending, 0);
}

void TWindowMessages::HandleMessage(int code, std::int64_t parameter, const TWindowId&) {
  if (code == TWindowBus::kClose) {
    host_.CloseWindow();
  } else if (code == TWindowBus::kPrintPending) {
    PrintPending();
  } else if (code == TWindowBus::kPictureAnswer) {
    answerArrived_ = true;
    answerYes_ = parameter == 1;
  }
}

void TWindowMessages::PrintPending() {
  host_.PrintPage(pendingFile_, picture_);
  // Only a print file a sender left in the program's own temporary folder is ours to delete;
  // a request must not be able to delete any other file of the reader's.
  const auto file = fileSystem_.ToHost(pendingFile_);
  const auto temp = fileSystem_.ToHost(folders_.TempDir);
  if (!file || !temp) return;
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(*file, ec);
  const fs::path folder = fs::weakly_canonical(*temp, ec);
  const fs::path relative = real.lexically_relative(folder);
  if (!ec && !relative.empty() && *relative.begin() != ".." && *relative.begin() != "." &&
      fs::is_regular_file(fs::symlink_status(real, ec)))
    fs::remove(real, ec);
}

bool TWindowMessages::PictureShownElsewhere(const std::string& picture) {
  answerArrived_ = answerYes_ = false;
  for (const TWindowId& window :
       TWindowBus::VisibleWindows(*Utf8ToCp1251("Увеличенная картинка"))) {
    answerArrived_ = answerYes_ = false;
    bus_.SendCopyDataTo(window, CopyDataRecord::Make(CopyDataRecord::kPictureQuery, picture));
    for (int step = 0; step < kAnswerSteps && !answerArrived_; ++step) {
      QElapsedTimer wait;
      wait.start();
      while (!answerArrived_ && wait.elapsed() < kAnswerStepMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(1);
      }
    }
    if (answerArrived_ && answerYes_) {
      bus_.BringToFront(window);
      return true;
    }
  }
  return false;
}

bool TWindowMessages::ShowInThesaurus(const std::string& page) {
  return HandPageTo("Тезаурус", page);
}

bool TWindowMessages::ShowInHelpWindow(const std::string& page) {
  return HandPageTo("Помощь", page);
}

void TWindowMessages::CloseBookWindows(bool pictures) {
  const auto close = [this](const char* caption, bool every) {
    for (const TWindowId& window : TWindowBus::VisibleWindows(*Utf8ToCp1251(caption))) {
      if (window == bus_.Id()) continue;
      bus_.PostMessageTo(window, TWindowBus::kClose, 0);
      if (!every) return;
    }
  };
  close("Помощь", false);
  close("Тезаурус", false);
  close("Электросхема", true);
  if (pictures) close("Увеличенная картинка", true);
}

bool TWindowMessages::HandPageTo(const char* caption, const std::string& page) {
  const auto window = TWindowBus::FindVisibleWindow(*Utf8ToCp1251(caption));
  if (!window || *window == bus_.Id()) return false;
  bus_.BringToFront(*window);
  return bus_.SendCopyDataTo(*window, CopyDataRecord::Make(CopyDataRecord::kOpenPage, page));
}

}  // namespace shelf
