// The title screen's video panel: a film played in a fixed rectangle of the main window in place
// of the picture there, looping while active; a click pauses or resumes it, and a paused frame
// stays in the window's background picture.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <string>

#include "media/m_player.h"

namespace shelf {

class TDrawTarget;

class TMyAviPlayer {
 public:
  TMyAviPlayer(const TBookStore& store, const TDosFileSystem& fileSystem);
  ~TMyAviPlayer();

  // `window` shows the panel and `target` is its background picture; `displayWindow` gets the
  // film. Nothing happens when `window` is missing or `fileName` is blank.
  void Setup(QWidget* window, TDrawTarget* target, QWidget* displayWindow,
             const std::string& fileName, const QRect& panelRect);
  void SetActive(bool value);
  bool Contains(QPoint point) const { return active_ && panelRect_.contains(point); }
  // True when the click was the panel's: it paused or resumed the film.
  bool Click(QPoint point);
  bool IsNotPlaying();
  void Pause();
  void PaintInto(QPainter& canvas);
  void ResumeUnlessUserPaused();
  void Release();
  // The film's picture is a window of its own over the panel: hidden while another screen shows.
  void ShowFilm(bool shown);

  bool Active() const { return active_; }
  bool Held() const { return held_; }
  bool UserPaused() const { return userPaused_; }
  TMPlayer* Player() const { return player_.get(); }
  const QImage& PausedFrame() const { return pausedFrame_; }

 private:
  // The player's notice at the end of the film: it starts again while the panel is active.
  void Replay();
  void WaitUntilNotPlaying();
  QImage CurrentPicture() const;

  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  std::unique_ptr<TMPlayer> player_;
  bool active_ = false;
  bool held_ = true;
  bool userPaused_ = false;
  QImage pausedFrame_, backImage_, idleImage_;
  QRect panelRect_;
  QPointer<QWidget> window_;
  TDrawTarget* target_ = nullptr;
  QPointer<QWidget> displayWindow_;
};

}  // namespace shelf
