#include "shell/screen_elements.h"

#include <QPainter>
#include <QWidget>

#include "platform/cp1251.h"
#include "store/book_text.h"
#include "widgets/eff_btn_car.h"
#include "widgets/my_control.h"

namespace shelf {

namespace {

// Fade steps: a button that opens a context menu fades a little slower.
constexpr int kFadeStep = 4;
constexpr int kContextMenuFadeStep = 3;

QRect ElementRectOf(const RScreen& screen, TElementKind kind, int index) {
  switch (kind) {
    case TElementKind::Button:
      return ElementRect(screen.Buttons[index]);
    case TElementKind::SwitchOne:
      return ElementRect(screen.SwitchesOne[index]);
    case TElementKind::SwitchGrp:
      return ElementRect(screen.SwitchesGrp[index]);
  }
  return {};
}

}  // namespace

TScreenElements::TScreenElements(QWidget& window) : window_(window) {}

TScreenElements::~TScreenElements() = default;

void TScreenElements::Build(RScreen& screen, const QImage& screenPicture, const TBookStore& store,
                            const std::string& programDir, bool hintsOn) {
  overlays_.clear();
  pictures_.Build(screen, screenPicture, store, programDir);
  PlaceHints(screen, hintsOn);
  BuildFades(screen);
}

void TScreenElements::PlaceHints(const RScreen& screen, bool hintsOn) {
  std::vector<std::pair<QRect, std::string>> places;
  for (const RBtn& b : screen.Buttons) places.emplace_back(ElementRect(b), b.Hint);
  for (const RSwthOne& s : screen.SwitchesOne) places.emplace_back(ElementRect(s), s.Hint);
  for (const RSwthGrp& s : screen.SwitchesGrp) places.emplace_back(ElementRect(s), s.Hint);
  while (hintControls_.size() > places.size()) {
    delete hintControls_.back();
    hintControls_.pop_back();
  }
  while (hintControls_.size() < places.size()) hintControls_.push_back(new TMyControl(&window_));
  for (size_t i = 0; i < places.size(); ++i) {
    hintControls_[i]->setGeometry(places[i].first);
    hintControls_[i]->setToolTip(hintsOn ? ToQString(places[i].second) : QString());
    hintControls_[i]->show();
  }
}

void TScreenElements::HideHints() {
  for (TMyControl* hint : hintControls_) hint->hide();
}

void TScreenElements::BuildFades(const RScreen& screen) {
  const size_t counts[3] = {screen.Buttons.size(), screen.SwitchesOne.size(),
                            screen.SwitchesGrp.size()};
  for (int kind = 0; kind < 3; ++kind) {
    auto& fades = fades_[kind];
    for (auto& fade : fades) fade->StopFade();
    if (fades.size() > counts[kind]) fades.resize(counts[kind]);
    while (fades.size() < counts[kind])
      fades.push_back(std::make_unique<TEffBtnCar>(*this, static_cast<int>(fades.size())));
    for (auto& fade : fades) fade->SetStep(kFadeStep);
  }
  for (size_t i = 0; i < counts[0]; ++i)
    if (AsciiLower(screen.Buttons[i].Command).find("contextmenu") != std::string::npos)
      fades_[0][i]->SetStep(kContextMenuFadeStep);
}

TEffBtnCar* TScreenElements::Fade(TElementKind kind, int index) const {
  const auto& fades = fades_[static_cast<int>(kind)];
  return index >= 0 && index < static_cast<int>(fades.size()) ? fades[index].get() : nullptr;
}

bool TScreenElements::FadeRunning(TElementKind kind, int index) const {
  const TEffBtnCar* fade = Fade(kind, index);
  return fade && fade->Running();
}

void TScreenElements::FadeElement(const RScreen& screen, TElementKind kind, int index,
                                  const QImage& from, const QImage& to) {
  if (TEffBtnCar* fade = Fade(kind, index))
    fade->StartFade(from, to, ElementRectOf(screen, kind, index).topLeft());
}

bool TScreenElements::LetGo(RScreen& screen, TElementKind kind, int index) {
  if (index < 0) return false;
  const auto at = static_cast<std::size_t>(index);
  switch (kind) {
    case TElementKind::Button:
      if (at >= pictures_.Buttons.size()) return false;
      pictures_.Buttons[at].OverFlag = pictures_.Buttons[at].DownFlag = 0;
      if (TEffBtnCar* fade = Fade(kind, index)) fade->StopFade();
      return true;
    case TElementKind::SwitchOne:
      if (at >= screen.SwitchesOne.size()) return false;
      screen.SwitchesOne[at].Hover = 0;
      return true;
    case TElementKind::SwitchGrp:
      if (at >= screen.SwitchesGrp.size()) return false;
      screen.SwitchesGrp[at].Hover = 0;
      return true;
  }
  return false;
}

void TScreenElements::RedrawElement(const RScreen& screen, TElementKind kind, int index) {
  const QRect rect = ElementRectOf(screen, kind, index);
  if (TEffBtnCar* fade = Fade(kind, index)) fade->StopFade();
  overlays_.erase({rect.left(), rect.top()});
  window_.update(rect);
}

void TScreenElements::Paint(QPainter& painter, const RScreen& screen) const {
  painter.drawImage(0, 0, pictures_.Background());
  for (size_t i = 0; i < screen.Buttons.size(); ++i)
    if (pictures_.Buttons[i].OverFlag)
      CopyElementPicture(painter, ElementRect(screen.Buttons[i]), pictures_.Buttons[i].Move);
  for (size_t i = 0; i < screen.SwitchesOne.size(); ++i) {
    const RSwthOne& s = screen.SwitchesOne[i];
    if (s.State || s.Hover)
      CopyElementPicture(painter, ElementRect(s), pictures_.SwitchesOne[i].Shown(s.State, s.Hover));
  }
  for (size_t i = 0; i < screen.SwitchesGrp.size(); ++i) {
    const RSwthGrp& s = screen.SwitchesGrp[i];
    if (s.State || s.Hover)
      CopyElementPicture(painter, ElementRect(s), pictures_.SwitchesGrp[i].Shown(s.State, s.Hover));
  }
  for (const auto& [corner, picture] : overlays_)
    painter.drawImage(corner.first, corner.second, picture);
}

void TScreenElements::DrawOverlay(QPoint at, const QImage& image) {
  overlays_[{at.x(), at.y()}] = image;
  window_.update(QRect(at, image.size()));
}

void TScreenElements::DrawOnBackground(QPoint at, const QImage& image) {
  QPainter painter(&pictures_.Background());
  painter.drawImage(at, image);
  window_.update(QRect(at, image.size()));
}

void TScreenElements::RepaintArea(const QRect& area) {
  window_.update(area);
}

}  // namespace shelf
