#include "platform/mci_player_engine.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFile>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include "platform/mci_device.h"
#include "platform/sound_server.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// A file the decoders take longer than this to read is reported as a device not ready.
constexpr int kOpenTimeoutMs = 5000;
constexpr int kFirstFrameTimeoutMs = 2000;

}  // namespace

TPlayerEngine::TPlayerEngine() = default;

TPlayerEngine::~TPlayerEngine() {
  if (player_) {
    player_->disconnect();
    player_->stop();
  }
  sink_.reset();
  player_.reset();
}

std::unique_ptr<TPlayerEngine> TPlayerEngine::Open(const fs::path& file, float volume,
                                                   unsigned& result) {
  std::unique_ptr<TPlayerEngine> engine(new TPlayerEngine);
  result = engine->Load(file, volume);
  if (result != mci::kOk) engine.reset();
  return engine;
}

unsigned TPlayerEngine::Load(const fs::path& file, float volume) {
  player_ = std::make_unique<QMediaPlayer>();
  // Without a sound server the framework refuses the whole medium, so a film would stay black:
  // it plays without sound instead, and the next medium asks the server again.
  if (SoundServerReachable()) {
    output_ = std::make_unique<QAudioOutput>();
    output_->setVolume(volume);  // before the source: later it leaks a moment at full volume
    player_->setAudioOutput(output_.get());
  }
  sink_ = std::make_unique<QVideoSink>();
  player_->setVideoSink(sink_.get());
  QObject::connect(sink_.get(), &QVideoSink::videoFrameChanged, sink_.get(),
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
  if (failed || player_->error() != QMediaPlayer::NoError) {
    if (failure == QMediaPlayer::NoError) failure = player_->error();
    // The file looks like media of a kind the book uses: what failed is a missing decoder.
    return failure == QMediaPlayer::FormatError ? mci::kCannotLoadDriver : mci::kInvalidFile;
  }
  if (player_->mediaStatus() == QMediaPlayer::InvalidMedia) return mci::kInvalidFile;
  if (player_->mediaStatus() != QMediaPlayer::LoadedMedia) return mci::kDeviceNotReady;

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
  QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, player_.get(),
                   [this](QMediaPlayer::MediaStatus status) {
                     if (status != QMediaPlayer::EndOfMedia) return;
                     ended_ = true;
                     if (OnEnd) OnEnd();
                   });
  QObject::connect(player_.get(), &QMediaPlayer::hasVideoChanged, player_.get(),
                   [this](bool video) { hasVideo_ = video; });
  return mci::kOk;
}

void TPlayerEngine::Play() {
  ended_ = false;
  player_->play();
}

void TPlayerEngine::Pause() {
  if (Playing()) player_->pause();
}

bool TPlayerEngine::Playing() const {
  return player_->playbackState() == QMediaPlayer::PlayingState;
}

bool TPlayerEngine::Seek(std::int64_t milliseconds) {
  ended_ = false;
  if (!player_->isSeekable()) {
    if (milliseconds != 0) return false;
    player_->stop();  // the one way back to the start of a stream that cannot seek (MIDI)
    return true;
  }
  Pause();
  player_->setPosition(milliseconds);
  return true;
}

std::int64_t TPlayerEngine::Length() const {
  return player_->duration();
}

std::int64_t TPlayerEngine::Position() const {
  return ended_ ? player_->duration() : player_->position();
}

void TPlayerEngine::SetVolume(float volume) {
  if (output_) output_->setVolume(volume);
}

}  // namespace shelf
