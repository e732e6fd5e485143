// The sample book's sounds, synthesised as 16-bit mono WAV files: short clicks for the buttons
// (PCM, and MS-ADPCM for the switches) and an idling engine a page links to.
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// click.wav (buttons), switch.wav (switches), exit.wav (leaving the book). They stay beside the
// container: the program plays sounds from files.
std::vector<TBookFile> ClickSounds();

// `name` in the container: an engine idling for a few seconds.
TBookFile EngineIdleSound(const QString& name);

}  // namespace shelf::samplegen
