#include "tool_icons.h"

#include <QPainterPath>
#include <cmath>

namespace shelf::samplegen {
namespace {

// An arrow along the middle of the box pointing left (direction -1) or right (+1).
void Arrow(QPainter& p, const QRectF& b, int direction) {
  const double y = b.center().y();
  const double tip = direction < 0 ? b.left() + 2 : b.right() - 2;
  const double tail = direction < 0 ? b.right() - 2 : b.left() + 2;
  p.drawLine(QPointF(tail, y), QPointF(tip, y));
  p.drawPolyline(QPolygonF(
      QList<QPointF>{{tip - direction * 8.0, y - 8}, {tip, y}, {tip - direction * 8.0, y + 8}}));
}

// A chevron with a bar: to the previous chapter points up to the bar, to the next one down.
void Chapter(QPainter& p, const QRectF& b, int direction) {
  const double x = b.center().x();
  const double bar = direction < 0 ? b.top() + 3 : b.bottom() - 3;
  p.drawLine(QPointF(x - 9, bar), QPointF(x + 9, bar));
  for (const double offset : {6.0, 13.0}) {
    const double tip = bar - direction * offset;
    p.drawPolyline(QPolygonF(
        QList<QPointF>{{x - 8, tip - direction * 7}, {x, tip}, {x + 8, tip - direction * 7}}));
  }
}

void Clock(QPainter& p, const QRectF& b) {
  const QPointF c = b.center() + QPointF(1, 0);
  const double r = b.width() / 2 - 2;
  // An open circle whose gap ends in a small arrow head: time going back.
  p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 100 * 16, 290 * 16);
  const QPointF end(c.x() + r * std::cos(100 * M_PI / 180), c.y() - r * std::sin(100 * M_PI / 180));
  p.drawPolyline(QPolygonF(QList<QPointF>{end + QPointF(-6, -3), end, end + QPointF(-2, 6)}));
  p.drawPolyline(QPolygonF(QList<QPointF>{c + QPointF(0, -6), c, c + QPointF(5, 3)}));
}

void Star(QPainter& p, const QRectF& b) {
  QPolygonF star;
  const QPointF c = b.center() + QPointF(0, 1);
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? b.width() * 0.22 : b.width() / 2;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    star << c + QPointF(r * std::cos(angle), r * std::sin(angle));
  }
  p.drawPolygon(star);
}

// A smaller star with a plus (adding) or a minus (removing) at its lower right.
void MarkedStar(QPainter& p, const QRectF& b, bool plus) {
  Star(p, QRectF(b.left(), b.top(), b.width() * 0.72, b.height() * 0.72));
  const QPointF c = b.bottomRight() - QPointF(4, 4);
  p.drawLine(c - QPointF(4, 0), c + QPointF(4, 0));
  if (plus) p.drawLine(c - QPointF(0, 4), c + QPointF(0, 4));
}

void Magnifier(QPainter& p, const QRectF& b) {
  const QRectF lens(b.left() + 1, b.top() + 1, b.width() * 0.62, b.height() * 0.62);
  p.drawEllipse(lens);
  QPen handle = p.pen();
  handle.setWidthF(handle.widthF() + 1.5);
  p.save();
  p.setPen(handle);
  const QPointF from = lens.center() + QPointF(lens.width() * 0.36, lens.height() * 0.36);
  p.drawLine(from, b.bottomRight() - QPointF(1, 1));
  p.restore();
}

void Printer(QPainter& p, const QRectF& b) {
  const double l = b.left(), t = b.top(), w = b.width(), h = b.height();
  p.drawRect(QRectF(l + 5, t + 1, w - 10, h * 0.3));                      // paper in
  p.drawRoundedRect(QRectF(l + 1, t + h * 0.34, w - 2, h * 0.38), 2, 2);  // body
  p.drawRect(QRectF(l + 5, t + h * 0.58, w - 10, h * 0.42 - 1));          // sheet out
  p.drawLine(QPointF(l + 8, t + h * 0.76), QPointF(l + w - 8, t + h * 0.76));
  p.drawLine(QPointF(l + 8, t + h * 0.88), QPointF(l + w - 10, t + h * 0.88));
}

// A box with its lid open and an arrow coming out: unpacking an archive.
void OpenBox(QPainter& p, const QRectF& b) {
  const double l = b.left(), t = b.top(), w = b.width(), h = b.height();
  p.drawRect(QRectF(l + 2, t + h * 0.5, w - 4, h * 0.5 - 1));
  p.drawLine(QPointF(l + 2, t + h * 0.5), QPointF(l - 1, t + h * 0.3));
  p.drawLine(QPointF(l + w - 2, t + h * 0.5), QPointF(l + w + 1, t + h * 0.3));
  const double x = b.center().x();
  p.drawLine(QPointF(x, t + h * 0.75), QPointF(x, t + 1));
  p.drawPolyline(QPolygonF({{x - 6, t + 7}, {x, t + 1}, {x + 6, t + 7}}));
}

