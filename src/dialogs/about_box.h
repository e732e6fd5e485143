// The book's about box: a borderless window drawn from About.txt, its texts and buttons painted
// onto its picture once, opening with a fade-in (and the band reveal when window animation is
// on), its buttons cross-fading under the pointer and its link texts opening the browser or mail.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/about_description.h"
#include "widgets/draw_target.h"
#include "widgets/eff_car.h"
#include "widgets/effect.h"
#include "widgets/screen_pictures.h"

namespace shelf {

class TBookStore;
class TEffBtnCar;
class TMyControl;
struct TBookFolders;
struct TProgramOptions;

class TAboutBox : public QWidget, public TDrawTarget {
 public:
  // Draws the box once from `description`; `owner` keeps it above the book's window. The
  // options are consulted as they are when the box is made (hints) and shown (animation, sounds).
  TAboutBox(QWidget& owner, const TBookStore& store, std::string programDir,
            TAboutDescription description, const TProgramOptions& options);
  ~TAboutBox() override;

  // Shows the box modally, centred on the screen, with its fade-in and, when window animation
  // is on, its band reveal.
  void ShowAbout();

  // Pointer handlers in box coordinates (the hint controls pass theirs on here too).
  void PointerMove(QPoint at);
  void PointerDown(QPoint at);

  // A button's sound, given as the book names it, relative to the program folder.
  std::function<void(const std::string& name)> PlaySound;
  // A link's target (Windows-1251): a web address, or "mailto:" and a mail address.
  std::function<void(const std::string& target)> OpenLink;

  struct TButton {
    RBtn Record;  // Right and Bottom from its normal picture, or the link text's extent
    bool Link = false;
    TMyControl* HintControl = nullptr;  // none for links
    TBtnPictures Pictures;              // none for links
    std::uint8_t LinkCursor = 0;        // the hand pointer is on for this link
    std::unique_ptr<TEffBtnCar> Fade;   // none for links
  };
  const std::vector<TButton>& Buttons() const { return buttons_; }
  const QImage& Background() const { return background_; }
  bool FadingIn() const { return fadeIn_.Running(); }
  bool Revealing() const { return reveal_.Running(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // TDrawTarget: the reveal's columns and the buttons' cross-fades.
  void DrawOverlay(QPoint at, const QImage& image) override;
  void DrawOnBackground(QPoint at, const QImage& image) override;
  void RepaintArea(const QRect& area) override;

 private:
  void AddButtons(std::vector<RBtn> records);
  void DrawTexts(const std::vector<RAboutText>& texts);
  void ResetPointerState();

  const TBookStore& store_;
  std::string programDir_;
  const TProgramOptions& options_;
  QImage background_;
  std::vector<TButton> buttons_;
  // What the effects drew since the box was shown, over its own painting.
  QImage overlay_;
  TEffect reveal_;
  TEffCar fadeIn_;
};

// The about box of a book that has About.txt; none otherwise. Problems in the file go to stderr.
std::unique_ptr<TAboutBox> CreateAboutBox(QWidget& owner, const TBookStore& store,
                                          const TBookFolders& folders,
                                          const TProgramOptions& options);

}  // namespace shelf
