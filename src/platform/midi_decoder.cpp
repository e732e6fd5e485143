#include "platform/midi_decoder.h"

#include <fluidsynth.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <fstream>
#include <map>
#include <mutex>
#include <vector>

namespace shelf {
namespace fs = std::filesystem;
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr double kReleaseSeconds = 0.4;  // rendered after the last event, for the notes to fade
constexpr std::size_t kMaxMidiBytes = 16 << 20;
constexpr std::size_t kKeptSynths = 2;

// Reads the bytes of a standard MIDI file: big-endian numbers and variable-length quantities,
// never past the end.
class TSmfReader {
 public:
  explicit TSmfReader(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ >= bytes_.size(); }
  bool Has(std::size_t count) const { return bytes_.size() - at_ >= count; }
  std::size_t At() const { return at_; }
  void Skip(std::size_t count) { at_ += std::min(count, bytes_.size() - at_); }
  std::uint32_t Number(int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size && !AtEnd(); ++i) value = value << 8 | Byte();
    return value;
  }
  std::uint8_t Byte() { return AtEnd() ? 0 : static_cast<std::uint8_t>(bytes_[at_++]); }
  std::uint8_t Peek() const { return AtEnd() ? 0 : static_cast<std::uint8_t>(bytes_[at_]); }
  std::uint32_t Quantity() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = Byte();
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) break;
    }
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// The standard MIDI file inside `bytes`: itself, or the "data" chunk of a RIFF RMID file.
std::string_view StandardMidi(std::string_view bytes) {
  if (bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "RMID") return bytes;
  TSmfReader riff(bytes);
  riff.Skip(12);
  while (riff.Has(8)) {
    const std::string_view id = bytes.substr(riff.At(), 4);
    riff.Skip(4);
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) size |= static_cast<std::uint32_t>(riff.Byte()) << (8 * i);
    if (id == "data") return bytes.substr(riff.At(), size);
    riff.Skip(size + (size & 1));
  }
  return {};
}

// The soundfont a General MIDI synthesiser uses: the system's default one, else any there.
std::string FindSoundFont() {
  QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
  folders << "/usr/share";
  for (const QString& folder : folders) {
    const QDir fonts(folder + "/sounds/sf2");
    if (fonts.exists("default-GM.sf2"))
      return QFile::encodeName(fonts.filePath("default-GM.sf2")).toStdString();
    const QStringList any = fonts.entryList({"*.sf2"}, QDir::Files, QDir::Name);
    if (!any.isEmpty()) return QFile::encodeName(fonts.filePath(any.first())).toStdString();
  }
  return {};
}

// Renders and drops `frames` frames.
void Discard(fluid_synth_t* synth, int frames) {
  std::vector<std::int16_t> scratch(static_cast<std::size_t>(frames) * kChannels);
  fluid_synth_write_s16(synth, frames, scratch.data(), 0, kChannels, scratch.data(), 1, kChannels);
}

// Leaves the synthesiser silent and reset, for a sequence to start afresh: the voices are cut
// (a reset alone only releases the notes, which ring on), what the synthesiser had rendered
// ahead is dropped, and then the reset clears the channels and the reverb's tail.
void Silence(fluid_synth_t* synth) {
  constexpr int kRenderedAhead = 1024;
  fluid_synth_all_sounds_off(synth, -1);
  Discard(synth, kRenderedAhead);
  fluid_synth_system_reset(synth);
  Discard(synth, kRenderedAhead);
}

// Loading the soundfont takes a sixth of a second: the synthesisers of finished sequences are
// kept, reset, for the next one.
class TSynthPool {
 public:
  static TSynthPool& Instance() {
    static TSynthPool pool;
    return pool;
  }
  fluid_synth_t* Take() {
    std::lock_guard lock(mutex_);
    if (!kept_.empty()) {
      fluid_synth_t* synth = kept_.back();
      kept_.pop_back();
      return synth;
    }
    if (soundFont_.empty()) soundFont_ = FindSoundFont();
    if (soundFont_.empty()) return nullptr;
    fluid_synth_t* synth = new_fluid_synth(settings_);
    if (!synth) return nullptr;
    if (fluid_synth_sfload(synth, soundFont_.c_str(), 1) == FLUID_FAILED) {
      delete_fluid_synth(synth);
      return nullptr;
    }
    return synth;
  }
  void Give(fluid_synth_t* synth) {
    Silence(synth);
    std::lock_guard lock(mutex_);
    if (kept_.size() < kKeptSynths)
      kept_.push_back(synth);
    else
      delete_fluid_synth(synth);
  }

