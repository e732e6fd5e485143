// The reader's media options as program-wide values: background music, button sounds and clips,
// read from the book's settings at start-up (missing ones are written with their defaults).
#pragma once

namespace shelf {

class TRegistry;

struct TMediaOptions {
  bool BGSound = true;  // "BGSound": background music on
  bool Wav = true;      // "Wav": button sounds on
  bool Clip = true;     // "Clip": the start clip and the codec set-up for clips

  // Reads the values from the open key; a missing or unreadable one keeps its default and is
  // written back.
  void Read(TRegistry& settings);
};

}  // namespace shelf
