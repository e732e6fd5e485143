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

#include "archive/unrar.h"
#include "book/interface_description.h"
#include "dialogs/cool_dialog.h"
#include "media/sound.h"
#include "pages/html_frame.h"
#include "popup/control_popup_window.h"
#include "search/contents_host.h"
#include "search/contents_trees.h"
#include "search/find_host.h"
#include "search/find_txt_html.h"
#include "settings/program_options.h"
#include "shell/command_dispatcher.h"
#include "shell/keyboard_input.h"
#include "shell/pointer_input.h"
#include "shell/window_messages.h"
#include "widgets/draw_target.h"
#include "widgets/screen_pictures.h"
#include "widgets/super_timer.h"

class QMovie;
class QLabel;
class QBuffer;

namespace shelf {

struct TBookSession;
class TInstanceLock;
class TOpeningAnimation;
class TClosingAnimation;
class TMyControl;
class TPanelBkgrd;
class TBackgroundMusic;
class TButtonSound;
class TMyAviPlayer;
class TStartClip;
class TCodecInstaller;
class TEffBtnCar;
class TTextMsg;
class TStatusLine;
class TPathInputBox;
class TScaleBar;
class TFormOptions;
class TSlideImage;
class TNavFont;
class TPlainToolBar;
class TShellOpen;
class TAboutBox;

class TMainForm : public QWidget,
                  private TCommandHost,
                  private TPointerHost,
                  private TDrawTarget,
                  private THtmlFrameHost,
                  private TCoolDialogHost,
                  private TContentsHost,
                  private TPopupHost,
                  private TUnRarHost,
                  private TWindowMessagesHost,
                  private TFindHost,
                  private TSoundHost {
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
  void LeavePlainWindow();
  // The toolbar's back and forward buttons and menus follow the page viewer's history.
  void UpdateHistoryMenus();
  // The thesaurus window at the entry of `word` (empty: the first entry).
  void LookUpThesaurus(const std::string& word) override;
  // The book's help file at `topic`, in the help window or on the desktop.
  void ShowHelpTopic(const std::string& topic);
  // Where the window starts other copies of the program and hands files to the desktop.
  void SetDesktop(TShellOpen& desktop);
  bool PlainWindow() const { return plainWindow_; }
  TPlainToolBar* PlainToolBar() const { return plainBar_.get(); }

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
  TUnRar* UnRar() const { return unRar_.get(); }
  // The window's messages with other copies (null until the shell is built).
  TWindowMessages* WindowMessages() const { return windowMessages_.get(); }
  TWindowBus* Bus() const { return bus_.get(); }
  // Opens a file dropped on the window (DOS path), by what its name says it is.
  void OpenDroppedFile(const std::string& dosPath);

  TCommandDispatcher& Dispatcher() { return dispatcher_; }
  const std::string& Title() const { return title_; }
  int CurrentScreen() const override { return currentScreen_; }
  TInterfaceDescription& Description() { return description_; }
  TScreenPictures& Pictures() override { return pictures_; }
  bool NotMainShell() const override { return notMainShell_; }
  bool OpeningAnimationRunning() const { return openingTimer_.Enabled(); }
  bool ClosingAnimationRunning() const { return closingTimer_.Enabled(); }
  // The window's outline from the description; empty when the window is a plain rectangle.
  const QRegion& Shape() const { return shape_; }
  TPanelBkgrd* BackgroundPanel() const override;
  THtmlFrame* PageAreas() const override { return htmlFrame_.get(); }
  // The book's drawn dialog; null when the book has no Dialog.txt.
  TCoolDialog* CoolDialog() const { return coolDialog_.get(); }
  TContentsTrees* ContentsTrees() const { return trees_.get(); }
  TControlPopupWindow* PopupWindows() const { return popups_.get(); }
  // The find boxes; null when the description has none.
  TFindTxtHtml* FindBoxes() const { return finder_.get(); }
  QLabel* BusyAnimation() const { return busyLabel_; }
  // The reader's messages ("Файл скопирован"); null when the book has no labels.
  TStatusLine* StatusLine() const override { return statusLine_.get(); }
  TTextMsg* TextMessages() const override { return textMsg_.get(); }
  TPathInputBox* PathInputs() const override { return pathInputs_.get(); }
  // The reader's settings, read at start-up; the options dialog changes them.
  TProgramOptions& Options() { return options_; }
  TFormOptions* FormOptions() const { return formOptions_.get(); }
  TSlideImage* SlideImages() const { return slides_.get(); }
  TAboutBox* AboutBox() const { return aboutBox_.get(); }
  bool FadeRunning(TElementKind kind, int index) const;
  // The clip and sound player (a ".wav" link plays through PlayLinkedSound) and the background
  // music (null: the book has no songs).
  TSound* Clips() const { return clips_.get(); }
  TBackgroundMusic* Music() const { return music_.get(); }
  // The title screen's film panel once "3d" has made it, and the start clip while it runs.
  TMyAviPlayer* VideoPanel() const { return videoPanel_.get(); }
  TStartClip* StartClip() const { return startClip_.get(); }
  // A sound from a page or a dropped file: background music pauses while it plays.
  void PlayLinkedSound(const std::string& file);

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
  void SetButtonSounds(bool on) override;
  void PlayButtonSound(const std::string& name) override;
  void CloseBook(TElementKind kind, int index) override;
  void Minimize(TElementKind kind, int index) override;
  int LastScreenWithPicture() const override;
  int ScreenCount() const override { return static_cast<int>(description_.Screens.size()); }
  void RunDocument(const std::string& file, const std::string& parameters) override;
  QPoint MapToScreen(QPoint windowPoint) const override { return mapToGlobal(windowPoint); }
  void ShiftPress(QPoint at) override { pointer_.PointerDown(at, true); }
  void ShowOptions() override;
  void ShowAbout() override;
  void StepPicture(bool forward) override;
  void InstallPageFonts() override;
  void ShowVideoPanel(bool on) override;
  void HelpKey() override;
  // TContentsHost
  void SetChapterHints(const std::string& next, const std::string& previous) override;
  void ClosePopups() override;
  // TPopupHost
  void RunButtonCommand(const std::string& command) override;
  void ExtractShownArchive() override;
  // TPointerHost
  RScreen& Screen() override { return description_.Screens[currentScreen_]; }
  void FadeElement(TElementKind kind, int index, const QImage& from, const QImage& to) override;
  void RedrawElement(TElementKind kind, int index) override;
  void Execute(const std::string& command, const std::string& sound, TElementKind kind,
               int index) override;
  void StartWindowDrag() override;
  // THtmlFrameHost
  QWidget& Window() override { return *this; }
  void PointerLeftElements() override { pointer_.PointerMove(QPoint(-1, -1)); }
  bool ChooseFonts(TPageFontSettings& fonts) override;
  // TCoolDialogHost
  void EscapeKey() override;
  void PrepareSearchScale() override;
  bool ListingFlag(bool archiveMode, const std::string& page) override;
  // TUnRarHost
  void ShowArchiveMessage(const std::string& text) override;
  bool AskArchiveQuestion(const std::string& text) override;
  void OpenListingPage(const std::string& page) override;
  bool ArchiveMode() const override;
  std::optional<std::filesystem::path> ChosenFolder() const override;
  // TWindowMessagesHost
  bool HasPageAreas() const override { return htmlFrame_ != nullptr; }
  bool ThesaurusWindow() const override { return thesaurusWindow_; }
  std::string CurrentPageFile() const override;
  void LoadPage(const std::string& file) override;
  void DispatchCommand(const std::string& command) override;
  void PrintPage(const std::string& file, const TPicturePrint& picture) override;
  std::string ShownFile() const override { return shownFile_; }
  void CloseWindow() override { close(); }
  void FindCommand(const std::string& command) override;
  void FindInFoundPage() override;
  void SearchDialogClosed() override;
  void DialogPageShown(int page) override;
  // TFindHost
  bool MatchCase() const override { return dispatcher_.CaseSensitiveFind(); }
  void ShowStatus(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  TFrameViewer* CurrentViewer() const override;
  void OpenFoundFile(const std::string& file) override;
  bool FindCaption(const std::string& text) override;
  TCoolDialog* SearchDialog() const override { return coolDialog_.get(); }
  TScaleBar* SearchScale() const override { return scaleBar_.get(); }
  // TSoundHost
  void ShowClipPage(int area, const std::string& page) override;
  void DecoderMissing(const std::string& need) override;
  void SetWaitCursor(bool wait) override;
  // TDrawTarget
  void DrawOverlay(QPoint at, const QImage& image) override;
  void DrawOnBackground(QPoint at, const QImage& image) override;
  void RepaintArea(const QRect& area) override;

  bool ReadDescription();
  // The lines of a description file of the book, lower-cased; empty when it is missing.
  TDynamicStringArray DescriptionLines(const std::string& name) const;
  // Pieces every role builds: the page areas with their history hooks, the messages with
  // other copies, the find boxes (on the dialog, or on the window without one).
  void CreatePageAreas();
  void CreateWindowMessages();
  void CreateFindBoxes();
  // The caption after a page change: the shell's plain window names the page.
  void UpdateCaption();
  // The window and application icon from the book's "icon" file, when it can be read.
  void ApplyBookIcon();
  void LoadScreen();
  void PlaceHintControls();
  void BuildFades();
  TEffBtnCar* Fade(TElementKind kind, int index) const;
  void CreateBusyAnimation();
  void ReplaySwitches(bool twoPasses);
  void InstallBookFonts();
  void CreateFormOptions();
  void CreateSlideImages();
  void CreateMedia();
  // Shows the window after the book's start clip, or at once when there is none.
  void ShowAfterStartClip();
  // A message box that does not hold the window (and the same text on stderr).
  void TellReader(const std::string& message);
  // Plays a sound of the book, from the container or from disk.
  // `ended` (when given) runs once the sound has ended, or at once when it cannot play.
  void PlayBookSound(const std::string& name, std::function<void()> ended = {});
  // One window per book: waits for a copy that is closing to let go of the book, or brings the
  // window of a copy that has it open to the front. False when this copy is not the book's.
  bool AcquireBookLock();
  // After the closing animation: the exit button's sound to its end, then the music's fade-out,
  // then the end of the program, while nothing holds the event loop.
  void PlayOutAndQuit();
  // Applies an animation frame, kept inside the window's outline.
  void SetAnimationShape(const QRegion& frame);
  QRect ElementRectOf(TElementKind kind, int index);

  TBookSession& session_;
  TInterfaceDescription description_;
  TScreenPictures pictures_;
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
  std::unique_ptr<TButtonSound> buttonSound_;
  std::unique_ptr<TBackgroundMusic> music_;
  std::unique_ptr<TSound> clips_;
  // The film switch asked for the film: replayed before the window shows, it starts once the
  // window is on screen, so the stored switch and what plays agree.
  bool filmWanted_ = false;
  std::unique_ptr<TMyAviPlayer> videoPanel_;
  std::unique_ptr<TStartClip> startClip_;
  std::unique_ptr<TCodecInstaller> codecs_;
  std::vector<TMyControl*> hintControls_;
  // Fades of the current screen's buttons, on/off switches and group switches, by kind.
  std::vector<std::unique_ptr<TEffBtnCar>> fades_[3];
  // What a fade drew last at an element's corner, kept until the element is drawn anew.
  std::map<std::pair<int, int>, QImage> overlays_;
  std::unique_ptr<TTextMsg> textMsg_;
  std::unique_ptr<TStatusLine> statusLine_;
  std::unique_ptr<THtmlFrame> htmlFrame_;
  std::unique_ptr<TPathInputBox> pathInputs_;
  std::unique_ptr<TControlPopupWindow> popups_;
  std::unique_ptr<TContentsTrees> trees_;
  std::unique_ptr<TScaleBar> scaleBar_;
  std::unique_ptr<TCoolDialog> coolDialog_;
  std::unique_ptr<TUnRar> unRar_;
  std::unique_ptr<TWindowBus> bus_;
  std::unique_ptr<TWindowMessages> windowMessages_;
  std::unique_ptr<TFindTxtHtml> finder_;  // its boxes sit on the dialog: goes first
  std::unique_ptr<TFormOptions> formOptions_;
  std::unique_ptr<TNavFont> navFont_;
  std::unique_ptr<TSlideImage> slides_;  // null when the book has no picture areas
  std::unique_ptr<TAboutBox> aboutBox_;  // made on the first "about" of a book with About.txt
  TPanelBkgrd* backgroundPanel_ = nullptr;
  QLabel* busyLabel_ = nullptr;
  QMovie* busyMovie_ = nullptr;
  QBuffer* busyBytes_ = nullptr;
  std::vector<int> installedFonts_;   // the book's own fonts, removed again at shutdown
  std::optional<QPoint> manualDrag_;  // where the pointer took the window, when moved by hand
  bool thesaurusWindow_ = false;
  bool helpWindow_ = false;
  bool plainWindow_ = false;
  std::string shownFile_;  // the file a help or picture window was started with
  std::unique_ptr<TPlainToolBar> plainBar_;
  QRect drawnGeometry_;  // the drawn window's place and the panel's, kept while plain
  QRect panelGeometry_;
  std::unique_ptr<TShellOpen> ownDesktop_;
  TShellOpen* desktop_;

  TSuperTimer openingTimer_;
  TSuperTimer closingTimer_;
  std::unique_ptr<TOpeningAnimation> opening_;
  std::unique_ptr<TClosingAnimation> closing_;
};

}  // namespace shelf
