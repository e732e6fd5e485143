#include "platform/pcm_decoder.h"

#include <sndfile.h>

#include <algorithm>

#include "platform/midi_decoder.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// WAV (PCM, MS-ADPCM, IMA-ADPCM, ...) and MPEG audio, decoded by libsndfile.
class TSndFileDecoder : public TPcmDecoder {
 public:
  TSndFileDecoder(SNDFILE* file, const TFormat& format) : TPcmDecoder(format), file_(file) {}
  ~TSndFileDecoder() override { sf_close(file_); }

 protected:
  void SeekTo(std::int64_t frame) override { sf_seek(file_, frame, SEEK_SET); }
  std::int64_t Decode(std::int16_t* out, std::int64_t frames) override {
    return std::max<sf_count_t>(0, sf_readf_short(file_, out, frames));
  }

 private:
  SNDFILE* file_;
};

std::unique_ptr<TPcmDecoder> OpenSndFile(const fs::path& file) {
  SF_INFO info{};
  SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info);
  if (!sound) return nullptr;
  if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 ||
      info.samplerate > 384000 || info.frames <= 0) {
    sf_close(sound);
    return nullptr;
  }
  return std::make_unique<TSndFileDecoder>(
      sound, TPcmDecoder::TFormat{info.samplerate, info.channels, info.frames, info.seekable != 0});
}

}  // namespace

std::unique_ptr<TPcmDecoder> TPcmDecoder::Open(const fs::path& file, const std::string& kind) {
  if (kind == "RIFF WAVE" || kind == "MPEG audio") return OpenSndFile(file);
  if (kind == "MIDI") return TMidiDecoder::Open(file);
  return nullptr;
}

TPcmDecoder::TPcmDecoder(const TFormat& format) : format_(format) {
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void TPcmDecoder::Restart(std::int64_t frame) {
  SeekTo(frame);
  startFrame_ = frame;
  framesRead_ = 0;
  end_ = false;
}

qint64 TPcmDecoder::bytesAvailable() const {
  if (end_) return 0;
  const std::int64_t left = format_.frames - startFrame_ - framesRead_;
  return std::max<std::int64_t>(1, left) * FrameBytes() + QIODevice::bytesAvailable();
}

qint64 TPcmDecoder::FrameBytes() const {
  return static_cast<qint64>(sizeof(std::int16_t)) * format_.channels;
}

qint64 TPcmDecoder::readData(char* data, qint64 maxSize) {
  const qint64 frames = maxSize / FrameBytes();
  if (frames <= 0 || end_) return 0;
  const std::int64_t got = Decode(reinterpret_cast<std::int16_t*>(data), frames);
  if (got <= 0) {
    end_ = true;
    return 0;
  }
  framesRead_ += got;
  return got * FrameBytes();
}

}  // namespace shelf
