#include "control_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "window_art.h"

namespace shelf::samplegen {
namespace {

const QColor kEdge(0x7f, 0x9b, 0xb5);
const QColor kPressedEdge(0x4a, 0x62, 0x7a);

// Draws on a copy of the ground with antialiasing on.
class TControlCanvas {
 public:
  explicit TControlCanvas(const QImage& ground)
      : image_(ground.convertToFormat(QImage::Format_RGB32)), painter_(&image_) {
    painter_.setRenderHint(QPainter::Antialiasing);
  }
  QPainter& Painter() { return painter_; }
  QRectF Rect() const { return QRectF(image_.rect()); }
  QImage Take() {
    painter_.end();
    return image_;
  }

 private:
  QImage image_;
  QPainter painter_;
};

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

// A raised or sunken rounded body: the ground of plate and tool buttons.
void DrawKey(QPainter& p, const QRectF& body, double radius, TButtonState state, const QColor& top,
             const QColor& bottom) {
  if (state == TButtonState::Over) {  // a soft glow around the lit key
    for (int ring = 3; ring >= 1; --ring) {
      p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 55), ring * 1.6));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(body, radius, radius);
    }
  }
  const bool pressed = state == TButtonState::Pressed;
  p.setPen(QPen(pressed ? kPressedEdge : state == TButtonState::Over ? kBlueprint : kEdge, 1));
  p.setBrush(pressed ? Vertical(body, bottom.darker(150), top.darker(130))
                     : Vertical(body, top, bottom));
  p.drawRoundedRect(body, radius, radius);
  // Light on the upper edge of a raised key, shadow inside a pressed one.
  const QRectF inner = body.adjusted(1.5, 1.5, -1.5, -1.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(pressed ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 60), 1));
  p.drawLine(QPointF(inner.left() + radius - 1, inner.top()),
             QPointF(inner.right() - radius + 1, inner.top()));
  if (!pressed) {
    p.setPen(QPen(QColor(0, 0, 0, 70), 1));
    p.drawLine(QPointF(inner.left() + radius - 1, inner.bottom()),
               QPointF(inner.right() - radius + 1, inner.bottom()));
  }
}

QRectF Body(const QRectF& picture, double margin) {
  return picture.adjusted(margin, margin, -margin, -margin);
}

// The pill both switch kinds sit in.
void DrawPill(QPainter& p, const QRectF& r, TSwitchState s) {
  const double radius = r.height() / 2;
  p.setPen(QPen(s.Over ? kBlueprint : QColor(0x55, 0x6b, 0x80), 1));
  p.setBrush(s.On ? Vertical(r, QColor(0x2a, 0x40, 0x56), QColor(0x1b, 0x2b, 0x3b))
                  : Vertical(r, QColor(0x14, 0x20, 0x2c), QColor(0x1c, 0x2a, 0x38)));
  p.drawRoundedRect(r, radius, radius);
}

}  // namespace

QImage PlateButton(const QImage& ground, TButtonState state) {
  TControlCanvas canvas(ground);
  const bool over = state == TButtonState::Over;
  const QColor top = over ? QColor(0x5a, 0x80, 0xa4) : QColor(0x3d, 0x58, 0x72);
  const QColor bottom = over ? QColor(0x30, 0x50, 0x6e) : QColor(0x22, 0x35, 0x4a);
  DrawKey(canvas.Painter(), Body(canvas.Rect(), 2.5), 7, state, top, bottom);
  return canvas.Take();
}

QImage ToolButton(const QImage& ground, TToolIcon icon, TButtonState state) {
  TControlCanvas canvas(ground);
  QPainter& p = canvas.Painter();
  const bool over = state == TButtonState::Over;
  DrawKey(p, Body(canvas.Rect(), 2.5), 6, state,
          over ? QColor(0x36, 0x52, 0x6e) : QColor(0x26, 0x39, 0x4d),
          over ? QColor(0x20, 0x34, 0x48) : QColor(0x17, 0x24, 0x32));
  const double size = 22;
  QRectF box(canvas.Rect().center() - QPointF(size / 2, size / 2), QSizeF(size, size));
  if (state == TButtonState::Pressed) box.translate(1, 1);
  const QColor ink = over                             ? QColor(0xe6, 0xf7, 0xff)
                     : state == TButtonState::Pressed ? QColor(0x5f, 0xa8, 0xd0)
                                                      : kBlueprint;
  p.setBrush(Qt::NoBrush);
  if (over) {  // glowing ink
    p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 70), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    DrawToolIcon(p, icon, box);
  }
  p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  DrawToolIcon(p, icon, box);
  return canvas.Take();
}

