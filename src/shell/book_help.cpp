#include "shell/book_help.h"

#include <QMessageBox>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/shell_open.h"
#include "shell/help_topic.h"
#include "shell/thesaurus_lookup.h"
#include "shell/window_messages.h"
#include "widgets/status_line.h"

namespace shelf {

TBookHelp::TBookHelp(QWidget& window, const TBookSession& session)
    : window_(window),
      session_(session),
      ownDesktop_(std::make_unique<TShellOpen>()),
      desktop_(ownDesktop_.get()) {}

TBookHelp::~TBookHelp() = default;

void TBookHelp::SetPieces(TWindowMessages* messages, TStatusLine* status) {
  messages_ = messages;
  status_ = status;
}

void TBookHelp::ShowHelpTopic(const std::string& helpFile, const std::string& topic) {
  THelpTopic help(session_.Store, session_.FileSystem, session_.Folders, *desktop_);
  help.HandOver = [this](const std::string& page) {
    return messages_ && messages_->ShowInHelpWindow(page);
  };
  if (help.ShowHelpTopic(helpFile, topic) == THelpTopic::TResult::NothingShowsIt && status_)
    status_->Show(*Utf8ToCp1251("Нет программы, которая может показать файл справки"));
}

void TBookHelp::LookUpThesaurus(const std::string& word,
                                const std::function<void(const std::string& page)>& showHere) {
  TThesaurusLookup lookup(session_.Store, session_.FileSystem, session_.Folders, *desktop_);
  lookup.OnWarning = [this](const std::string& text) {
    QMessageBox::warning(&window_, QString(), ToQString(text), QMessageBox::Ok);
  };
  lookup.HandOver = [this, &showHere](const std::string& page) {
    if (showHere) showHere(page);  // the thesaurus window is its own running one
    return showHere || (messages_ && messages_->ShowInThesaurus(page));
  };
  lookup.LookUpThesaurus(word);
}

}  // namespace shelf
