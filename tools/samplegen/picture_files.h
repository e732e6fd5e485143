// Writes drawn pictures in the file formats books use: Windows bitmaps, PNG and JPEG through Qt
// (GIF goes through gif_writer.h).
#pragma once

#include <QByteArray>
#include <QImage>

namespace shelf::samplegen {

// A 24-bit Windows bitmap at 96 dots per inch, as on a Windows screen (the program measures
// caption font sizes in the picture's resolution); empty when it cannot be made.
QByteArray Bitmap(const QImage& image);
// The picture in a format Qt writes ("png", "jpg"); empty on failure.
QByteArray Encoded(const QImage& image, const char* format, int quality = -1);

}  // namespace shelf::samplegen
