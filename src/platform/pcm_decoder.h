// The samples of a sound file as 16-bit PCM, read by the sound output as it needs them: the
// subclass decodes, this keeps where the reading started, how far it got and whether it ended.
#pragma once

#include <QIODevice>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace shelf {

class TPcmDecoder : public QIODevice {
 public:
  struct TFormat {
    int rate = 0;
    int channels = 0;
    std::int64_t frames = 0;  // the length
    bool seekable = true;     // else it only starts again from the beginning
  };

  // WAV and MPEG audio through libsndfile, MIDI through fluidsynth (`kind` as
  // TMciDevice::MediaKind names it); null when the file cannot be decoded that way.
  static std::unique_ptr<TPcmDecoder> Open(const std::filesystem::path& file,
                                           const std::string& kind);

  const TFormat& Format() const { return format_; }
  // Starts reading afresh at `frame` (0 for a decoder that cannot seek).
  void Restart(std::int64_t frame);
  std::int64_t FramesRead() const { return framesRead_; }
  // Every frame has been read.
  bool Exhausted() const { return end_; }
  bool isSequential() const override { return true; }
  // Never, for the sound output: at the end of its source, Qt 6.4's PulseAudio output asks the
  // server to drain the stream and reports the drain's end to the output object even when that
  // is gone by then. The engine watches the end itself.
  bool atEnd() const override { return false; }
  // What is left to play: the output takes a sound shorter than its buffer as a whole, rather
  // than starting on its first bytes and ending it on the underrun that follows.
  qint64 bytesAvailable() const override;

 protected:
  explicit TPcmDecoder(const TFormat& format);
  virtual void SeekTo(std::int64_t frame) = 0;
  // Up to `frames` frames into `out`; 0 at the end.
  virtual std::int64_t Decode(std::int16_t* out, std::int64_t frames) = 0;

 private:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }
  qint64 FrameBytes() const;

  TFormat format_;
  std::int64_t startFrame_ = 0;
  std::int64_t framesRead_ = 0;
  bool end_ = false;
};

}  // namespace shelf
