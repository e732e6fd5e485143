// The shadow a page gives its text (text-shadow), sharp or blurred (private to the page engine).
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

namespace shelf {

// Draws `text` with its baseline at `at` in the shadow's colour; a blur spreads it faintly
// around that place, densest in the middle, about `blur` pixels out.
void DrawTextShadow(QPainter& painter, const QString& text, QPoint at, QColor color, int blur);

}  // namespace shelf
