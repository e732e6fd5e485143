#include "popup/control_popup_window.h"

#include <charconv>
#include <optional>

#include "pages/history_lists.h"
#include "pages/html_favorite.h"
#include "pages/html_frame.h"
#include "store/book_folders.h"
#include "store/book_text.h"

namespace shelf {
namespace {

// A whole decimal number, or nothing: "history=" and "htmlpos=" with anything else are ignored.
std::optional<int> Decimal(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

void FillSlots(TPopupWindow* popup, const THistorySlots& list) {
  if (!popup) return;
  for (int i = 0; i < kHistorySlots && i < popup->ItemCount(); ++i) {
    if (list[i].Shown) popup->SetItem(i, list[i].Caption, list[i].Command);
    popup->ShowItem(i, list[i].Shown);
  }
}

}  // namespace

std::unique_ptr<TControlPopupWindow> CreateControlPopupWindow(TPopupHost& host,
                                                              const std::vector<RScreen>& screens,
                                                              const TBookStore& store,
                                                              const TBookFolders& folders,
                                                              std::string settingsKey) {
  for (const RScreen& screen : screens)
    if (!screen.Popups.empty())
      return std::make_unique<TControlPopupWindow>(host, store, folders, std::move(settingsKey));
  return nullptr;
}

TControlPopupWindow::TControlPopupWindow(TPopupHost& host, const TBookStore& store,
                                         const TBookFolders& folders, std::string settingsKey)
    : host_(host), store_(store), folders_(folders), settingsKey_(std::move(settingsKey)) {
  BuildPopups();
}

TControlPopupWindow::~TControlPopupWindow() = default;

void TControlPopupWindow::BuildPopups() {
  const RScreen& screen = host_.Screen();
  // A popup's own item may have changed the screen: the old popups go once their events are
  // over. Their favorites are saved now, before the new screen's popups read them.
  for (auto& old : popups_) {
    old->Favorites.reset();
    old->OnItemCommand = nullptr;
    old->hide();
    old.release()->deleteLater();
  }
  popups_.clear();
  for (const RPopupData& record : screen.Popups) {
    auto popup = std::make_unique<TPopupWindow>(record, store_, folders_.ProgramDir);
    popup->OnItemCommand = [this](const std::string& command) { RunItemCommand(command); };
    if (record.Kind == kPopupHistoryBack || record.Kind == kPopupHistoryForward) {
      popup->SetItemCount(kHistorySlots);
    } else if (record.Kind == kPopupFavorite) {
      popup->SetItemCount(0);
      popup->Favorites = std::make_unique<THtmlFavorite>(*popup, settingsKey_);
    } else {
      popup->SetItemCount(0);
      for (size_t k = 0; k < record.Commands.size(); ++k)
        popup->AddItem(k < record.Captions.size() ? record.Captions[k] : std::string(),
                       record.Commands[k]);
    }
    popups_.push_back(std::move(popup));
  }
  RefreshHistoryLists();
}

TPopupWindow* TControlPopupWindow::Popup(int number) const {
  for (const auto& popup : popups_)
    if (popup->Kind() == number) return popup.get();
  return nullptr;
}

void TControlPopupWindow::ShowPopup(int number, QPoint point) {
  const bool deleting = number == kDeleteFavorite;
  TPopupWindow* popup = Popup(deleting ? kPopupFavorite : number);
  if (!popup || !popup->HasShownItem()) return;
  CloseAll();
  if (number == kPopupHistoryBack) point.rx() -= popup->width();  // opens left of the point
  popup->DeleteMode = deleting;
  const int screen = host_.CurrentScreen();
  popup->ShowAt(point, host_.Window(), screen == THtmlFrame::kReadingScreen, screen == 0);
}

void TControlPopupWindow::CloseAll() {
  for (const auto& popup : popups_)
    if (popup->isVisible()) popup->Close();
}

void TControlPopupWindow::RefreshHistoryLists() {
  const THtmlFrame* pages = host_.PageAreas();
  std::vector<std::string> titles;
  int current = 0;
  if (!pages || !pages->HistoryTitles(titles, current)) return;
  FillSlots(Popup(kPopupHistoryBack), BackListSlots(titles, current));
  FillSlots(Popup(kPopupHistoryForward), ForwardListSlots(titles, current));
}

THtmlFavorite* TControlPopupWindow::Favorites() const {
  const TPopupWindow* popup = Popup(kPopupFavorite);
  return popup ? popup->Favorites.get() : nullptr;
}

void TControlPopupWindow::AddFavorite() {
  THtmlFavorite* favorites = Favorites();
  const THtmlFrame* pages = host_.PageAreas();
  std::string title, file;
  int position = 0;
  if (favorites && pages && pages->CurrentPlace(title, file, position))
    favorites->AddFavorite(title, file, position);
}

void TControlPopupWindow::RunItemCommand(const std::string& command) {
  THtmlFrame* pages = host_.PageAreas();
  const std::string word = CommandWord(command);
  if (word == "history") {
    const auto index = Decimal(ValueBetweenEquals(command, folders_));
    if (pages && index) pages->SetHistoryIndex(*index);
  } else if (word == "html") {
    if (pages) pages->OpenLinkedPage(ValueBetweenEquals(command, folders_));
  } else if (word == "htmlpos") {
    const auto position = Decimal(ValueAfterLastEquals(command, folders_));
    if (pages && position) pages->OpenPageAt(ValueBetweenEquals(command, folders_), *position);
  } else if (command == "copyclipboardhtml") {
    if (pages) pages->CopySelection();
  } else if (command == "addtofavorite") {
    AddFavorite();
  } else if (command == "deffonthtml") {
    if (pages) pages->ChooseFonts();
  } else if (command == "selectallhtml") {
    if (pages) pages->SelectAll();
  } else if (command == "printhtml") {
    // Printing the page on show is the dispatcher's "printhtml".
    if (pages) host_.RunButtonCommand(command);
  } else {
    host_.RunButtonCommand(command);
  }
}

}  // namespace shelf
