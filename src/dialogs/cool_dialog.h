// The book's own drawn dialog: a borderless window on top of the book's windows that shows the
// pages Dialog.txt describes (messages, the find page with its result list, printer notices)
// with their buttons and group switches, fading in and cross-fading its elements.
#pragma once

#include <QImage>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_description.h"
#include "search/find_host.h"
#include "widgets/draw_target.h"
#include "widgets/eff_car.h"
#include "widgets/screen_pictures.h"

class QEventLoop;
class QKeyEvent;
class QListWidget;

namespace shelf {

class TBookStore;
class TEffBtnCar;
class THtmlFrame;
class TMyControl;
class TTextMsg;

// What the dialog needs of the main window.
class TCoolDialogHost {
 public:
  virtual ~TCoolDialogHost() = default;
  // The dialog is centred over it and stays above it.
  virtual QWidget& Window() = 0;
  virtual int CurrentScreen() const = 0;
  virtual bool Busy() const = 0;
  virtual bool ButtonSoundsOn() const = 0;
  virtual void PlayButtonSound(const std::string& name) = 0;
  // The window's Esc key: closes the dialog (or stops a running search).
  virtual void EscapeKey() = 0;
  virtual THtmlFrame* PageAreas() const = 0;
  virtual TTextMsg* TextMessages() const = 0;
  // Draws the search progress bar at its start into the dialog.
  virtual void PrepareSearchScale() = 0;
  // The find page's commands ("findnext1", "findtxtall", "findtxtlimit", "findtxtcontents"):
  // the find boxes run them, or stop the search under way.
  virtual void FindCommand(const std::string& command) { (void)command; }
  // A found page was opened from the result list: its first place of the text is selected.
  virtual void FindInFoundPage() {}
  virtual void SearchDialogClosed() {}
  // The find boxes sit on the dialog and show only with the find page.
  virtual void DialogPageShown(int page) { (void)page; }
};

class TCoolDialog : public QWidget, public TDrawTarget, public TFindDialog {
 public:
  // Page indexes the other parts show (the find page's comes with TFindDialog).
  static constexpr int kMessagePage = 0;
  // Results of the closing commands.
  static constexpr int kResultYes = 6, kResultNo = 7, kResultCancel = 2;

  // Takes the stored switch states from `settingsKey`; `hintsOn`: hints show on the elements.
  TCoolDialog(TCoolDialogHost& host, const TBookStore& store, std::string programDir,
              TDialogDescription description, std::string settingsKey, bool hintsOn);
  // Runs the closing steps when the dialog is still open, so stored switches are kept.
  ~TCoolDialog() override;

  // Lays out and shows page `page` (0-based) with `message`, modeless; returns the result of
  // the last closing command at once, or 2 when the page or its picture cannot be had.
  int ShowDialogPage(int page, const std::string& message);
  // The same, modal: waits until the reader has closed the page and returns its result.
  int ExecDialogPage(int page, const std::string& message);
  // A button's or switch's command; true when it closed the dialog.
  bool RunCommand(const std::string& command, const std::string& sound) override;
  // The found pages under the find page; no files: the page shrinks to its upper part.
  void ShowFindResults(const TDynamicStringArray& files,
                       const TDynamicStringArray& titles) override;
  void SetFindButtonHint(const std::string& text) override;
  // Opens the found page at `index` of the result list in the page area.
  void OpenFoundPage(int index);

  // Pointer handlers in dialog coordinates (the hint controls pass theirs on here too).
  void PointerMove(QPoint at);
  void PointerDown(QPoint at);
  void PointerUp(QPoint at);

  QImage& PageImage() { return pageImage_; }
  QWidget& Widget() override { return *this; }
  int CurrentPage() const override { return currentPage_; }
  int DialogResult() const { return dialogResult_; }
  int FullHeight() const { return fullHeight_; }
  const std::vector<QRect>& PageButtons() const { return pageButtons_; }
  const std::vector<TBtnPictures>& ButtonPictures() const { return buttonPictures_; }
  const std::vector<RDialogPage>& Pages() const { return pages_; }
  QListWidget* ResultList() const { return resultList_; }
  bool FadingIn() const { return fadeIn_.Running(); }
  const std::vector<TMyControl*>& HintControls() const { return hintControls_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Key preview: the dialog's keys (Esc, and Enter off the find page) come before the control
  // that has the keyboard.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // TDrawTarget: the cross-fades, the search progress bar and the dialog's labels draw here.
  void DrawOverlay(QPoint at, const QImage& image) override;
  void DrawOnBackground(QPoint at, const QImage& image) override;
  void RepaintArea(const QRect& area) override;

 private:
  // Pictures, hint controls, cross-fades and result list of the page shown last.
  void ReleasePage();
  // True when `key` is one of the dialog's own keys; it has then been acted on.
  bool DialogKey(const QKeyEvent& key);
  void RunClosing();
  void AddHint(const QRect& place, const std::string& hint);
  void FadeButton(std::size_t i, const QImage& from, const QImage& to);
  void FadeSwitch(std::size_t i, const QImage& from, const QImage& to);
  RDialogPage& Page() { return pages_[currentPage_]; }

  TCoolDialogHost& host_;
  const TBookStore& store_;
  std::string programDir_;
  std::vector<RDialogPage> pages_;
  std::string settingsKey_;
  bool hintsOn_;

  int currentPage_ = 0;
  int dialogResult_ = 0;
  int fullHeight_ = 0;
  bool open_ = false;              // shown and not yet closed
  QEventLoop* waiting_ = nullptr;  // of ExecDialogPage, ended by the closing
  QImage pageImage_;
  std::vector<QRect> pageButtons_;
  std::vector<TBtnPictures> buttonPictures_;
  std::vector<TSwitchPictures> switchPictures_;
  std::vector<TMyControl*> hintControls_;
  std::vector<std::unique_ptr<TEffBtnCar>> buttonFades_, switchFades_;
  std::map<std::pair<int, int>, QImage> overlays_;  // a fade's last frame at an element's corner
  QListWidget* resultList_ = nullptr;
  TDynamicStringArray resultFiles_;
  TEffCar fadeIn_;
};

// The dialog of a book that has Dialog.txt; none otherwise. Problems in the file go to stderr.
std::unique_ptr<TCoolDialog> CreateCoolDialog(TCoolDialogHost& host, const TBookStore& store,
                                              const TBookFolders& folders,
                                              const std::string& settingsKey, bool hintsOn);

// A message for the reader: on the dialog's message page, or, for a book without the dialog, in
// the desktop's own message box.
void ShowBookMessage(TCoolDialog* dialog, const std::string& message);

}  // namespace shelf
