#include "platform/mci_device.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <fstream>
#include <string_view>

namespace shelf {
namespace fs = std::filesystem;
namespace {

// A file the decoders take longer than this to read is reported as a device not ready.
constexpr int kOpenTimeoutMs = 5000;
constexpr int kFirstFrameTimeoutMs = 2000;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

TMciDevice::TMciDevice() {
  // The FFmpeg backend of this Qt crashes without an audio device and misreports ends; take
  // GStreamer unless the user chose otherwise. It must be set before the first media object.
  if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

TMciDevice::~TMciDevice() {
  Close();
}

std::string TMciDevice::MediaKind(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  char head[16] = {};
  in.read(head, sizeof head);
  const std::string_view bytes(head, static_cast<std::size_t>(in.gcount()));
  if (bytes.size() < 4) return {};
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (StartsWith(bytes, "RIFF") && bytes.size() >= 12) {
    const std::string_view form = bytes.substr(8, 4);
    if (form == "WAVE") return "RIFF WAVE";
    if (form == "AVI ") return "AVI";
    if (form == "RMID") return "MIDI";
    return {};
  }
  if (StartsWith(bytes, "MThd")) return "MIDI";
  if (StartsWith(bytes, "ID3")) return "MPEG audio";
  if (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0) return "MPEG audio";
  if (byte(0) == 0 && byte(1) == 0 && byte(2) == 1 && (byte(3) == 0xBA || byte(3) == 0xB3))
    return "MPEG";
  return {};
}

const char* TMciDevice::ErrorText(unsigned code) {
  switch (code) {
    case mci::kOk:
      return "The specified command was carried out.";
    case mci::kCannotLoadDriver:
      return "The specified device driver cannot be loaded: no decoder for this file.";
    case mci::kUnsupportedFunction:
      return "The MCI device does not support this action.";
    case mci::kFileNotFound:
      return "Cannot find the specified file.";
    case mci::kDeviceNotReady:
      return "The device is not ready.";
    case mci::kInvalidFile:
      return "The specified file cannot be played on the specified MCI device.";
    case mci::kFileRead:
      return "A problem occurred in reading the specified file.";
    case mci::kNoDevice:
      return "No MCI device is open.";
    default:
      return "Unknown error code";
  }
}

unsigned TMciDevice::Open(const fs::path& file) {
  Close();
  std::error_code error;
  if (file.empty() || !fs::is_regular_file(file, error)) return mci::kFileNotFound;
  std::ifstream probe(file, std::ios::binary);
  if (!probe || fs::file_size(file, error) == 0 || error) return mci::kFileRead;
  const std::string kind = MediaKind(file);
  if (kind.empty()) return mci::kInvalidFile;

  player_ = std::make_unique<QMediaPlayer>();
  output_ = std::make_unique<QAudioOutput>();
  output_->setVolume(volume_);  // before the source: later it leaks a moment at full volume
  player_->setAudioOutput(output_.get());
  sink_ = std::make_unique<QVideoSink>();
  player_->setVideoSink(sink_.get());
  QObject::connect(sink_.get(), &QVideoSink::videoFrameChanged, this,
                   [this](const QVideoFrame& frame) {
                     if (!frame.isValid()) return;
                     const QImage image = frame.toImage();
                     if (videoSize_.isEmpty()) videoSize_ = image.size();
                     if (OnFrame) OnFrame(image);
                   });

  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  bool failed = false;
  QMediaPlayer::Error failure = QMediaPlayer::NoError;
  QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, &loop,
                   [&](QMediaPlayer::Error e, const QString&) {
                     failed = true;
                     failure = e;
                     loop.quit();
                   });
  QObject::connect(
      player_.get(), &QMediaPlayer::mediaStatusChanged, &loop,
      [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia)
          loop.quit();
      });
  player_->setSource(QUrl::fromLocalFile(QFile::decodeName(fs::absolute(file).c_str())));
  const auto status = player_->mediaStatus();
  if (status != QMediaPlayer::LoadedMedia && status != QMediaPlayer::InvalidMedia &&
      player_->error() == QMediaPlayer::NoError) {
    limit.start(kOpenTimeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  unsigned result = mci::kOk;
  if (failed || player_->error() != QMediaPlayer::NoError) {
    if (failure == QMediaPlayer::NoError) failure = player_->error();
    // The file looks like media of a kind the book uses: what failed is a missing decoder.
    result = failure == QMediaPlayer::FormatError ? mci::kCannotLoadDriver : mci::kInvalidFile;
  } else if (player_->mediaStatus() == QMediaPlayer::InvalidMedia) {
    result = mci::kInvalidFile;
  } else if (player_->mediaStatus() != QMediaPlayer::LoadedMedia) {
    result = mci::kDeviceNotReady;
  }
  if (result != mci::kOk) {
    sink_.reset();
    player_.reset();
    output_.reset();
    return result;
  }
  open_ = true;
  stopped_ = true;
  ended_ = false;
  hasVideo_ = player_->hasVideo();
  videoSize_ = player_->metaData().value(QMediaMetaData::Resolution).toSize();
  if (hasVideo_ && videoSize_.isEmpty()) {
    // The picture's size comes with the first frame: show it, as an opened film does.
    QTimer frameLimit;
    frameLimit.setSingleShot(true);
    QEventLoop frameWait;
    QObject::connect(&frameLimit, &QTimer::timeout, &frameWait, &QEventLoop::quit);
    QObject::connect(sink_.get(), &QVideoSink::videoFrameChanged, &frameWait,
                     [&] { frameWait.quit(); });
    player_->pause();
    frameLimit.start(kFirstFrameTimeoutMs);
    if (videoSize_.isEmpty()) frameWait.exec(QEventLoop::ExcludeUserInputEvents);
  }
  QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this,
                   [this] { MediaStatusChanged(); });
  QObject::connect(player_.get(), &QMediaPlayer::hasVideoChanged, this,
                   [this](bool video) { hasVideo_ = video; });
  return mci::kOk;
}

void TMciDevice::Close() {
  ++endGeneration_;
  if (player_) {
    player_->disconnect(this);
    player_->stop();
  }
  sink_.reset();
  player_.reset();
  output_.reset();
  open_ = false;
  hasVideo_ = false;
  videoSize_ = QSize();
}

void TMciDevice::MediaStatusChanged() {
  if (player_->mediaStatus() != QMediaPlayer::EndOfMedia) return;
  ended_ = true;
  stopped_ = true;
  const unsigned generation = endGeneration_;
  // Delivered as a posted message is: after the caller's current work.
  QMetaObject::invokeMethod(
      this,
      [this, generation] {
        if (generation == endGeneration_ && OnEnd) OnEnd();
      },
      Qt::QueuedConnection);
}

unsigned TMciDevice::Play() {
  if (!open_) return mci::kNoDevice;
  ++endGeneration_;
  ended_ = false;
  stopped_ = false;
  player_->play();
  return mci::kOk;
}

unsigned TMciDevice::Stop() {
  if (!open_) return mci::kNoDevice;
  ++endGeneration_;
  if (player_->playbackState() == QMediaPlayer::PlayingState) player_->pause();
  stopped_ = true;
  return mci::kOk;
}

unsigned TMciDevice::Pause() {
  if (!open_) return mci::kNoDevice;
  ++endGeneration_;
  if (player_->playbackState() != QMediaPlayer::PlayingState) return mci::kOk;
  player_->pause();
  stopped_ = false;
  return mci::kOk;
}

unsigned TMciDevice::Resume() {
  if (!open_) return mci::kNoDevice;
  if (Mode() != TMciMode::Paused) return mci::kUnsupportedFunction;
  return Play();
}

unsigned TMciDevice::Seek(std::int64_t milliseconds) {
  if (!open_) return mci::kNoDevice;
  ++endGeneration_;
  const std::int64_t to = std::clamp<std::int64_t>(milliseconds, 0, std::max<qint64>(0, Length()));
  if (!player_->isSeekable()) {
    if (to != 0) return mci::kUnsupportedFunction;
    player_->stop();  // the one way back to the start of a stream that cannot seek (MIDI)
  } else {
    if (player_->playbackState() == QMediaPlayer::PlayingState) player_->pause();
    player_->setPosition(to);
  }
  stopped_ = true;
  ended_ = false;
  return mci::kOk;
}

std::int64_t TMciDevice::Length() const {
  return open_ ? player_->duration() : 0;
}

std::int64_t TMciDevice::Position() const {
  if (!open_) return 0;
  return ended_ ? player_->duration() : player_->position();
}

TMciMode TMciDevice::Mode() const {
  if (!open_) return TMciMode::NotReady;
  if (player_->playbackState() == QMediaPlayer::PlayingState) return TMciMode::Playing;
  return stopped_ ? TMciMode::Stopped : TMciMode::Paused;
}

void TMciDevice::SetVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  if (output_) output_->setVolume(volume_);
}

}  // namespace shelf
