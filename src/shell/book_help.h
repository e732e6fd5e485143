// Help and thesaurus lookups of the book window: the book's help file at a topic and the
// thesaurus entry of a word, handed to the running help or thesaurus window when there is one,
// else started; and the desktop they and the page links hand files to.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace shelf {

struct TBookSession;
class TShellOpen;
class TStatusLine;
class TWindowMessages;

class TBookHelp {
 public:
  // Warnings stand over `window`.
  TBookHelp(QWidget& window, const TBookSession& session);
  ~TBookHelp();

  // Where other copies of the program are started and files handed to the desktop.
  TShellOpen& Desktop() const { return *desktop_; }
  void SetDesktop(TShellOpen& desktop) { desktop_ = &desktop; }
  // The running help and thesaurus windows are asked through `messages`; "no program shows
  // the help file" goes to `status`. Either may be missing.
  void SetPieces(TWindowMessages* messages, TStatusLine* status);

  // `helpFile`: the book's help file (full DOS name); `topic`: "Topic12" and the like.
  void ShowHelpTopic(const std::string& helpFile, const std::string& topic);
  // The thesaurus window at the entry of `word` (empty: the first entry). In the thesaurus
  // window itself, `showHere` shows the page.
  void LookUpThesaurus(const std::string& word,
                       const std::function<void(const std::string& page)>& showHere);

 private:
  QWidget& window_;
  const TBookSession& session_;
  std::unique_ptr<TShellOpen> ownDesktop_;
  TShellOpen* desktop_;
  TWindowMessages* messages_ = nullptr;
  TStatusLine* status_ = nullptr;
};

}  // namespace shelf
