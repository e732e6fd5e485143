// The text labels of the interface description: drawn straight onto the main window or the drawn
// dialog in their own font and colour, each on its screen; one kind of them is the status line.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/element_records.h"

class QPainter;

namespace shelf {

class TDrawTarget;

// Which window a paint handler draws labels for.
enum class TLabelSurface { MainWindow, Dialog };

class TTextMsg {
 public:
  // Labels whose Number is 1000 belong to the drawn dialog.
  static constexpr std::int32_t kDialogNumber = 1000;
  // SetText key for every status-line label.
  static constexpr int kStatusLine = -1;

  // `mainWindow` and later the dialog receive the repaint requests of SetText; either may be null.
  TTextMsg(const TDynamicTextArray& labels, TDrawTarget* mainWindow);

  void SetDialog(TDrawTarget* dialog) { dialog_ = dialog; }

  // Draws the labels of `surface` that belong to `currentScreen` (the main window's screen, also
  // for the dialog), without erasing behind them, and remembers where each text landed.
  void Paint(QPainter& painter, int currentScreen, TLabelSurface surface);

  // Key >= 0: the first label whose Number is Key; kStatusLine: every label whose Ident is
  // "statusline" in any case. A label that already shows `text` is left alone (no flicker); with
  // `redraw` the window repaints the old and the new text's place.
  void SetText(std::string_view text, int key, bool redraw);

  std::size_t Count() const { return labels_.size(); }
  const std::string& Text(std::size_t i) const { return labels_[i].text; }
  const QFont& Font(std::size_t i) const { return labels_[i].font; }
  // Where the text was last drawn; before the first paint, left, top and the description's right
  // with no height.
  const QRect& Rect(std::size_t i) const { return labels_[i].rect; }

 private:
  struct Label {
    QFont font;
    QColor color;
    QRect rect;
    std::string text;
    std::int32_t screen;
    std::int32_t number;
    std::string ident;
  };

  void SetLabelText(Label& label, std::string_view text, bool redraw);

  std::vector<Label> labels_;
  TDrawTarget* mainWindow_;
  TDrawTarget* dialog_ = nullptr;
};

// The labels object, or none when the description has no labels.
std::unique_ptr<TTextMsg> CreateTextMsg(const TDynamicTextArray& labels, TDrawTarget* mainWindow);

}  // namespace shelf
