#include "print/preview_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace shelf {

namespace {

// Theme names of the freedesktop icon naming scheme (and the usual extensions of it).
constexpr const char* kThemeNames[kPreviewIconCount] = {
    "document-print", "go-first",       "go-previous",   "go-next",     "go-last", "go-jump",
    "zoom-fit-best",  "zoom-fit-width", "zoom-original", "zoom-in",     "zoom-in", "transform-move",
    "view-paged",     "view-dual",      "help-contents", "window-close"};

constexpr int kOrientation = -1;

struct TInks {
  QColor Line, Accent, Paper, Stop;
};

TInks InksFor(QIcon::Mode mode) {
  const QColor paper = Qt::white;
  if (mode == QIcon::Disabled)
    return {QColor(168, 168, 168), QColor(190, 190, 190), paper, QColor(190, 190, 190)};
  if (mode == QIcon::Active || mode == QIcon::Selected)
    return {QColor(24, 48, 96), QColor(0, 120, 230), paper, QColor(230, 40, 20)};
  return {QColor(58, 66, 80), QColor(40, 104, 190), paper, QColor(196, 43, 28)};
}

// A sheet of paper with a folded corner and a few lines of text.
void Sheet(QPainter& p, const TInks& ink, QRectF r, bool lines = true) {
  const double fold = std::min(r.width(), r.height()) / 3;
  QPainterPath path;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(ink.Line, 1));
  p.setBrush(ink.Paper);
  p.drawPath(path);
  if (!lines) return;
  p.setPen(QPen(ink.Accent, 1));
  for (double y = r.top() + fold + 1.5; y < r.bottom() - 1.5; y += 2.5)
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Triangle(QPainter& p, const QColor& fill, QPointF tip, double dx) {
  QPainterPath path;
  path.moveTo(tip);
  path.lineTo(tip.x() + dx, 3);
  path.lineTo(tip.x() + dx, 13);
  path.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

void Bar(QPainter& p, const QColor& fill, double x) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRect(QRectF(x, 3, 2, 10));
}

void Arrow(QPainter& p, const QColor& ink, QPointF from, QPointF to) {
  p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  p.drawPolyline(QPolygonF({to - 3 * d + 2.5 * n, to, to - 3 * d - 2.5 * n}));
}

void Magnifier(QPainter& p, const TInks& ink, QPointF centre, double radius, bool plus) {
  const QPointF d(radius * 0.7, radius * 0.7);
  p.setPen(QPen(ink.Line, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + d, centre + d * 2.1);
  p.setPen(QPen(ink.Line, 1.3));
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawEllipse(centre, radius, radius);
  if (!plus) return;
  p.setPen(QPen(ink.Accent, 1.4));
  const double s = radius * 0.55;
  p.drawLine(centre - QPointF(s, 0), centre + QPointF(s, 0));
  p.drawLine(centre - QPointF(0, s), centre + QPointF(0, s));
}

void Hand(QPainter& p, const TInks& ink) {
  p.setPen(QPen(ink.Line, 1));
  p.setBrush(QColor(250, 226, 196));
  const double fingerTops[] = {3.5, 2, 2.5, 4};
  for (int i = 0; i < 4; ++i)
    p.drawRoundedRect(QRectF(4 + i * 2.2, fingerTops[i], 2.2, 8), 1.1, 1.1);
  p.drawRoundedRect(QRectF(4, 7, 8.8, 7.5), 2.5, 2.5);
  p.save();
  p.translate(4.5, 10.5);
  p.rotate(-40);
  p.drawRoundedRect(QRectF(-1.2, -4.5, 2.4, 5), 1.2, 1.2);
  p.restore();
}

void Printer(QPainter& p, const TInks& ink) {
  Sheet(p, ink, QRectF(4.5, 1.5, 7, 5), false);
  p.setPen(QPen(ink.Line, 1));
  p.setBrush(ink.Line);
  p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.5, 1.5);
  p.setBrush(ink.Accent);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(12.3, 8), 0.8, 0.8);
  Sheet(p, ink, QRectF(4.5, 9.5, 7, 5));
}

