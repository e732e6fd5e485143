#include "media/sound.h"

#include "media/background_music.h"
#include "platform/cp1251.h"
#include "settings/program_options.h"
#include "widgets/book_color.h"
#include "widgets/color_win_control.h"

namespace shelf {
namespace {

constexpr std::int64_t kStepMs = 10000;

}  // namespace

TSound::TSound(const TBookStore& store, const TDosFileSystem& fileSystem, QWidget& window,
               TSoundHost& host, const TDynamicClipArray& clips)
    : TMPlayer(store, fileSystem), host_(host) {
  OnNotify = [this](TMPlayer&) { ClipEnded(); };
  if (clips.empty()) return;
  for (const RClip& clip : clips) {
    auto* control = new TColorWinControl(&window, FromBookColor(clip.Color));
    control->hide();
    control->setGeometry(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top);
    control->setFocusPolicy(Qt::NoFocus);
    clipWindows_.push_back(control);
    clipScreens_.push_back(clip.Screen);
    clipAreas_.push_back(clip.Area);
  }
  shownScreen_ = -1;
  ShowClipWindows();
}

TSound::~TSound() {
  OnNotify = nullptr;
  Close();
  SetDisplay(nullptr);
  for (auto it = clipWindows_.rbegin(); it != clipWindows_.rend(); ++it) delete *it;
}

void TSound::ShowClipWindows() {
  const int screen = host_.CurrentScreen();
  for (std::size_t i = 0; i < clipWindows_.size(); ++i) {
    if (clipScreens_[i] == screen) {
      clipWindows_[i]->show();
      clipWindows_[i]->raise();  // over the page it sits on
    } else if (clipScreens_[i] == shownScreen_)
      clipWindows_[i]->hide();
  }
  shownScreen_ = screen;
}

void TSound::PlayClip(const std::string& fileName, const std::string& pageName, int kind) {
  if (kind != kPlayKindClose) {
    playKind_ = kind;
  } else if (Mode() == static_cast<std::uint8_t>(TMciMode::Playing)) {
    if (playKind_ != kPlayKindClip && playKind_ != kPlayKindMusic) playKind_ = kPlayKindClose;
  } else {
    playKind_ = kPlayKindClip;
  }
  if (music_ && music_->Options().BGSound) {
    music_->StopBackgroundMusic(false);
    music_->Options().BGSound = false;
    if (kind == kPlayKindClose) playKind_ = kPlayKindMusic;
  }
  host_.SetWaitCursor(true);
  FileName = fileName;
  if (fileName.find(".wav") != std::string::npos || fileName.empty()) {
    try {
      Open();
    } catch (const EMCIDeviceError&) {
    }
  } else {
    for (std::size_t i = 0; i < clipWindows_.size(); ++i) {
      if (clipScreens_[i] != host_.CurrentScreen()) continue;
      SetDisplay(clipWindows_[i]);
      SetDisplayRect(QRect(QPoint(0, 0), clipWindows_[i]->size()));
      host_.ShowClipPage(clipAreas_[i], pageName);
      clipWindows_[i]->raise();  // the page came forward with its new content
      break;
    }
    try {
      Open();
      if (HasVideo() && Display()) SetDisplayRect(QRect(QPoint(0, 0), Display()->size()));
    } catch (const EMCIDeviceError&) {
      // Here the system itself provides the decoders: the reader is told which package has
      // the missing one instead of a driver set being installed and tried again.
      if (Error() == mci::kCannotLoadDriver) host_.DecoderMissing(MissingDecoder());
    }
  }
  try {
    Play();
  } catch (const EMCIDeviceError&) {
  }
  if (Opened() && Soundless())
    host_.ShowStatus(*Utf8ToCp1251("Звук недоступен: звуковой сервер не отвечает"));
  host_.SetWaitCursor(false);
}

void TSound::ClipEnded() {
  if (NotifyValue() != TMPNotifyValues::nvSuccessful) return;
  switch (playKind_) {
    case kPlayKindClose:
      PlayClip("", "", kPlayKindNothing);
      break;
    case kPlayKindClip:
      Close();
      break;
    case kPlayKindMusic:
      if (!music_) break;
      host_.SetWaitCursor(true);
      music_->Options().BGSound = true;
      music_->StartBackgroundMusic();
      host_.SetWaitCursor(false);
      break;
    default:
      break;
  }
}

void TSound::StepForward() {
  try {
    SetTimeFormat(0);
    const std::int64_t target = Position() + kStepMs;
    const std::int64_t length = Length();
    Seek(length < target ? length : target);
    Play();
  } catch (const EMCIDeviceError&) {
  }
}

void TSound::StepBack() {
  try {
    SetTimeFormat(0);
    const std::int64_t target = Position() - kStepMs;
    Seek(target > 0 ? target : 0);
    Play();
  } catch (const EMCIDeviceError&) {
  }
}

}  // namespace shelf