QImage TitleBarButton(const QImage& ground, TTitleBarGlyph glyph, TButtonState state) {
  TControlCanvas canvas(ground);
  QPainter& p = canvas.Painter();
  const QRectF disc = Body(canvas.Rect(), 1.5);
  const bool over = state == TButtonState::Over, pressed = state == TButtonState::Pressed;
  const bool danger = glyph == TTitleBarGlyph::Close && over;
  QRadialGradient metal(disc.center() - QPointF(3, 4), disc.width() * 0.8);
  if (danger) {
    metal.setColorAt(0, QColor(0xff, 0x9a, 0x8a));
    metal.setColorAt(1, QColor(0xb8, 0x32, 0x2a));
  } else if (pressed) {
    metal.setColorAt(0, QColor(0x6a, 0x7a, 0x8a));
    metal.setColorAt(1, QColor(0x3a, 0x48, 0x56));
  } else {
    metal.setColorAt(0, over ? QColor(0xf4, 0xfb, 0xff) : QColor(0xdf, 0xe6, 0xec));
    metal.setColorAt(1, over ? QColor(0x8a, 0xb4, 0xd0) : QColor(0x6b, 0x7a, 0x88));
  }
  if (over) {
    p.setPen(QPen(danger ? QColor(0xff, 0x6a, 0x5a, 90) : QColor(0x7f, 0xd3, 0xff, 90), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc);
  }
  p.setPen(QPen(QColor(0x1a, 0x24, 0x2e), 1));
  p.setBrush(metal);
  p.drawEllipse(disc);
  const QPointF c = disc.center() + (pressed ? QPointF(0.5, 0.5) : QPointF());
  p.setPen(QPen(danger ? Qt::white : QColor(0x1a, 0x24, 0x2e), 1.8, Qt::SolidLine, Qt::RoundCap));
  switch (glyph) {
    case TTitleBarGlyph::Minimize:
      p.drawLine(c + QPointF(-4, 2.5), c + QPointF(4, 2.5));
      break;
    case TTitleBarGlyph::Close:
      p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
      p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
      break;
    case TTitleBarGlyph::Help:
    case TTitleBarGlyph::Thesaurus: {
      p.setFont(Font("Arial", 12, QFont::Bold));
      const QRectF box(c - QPointF(6, 7.5), QSizeF(12, 15));
      p.drawText(box, Qt::AlignCenter,
                 glyph == TTitleBarGlyph::Help ? QStringLiteral("?") : QStringLiteral("Т"));
      break;
    }
    case TTitleBarGlyph::PlainWindow:
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(c - QPointF(4, 3.5), QSizeF(8, 7)));
      p.drawLine(c + QPointF(-4, -1.5), c + QPointF(4, -1.5));
      break;
    case TTitleBarGlyph::Font:  // a capital A
      p.drawLine(c + QPointF(-4, 4.5), c + QPointF(0, -4.5));
      p.drawLine(c + QPointF(0, -4.5), c + QPointF(4, 4.5));
      p.drawLine(c + QPointF(-2.2, 1.5), c + QPointF(2.2, 1.5));
      break;
    case TTitleBarGlyph::InstallFonts:  // an arrow down into a tray
      p.drawLine(c + QPointF(0, -4.5), c + QPointF(0, 1.5));
      p.drawLine(c + QPointF(-2.8, -1.2), c + QPointF(0, 1.8));
      p.drawLine(c + QPointF(2.8, -1.2), c + QPointF(0, 1.8));
      p.drawLine(c + QPointF(-4, 4.5), c + QPointF(4, 4.5));
      break;
    case TTitleBarGlyph::Previous:
    case TTitleBarGlyph::Next: {
      const double d = glyph == TTitleBarGlyph::Next ? 1 : -1;
      p.drawLine(c + QPointF(-2 * d, -4), c + QPointF(2.5 * d, 0));
      p.drawLine(c + QPointF(2.5 * d, 0), c + QPointF(-2 * d, 4));
      break;
    }
  }
  return canvas.Take();
}

QImage LampSwitch(const QImage& ground, TSwitchState s) {
  TControlCanvas canvas(ground);
  QPainter& p = canvas.Painter();
  const QRectF pill = Body(canvas.Rect(), 1.5);
  DrawPill(p, pill, s);
  const QPointF lamp(pill.left() + pill.height() / 2 + 1, pill.center().y());
  if (s.On) {
    QRadialGradient glow(lamp, 9);
    glow.setColorAt(0, QColor(0xff, 0xc8, 0x50, 150));
    glow.setColorAt(1, QColor(0xff, 0xc8, 0x50, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(lamp, 9, 9);
    QRadialGradient bulb(lamp - QPointF(1.5, 1.5), 6);
    bulb.setColorAt(0, QColor(0xff, 0xf4, 0xc8));
    bulb.setColorAt(1, kAmber);
    p.setBrush(bulb);
  } else {
    p.setBrush(QColor(0x0b, 0x12, 0x1b));
  }
  p.setPen(QPen(s.On ? QColor(0xa0, 0x70, 0x20) : kMutedInk, 1));
  p.drawEllipse(lamp, 5, 5);
  return canvas.Take();
}

QImage SliderSwitch(const QImage& ground, TSwitchState s) {
  TControlCanvas canvas(ground);
  QPainter& p = canvas.Painter();
  const QRectF pill = Body(canvas.Rect(), 1.5);
  DrawPill(p, pill, s);
  const QRectF track(pill.left() + 6, pill.center().y() - 6, 28, 12);
  p.setPen(QPen(s.On ? QColor(0x3a, 0x8c, 0xba) : kMutedInk, 1));
  p.setBrush(s.On ? Vertical(track, QColor(0x3f, 0x9f, 0xd6), kBlueprint)
                  : QBrush(QColor(0x0b, 0x12, 0x1b)));
  p.drawRoundedRect(track, 6, 6);
  const QPointF knob(s.On ? track.right() - 6 : track.left() + 6, track.center().y());
  QRadialGradient metal(knob - QPointF(2, 2), 8);
  metal.setColorAt(0, s.Over ? QColor(0xff, 0xff, 0xff) : QColor(0xdf, 0xe6, 0xec));
  metal.setColorAt(1, QColor(0x6b, 0x7a, 0x88));
  p.setPen(QPen(QColor(0x1a, 0x24, 0x2e), 1));
  p.setBrush(metal);
  p.drawEllipse(knob, 7, 7);
  return canvas.Take();
}

}  // namespace shelf::samplegen
