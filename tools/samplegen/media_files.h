// The sample book's media, synthesised: three background songs (PCM WAV, MP3, MIDI), a horn
// sound for a page link, the clip of the reading screen, the start clip and the title screen's
// film, all a few seconds long and small.
#pragma once

#include <QString>
#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// Empty with `error` set when something could not be made.
std::vector<TBookFile> MediaFiles(QString& error);

}  // namespace shelf::samplegen
