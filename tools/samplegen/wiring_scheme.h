// The manual's wiring diagram: a sheet much wider than tall, so that printing it turns the
// sheet to landscape.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace shelf::samplegen {

QImage WiringScheme();
// The diagram as the book's GIF file; empty (with `error`) when it cannot be encoded.
QByteArray WiringSchemeGif(QString& error);

}  // namespace shelf::samplegen
