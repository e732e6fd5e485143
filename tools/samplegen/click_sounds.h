// The sample book's button sounds, synthesised: short clicks as 16-bit mono WAV files
// (PCM, and MS-ADPCM for the switches).
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// click.wav (buttons), switch.wav (switches), exit.wav (leaving the book). They stay beside the
// container: the program plays sounds from files.
std::vector<TBookFile> ClickSounds();

}  // namespace shelf::samplegen
