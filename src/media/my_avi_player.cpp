#include "media/my_avi_player.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "media/video_surface.h"
#include "widgets/draw_target.h"

namespace shelf {
namespace {

constexpr int kSettleMs = 100;
constexpr int kPollMs = 10;
constexpr int kPollLimit = 100;  // a device that never stops is not waited for beyond 1 s

bool StoppedOrPaused(std::uint8_t mode) {
  return mode == static_cast<std::uint8_t>(TMciMode::Stopped) ||
         mode == static_cast<std::uint8_t>(TMciMode::Paused);
}

void Sleep(int ms) {
  QEventLoop wait;
  QTimer::singleShot(ms, &wait, &QEventLoop::quit);
  wait.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

TMyAviPlayer::TMyAviPlayer(const TBookStore& store, const TDosFileSystem& fileSystem)
    : store_(store), fileSystem_(fileSystem) {}

TMyAviPlayer::~TMyAviPlayer() {
  Release();
}

void TMyAviPlayer::Setup(QWidget* window, TDrawTarget* target, QWidget* displayWindow,
                         const std::string& fileName, const QRect& panelRect) {
  const auto blank = fileName.find_first_not_of(' ') == std::string::npos;
  if (!window || blank) return;
  panelRect_ = panelRect;
  window_ = window;
  target_ = target;
  displayWindow_ = displayWindow;
  backImage_ = window->grab(panelRect).toImage();
  idleImage_ = backImage_;
  held_ = false;
  if (player_) {
    try {
      player_->Stop();
    } catch (const EMCIDeviceError&) {
    }
  } else {
    player_ = std::make_unique<TMPlayer>(store_, fileSystem_);
  }
  player_->AutoRewind = true;
  player_->SetDisplay(displayWindow);
  player_->FileName = fileName;
  player_->OnNotify = [this](TMPlayer&) { Replay(); };
  try {
    player_->Open();
    player_->SetDisplayRect(panelRect);
    if (TVideoSurface* surface = player_->Surface()) surface->hide();  // until "3d"
  } catch (const EMCIDeviceError&) {
    // A film that cannot be opened leaves the picture: the panel plays nothing.
  }
}

bool TMyAviPlayer::IsNotPlaying() {
  if (held_ || !player_) return true;
  if (StoppedOrPaused(player_->Mode())) return true;
  Sleep(kSettleMs);
  return StoppedOrPaused(player_->Mode());
}

void TMyAviPlayer::WaitUntilNotPlaying() {
  for (int i = 0; i < kPollLimit && !IsNotPlaying(); ++i) Sleep(kPollMs);
}

void TMyAviPlayer::Replay() {
  if (!active_ || held_ || !player_ || !player_->Opened() || !IsNotPlaying()) return;
  player_->Play();  // rewinds to the start by itself
}

QImage TMyAviPlayer::CurrentPicture() const {
  TVideoSurface* surface = player_ ? player_->Surface() : nullptr;
  if (surface && !surface->Frame().isNull())
    return surface->Frame().scaled(panelRect_.size()).convertToFormat(QImage::Format_RGB888);
  return window_ ? window_->grab(panelRect_).toImage() : QImage();
}

void TMyAviPlayer::SetActive(bool value) {
  if (!player_ || !player_->Opened()) {
    active_ = value;
    return;
  }
  TVideoSurface* surface = player_->Surface();
  if (!window_ || !window_->isVisible()) {
    player_->Stop();
    if (surface) surface->hide();
    active_ = false;
    return;
  }
  if (active_ && !value) {
    player_->PauseOnly();
    WaitUntilNotPlaying();
    held_ = true;
    if (surface) surface->hide();
    if (target_) target_->DrawOnBackground(panelRect_.topLeft(), backImage_);
  }
  if (value) {
    if (surface) surface->show();
    player_->Play();
    held_ = false;
    userPaused_ = false;
    if (target_) target_->DrawOnBackground(panelRect_.topLeft(), idleImage_);
  }
  active_ = value;
}

bool TMyAviPlayer::Click(QPoint point) {
  if (!active_ || !panelRect_.contains(point) || !player_ || !player_->Opened()) return false;
  const bool playing = player_->Mode() == static_cast<std::uint8_t>(TMciMode::Playing);
  userPaused_ = playing;
  if (!playing) {
    player_->Play();
    held_ = false;
  } else {
    Pause();
  }
  return true;
}

void TMyAviPlayer::Pause() {
  if (!active_ || !player_ || !player_->Opened()) return;
  player_->PauseOnly();
  WaitUntilNotPlaying();
  held_ = true;
  pausedFrame_ = CurrentPicture();
  if (target_ && !pausedFrame_.isNull())
    target_->DrawOnBackground(panelRect_.topLeft(), pausedFrame_);
}

void TMyAviPlayer::PaintInto(QPainter& canvas) {
  if (!active_ || !player_ || pausedFrame_.isNull()) return;
  if (StoppedOrPaused(player_->Mode())) canvas.drawImage(panelRect_.topLeft(), pausedFrame_);
}

void TMyAviPlayer::ResumeUnlessUserPaused() {
  if (userPaused_) return;
  held_ = false;
  Replay();
  if (target_) target_->DrawOnBackground(panelRect_.topLeft(), idleImage_);
}

void TMyAviPlayer::ShowFilm(bool shown) {
  TVideoSurface* surface = player_ ? player_->Surface() : nullptr;
  if (surface) surface->setVisible(shown && active_);
}

void TMyAviPlayer::Release() {
  if (!player_) return;
  player_->OnNotify = nullptr;
  player_->Close();
  player_->FileName.clear();
  player_->SetDisplay(nullptr);
  player_.reset();
}

}  // namespace shelf
