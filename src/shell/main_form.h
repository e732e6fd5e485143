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
#include "media/media_options.h"
#include "media/sound.h"
#include "pages/html_frame.h"
#include "shell/command_dispatcher.h"
#include "shell/keyboard_input.h"
#include "shell/pointer_input.h"
#include "shell/screen_pictures.h"
#include "widgets/draw_target.h"
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

class TMainForm : public QWidget,
                  private TCommandHost,
                  private TPointerHost,
                  private TDrawTarget,
                  private THtmlFrameHost,
                  private TSoundHost {
  Q_OBJECT

 public:
  explicit TMainForm(TBookSession& session);
  ~TMainForm() override;

  // Builds the book shell. Returns the exit code when start-up must end here (no Struct.txt,
  // another copy already shows this book), nullopt when the window is on its way.
  std::optional<int> BuildBookShell();

  // Shows the window with its opening animation.
  void ShowMainWindow();
  // Starts the closing animation, which ends the application.
  void CloseAllAndQuit();
  // Shows screen `screen` (0-based); `kind` and `index` name the element that asked for it.
  void SwitchScreen(int screen, TElementKind kind, int index) override;
  // While busy, commands are ignored and the pointer is an hourglass.
  void SetBusy(bool busy);

  TCommandDispatcher& Dispatcher() { return dispatcher_; }
  const std::string& Title() const { return title_; }
  int CurrentScreen() const override { return currentScreen_; }
  TInterfaceDescription& Description() { return description_; }
  TScreenPictures& Pictures() override { return pictures_; }
  bool NotMainShell() const { return notMainShell_; }
  bool OpeningAnimationRunning() const { return openingTimer_.Enabled(); }
  bool ClosingAnimationRunning() const { return closingTimer_.Enabled(); }
  // The window's outline from the description; empty when the window is a plain rectangle.
  const QRegion& Shape() const { return shape_; }
  TPanelBkgrd* BackgroundPanel() const override;
  THtmlFrame* PageAreas() const { return htmlFrame_.get(); }
  QLabel* BusyAnimation() const { return busyLabel_; }
  // The reader's messages ("Файл скопирован"); null when the book has no labels.
  TStatusLine* StatusLine() const override { return statusLine_.get(); }
  TTextMsg* TextMessages() const override { return textMsg_.get(); }
  TPathInputBox* PathInputs() const override { return pathInputs_.get(); }
  bool FadeRunning(TElementKind kind, int index) const;
  // The clip and sound player (a ".wav" link plays through PlayLinkedSound) and the background
  // music (null: the book has no songs).
  TSound* Clips() const { return clips_.get(); }
  TBackgroundMusic* Music() const { return music_.get(); }
  TMediaOptions& MediaOptions() { return mediaOptions_; }
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
  // The window sees every key before the control that has the keyboard (the page, a path
  // box) and keeps the ones it acts on.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TCommandHost
  bool Busy() const override { return busy_; }
  bool ButtonSoundsOn() const override { return mediaOptions_.Wav; }
  void PlayButtonSound(const std::string& name) override;
  void CloseBook(TElementKind kind, int index) override;
  void Minimize(TElementKind kind, int index) override;
  int LastScreenWithPicture() const override;
  int ScreenCount() const override { return static_cast<int>(description_.Screens.size()); }
  void RunDocument(const std::string& file, const std::string& parameters) override;
  void ShowVideoPanel(bool on) override;
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
  // TSoundHost
  void ShowClipPage(int area, const std::string& page) override;
  void DecoderMissing(const std::string& mediaKind) override;
  void SetWaitCursor(bool wait) override;
  // TDrawTarget
  void DrawOverlay(QPoint at, const QImage& image) override;
  void DrawOnBackground(QPoint at, const QImage& image) override;
  void RepaintArea(const QRect& area) override;

  bool ReadDescription();
  // The window and application icon from the book's "icon" file, when it can be read.
  void ApplyBookIcon();
  void LoadScreen();
  void PlaceHintControls();
  void BuildFades();
  TEffBtnCar* Fade(TElementKind kind, int index) const;
  void CreateBusyAnimation();
  void ReplaySwitches(bool twoPasses);
  void InstallBookFonts();
  void CreateMedia();
  // Shows the window after the book's start clip, or at once when there is none.
  void ShowAfterStartClip();
  // A message box that does not hold the window (and the same text on stderr).
  void TellReader(const std::string& message);
  // Plays a sound of the book, from the container or from disk.
  void PlayBookSound(const std::string& name, bool toTheEnd);
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
  TMediaOptions mediaOptions_;
  QImage screenPicture_;  // the current screen's background picture as loaded
  QRegion shape_;
  std::unique_ptr<TInstanceLock> instanceLock_;
  std::unique_ptr<TButtonSound> buttonSound_;
  std::unique_ptr<TBackgroundMusic> music_;
  std::unique_ptr<TSound> clips_;
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
  std::unique_ptr<TScaleBar> scaleBar_;
  TPanelBkgrd* backgroundPanel_ = nullptr;
  QLabel* busyLabel_ = nullptr;
  QMovie* busyMovie_ = nullptr;
  QBuffer* busyBytes_ = nullptr;
  std::vector<int> installedFonts_;   // the book's own fonts, removed again at shutdown
  std::optional<QPoint> manualDrag_;  // where the pointer took the window, when moved by hand

  TSuperTimer openingTimer_;
  TSuperTimer closingTimer_;
  std::unique_ptr<TOpeningAnimation> opening_;
  std::unique_ptr<TClosingAnimation> closing_;
};

}  // namespace shelf
