// MIDI sequences (SMF and RIFF RMID) rendered to PCM by fluidsynth with the system's General
// MIDI soundfont, as the sequencer of a sound card would play them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/pcm_decoder.h"

struct _fluid_synth_t;
struct _fluid_player_t;

namespace shelf {

// The playing time of a standard MIDI file in seconds, from its tempo changes and the end of
// its longest track; none when the bytes are no MIDI file.
std::optional<double> MidiFileSeconds(std::string_view smf);

class TMidiDecoder : public TPcmDecoder {
 public:
  // Null when `file` holds no MIDI sequence or the system has no soundfont.
  static std::unique_ptr<TMidiDecoder> Open(const std::filesystem::path& file);
  ~TMidiDecoder() override;

 protected:
  // The sequence only starts again from its beginning.
  void SeekTo(std::int64_t frame) override;
  std::int64_t Decode(std::int16_t* out, std::int64_t frames) override;

 private:
  TMidiDecoder(const TFormat& format, std::string smf, _fluid_synth_t* synth);

  std::string smf_;
  _fluid_synth_t* synth_;
  _fluid_player_t* player_ = nullptr;
  std::int64_t rendered_ = 0;  // frames since the start
};

}  // namespace shelf
