// The progress bar of the full-text search, drawn into the drawn dialog from two pictures: the
// empty bar, filled column by column from the full one as the search goes on.
#pragma once

#include <QImage>
#include <string>

namespace shelf {

class TBookStore;
class TDrawTarget;

class TScaleBar {
 public:
  // The bar's top-left corner on the dialog is (`x`, `y`), on dialog screen `barScreen`; the
  // pictures are files under `programDir`. Prepares itself for `currentScreen`.
  TScaleBar(const TBookStore& store, std::string programDir, int x, int y, int barScreen,
            std::string emptyImageName, std::string fullImageName, int currentScreen);

  // The drawn dialog, once it exists (null: nothing is drawn).
  void SetDialog(TDrawTarget* dialog) { dialog_ = dialog; }

  // On the bar's screen: loads the pictures (a missing one leaves the bar undrawn) and draws the
  // empty bar. On another screen: lets the pictures go.
  void Prepare(int currentScreen);
  // Back to the empty bar.
  void Reset(int currentScreen);
  // Fills the next column. The position moves on also when the bar is not on show, so that a
  // search waiting for the bar to reach its share always gets there.
  void Advance(int currentScreen);

  int X() const { return x_; }
  int Pos() const { return pos_; }
  int BarRight() const { return barRight_; }
  int BarBottom() const { return barBottom_; }

 private:
  void Draw(const QImage& image, const QRect& part);

  const TBookStore& store_;
  std::string programDir_;
  TDrawTarget* dialog_ = nullptr;
  std::string emptyImageName_, fullImageName_;
  QImage emptyImage_, fullImage_;
  int x_, y_;
  int barRight_, barBottom_;
  int barScreen_;
  int pos_;  // first column not yet filled, from x_ to barRight_
};

}  // namespace shelf
