// The book shell's main window: builds itself from the book's description, shows the current
// screen in its drawn, shaped window, forwards pointer and keys to the screen's elements and
// the command dispatcher, and opens and closes with its animations.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/interface_description.h"
#include "dialogs/cool_dialog.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "popup/control_popup_window.h"
#include "search/contents_host.h"
#include "search/contents_trees.h"
#include "settings/program_options.h"
#include "shell/book_archives.h"
#include "shell/book_dialogs.h"
#include "shell/book_fonts.h"
#include "shell/book_help.h"
#include "shell/book_media.h"
#include "shell/command_dispatcher.h"
#include "shell/keyboard_input.h"
#include "shell/plain_window.h"
#include "shell/pointer_input.h"
#include "shell/screen_elements.h"
#include "shell/shell_window.h"
#include "shell/window_animation.h"
#include "shell/window_messages.h"
#include "shell/window_search.h"
#include "widgets/busy_picture.h"

class QLabel;

namespace shelf {

struct TBookSession;
class TInstanceLock;
class TPanelBkgrd;
class TBusyPicture;
class TBookArchives;
class TWindowSearch;
class TFindTxtHtml;
class TUnRar;
class TTextMsg;
class TStatusLine;
class TPathInputBox;
class TScaleBar;
class TFormOptions;
class TSlideImage;
class TPlainToolBar;
class TShellOpen;
class TAboutBox;

// Owns the pieces the description asks for and wires them; the roles live in rooms of their
// own: the screen's elements, media, search, archives and the plain window.
class TMainForm : public QWidget,
                  private TShellWindow,
                  private TCommandHost,
                  private TPointerHost,
                  private THtmlFrameHost,
                  private TCoolDialogHost,
                  private TContentsHost,
                  private TPopupHost,
                  private TWindowMessagesHost,
                  private TPlainWindowHost {
  Q_OBJECT

 public:
  explicit TMainForm(TBookSession& session);
  ~TMainForm() override;

  // Builds the book shell. Returns the exit code when start-up must end here (no Struct.txt,
  // another copy already shows this book), nullopt when the window is on its way.
  std::optional<int> BuildBookShell();
  // The thesaurus window described by Tesaurus.txt, showing `page`. Returns the exit code when
  // another thesaurus window already runs.
  std::optional<int> SetUpThesaurusWindow(const std::string& page);
  // A help window (`help`) or a picture or page window for `file`: plain from the start.
  void SetUpPlainWindow(const std::string& file, bool help);

  // The drawn window becomes a plain, sizeable one with a toolbar, and back.
  void EnterPlainWindow() override;
  void LeavePlainWindow() {
    if (plain_) plain_->Leave();
  }
  // The toolbar's back and forward buttons and menus follow the page viewer's history.
  void UpdateHistoryMenus() {
    if (plain_) plain_->UpdateHistoryMenus();
  }
  // The thesaurus window at the entry of `word` (empty: the first entry).
  void LookUpThesaurus(const std::string& word) override;
  // The book's help file at `topic`, in the help window or on the desktop.
  void ShowHelpTopic(const std::string& topic) {
    help_.ShowHelpTopic(description_.HelpFile, topic);
  }
  // Where the window starts other copies of the program and hands files to the desktop.
  void SetDesktop(TShellOpen& desktop);
  bool PlainWindow() const { return plain_ && plain_->Shown(); }
  TPlainToolBar* PlainToolBar() const { return plain_ ? plain_->ToolBar() : nullptr; }

  // Shows the window with its opening animation.
  void ShowMainWindow();
  // Starts the closing animation, which ends the application.
  void CloseAllAndQuit();
  // Shows screen `screen` (0-based); `kind` and `index` name the element that asked for it.
  void SwitchScreen(int screen, TElementKind kind, int index) override;
  // While busy, commands are ignored and the pointer is an hourglass.
  void SetBusy(bool busy) override;
  // Lists a RAR archive (DOS path) in the current page area; the archive reader is made on
  // first use.
  void ShowArchive(const std::string& archive);
  // The archive reader, once an archive was listed.
  TUnRar* UnRar() const { return archives_ ? &archives_->UnRar() : nullptr; }
  // The window's messages with other copies (null until the shell is built).
  TWindowMessages* WindowMessages() const { return windowMessages_.get(); }
  TWindowBus* Bus() const { return bus_.get(); }
  // Opens a file dropped on the window (DOS path), by what its name says it is.
  void OpenDroppedFile(const std::string& dosPath);

  TCommandDispatcher& Dispatcher() { return dispatcher_; }
  const std::string& Title() const { return title_; }
  int CurrentScreen() const override { return currentScreen_; }
  TInterfaceDescription& Description() { return description_; }
  TScreenPictures& Pictures() override { return elements_.Pictures(); }
  bool NotMainShell() const override { return notMainShell_; }
  bool OpeningAnimationRunning() const { return animator_.Opening(); }
  bool ClosingAnimationRunning() const { return animator_.Closing(); }
  // The window's outline from the description; empty when the window is a plain rectangle.
  const QRegion& Shape() const { return shape_; }
  TPanelBkgrd* BackgroundPanel() const override { return backgroundPanel_; }
  THtmlFrame* PageAreas() const override { return htmlFrame_.get(); }
  // The book's drawn dialog; null when the book has no Dialog.txt.
  TCoolDialog* CoolDialog() const { return coolDialog_.get(); }
  TContentsTrees* ContentsTrees() const { return trees_.get(); }
  TControlPopupWindow* PopupWindows() const { return popups_.get(); }
  // The find boxes; null when the description has none.
  TFindTxtHtml* FindBoxes() const { return search_ ? search_->Finder() : nullptr; }
  QLabel* BusyAnimation() const { return busyPicture_; }
  // The reader's messages ("Файл скопирован"); null when the book has no labels.
  TStatusLine* StatusLine() const override { return statusLine_.get(); }
  TTextMsg* TextMessages() const override { return textMsg_.get(); }
  TPathInputBox* PathInputs() const override { return pathInputs_.get(); }
  // The reader's settings, read at start-up; the options dialog changes them.
  TProgramOptions& Options() { return options_; }
  TFormOptions* FormOptions() const { return dialogs_.Options(); }
  TSlideImage* SlideImages() const { return media_.Slides(); }
  TAboutBox* AboutBox() const { return dialogs_.AboutBox(); }
  bool FadeRunning(TElementKind kind, int index) const {
    return elements_.FadeRunning(kind, index);
  }
  // The clip and sound player (a ".wav" link plays through PlayLinkedSound) and the background
  // music (null: the book has no songs).
  TSound* Clips() const { return media_.Clips(); }
  TBackgroundMusic* Music() const { return media_.Music(); }
  // The title screen's film panel once "3d" has made it, and the start clip while it runs.
  TMyAviPlayer* VideoPanel() const { return media_.VideoPanel(); }
  TStartClip* StartClip() const { return media_.StartClip(); }
  // A sound from a page or a dropped file: background music pauses while it plays.
  void PlayLinkedSound(const std::string& file) { media_.PlayLinkedSound(file); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The window sees every key before the control that has the keyboard (the page, a path
  // box) and keeps the ones it acts on.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // TCommandHost
  bool Busy() const override { return busy_; }
  bool ButtonSoundsOn() const override { return options_.Wav; }
  void SetButtonSounds(bool on) override { dialogs_.SetButtonSounds(on); }
  void PlayButtonSound(const std::string& name) override { media_.PlayBookSound(name); }
  void CloseBook(TElementKind kind, int index) override;
  void Minimize(TElementKind kind, int index) override;
  int LastScreenWithPicture() const override;
  int ScreenCount() const override { return static_cast<int>(description_.Screens.size()); }
  void RunDocument(const std::string& file, const std::string& parameters) override;
  QPoint MapToScreen(QPoint windowPoint) const override { return mapToGlobal(windowPoint); }
  void ShiftPress(QPoint at) override { pointer_.PointerDown(at, true); }
  void ShowOptions() override { dialogs_.ShowOptions(); }
  void ShowAbout() override { dialogs_.ShowAbout(); }
  void StepPicture(bool forward) override { media_.StepPicture(forward); }
  void InstallPageFonts() override;
  void ShowVideoPanel(bool on) override { media_.ShowVideoPanel(on); }
  void HelpKey() override;
  // TContentsHost
  void SetChapterHints(const std::string& next, const std::string& previous) override;
  void ClosePopups() override {
    if (popups_) popups_->CloseAll();
  }
  // TPopupHost
  void RunButtonCommand(const std::string& command) override {
    dispatcher_.ExecuteCommand(command, command, true, TElementKind::Button, 0);
  }
  void ExtractShownArchive() override {
    if (archives_) archives_->UnRar().ExtractArchive(true, false);
  }
  // TPointerHost
  RScreen& Screen() override { return description_.Screens[currentScreen_]; }
  void FadeElement(TElementKind kind, int index, const QImage& from, const QImage& to) override {
    elements_.FadeElement(Screen(), kind, index, from, to);
  }
  void RedrawElement(TElementKind kind, int index) override {
    elements_.RedrawElement(Screen(), kind, index);
  }
  void Execute(const std::string& command, const std::string& sound, TElementKind kind,
               int index) override;
  void StartWindowDrag() override;
  // TShellWindow
  QWidget& Window() override { return *this; }
  // TPlainWindowHost
  void ShowDrawnPieces(bool shown) override;
  void RestoreDrawnShape() override;
  // THtmlFrameHost
  void PointerLeftElements() override { pointer_.PointerMove(QPoint(-1, -1)); }
  bool ChooseFonts(TPageFontSettings& fonts) override { return dialogs_.ChooseFonts(fonts); }
  // TCoolDialogHost
  void EscapeKey() override;
  void PrepareSearchScale() override;
  bool ListingFlag(bool archiveMode, const std::string& page) override {
    return archives_ ? archives_->UnRar().UpdateListingFlag(archiveMode, page) : archiveMode;
  }
  // TWindowMessagesHost
  bool HasPageAreas() const override { return htmlFrame_ != nullptr; }
  bool ThesaurusWindow() const override { return thesaurusWindow_; }
  std::string CurrentPageFile() const override {
    const TFrameViewer* viewer = CurrentViewer();
    return viewer ? viewer->CurrentFile() : std::string();
  }
  void LoadPage(const std::string& file) override {
    if (htmlFrame_) htmlFrame_->OpenLinkedPage(file);
  }
  void DispatchCommand(const std::string& command) override {
    dispatcher_.ExecuteCommand(command, "", true, TElementKind::Button, 0);
  }
  void PrintPage(const std::string& file, const TPicturePrint& picture) override;
  std::string ShownFile() const override { return shownFile_; }
  void CloseWindow() override { close(); }
  void FindCommand(const std::string& command) override {
    if (search_) search_->FindCommand(command);
  }
  void FindInFoundPage() override {
    if (search_) search_->FindInFoundPage();
  }
  void SearchDialogClosed() override {
    if (search_) search_->SearchDialogClosed();
  }
  void DialogPageShown(int page) override {
    if (search_) search_->DialogPageShown(page);
  }
  // The page viewer of the current screen; null when it has none.
  TFrameViewer* CurrentViewer() const {
    return htmlFrame_ ? htmlFrame_->CurrentScreenViewer() : nullptr;
  }

  // Pieces every role builds: the page areas with their history hooks, the messages with
  // other copies, the search with its find boxes (on the dialog, or on the window without one).
  void CreatePageAreas();
  void CreateWindowMessages();
  void CreateSearch();
  // The window and application icon from the book's "icon" file, when it can be read.
  void ApplyBookIcon();
  void LoadScreen();
  void PlaceHintControls() { elements_.PlaceHints(Screen(), options_.Hint); }
  void ReplaySwitches(bool twoPasses);
  // After the closing animation: the exit button's sound and the music's fade-out play out,
  // then the program ends, while nothing holds the event loop.
  void PlayOutAndQuit();

  TBookSession& session_;
  TInterfaceDescription description_;
  TScreenElements elements_;
  TCommandDispatcher dispatcher_;
  TPointerInput pointer_;
  TKeyboardInput keyboard_;
  std::string title_;
  int currentScreen_ = 0;
  int exitButton_ = -1;
  bool notMainShell_ = false;
  bool shellBuilt_ = false;  // the stored switch states were read, so they are written back
  bool busy_ = false;
  TProgramOptions options_;
  QImage screenPicture_;  // the current screen's background picture as loaded
  QRegion shape_;
  std::unique_ptr<TInstanceLock> instanceLock_;
  TBookMedia media_;
  std::unique_ptr<TTextMsg> textMsg_;
  std::unique_ptr<TStatusLine> statusLine_;
  std::unique_ptr<THtmlFrame> htmlFrame_;
  std::unique_ptr<TPathInputBox> pathInputs_;
  std::unique_ptr<TControlPopupWindow> popups_;
  std::unique_ptr<TContentsTrees> trees_;
  std::unique_ptr<TScaleBar> scaleBar_;
  std::unique_ptr<TCoolDialog> coolDialog_;
  std::unique_ptr<TBookArchives> archives_;  // made when the first archive is shown
  std::unique_ptr<TWindowBus> bus_;
  std::unique_ptr<TWindowMessages> windowMessages_;
  std::unique_ptr<TWindowSearch> search_;  // its boxes sit on the dialog: goes first
  TBookDialogs dialogs_{*this, session_, options_};
  TPanelBkgrd* backgroundPanel_ = nullptr;
  TBusyPicture* busyPicture_ = nullptr;  // a child of the window
  TBookFonts fonts_{session_};
  std::optional<QPoint> manualDrag_;  // where the pointer took the window, when moved by hand
  bool thesaurusWindow_ = false;
  bool helpWindow_ = false;
  std::string shownFile_;                // the file a help or picture window was started with
  std::unique_ptr<TPlainWindow> plain_;  // made when the window first turns plain
  TBookHelp help_;

  TWindowAnimator animator_{*this, shape_, [this] { PlayOutAndQuit(); }};
};

}  // namespace shelf