void Glyph(QPainter& p, int image, QIcon::State state, const TInks& ink) {
  switch (image) {
    case kOrientation:
      Sheet(p, ink, state == QIcon::On ? QRectF(1.5, 4.5, 13, 8) : QRectF(3.5, 1.5, 9, 13));
      break;
    case 0:
      Printer(p, ink);
      break;
    case 1:
      Bar(p, ink.Line, 3);
      Triangle(p, ink.Accent, {5.5, 8}, 7);
      break;
    case 2:
      Triangle(p, ink.Accent, {4, 8}, 8);
      break;
    case 3:
      Triangle(p, ink.Accent, {12, 8}, -8);
      break;
    case 4:
      Bar(p, ink.Line, 11);
      Triangle(p, ink.Accent, {10.5, 8}, -7);
      break;
    case 5:
      Sheet(p, ink, QRectF(1.5, 1.5, 9, 13));
      Arrow(p, ink.Accent, {5, 10}, {14.5, 10});
      break;
    case 6:
      Sheet(p, ink, QRectF(4.5, 3.5, 7, 9));
      p.setPen(QPen(ink.Accent, 1.4));
      p.setBrush(Qt::NoBrush);
      for (const QPointF& c : {QPointF(1, 1), QPointF(15, 1), QPointF(15, 15), QPointF(1, 15)}) {
        const QPointF in(c.x() < 8 ? 3 : -3, c.y() < 8 ? 3 : -3);
        p.drawPolyline(QPolygonF({c + QPointF(in.x(), 0), c, c + QPointF(0, in.y())}));
      }
      break;
    case 7:
      Sheet(p, ink, QRectF(3.5, 1.5, 9, 13), false);
      Arrow(p, ink.Accent, {8, 8}, {14.5, 8});
      Arrow(p, ink.Accent, {8, 8}, {1.5, 8});
      break;
    case 8:
      Sheet(p, ink, QRectF(5.5, 4.5, 7, 10));
      p.setPen(QPen(ink.Accent, 1.5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(1.5, 1.5, 9, 9), 90 * 16, 200 * 16);
      p.drawPolyline(QPolygonF({QPointF(4, 0.5), QPointF(6, 1.5), QPointF(4, 3.5)}));
      break;
    case 9:
      Sheet(p, ink, QRectF(1.5, 1.5, 9, 12));
      Magnifier(p, ink, {10, 9.5}, 3.3, true);
      break;
    case 10:
      Magnifier(p, ink, {6.5, 6.5}, 5, true);
      break;
    case 11:
      Hand(p, ink);
      break;
    case 12:
      Sheet(p, ink, QRectF(3.5, 1.5, 9, 13));
      break;
    case 13:
      Sheet(p, ink, QRectF(0.5, 3.5, 7, 10));
      Sheet(p, ink, QRectF(8.5, 3.5, 7, 10));
      break;
    case 14: {
      p.setPen(Qt::NoPen);
      p.setBrush(ink.Accent);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      QFont font;
      font.setPixelSize(12);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case 15:
      p.setPen(QPen(ink.Stop, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      break;
    default:
      break;
  }
}

// Paints a glyph of a 16 × 16 grid into any rectangle: as sharp at 32 pixels as at 16.
class TDrawnIconEngine : public QIconEngine {
 public:
  explicit TDrawnIconEngine(int image) : image_(image) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const int side = std::min(rect.width(), rect.height());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    painter->translate(rect.x() + (rect.width() - side) / 2.0,
                       rect.y() + (rect.height() - side) / 2.0);
    painter->scale(side / 16.0, side / 16.0);
    Glyph(*painter, image_, state, InksFor(mode));
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  // Qt hands over the size in device pixels already.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    {
      QPainter painter(&pixmap);
      paint(&painter, QRect(QPoint(), pixmap.size()), mode, state);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
  }
  QIconEngine* clone() const override { return new TDrawnIconEngine(image_); }

 private:
  int image_;
};

}  // namespace

QIcon PreviewIcon(int image) {
  if (image < 0 || image >= kPreviewIconCount) return {};
  return QIcon::fromTheme(QString::fromLatin1(kThemeNames[image]),
                          QIcon(new TDrawnIconEngine(image)));
}

QIcon OrientationIcon() {
  return QIcon(new TDrawnIconEngine(kOrientation));
}

}  // namespace shelf
