#include "media/m_player.h"

#include <unistd.h>

#include <QWidget>
#include <atomic>
#include <fstream>

#include "media/video_surface.h"
#include "platform/user_folders.h"
#include "store/book_store.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

std::uint16_t NextDeviceId() {
  static std::uint16_t last = 0;
  if (++last == 0) ++last;
  return last;
}

}  // namespace

TMPlayer::TMPlayer(const TBookStore& store, const TDosFileSystem& fileSystem)
    : store_(store), fileSystem_(fileSystem) {
  device_.OnEnd = [this] {
    if (!playNoticePending_) return;
    playNoticePending_ = false;
    notifyValue_ = TMPNotifyValues::nvSuccessful;
    if (OnNotify) OnNotify(*this);
  };
  device_.OnFrame = [this](const QImage& frame) {
    if (surface_) surface_->ShowFrame(frame);
  };
}

TMPlayer::~TMPlayer() {
  device_.OnEnd = nullptr;
  device_.OnFrame = nullptr;
  device_.Close();
  delete surface_.data();
  DropTemporaryCopy();
}

void TMPlayer::RequireOpen() const {
  if (!opened_) throw EMCIDeviceError("No MCI device open");
}

std::uint32_t TMPlayer::WaitFlags() {
  std::uint32_t flags = mciflag::kWait;
  if (useNotify_) {
    if (notify_) flags |= mciflag::kNotify;
    useNotify_ = false;
  }
  return flags;
}

std::uint32_t TMPlayer::NotifyFlags(bool clearWhenUsed) {
  std::uint32_t flags = mciflag::kNotify;
  if (useNotify_ && !notify_) flags = 0;
  if (clearWhenUsed) useNotify_ = false;
  return flags;
}

void TMPlayer::Deliver(TMPNotifyValues value) {
  // Notices arrive as posted messages do: after the command that caused them has returned.
  QMetaObject::invokeMethod(
      this,
      [this, value] {
        notifyValue_ = value;
        if (OnNotify) OnNotify(*this);
      },
      Qt::QueuedConnection);
}

void TMPlayer::EndPendingNotice(TMPNotifyValues value) {
  if (!playNoticePending_) return;
  playNoticePending_ = false;
  Deliver(value);
}

void TMPlayer::AfterWaitCommand(unsigned result) {
  error_ = result;
  if (flags_ & mciflag::kNotify)
    Deliver(result == mci::kOk ? TMPNotifyValues::nvSuccessful : TMPNotifyValues::nvFailure);
}

void TMPlayer::DropTemporaryCopy() {
  if (temporaryCopy_.empty()) return;
  std::error_code ignored;
  fs::remove(temporaryCopy_, ignored);
  temporaryCopy_.clear();
}

bool TMPlayer::ResolveMediaFile(fs::path& file) {
  file.clear();
  if (FileName.empty()) return false;
  const auto host = fileSystem_.ToHost(FileName);
  std::error_code error;
  if (host && fs::is_regular_file(*host, error)) {
    file = *host;
    return true;
  }
  std::string bytes;
  if (!store_.ReadBookFile(FileName, bytes)) {
    if (host) file = *host;  // the device reports it missing
    return false;
  }
  // Only the container holds it: the decoders read a private copy, removed at the next open
  // and with the player.
  const TFolderResult temp = HostTempDir();
  if (temp.folder.empty()) return false;
  static std::atomic<unsigned> counter = 0;
  const std::string extension = host ? host->extension().string() : std::string();
  temporaryCopy_ = temp.folder / ("media-" + std::to_string(getpid()) + "-" +
                                  std::to_string(++counter) + extension);
  std::ofstream out(temporaryCopy_, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    DropTemporaryCopy();
    return false;
  }
  file = temporaryCopy_;
  return true;
}

void TMPlayer::Open() {
  if (opened_) Close();
  flags_ = WaitFlags() | mciflag::kOpenElement;
  if (DeviceType != TMPDeviceTypes::dtAutoSelect) flags_ |= mciflag::kOpenType;
  if (Shareable) flags_ |= mciflag::kOpenShareable;
  DropTemporaryCopy();
  ResolveMediaFile(mediaFile_);
  mediaKind_ = TMciDevice::MediaKind(mediaFile_);
  AfterWaitCommand(device_.Open(mediaFile_));
  if (error_ != mci::kOk) {
    DropTemporaryCopy();
    throw EMCIDeviceError(ErrorMessage());
  }
  opened_ = true;
  deviceId_ = NextDeviceId();
  hasVideo_ = device_.HasVideo();
  displayWidth_ = device_.VideoSize().width();
  displayHeight_ = device_.VideoSize().height();
  displayRect_ = QRect();
  if (hasVideo_) {
    SetDisplay(display_);
    PlaceSurface();
  }
}

