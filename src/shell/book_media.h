// The book's sounds and films in the main window: the codec check, background music, the clip
// player with its clip windows, button sounds, the start clip and the title screen's film panel.
#pragma once

#include <QImage>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

#include "media/sound.h"

class QWidget;

namespace shelf {

struct TBookSession;
struct TProgramOptions;
class TInterfaceDescription;
class TDrawTarget;
class TBackgroundMusic;
class TButtonSound;
class TCodecInstaller;
class TMyAviPlayer;
class TStartClip;
class TSlideImage;
class TStatusLine;

class TBookMedia : private TSoundHost {
 public:
  // Clip windows and the film panel sit on `window`; the film draws through `target`;
  // `currentScreen` is the window's screen on show.
  TBookMedia(const TBookSession& session, QWidget& window, TDrawTarget& target,
             const int& currentScreen);
  ~TBookMedia() override;

  // The book window's players: the codec check first, the background music only for a book
  // with songs (else the music setting goes off), the clip player always. What the reader must
  // know while a clip plays (no sound) goes to `statusLine` when the book has one.
  void Create(const TInterfaceDescription& description, TProgramOptions& options,
              const std::string& settingsKey, TStatusLine* statusLine);
  // Runs `showWindow` after the book's start clip, or at once when it has none or it is off.
  void ShowAfterStartClip(const TInterfaceDescription& description, bool clipOn,
                          std::function<void()> showWindow);
  // The window is on screen: the film its switch asked for and the music start.
  void WindowShown();
  // After the window has gone: `exitSound` (empty: none) to its end, then the music's fade-out,
  // then `done`, all from the event loop.
  void PlayOut(const std::string& exitSound, std::function<void()> done);
  // Ends every player; music still on stops where it is, its place saved.
  void Stop(bool musicOn);

  // The screens' picture areas, for a book that has them; `pointerEntered` runs when the
  // pointer comes onto one.
  void CreateSlides(const TInterfaceDescription& description, const TProgramOptions& options,
                    std::function<void()> pointerEntered);
  void EndSlides();
  // The arrows under a picture area: the next or the previous picture.
  void StepPicture(bool forward);

  // "3d" makes the title screen's film panel and plays it; "2d" stops it.
  void ShowVideoPanel(bool on);
  // A screen change to `screen`: the film pauses off the title screen and, back on it, paints
  // its frame into the title's `background` and plays on; clip windows and picture areas follow.
  void LeaveScreenFor(int screen);
  void ScreenShown(int screen, QImage& background);
  // A press on the film panel; true when it took it.
  bool Click(QPoint at);

  // A sound from a page or a dropped file: background music pauses while it plays.
  void PlayLinkedSound(const std::string& file);
  // A sound of the book, from the container or from disk. `ended` (when given) runs once the
  // sound has ended, or at once when it cannot play.
  void PlayBookSound(const std::string& name, std::function<void()> ended = {});

  TSound* Clips() const { return clips_.get(); }
  TBackgroundMusic* Music() const { return music_.get(); }
  TMyAviPlayer* VideoPanel() const { return videoPanel_.get(); }
  TStartClip* StartClip() const { return startClip_.get(); }
  TSlideImage* Slides() const { return slides_.get(); }

  // Shows a clip's page (empty: the area's start page) in page area `area`.
  std::function<void(int area, const std::string& page)> ShowPage;

 private:
  int CurrentScreen() const override { return currentScreen_; }
  void ShowClipPage(int area, const std::string& page) override;
  void DecoderMissing(const std::string& need) override;
  void SetWaitCursor(bool wait) override;
  void ShowStatus(const std::string& text) override;
  // A message box that does not hold the window (and the same text on stderr).
  void TellReader(const std::string& message);

  const TBookSession& session_;
  QWidget& window_;
  TDrawTarget& target_;
  const int& currentScreen_;
  std::unique_ptr<TButtonSound> buttonSound_;
  std::unique_ptr<TCodecInstaller> codecs_;
  std::unique_ptr<TBackgroundMusic> music_;
  std::unique_ptr<TSound> clips_;
  std::unique_ptr<TMyAviPlayer> videoPanel_;
  // The film switch asked for the film: replayed before the window shows, it starts once the
  // window is on screen, so the stored switch and what plays agree.
  bool filmWanted_ = false;
  std::unique_ptr<TStartClip> startClip_;
  std::unique_ptr<TSlideImage> slides_;  // none when the book has no picture areas
  TProgramOptions* options_ = nullptr;
  TStatusLine* statusLine_ = nullptr;
};

}  // namespace shelf
