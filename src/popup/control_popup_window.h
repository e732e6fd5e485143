// The popup manager: builds the drawn popups of the screen on show from the description,
// opens them on request (history lists, favorites, context menus), keeps the history lists and
// favorites filled, and runs the commands of the items the reader chooses.
#pragma once

#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "popup/popup_window.h"

class QWidget;

namespace shelf {

class TBookStore;
class THtmlFrame;
class THtmlFavorite;
struct TBookFolders;

// What the popups need of the main window.
class TPopupHost {
 public:
  virtual ~TPopupHost() = default;
  virtual int CurrentScreen() const = 0;
  virtual RScreen& Screen() = 0;
  virtual QWidget& Window() = 0;
  virtual THtmlFrame* PageAreas() const = 0;
  // A command no popup rule knows goes to the dispatcher as a button's, without its sound.
  virtual void RunButtonCommand(const std::string& command) = 0;
};

class TControlPopupWindow {
 public:
  // The popup that deletes favorites: the favorites popup in delete mode.
  static constexpr int kDeleteFavorite = -4;

  TControlPopupWindow(TPopupHost& host, const TBookStore& store, const TBookFolders& folders,
                      std::string settingsKey);
  ~TControlPopupWindow();

  // After every screen change: the popups of the screen on show replace the previous ones.
  void BuildPopups();
  // Opens popup `number` at `point` (screen coordinates); nothing when the screen has no such
  // popup or it has no item to show.
  void ShowPopup(int number, QPoint point);
  void CloseAll();
  // The popup of the current screen with that number, null when there is none.
  TPopupWindow* Popup(int number) const;
  // Fills the two history lists from the page on show.
  void RefreshHistoryLists();
  // The favorites of the current screen's favorites popup, null when it has none.
  THtmlFavorite* Favorites() const;
  // "addtofavorite": the page on show joins the favorites.
  void AddFavorite();
  // Runs a chosen item's command.
  void RunItemCommand(const std::string& command);
  const std::vector<std::unique_ptr<TPopupWindow>>& Popups() const { return popups_; }

 private:
  TPopupHost& host_;
  const TBookStore& store_;
  const TBookFolders& folders_;
  std::string settingsKey_;
  std::vector<std::unique_ptr<TPopupWindow>> popups_;
};

// The popup manager, or none when no screen of the description has a popup.
std::unique_ptr<TControlPopupWindow> CreateControlPopupWindow(TPopupHost& host,
                                                              const std::vector<RScreen>& screens,
                                                              const TBookStore& store,
                                                              const TBookFolders& folders,
                                                              std::string settingsKey);

}  // namespace shelf
