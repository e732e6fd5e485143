#include "shell/window_animation.h"

#include <QPainterPath>
#include <QWidget>
#include <utility>

namespace shelf {
namespace {

// Region corners are given as in the drawing API of the time: right and bottom are exclusive.
QRegion Ellipse(int left, int top, int right, int bottom) {
  return QRegion(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized(),
                 QRegion::Ellipse);
}

QRegion RoundedRect(int left, int top, int right, int bottom) {
  QPainterPath path;
  path.addRoundedRect(QRectF(left, top, right - left, bottom - top), 10, 10);
  return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

}  // namespace

std::optional<QRegion> TOpeningAnimation::Step() {
  const int w = size_.width(), h = size_.height();
  if (a_ < -(w / 2)) {
    // The last ellipse leaves the corners of a squarish window out: end on the whole window.
    if (covered_) return std::nullopt;
    covered_ = true;
    return QRegion(0, 0, w, h);
  }
  QRegion shape = Ellipse(a_, b_, w - a_, h - b_);
  a_ -= 4;
  b_ -= 2;
  return shape;
}

std::optional<QRegion> TClosingAnimation::Step() {
  const int w = size_.width(), h = size_.height();
  QRegion shape;
  if (b_ <= h / 2 - 10) {
    shape = RoundedRect(0, b_, w, h - b_);
    b_ += 2;
  } else if (a_ <= w / 2 - 10) {
    shape = RoundedRect(a_, b_, w - a_, h - b_);
    a_ += 3;
  } else if (a_ <= w / 2) {
    shape = Ellipse(a_, b_, w - a_, h - b_);
    a_ += 1;
    b_ += 1;
  } else {
    return std::nullopt;
  }
  return shape;
}

TWindowAnimator::TWindowAnimator(QWidget& window, const QRegion& outline,
                                 std::function<void()> closed)
    : window_(window), outline_(outline), closed_(std::move(closed)) {
  openingTimer_.SetInterval(1);
  openingTimer_.OnTimer = [this](TSuperTimer& timer) {
    if (const auto frame = opening_->Step()) {
      SetShape(*frame);
      return;
    }
    timer.SetEnabled(false);
    // The animation ends on the book's own outline, or on no mask at all.
    outline_.isEmpty() ? window_.clearMask() : window_.setMask(outline_);
  };
  closingTimer_.SetInterval(2);
  closingTimer_.OnTimer = [this](TSuperTimer& timer) {
    if (const auto frame = closing_->Step()) {
      SetShape(*frame);
      return;
    }
    timer.SetEnabled(false);
    window_.hide();
    closed_();
  };
}

TWindowAnimator::~TWindowAnimator() = default;

void TWindowAnimator::Open() {
  opening_ = std::make_unique<TOpeningAnimation>(window_.size());
  SetShape(QRegion());
  window_.show();
  openingTimer_.SetEnabled(true);
}

void TWindowAnimator::Close() {
  closing_ = std::make_unique<TClosingAnimation>(window_.size());
  closingTimer_.SetEnabled(true);
}

void TWindowAnimator::SetShape(const QRegion& frame) {
  QRegion visible = outline_.isEmpty() ? frame : frame.intersected(outline_);
  // An empty mask would show the whole window: keep one hidden pixel instead.
  if (visible.isEmpty()) visible = QRegion(-1, -1, 1, 1);
  window_.setMask(visible);
}

}  // namespace shelf
