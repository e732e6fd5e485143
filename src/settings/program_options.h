// The reader's program-wide settings: read once at start-up (a missing value gets its default
// written back), changed by the options dialog and consulted by every part that obeys them.
#pragma once

#include <string>

namespace shelf {

class TRegistry;

struct TProgramOptions {
  bool Clip = true;       // play the start clip
  bool Wav = true;        // button sounds
  bool BGSound = true;    // background music
  bool Animation = true;  // window animation
  bool Hint = true;       // pop-up hints
  // Player settings: only books with playlists read them; the others keep these values.
  bool AutoStartPlayer = false;
  bool PlayingCyclic = false;
  std::string NamePlayList[3];  // Windows-1251
  // Slide show settings: only books with slide-show pictures read them.
  bool RunSlideShow = false;
  int SlideShowTime = 5;  // seconds per picture, 1 to 10
  int ImageSequence = 0;  // 0 forward, 1 backward, anything else random
  int SizeInterface = 0;  // 0 automatic .. 3 custom; held for the run, never read back
};

// Which groups of settings a book has: the player's only with playlists, the slide show's only
// with pictures for it.
struct TOptionGroups {
  bool Playlists = false;
  bool SlidePictures = false;
};

// Reads the settings from the open key; every value that is missing or has another type is
// written with its default (a playlist name: the name held now), which is then used.
void ReadProgramOptions(TRegistry& key, TOptionGroups groups, TProgramOptions& options);

}  // namespace shelf
