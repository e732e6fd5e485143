#include "widgets/status_line.h"

#include "widgets/text_msg.h"

namespace shelf {
namespace {

constexpr int kBlinkInterval = 200;  // ms
constexpr int kBlinks = 40;

}  // namespace

TStatusLine::TStatusLine(TTextMsg* labels) : labels_(labels) {
  blinkTimer_.setInterval(kBlinkInterval);
  QObject::connect(&blinkTimer_, &QTimer::timeout, [this] { Blink(); });
}

void TStatusLine::Show(std::string_view text) {
  if (!labels_) return;
  message_ = text;
  blinkCount_ = 1;
  SetLabels(message_);
  blinkTimer_.start();
}

void TStatusLine::Clear() {
  blinkTimer_.stop();
  message_.clear();
  blinkCount_ = 1;
  SetLabels("");
}

void TStatusLine::Blink() {
  if (blinkCount_ >= kBlinks) {
    blinkTimer_.stop();
    return;
  }
  SetLabels(blinkCount_ % 2 != 0 ? std::string_view() : std::string_view(message_));
  ++blinkCount_;
}

void TStatusLine::SetLabels(std::string_view text) {
  if (labels_) labels_->SetText(text, TTextMsg::kStatusLine, true);
}

}  // namespace shelf
