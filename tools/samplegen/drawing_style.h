// The look of the manual's illustrations: black-on-white technical line art with light metal
// fills, hatched sections, numbered callouts and dimension lines, as a printed manual has them.
#pragma once

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace shelf::samplegen {

inline const QColor kPaper(0xff, 0xff, 0xff);
inline const QColor kLine(0x1e, 0x2d, 0x3b);
inline const QColor kMetal(0xd8, 0xe1, 0xe9);
inline const QColor kSteel(0x8f, 0xa1, 0xb1);
inline const QColor kMark(0xc6, 0x28, 0x28);
inline const QColor kFluid(0x2f, 0x6d, 0xb5);

// The colours above, blended, for the GIF versions of the drawings.
QList<QRgb> DrawingPalette();

// Outline pens: main contours, thin details, centre lines (dash-dot).
QPen OutlinePen(double width = 1.6);
QPen ThinPen();
QPen CentrePen();

// Fills `shape` with the metal tint and outlines it.
void DrawPart(QPainter& p, const QPainterPath& shape, const QColor& fill = kMetal);
// Cross-hatches `shape` at 45 degrees (a cut through solid metal) and outlines it.
void DrawSection(QPainter& p, const QPainterPath& shape, double spacing = 6);
// A coil spring seen from the side, `turns` turns between two heights.
void DrawCoil(QPainter& p, double centreX, double top, double bottom, double halfWidth, int turns);
// A numbered bubble at `bubble` with a leader ending in a dot at `target`.
void DrawCallout(QPainter& p, QPointF target, QPointF bubble, int number);
// A line with a filled arrow head at `to`.
void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color = kLine,
               double width = 1.4);
// A dimension line between `a` and `b`, offset by `offset` pixels to its left, with the text
// written along it.
void DrawDimension(QPainter& p, QPointF a, QPointF b, double offset, const QString& text);
// Short text in the drawings' font, centred on `at` when `centred`, else starting there.
void DrawLabel(QPainter& p, QPointF at, const QString& text, int pixelSize = 12, bool bold = false,
               bool centred = true, const QColor& color = kLine);

}  // namespace shelf::samplegen