// The book on its title page: an open book.
void OpenBook(QPainter& p, const QRectF& b) {
  const double cx = b.center().x(), t = b.top() + 3, bottom = b.bottom() - 2;
  QPainterPath pages;
  pages.moveTo(cx, t + 3);
  pages.cubicTo(cx - 4, t - 1, b.left() + 5, t - 1, b.left() + 1, t + 1);
  pages.lineTo(b.left() + 1, bottom - 3);
  pages.cubicTo(b.left() + 5, bottom - 5, cx - 4, bottom - 5, cx, bottom);
  pages.cubicTo(cx + 4, bottom - 5, b.right() - 5, bottom - 5, b.right() - 1, bottom - 3);
  pages.lineTo(b.right() - 1, t + 1);
  pages.cubicTo(b.right() - 5, t - 1, cx + 4, t - 1, cx, t + 3);
  pages.closeSubpath();
  p.drawPath(pages);
  p.drawLine(QPointF(cx, t + 3), QPointF(cx, bottom));
  for (const double y : {0.35, 0.55}) {
    const double line = t + (bottom - t) * y;
    p.drawLine(QPointF(b.left() + 5, line), QPointF(cx - 4, line));
    p.drawLine(QPointF(cx + 4, line), QPointF(b.right() - 5, line));
  }
}

}  // namespace

namespace {

// The glyphs players of every kind share: a note, triangles and bars.
void MediaGlyph(QPainter& p, TToolIcon icon, const QRectF& box) {
  const QRectF b =
      box.adjusted(box.width() * 0.2, box.height() * 0.2, -box.width() * 0.2, -box.height() * 0.2);
  const auto triangle = [&](double left, double right, bool forward) {
    const double tip = forward ? right : left, base = forward ? left : right;
    p.drawPolygon(QPolygonF(
        {QPointF(base, b.top()), QPointF(tip, b.center().y()), QPointF(base, b.bottom())}));
  };
  switch (icon) {
    case TToolIcon::Music:
      p.drawEllipse(QRectF(b.left(), b.bottom() - 5, 6, 5));
      p.drawLine(QPointF(b.left() + 6, b.bottom() - 2.5), QPointF(b.left() + 6, b.top()));
      p.drawLine(QPointF(b.left() + 6, b.top()), QPointF(b.right(), b.top() + 3));
      break;
    case TToolIcon::Play:
      triangle(b.left() + 1, b.right(), true);
      break;
    case TToolIcon::Pause:
      p.drawRect(QRectF(b.left() + 1, b.top(), 3, b.height()));
      p.drawRect(QRectF(b.right() - 4, b.top(), 3, b.height()));
      break;
    case TToolIcon::Stop:
      p.drawRect(b.adjusted(1, 1, -1, -1));
      break;
    case TToolIcon::StepBack:
      triangle(b.left(), b.center().x(), false);
      triangle(b.center().x(), b.right(), false);
      break;
    case TToolIcon::StepForward:
      triangle(b.left(), b.center().x(), true);
      triangle(b.center().x(), b.right(), true);
      break;
    default:
      break;
  }
}

}  // namespace

void DrawToolIcon(QPainter& p, TToolIcon icon, const QRectF& box) {
  switch (icon) {
    case TToolIcon::Title:
      OpenBook(p, box);
      break;
    case TToolIcon::Back:
      Arrow(p, box, -1);
      break;
    case TToolIcon::Forward:
      Arrow(p, box, 1);
      break;
    case TToolIcon::History:
      Clock(p, box);
      break;
    case TToolIcon::HistoryForward:  // the clock seen in a mirror: time going forward
      p.save();
      p.translate(box.center().x() * 2, 0);
      p.scale(-1, 1);
      Clock(p, box);
      p.restore();
      break;
    case TToolIcon::PrevChapter:
      Chapter(p, box, -1);
      break;
    case TToolIcon::NextChapter:
      Chapter(p, box, 1);
      break;
    case TToolIcon::Bookmarks:
      Star(p, box);
      break;
    case TToolIcon::AddBookmark:
      MarkedStar(p, box, true);
      break;
    case TToolIcon::DeleteBookmark:
      MarkedStar(p, box, false);
      break;
    case TToolIcon::Find:
      Magnifier(p, box);
      break;
    case TToolIcon::Print:
      Printer(p, box);
      break;
    case TToolIcon::Unpack:
      OpenBox(p, box);
      break;
    default:
      MediaGlyph(p, icon, box);
      break;
  }
}

}  // namespace shelf::samplegen
