// Button sounds in place of the system's PlaySound: a book file played through a device player of
// its own (so ADPCM sounds play too) and left to play, a new sound cutting off the one still
// playing; whoever must follow a sound (the end of the program) is told when it has ended.
#pragma once

#include <QTimer>
#include <functional>
#include <string>

#include "media/m_player.h"

namespace shelf {

class TButtonSound {
 public:
  TButtonSound(const TBookStore& store, const TDosFileSystem& fileSystem);

  // `file` is a book file (DOS path). False when it cannot be played. `ended`, when given, runs
  // from the event loop once the sound has ended (at the latest its length plus a second after
  // the start), or before the call returns when the sound cannot be played.
  bool Play(const std::string& file, std::function<void()> ended = {});

  TMPlayer& Player() { return player_; }

 private:
  void Ended();

  TMPlayer player_;
  std::function<void()> ended_;
  QTimer limit_;
};

}  // namespace shelf
