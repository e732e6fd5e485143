// The look both screens of the sample book share: colours, fonts, the bevelled window body with
// its title plate, and the recessed and raised panels the controls stand on.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace shelf::samplegen {

// Blueprint palette.
inline const QColor kInk(0xe8, 0xee, 0xf3);
inline const QColor kBlueprint(0x7f, 0xd3, 0xff);
inline const QColor kDimInk(0x9f, 0xb6, 0xc9);
inline const QColor kMutedInk(0x6f, 0x86, 0x9b);
inline const QColor kAmber(0xff, 0xc8, 0x50);
inline const QColor kNight(0x0b, 0x12, 0x1b);

QFont Font(const QString& family, int pixelSize, int weight = QFont::Normal);

// The window's outline; Struct.txt's vertexmain lists the same points.
QPolygonF WindowOutline();

// An 800 x 600 screen with the body, grid, rim and title plate drawn; the caller adds the rest.
QImage NewScreen();

// A translucent raised band with a thin border, the ground controls stand on.
void DrawBand(QPainter& p, const QRectF& rect);

// A sunken rectangle `inner` with a bevel of `depth` pixels around it, filled with `fill`.
void DrawRecess(QPainter& p, const QRect& inner, int depth, const QColor& fill);

}  // namespace shelf::samplegen
