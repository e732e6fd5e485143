// Plays the book's WAV sounds in place of the system's PlaySound: started and left to play, a new
// sound cutting off the one still playing, or played to its end for the exit sound at shutdown.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>

class QSoundEffect;
class QUrl;

namespace shelf {

enum class TSoundWait { No, UntilEnd };

class TSound {
 public:
  TSound();
  // Removes the temporary files that sounds given as bytes were played from.
  ~TSound();
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;

  // False, with the reason in LastError, when the sound cannot be read or is no PCM WAV sound,
  // when there is no application object or no audio output (it then gives up at once, never
  // falling back to another sound), or when waiting for the end failed. `UntilEnd` returns when
  // the sound has ended, at the latest its length plus a margin after the start.
  bool PlayFile(const std::filesystem::path& file, TSoundWait wait);
  // The sound as the book stream holds it.
  bool PlayBytes(std::string_view wav, TSoundWait wait);

  const std::string& LastError() const { return error_; }

 private:
  // Gives up at once when there is nothing to play on.
  bool ReadyToPlay();
  bool Play(const QUrl& source, std::chrono::milliseconds length, TSoundWait wait);
  bool WaitForEnd(std::chrono::milliseconds length);
  bool Fail(std::string error);

  std::unique_ptr<QSoundEffect> effect_;  // made on the first sound that can be played
  std::set<std::filesystem::path> tempFiles_;
  std::string error_;
};

}  // namespace shelf