 private:
  TSynthPool() : settings_(new_fluid_settings()) {
    fluid_settings_setnum(settings_, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings_, "synth.gain", 1.0);  // the default 0.2 is faint
    // Quiet: its informational messages are of no use to a reader.
    for (int level : {FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
  }
  ~TSynthPool() {
    for (fluid_synth_t* synth : kept_) delete_fluid_synth(synth);
    delete_fluid_settings(settings_);
  }

  std::mutex mutex_;
  fluid_settings_t* settings_;
  std::string soundFont_;
  std::vector<fluid_synth_t*> kept_;
};

}  // namespace

std::optional<double> MidiFileSeconds(std::string_view smf) {
  TSmfReader in(smf);
  if (smf.substr(0, 4) != "MThd") return std::nullopt;
  in.Skip(4);
  const std::uint32_t headerSize = in.Number(4);
  if (headerSize < 6 || !in.Has(headerSize)) return std::nullopt;
  in.Skip(4);  // format, track count
  const std::uint16_t division = static_cast<std::uint16_t>(in.Number(2));
  in.Skip(headerSize - 6);
  if (division == 0) return std::nullopt;

  std::map<std::uint64_t, std::uint32_t> tempos;  // tick -> microseconds a quarter note
  std::uint64_t lastTick = 0;
  while (in.Has(8)) {
    const bool track = smf.substr(in.At(), 4) == "MTrk";
    in.Skip(4);
    const std::uint32_t size = in.Number(4);
    const std::size_t end = in.At() + std::min<std::size_t>(size, smf.size() - in.At());
    if (!track) {
      in.Skip(size);
      continue;
    }
    std::uint64_t tick = 0;
    std::uint8_t status = 0;
    while (in.At() < end) {
      tick += in.Quantity();
      if (in.Peek() & 0x80) status = in.Byte();
      if (status == 0xFF) {
        const std::uint8_t type = in.Byte();
        const std::uint32_t length = in.Quantity();
        if (type == 0x51 && length == 3)
          tempos[tick] = in.Number(3);
        else
          in.Skip(length);
        if (type == 0x2F) break;  // end of track
      } else if (status == 0xF0 || status == 0xF7) {
        in.Skip(in.Quantity());
      } else if (status >= 0x80) {
        const std::uint8_t kind = status & 0xF0;
        in.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
      } else {
        in.Skip(1);  // data without any status: step over it
      }
    }
    lastTick = std::max(lastTick, tick);
    in.Skip(end - std::min(end, in.At()));
  }

  if (division & 0x8000) {  // SMPTE: frames a second times ticks a frame
    const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (framesPerSecond <= 0 || ticksPerFrame == 0) return std::nullopt;
    return static_cast<double>(lastTick) / (framesPerSecond * ticksPerFrame);
  }
  double seconds = 0;
  std::uint64_t from = 0;
  std::uint32_t tempo = 500000;  // 120 beats a minute until told otherwise
  for (const auto& [tick, value] : tempos) {
    if (tick >= lastTick) break;
    seconds += static_cast<double>(tick - from) * tempo / (division * 1e6);
    from = tick;
    tempo = value;
  }
  return seconds + static_cast<double>(lastTick - from) * tempo / (division * 1e6);
}

std::unique_ptr<TMidiDecoder> TMidiDecoder::Open(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error || size > kMaxMidiBytes) return nullptr;
  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  std::string smf(StandardMidi(bytes));
  const std::optional<double> seconds = MidiFileSeconds(smf);
  if (!seconds || *seconds <= 0 || *seconds > 24 * 3600) return nullptr;
  fluid_synth_t* synth = TSynthPool::Instance().Take();
  if (!synth) return nullptr;
  const auto frames = static_cast<std::int64_t>(*seconds * kRate);
  return std::unique_ptr<TMidiDecoder>(
      new TMidiDecoder(TFormat{kRate, kChannels, frames, false}, std::move(smf), synth));
}

TMidiDecoder::TMidiDecoder(const TFormat& format, std::string smf, fluid_synth_t* synth)
    : TPcmDecoder(format), smf_(std::move(smf)), synth_(synth) {}

TMidiDecoder::~TMidiDecoder() {
  if (player_) delete_fluid_player(player_);
  TSynthPool::Instance().Give(synth_);
}

void TMidiDecoder::SeekTo(std::int64_t) {
  if (player_) delete_fluid_player(player_);
  Silence(synth_);
  player_ = new_fluid_player(synth_);
  rendered_ = 0;
  if (player_ && fluid_player_add_mem(player_, smf_.data(), smf_.size()) == FLUID_OK)
    fluid_player_play(player_);
}

std::int64_t TMidiDecoder::Decode(std::int16_t* out, std::int64_t frames) {
  // The sequence's own length and the release of its last notes; fluidsynth's player would
  // go on for seconds of silence after the last event.
  const auto end = Format().frames + static_cast<std::int64_t>(kReleaseSeconds * kRate);
  frames = std::min(frames, end - rendered_);
  if (!player_ || frames <= 0) return 0;
  fluid_synth_write_s16(synth_, static_cast<int>(frames), out, 0, kChannels, out, 1, kChannels);
  rendered_ += frames;
  return frames;
}

}  // namespace shelf
