// What a window of the program answers to other copies (open a page, print a file, which
// picture do you show) and the two questions it asks them itself: whether an enlarged-picture
// window already shows a picture, and handing a page to the running thesaurus window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/copy_data_record.h"
#include "platform/window_bus.h"

namespace shelf {

class TDosFileSystem;
struct TBookFolders;

// How a print request wants a picture printed.
struct TPicturePrint {
  bool PrintPicture = false;
  int Width = 0;
  int Height = 0;
};

// What the requests act on: the window that answers.
class TWindowMessagesHost {
 public:
  virtual ~TWindowMessagesHost() = default;
  virtual bool HasPageAreas() const = 0;
  // This copy is the thesaurus window.
  virtual bool ThesaurusWindow() const = 0;
  // This copy is a help, picture or page window (or a thesaurus window): not the book shell.
  virtual bool NotMainShell() const { return false; }
  virtual int CurrentScreen() const = 0;
  // The page the current page area shows (DOS form); empty when none.
  virtual std::string CurrentPageFile() const = 0;
  // The current page area loads `file`.
  virtual void LoadPage(const std::string& file) = 0;
  // Runs a command as a button with index 0 would, without its sound.
  virtual void DispatchCommand(const std::string& command) = 0;
  // Prints `file` with the print preview.
  virtual void PrintPage(const std::string& file, const TPicturePrint& picture) = 0;
  // The picture or page a help or picture window was started with; empty in the shell.
  virtual std::string ShownFile() const = 0;
  // Another copy asks this window to close.
  virtual void CloseWindow() {}
};

class TWindowMessages {
 public:
  static constexpr int kAnswerSteps = 10;
  static constexpr int kAnswerStepMs = 50;

  // Answers what arrives on `bus`.
  TWindowMessages(TWindowMessagesHost& host, TWindowBus& bus, const TDosFileSystem& fileSystem,
                  const TBookFolders& folders);

  void HandleCopyData(const CopyDataRecord& record, const TWindowId& sender);
  void HandleMessage(int code, std::int64_t parameter, const TWindowId& sender);

  // Asks every visible enlarged-picture window whether it shows `picture` (the expanded name,
  // anchor included) and brings the first that does to the front; false when none does.
  bool PictureShownElsewhere(const std::string& picture);
  // Restores the running thesaurus window, brings it to the front and has it show `page`;
  // false when no thesaurus window is open.
  bool ShowInThesaurus(const std::string& page);
  // The same for the running help window.
  bool ShowInHelpWindow(const std::string& page);
  // The book's other windows close with the shell: the help and thesaurus windows, the wiring
  // diagram windows and, from the shell itself (`pictures`), the enlarged-picture windows.
  void CloseBookWindows(bool pictures);

  // The file of the last print request.
  const std::string& PendingFile() const { return pendingFile_; }
  const TPicturePrint& PicturePrint() const { return picture_; }

 private:
  void OpenPage(const std::string& page, const TWindowId& sender);
  void PrintRequest(const CopyDataRecord& record);
  void PrintPending();
  // Restores the first visible window captioned `caption` (UTF-8), brings it to the front and
  // has it show `page`; false when there is none.
  bool HandPageTo(const char* caption, const std::string& page);

  TWindowMessagesHost& host_;
  TWindowBus& bus_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  std::string pendingFile_;
  TPicturePrint picture_;
  bool answerArrived_ = false;
  bool answerYes_ = false;
};

}  // namespace shelf
