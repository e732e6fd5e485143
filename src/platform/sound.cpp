#include "platform/sound.h"

#include <unistd.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSaveFile>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "platform/user_folders.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

using std::chrono::milliseconds;

// How long after its length a sound may take to report its end before the wait gives up.
constexpr milliseconds kEndMargin{1000};

std::uint32_t ReadLe(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// The playing time of a RIFF WAVE sound in an encoding the player decodes (integer or float PCM),
// or nullopt with the reason.
std::optional<milliseconds> WavLength(std::string_view bytes, std::string& error) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    error = "not a WAV sound";
    return std::nullopt;
  }
  std::uint32_t byteRate = 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const std::size_t size = ReadLe(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > bytes.size()) break;
      const std::uint32_t format = ReadLe(bytes, body, 2);
      if (format != 1 && format != 3 && format != 0xFFFE) {
        error = "WAV encoding " + std::to_string(format) + " is not supported";
        return std::nullopt;
      }
      byteRate = ReadLe(bytes, body + 8, 4);
      if (ReadLe(bytes, body + 2, 2) == 0 || byteRate == 0) break;
    } else if (id == "data") {
      if (byteRate == 0) break;
      const std::size_t data = std::min(size, bytes.size() - body);  // a cut-off file plays less
      return milliseconds(data * 1000 / byteRate);
    }
    at = body + size + (size & 1);  // chunks are padded to even sizes
    if (at < body) break;
  }
  error = "damaged WAV sound";
  return std::nullopt;
}

std::string HexHash(std::string_view bytes) {
  std::ostringstream out;
  out << std::hex << std::hash<std::string_view>{}(bytes);
  return out.str();
}

}  // namespace

TSound::TSound() = default;

TSound::~TSound() {
  effect_.reset();
  std::error_code ignored;
  for (const fs::path& file : tempFiles_) fs::remove(file, ignored);
}

bool TSound::PlayFile(const fs::path& file, TSoundWait wait) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  if (!in || !(bytes << in.rdbuf())) return Fail("cannot read " + file.string());
  std::string error;
  const auto length = WavLength(bytes.view(), error);
  if (!length) return Fail(file.string() + ": " + error);
  if (!ReadyToPlay()) return false;
  return Play(QUrl::fromLocalFile(QFile::decodeName(fs::absolute(file).c_str())), *length, wait);
}

bool TSound::PlayBytes(std::string_view wav, TSoundWait wait) {
  std::string error;
  const auto length = WavLength(wav, error);
  if (!length) return Fail(error);
  if (!ReadyToPlay()) return false;
  // The player reads files only. One file per distinct sound (and per copy of the program, which
  // may remove its files while another still plays), so a sound played again is not written again
  // and the player keeps it loaded.
  const TFolderResult temp = HostTempDir();
  if (temp.folder.empty()) return Fail(temp.error);
  const fs::path file =
      temp.folder / ("sound-" + std::to_string(getpid()) + "-" + HexHash(wav) + ".wav");
  if (!tempFiles_.contains(file)) {
    QSaveFile out(QFile::decodeName(file.c_str()));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(wav.data(), static_cast<qint64>(wav.size())) != static_cast<qint64>(wav.size()) ||
        !out.commit())
      return Fail("cannot write " + file.string());
    tempFiles_.insert(file);
  }
  return Play(QUrl::fromLocalFile(QFile::decodeName(file.c_str())), *length, wait);
}

bool TSound::ReadyToPlay() {
  if (!QCoreApplication::instance()) return Fail("no application object to play sounds with");
  // The FFmpeg media backend of this Qt crashes without an audio device; take GStreamer unless
  // the user chose otherwise. It must be set before the first media object is made.
  if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
  // Without an output the player would report the sound as playing forever.
  if (QMediaDevices::defaultAudioOutput().isNull()) return Fail("no audio output device");
  if (!effect_) effect_ = std::make_unique<QSoundEffect>();
  return true;
}

bool TSound::Play(const QUrl& source, milliseconds length, TSoundWait wait) {
  effect_->stop();
  if (effect_->status() == QSoundEffect::Error) effect_->setSource(QUrl());  // load it afresh
  effect_->setSource(source);
  effect_->play();
  if (!effect_->isPlaying()) return Fail("the sound could not be played");
  error_.clear();
  return wait == TSoundWait::No || WaitForEnd(length);
}

bool TSound::WaitForEnd(milliseconds length) {
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(effect_.get(), &QSoundEffect::playingChanged, &loop, [&] {
    if (!effect_->isPlaying()) loop.quit();
  });
  QObject::connect(effect_.get(), &QSoundEffect::statusChanged, &loop, [&] {
    if (effect_->status() == QSoundEffect::Error) loop.quit();
  });
  limit.start(length + kEndMargin);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (effect_->status() == QSoundEffect::Error) return Fail("the sound could not be played");
  if (effect_->isPlaying()) {
    effect_->stop();
    return Fail("the sound did not end in time");
  }
  return true;
}

bool TSound::Fail(std::string error) {
  error_ = std::move(error);
  return false;
}

}  // namespace shelf
