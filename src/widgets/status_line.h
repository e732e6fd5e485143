// The status line: a message shown in the status-line labels that blinks off and on every 200 ms
// and after 40 blinks (8 s) stays hidden.
#pragma once

#include <QTimer>
#include <string>
#include <string_view>

namespace shelf {

class TTextMsg;

class TStatusLine {
 public:
  // `labels` may be null: then there is no status line to show anything in.
  explicit TStatusLine(TTextMsg* labels);

  // Shows `text` and (re)starts the blinking.
  void Show(std::string_view text);
  // Stops the blinking and empties the status labels.
  void Clear();

  // One blink; the timer calls it every 200 ms.
  void Blink();

  bool Blinking() const { return blinkTimer_.isActive(); }
  const std::string& Message() const { return message_; }

 private:
  void SetLabels(std::string_view text);

  TTextMsg* labels_;
  int blinkCount_ = 0;
  std::string message_;
  QTimer blinkTimer_;
};

}  // namespace shelf