void TMPlayer::Close() {
  if (deviceId_ == 0) return;
  flags_ = WaitFlags();
  EndPendingNotice(TMPNotifyValues::nvAborted);
  device_.Close();
  AfterWaitCommand(mci::kOk);
  opened_ = false;
  deviceId_ = 0;
  hasVideo_ = false;
  PlaceSurface();
  DropTemporaryCopy();
}

unsigned TMPlayer::Play() {
  RequireOpen();
  if (AutoRewind && Position() == Length()) Rewind();
  flags_ = NotifyFlags(true);
  EndPendingNotice(TMPNotifyValues::nvSuperseded);
  error_ = device_.Play();
  if (error_ == mci::kOk && (flags_ & mciflag::kNotify)) playNoticePending_ = true;
  return error_;
}

unsigned TMPlayer::Stop() {
  RequireOpen();
  flags_ = WaitFlags();
  EndPendingNotice(TMPNotifyValues::nvAborted);
  AfterWaitCommand(device_.Stop());
  return error_;
}

unsigned TMPlayer::PauseOnly() {
  RequireOpen();
  flags_ = WaitFlags();
  EndPendingNotice(TMPNotifyValues::nvAborted);
  AfterWaitCommand(device_.Pause());
  return error_;
}

void TMPlayer::Pause() {
  RequireOpen();
  const std::uint8_t mode = Mode();
  if (mode == static_cast<std::uint8_t>(TMciMode::Playing))
    PauseOnly();
  else if (mode == static_cast<std::uint8_t>(TMciMode::Paused))
    Resume();
}

unsigned TMPlayer::Resume() {
  RequireOpen();
  flags_ = NotifyFlags(false);
  error_ = device_.Resume();
  if (error_ != mci::kOk) return Play();
  useNotify_ = false;
  EndPendingNotice(TMPNotifyValues::nvSuperseded);
  if (flags_ & mciflag::kNotify) playNoticePending_ = true;
  return error_;
}

unsigned TMPlayer::Seek(std::int64_t to) {
  RequireOpen();
  flags_ = WaitFlags() | mciflag::kTo;
  EndPendingNotice(TMPNotifyValues::nvAborted);
  AfterWaitCommand(device_.Seek(to));
  return error_;
}

void TMPlayer::Rewind() {
  RequireOpen();
  EndPendingNotice(TMPNotifyValues::nvAborted);
  device_.Seek(0);
}

void TMPlayer::SetTimeFormat(std::uint32_t format) {
  error_ = opened_ ? (format == 0 ? mci::kOk : mci::kUnsupportedFunction) : mci::kNoDevice;
}

std::int64_t TMPlayer::Length() {
  RequireOpen();
  error_ = mci::kOk;
  return device_.Length();
}

std::int64_t TMPlayer::Position() {
  error_ = opened_ ? mci::kOk : mci::kNoDevice;
  return device_.Position();
}

std::uint8_t TMPlayer::Mode() {
  error_ = opened_ ? mci::kOk : mci::kNoDevice;
  // A closed device answers nothing: 0 minus MCI_MODE_NOT_READY, as a byte, lies outside 0..6.
  if (!opened_) return static_cast<std::uint8_t>(0 - 524);
  return static_cast<std::uint8_t>(device_.Mode());
}

void TMPlayer::SetNotify(bool value) {
  notify_ = value;
  useNotify_ = true;
}

void TMPlayer::SetDisplay(QWidget* value) {
  display_ = value;
  if (value && opened_ && hasVideo_) PlaceSurface();
}

void TMPlayer::SetDisplayRect(const QRect& r) {
  if (!opened_ || !hasVideo_) return;
  // A QRect built from (left, top, width, height); right and bottom 0 mean width and height 0.
  displayRect_ = r.width() == 0 && r.height() == 0
                     ? QRect(r.left(), r.top(), displayWidth_, displayHeight_)
                     : r;
  PlaceSurface();
}

QRect TMPlayer::GetDisplayRect() const {
  if (!opened_ || !hasVideo_) return {};
  return displayRect_.isNull() ? QRect(0, 0, displayWidth_, displayHeight_) : displayRect_;
}

std::string TMPlayer::ErrorMessage() const {
  return TMciDevice::ErrorText(error_);
}

void TMPlayer::PlaceSurface() {
  if (!opened_ || !hasVideo_ || !display_) {
    delete surface_.data();
    return;
  }
  if (surface_ && surface_->parentWidget() != display_) delete surface_.data();
  if (!surface_) surface_ = new TVideoSurface(display_);
  surface_->setGeometry(GetDisplayRect());
  surface_->show();
}

}  // namespace shelf
