// Button sounds in place of the system's PlaySound: a book file played through a device player of
// its own (so ADPCM sounds play too) and left to play, a new sound cutting off the one still
// playing; the exit sound is waited for, with user input held back meanwhile.
#pragma once

#include <string>

#include "media/m_player.h"

namespace shelf {

class TButtonSound {
 public:
  TButtonSound(const TBookStore& store, const TDosFileSystem& fileSystem);

  // `file` is a book file (DOS path). False when it cannot be played. With `toTheEnd` it returns
  // when the sound has ended, at the latest its length plus a second after the start.
  bool Play(const std::string& file, bool toTheEnd);

  TMPlayer& Player() { return player_; }

 private:
  TMPlayer player_;
};

}  // namespace shelf
