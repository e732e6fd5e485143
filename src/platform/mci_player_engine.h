// Plays any medium the media framework decodes (films, and sounds our own decoders do not take)
// through QMediaPlayer, with video frames handed out as pictures. Each medium gets an output of
// its own, and none when no sound server is there: its picture then plays without sound.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/mci_engine.h"

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

namespace shelf {

class TPlayerEngine : public TMciEngine {
 public:
  // Loads `file` and waits until it can be played (user input stays queued meanwhile); null
  // with `result` set to the MCI error when it cannot.
  static std::unique_ptr<TPlayerEngine> Open(const std::filesystem::path& file, float volume,
                                             unsigned& result);
  ~TPlayerEngine() override;

  void Play() override;
  void Pause() override;
  bool Playing() const override;
  bool Seek(std::int64_t milliseconds) override;
  std::int64_t Length() const override;
  std::int64_t Position() const override;
  void SetVolume(float volume) override;
  bool HasVideo() const override { return hasVideo_; }
  bool Soundless() const override { return !output_; }
  QSize VideoSize() const override { return videoSize_; }

 private:
  TPlayerEngine();
  unsigned Load(const std::filesystem::path& file, float volume);

  std::unique_ptr<QMediaPlayer> player_;
  std::unique_ptr<QAudioOutput> output_;
  std::unique_ptr<QVideoSink> sink_;
  bool hasVideo_ = false;
  bool ended_ = false;
  QSize videoSize_;
};

}  // namespace shelf
