// The drawn screen on show as the window paints it: the pictures of its buttons and switches,
// a hint control over each element, their hover cross-fades and the frames effects leave on it.
#pragma once

#include <QImage>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "book/element_records.h"
#include "shell/command_dispatcher.h"
#include "widgets/draw_target.h"
#include "widgets/screen_pictures.h"

class QPainter;
class QWidget;

namespace shelf {

class TBookStore;
class TEffBtnCar;
class TMyControl;

class TScreenElements : public TDrawTarget {
 public:
  // The hint controls are children of `window`, which repaints what changes.
  explicit TScreenElements(QWidget& window);
  ~TScreenElements() override;

  // After a screen change: the element pictures composed over `screenPicture`, and hint
  // controls and fades for the elements of `screen`.
  void Build(RScreen& screen, const QImage& screenPicture, const TBookStore& store,
             const std::string& programDir, bool hintsOn);
  // A hint control over each element of `screen`, carrying its hint when `hintsOn`.
  void PlaceHints(const RScreen& screen, bool hintsOn);
  void HideHints();
  const std::vector<TMyControl*>& HintControls() const { return hintControls_; }

  TScreenPictures& Pictures() { return pictures_; }
  // Null for an element the screen does not have.
  TEffBtnCar* Fade(TElementKind kind, int index) const;
  bool FadeRunning(TElementKind kind, int index) const;
  void FadeElement(const RScreen& screen, TElementKind kind, int index, const QImage& from,
                   const QImage& to);
  // The element that asked for a screen change or a minimize lets go of the pointer: no
  // pointer-over or pressed state and no fade. False when the screen has no such element.
  bool LetGo(RScreen& screen, TElementKind kind, int index);
  // The element's state changed without a fade: its last frame goes and it is drawn anew.
  void RedrawElement(const RScreen& screen, TElementKind kind, int index);
  // The background, the pictures of elements under the pointer or on, then the effects' frames.
  void Paint(QPainter& painter, const RScreen& screen) const;

  // The window's effects: button fades, the search bar, labels and films draw here.
  void DrawOverlay(QPoint at, const QImage& image) override;
  void DrawOnBackground(QPoint at, const QImage& image) override;
  void RepaintArea(const QRect& area) override;

 private:
  void BuildFades(const RScreen& screen);

  QWidget& window_;
  TScreenPictures pictures_;
  std::vector<TMyControl*> hintControls_;  // children of the window
  // Fades of the current screen's buttons, on/off switches and group switches, by kind.
  std::vector<std::unique_ptr<TEffBtnCar>> fades_[3];
  // What a fade drew last at an element's corner, kept until the element is drawn anew.
  std::map<std::pair<int, int>, QImage> overlays_;
};

}  // namespace shelf
