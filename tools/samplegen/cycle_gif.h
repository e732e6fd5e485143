// The four strokes of the engine as an endlessly looping GIF for the engine chapter: piston,
// valves and the charge through two turns of the crankshaft.
#pragma once

#include <QByteArray>
#include <QString>

namespace shelf::samplegen {

// The GIF file's bytes, or empty with `error` set.
QByteArray FourStrokeGif(QString& error);

}  // namespace shelf::samplegen
