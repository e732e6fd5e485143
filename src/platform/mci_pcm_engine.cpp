#include "platform/mci_pcm_engine.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

#include "platform/sound_server.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// A server whose clock of the stream stands still this long is taken to have stopped playing it.
constexpr int kStallLimitMs = 2000;

}  // namespace

std::unique_ptr<TPcmEngine> TPcmEngine::Open(const fs::path& file, const std::string& kind,
                                             float volume) {
  auto decoder = TPcmDecoder::Open(file, kind);
  if (!decoder) return nullptr;
  return std::unique_ptr<TPcmEngine>(
      new TPcmEngine(std::move(decoder), QMediaDevices::defaultAudioOutput(), volume));
}

TPcmEngine::TPcmEngine(std::unique_ptr<TPcmDecoder> decoder, const QAudioDevice& device,
                       float volume)
    : decoder_(std::move(decoder)), device_(device), volume_(volume) {
  drain_.setInterval(10);
  QObject::connect(&drain_, &QTimer::timeout, &context_, [this] { CheckDrained(); });
  silentEnd_.setSingleShot(true);
  QObject::connect(&silentEnd_, &QTimer::timeout, &context_, [this] { Finish(); });
  format_.setSampleRate(decoder_->Format().rate);
  format_.setChannelCount(decoder_->Format().channels);
  format_.setSampleFormat(QAudioFormat::Int16);
}

TPcmEngine::~TPcmEngine() {
  DropOutput();
}

void TPcmEngine::DropOutput() {
  drain_.stop();
  silentEnd_.stop();
  silent_.invalidate();
  if (!sink_) return;
  sink_->disconnect(&context_);
  sink_->stop();
  sink_.reset();
}

void TPcmEngine::Play() {
  if (ended_) startFrame_ = 0;  // a finished sound plays again from its start
  ended_ = false;
  if (Playing()) return;
  if (sink_ && !fresh_) return sink_->resume();
  DropOutput();
  fresh_ = false;
  decoder_->Restart(startFrame_);
  // The output waits without end for a stream that a server gone a moment ago never makes
  // ready, so it is only asked for one when the server answers now.
  if (SoundServerReachable()) {
    sink_ = std::make_unique<QAudioSink>(device_, format_);
    sink_->setVolume(volume_);
    sink_->start(decoder_.get());
  }
  if (!sink_ || sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
    // No sound server takes the stream: the sound runs its course unheard, so that whoever
    // waits for its end (the next song, the exit) is not kept waiting.
    DropOutput();
    silent_.start();
    silentEnd_.start(static_cast<int>(Length() - FrameToMs(startFrame_)));
    return;
  }
  // Connected only now: a refused start reports its stop at once, and is handled above.
  QObject::connect(sink_.get(), &QAudioSink::stateChanged, &context_,
                   [this] { OutputStateChanged(); });
  lastPlayed_ = -1;
  drain_.start();
}

void TPcmEngine::OutputStateChanged() {
  // The sound server went away: the sound is over for this program.
  if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) Finish();
}

void TPcmEngine::CheckDrained() {
  // Once the whole file is with the server, the sound ends when the server has played it.
  if (!decoder_->Exhausted()) return;
  const std::int64_t played = PlayedFrames();
  if (played != lastPlayed_ || sink_->state() == QAudio::SuspendedState) {
    lastPlayed_ = played;
    stalled_.start();
  }
  const std::int64_t margin = decoder_->Format().rate / 200;  // 5 ms
  // A server whose clock stands still for seconds will not play the rest.
  if (played + margin < decoder_->FramesRead() && stalled_.elapsed() < kStallLimitMs) return;
  Finish();
}

void TPcmEngine::Finish() {
  ended_ = true;
  fresh_ = true;
  DropOutput();
  if (OnEnd) OnEnd();
}

std::int64_t TPcmEngine::PlayedFrames() const {
  // The server's clock of this stream: what has really been played, held while suspended.
  const std::int64_t played = sink_->processedUSecs() * decoder_->Format().rate / 1000000;
  return std::min(played, decoder_->FramesRead());
}

void TPcmEngine::Pause() {
  if (!Playing()) return;
  if (sink_) return sink_->suspend();
  startFrame_ = PositionFrame();  // the silent clock stops; the next play starts afresh there
  fresh_ = true;
  DropOutput();
}

bool TPcmEngine::Playing() const {
  if (silent_.isValid()) return true;
  return sink_ && !fresh_ && !ended_ &&
         (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState);
}

bool TPcmEngine::Seek(std::int64_t milliseconds) {
  if (!decoder_->Format().seekable && milliseconds != 0) return false;
  DropOutput();
  startFrame_ = std::clamp<std::int64_t>(milliseconds * decoder_->Format().rate / 1000, 0,
                                         decoder_->Format().frames);
  fresh_ = true;
  ended_ = false;
  return true;
}

std::int64_t TPcmEngine::FrameToMs(std::int64_t frame) const {
  return frame * 1000 / decoder_->Format().rate;
}

std::int64_t TPcmEngine::Length() const {
  return FrameToMs(decoder_->Format().frames);
}

std::int64_t TPcmEngine::PositionFrame() const {
  std::int64_t frame = startFrame_;
  if (silent_.isValid())
    frame += silent_.elapsed() * decoder_->Format().rate / 1000;
  else if (sink_ && !fresh_)
    frame += PlayedFrames();
  return std::min<std::int64_t>(frame, decoder_->Format().frames);
}

std::int64_t TPcmEngine::Position() const {
  return ended_ ? Length() : FrameToMs(PositionFrame());
}

void TPcmEngine::SetVolume(float volume) {
  volume_ = volume;
  if (sink_) sink_->setVolume(volume);
}

}  // namespace shelf
