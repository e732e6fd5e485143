// Plays a sound file our decoders take (WAV, MPEG audio, MIDI) straight to the sound server
// through QAudioSink, heard within milliseconds of the start; unheard in real time
// when no server takes it.
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "platform/mci_engine.h"
#include "platform/pcm_decoder.h"

class QAudioSink;

namespace shelf {

class TPcmEngine : public TMciEngine {
 public:
  // Null when no decoder of ours takes `file` of `kind` (see TPcmDecoder); the caller then
  // plays it another way.
  static std::unique_ptr<TPcmEngine> Open(const std::filesystem::path& file,
                                          const std::string& kind, float volume);
  ~TPcmEngine() override;

  void Play() override;
  void Pause() override;
  bool Playing() const override;
  bool Seek(std::int64_t milliseconds) override;
  std::int64_t Length() const override;
  std::int64_t Position() const override;
  void SetVolume(float volume) override;
  bool Soundless() const override { return silent_.isValid(); }

 private:
  TPcmEngine(std::unique_ptr<TPcmDecoder> decoder, const QAudioDevice& device, float volume);
  void DropOutput();
  void OutputStateChanged();
  void CheckDrained();
  void Finish();
  std::int64_t PlayedFrames() const;
  std::int64_t PositionFrame() const;
  std::int64_t FrameToMs(std::int64_t frame) const;

  std::unique_ptr<TPcmDecoder> decoder_;
  QAudioDevice device_;
  QAudioFormat format_;
  std::unique_ptr<QAudioSink> sink_;
  QObject context_;  // receives the output's signals; they die with the engine
  QTimer drain_;     // while playing: whether the last sample handed over has been played
  QElapsedTimer stalled_;
  std::int64_t lastPlayed_ = -1;
  // Without a sound server: the clock of a sound played unheard, and its end.
  QElapsedTimer silent_;
  QTimer silentEnd_;
  float volume_;
  std::int64_t startFrame_ = 0;  // where the current output began, or the next one begins
  bool fresh_ = true;            // the next Play starts a new output at startFrame_
  bool ended_ = false;
};

}  // namespace shelf
