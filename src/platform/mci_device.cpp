#include "platform/mci_device.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "platform/mci_pcm_engine.h"
#include "platform/mci_player_engine.h"
#include "platform/media_decoders.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// The first codec of the film's streams that no installed decoder takes, empty when none: the
// media framework would show such a film black, or play its sound alone, without an error.
std::string CodecWithoutDecoder(const fs::path& film) {
  for (const std::string& codec : AviStreamCodecs(film))
    for (const TDecoderNeed& need : DecoderNeeds()) {
      if (need.need != codec) continue;
      if (std::none_of(need.elements.begin(), need.elements.end(),
                       [](const char* element) { return HasMediaElement(element); }))
        return codec;
    }
  return {};
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
  missingDecoder_.clear();
  std::error_code error;
  if (file.empty() || !fs::is_regular_file(file, error)) return mci::kFileNotFound;
  std::ifstream probe(file, std::ios::binary);
  if (!probe || fs::file_size(file, error) == 0 || error) return mci::kFileRead;
  const std::string kind = MediaKind(file);
  if (kind.empty()) return mci::kInvalidFile;
  // Sounds go straight to the sound server, which starts them at once; the media framework's
  // pipeline takes a sixth of a second to be heard.
  engine_ = TPcmEngine::Open(file, kind, volume_);
  if (!engine_) {
    if (kind == "AVI") missingDecoder_ = CodecWithoutDecoder(file);
    if (!missingDecoder_.empty()) return mci::kCannotLoadDriver;
    unsigned result = mci::kOk;
    engine_ = TPlayerEngine::Open(file, volume_, result);
    if (result == mci::kCannotLoadDriver) missingDecoder_ = kind;
    if (!engine_) return result;
  }
  stopped_ = true;
  engine_->OnEnd = [this] { Ended(); };
  engine_->OnFrame = [this](const QImage& frame) {
    if (OnFrame) OnFrame(frame);
  };
  return mci::kOk;
}

void TMciDevice::Close() {
  ++endGeneration_;
  engine_.reset();
}

void TMciDevice::Ended() {
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
  if (!engine_) return mci::kNoDevice;
  ++endGeneration_;
  stopped_ = false;
  engine_->Play();
  return mci::kOk;
}

unsigned TMciDevice::Stop() {
  if (!engine_) return mci::kNoDevice;
  ++endGeneration_;
  engine_->Pause();
  stopped_ = true;
  return mci::kOk;
}

unsigned TMciDevice::Pause() {
  if (!engine_) return mci::kNoDevice;
  ++endGeneration_;
  if (!engine_->Playing()) return mci::kOk;
  engine_->Pause();
  stopped_ = false;
  return mci::kOk;
}

unsigned TMciDevice::Resume() {
  if (!engine_) return mci::kNoDevice;
  if (Mode() != TMciMode::Paused) return mci::kUnsupportedFunction;
  return Play();
}

unsigned TMciDevice::Seek(std::int64_t milliseconds) {
  if (!engine_) return mci::kNoDevice;
  ++endGeneration_;
  const std::int64_t to =
      std::clamp<std::int64_t>(milliseconds, 0, std::max<std::int64_t>(0, Length()));
  if (!engine_->Seek(to)) return mci::kUnsupportedFunction;
  stopped_ = true;
  return mci::kOk;
}

std::int64_t TMciDevice::Length() const {
  return engine_ ? engine_->Length() : 0;
}

std::int64_t TMciDevice::Position() const {
  return engine_ ? engine_->Position() : 0;
}

TMciMode TMciDevice::Mode() const {
  if (!engine_) return TMciMode::NotReady;
  if (engine_->Playing()) return TMciMode::Playing;
  return stopped_ ? TMciMode::Stopped : TMciMode::Paused;
}

bool TMciDevice::Soundless() const {
  return engine_ && engine_->Soundless();
}

bool TMciDevice::HasVideo() const {
  return engine_ && engine_->HasVideo();
}

QSize TMciDevice::VideoSize() const {
  return engine_ ? engine_->VideoSize() : QSize();
}

void TMciDevice::SetVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  if (engine_) engine_->SetVolume(volume_);
}

}  // namespace shelf
