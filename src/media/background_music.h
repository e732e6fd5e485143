// Background music: the book's songs played in turn by their own player, faded in when switched
// on and out when switched off, resuming next time at the song and place where they stopped.
#pragma once

#include <QTimer>
#include <functional>
#include <string>

#include "media/m_player.h"
#include "store/dynamic_arrays.h"
#include "widgets/super_timer.h"

namespace shelf {

class TBookStore;
class TDosFileSystem;
struct TProgramOptions;

class TBackgroundMusic {
 public:
  // `songs` are book files (full DOS paths, as the description resolves them);
  // `options.BGSound` is the flag this object switches off for the run when the music cannot
  // play. `settingsKey` holds the song and position.
  TBackgroundMusic(const TBookStore& store, const TDosFileSystem& fileSystem,
                   TDynamicStringArray songs, std::string settingsKey, TProgramOptions& options);
  ~TBackgroundMusic();

  void StartBackgroundMusic();
  // Saves the song and position and closes the player. With `fade` the music fades out first
  // while the window goes on answering: the call returns at once, and the close and `then`
  // follow the fade's end (at the latest after 10 s). Without a fade `then` runs before the
  // call returns. A start, or a stop without a fade, ends a fading stop at once; another fading
  // stop waits for it.
  void StopBackgroundMusic(bool fade, std::function<void()> then = {});
  // The player's notice: at the end of a song the next one starts, song 0 after the last.
  void NextSong();
  void StartVolumeFade(bool fadeIn);

  // The "bgsound" command: switches the music off with a fade, or closes `clips` (may be null)
  // and switches it on; then stores the flag.
  void Toggle(TMPlayer* clips);

  bool FadeRunning() const { return fadeTimer_.Enabled(); }
  // A fading stop whose close has not happened yet.
  bool Stopping() const { return stopping_; }
  int SongIndex() const { return songIndex_; }
  int SongPos() const { return songPos_; }
  const TDynamicStringArray& Songs() const { return songs_; }
  TMPlayer& Player() { return player_; }
  TProgramOptions& Options() { return options_; }
  // The fade's step, run by its timer every millisecond; public for measuring.
  void FadeTick();

 private:
  void ApplyFadeLevel();
  // Ends a fading stop now: closes the player, gives back its level and runs what waited.
  void FinishStop();

  TDynamicStringArray songs_;
  std::string settingsKey_;
  TProgramOptions& options_;
  TMPlayer player_;
  int songIndex_ = 0;
  int songPos_ = 0;

  // Fade state: levels 0..65535 of our own player's volume, louder channel first.
  int leftVolume_ = 65535;
  int rightVolume_ = 65535;
  int loudChannel_ = 65535;
  float channelRatio_ = 1;
  int fadeLevel_ = 0;
  bool fadeIn_ = false;
  TSuperTimer fadeTimer_;
  bool stopping_ = false;
  std::function<void()> afterStop_;
  QTimer stopLimit_;  // a fade that never ends does not keep the stop waiting
};

}  // namespace shelf
