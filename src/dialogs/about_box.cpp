#include "dialogs/about_box.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <iostream>

#include "dialogs/dialog_description.h"
#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "settings/program_options.h"
#include "store/book_store.h"
#include "store/compr_stream.h"
#include "widgets/book_color.h"
#include "widgets/book_picture.h"
#include "widgets/eff_btn_car.h"
#include "widgets/my_control.h"

namespace shelf {
namespace {

constexpr int kFadeStep = 4;
constexpr const char* kLinkPicture = "url";

}  // namespace

std::unique_ptr<TAboutBox> CreateAboutBox(QWidget& owner, const TBookStore& store,
                                          const TBookFolders& folders,
                                          const TProgramOptions& options) {
  const std::string file = folders.ProgramDir + "About.txt";
  if (!store.BookFileExists(file)) return nullptr;
  TAboutDescription description;
  try {
    TComprStream stream(store, file);
    description.Read(ReadDialogLines(stream), folders);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return nullptr;
  }
  for (const auto& problem : description.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
  return std::make_unique<TAboutBox>(owner, store, folders.ProgramDir, std::move(description),
                                     options);
}

TAboutBox::TAboutBox(QWidget& owner, const TBookStore& store, std::string programDir,
                     TAboutDescription description, const TProgramOptions& options)
    : QWidget(&owner, Qt::Dialog | Qt::FramelessWindowHint),
      store_(store),
      programDir_(std::move(programDir)),
      options_(options),
      reveal_(static_cast<TDrawTarget&>(*this)),
      fadeIn_(static_cast<TDrawTarget&>(*this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowModality(Qt::ApplicationModal);
  setMouseTracking(true);
  background_ = LoadBookPicture(store_, programDir_ + description.Picture)
                    .convertToFormat(QImage::Format_RGB888);
  if (description.Outline.size() > 2) {
    const QPolygon outline(QList<QPoint>(description.Outline.begin(), description.Outline.end()));
    setMask(QRegion(outline, Qt::WindingFill));
  }
  resize(background_.size());
  AddButtons(std::move(description.Buttons));
  DrawTexts(description.Texts);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::AddButtons(std::vector<RBtn> records) {
  QPainter painter;
  if (!background_.isNull()) painter.begin(&background_);
  for (RBtn& record : records) {
    TButton& b = buttons_.emplace_back();
    b.Record = std::move(record);
    RBtn& r = b.Record;
    r.Right = r.Left;  // a button without its picture covers nothing
    r.Bottom = r.Top;
    b.Pictures = LoadButtonPictures(r, store_, programDir_);
    if (painter.isActive() && !b.Pictures.Up.isNull())
      painter.drawImage(QPoint(r.Left, r.Top), b.Pictures.Up);
    b.HintControl = new TMyControl(this);
    b.HintControl->setGeometry(ElementRect(r));
    if (options_.Hint) b.HintControl->setToolTip(ToQString(r.Hint));
    b.Fade = std::make_unique<TEffBtnCar>(static_cast<TDrawTarget&>(*this),
                                          static_cast<int>(buttons_.size() - 1));
    b.Fade->SetStep(kFadeStep);
  }
}

void TAboutBox::DrawTexts(const std::vector<RAboutText>& texts) {
  if (background_.isNull()) return;
  QPainter painter(&background_);
  for (const RAboutText& text : texts) {
    const QFont font = BookFont(text.FontName, text.FontSize, StyleFromWords(text.Style));
    const QFontMetrics metrics(font);
    std::string shown = text.Value;
    if (text.Idenf == kLinkPicture) {
      const TAboutLink link = AboutLink(text.Value);
      shown = link.Shown;
      TButton& b = buttons_.emplace_back();
      b.Link = true;
      b.Record.Left = text.Left;
      b.Record.Top = text.Top;
      b.Record.Right = text.Left + metrics.horizontalAdvance(ToQString(shown));
      b.Record.Bottom = text.Top + metrics.height();
      b.Record.PictureUp = kLinkPicture;
      b.Record.Command = link.Target;
    }
    painter.setFont(font);
    painter.setPen(FromBookColor(text.Color));
    painter.drawText(QPoint(text.Left, text.Top + metrics.ascent()), ToQString(shown));
  }
}

void TAboutBox::ResetPointerState() {
  for (TButton& b : buttons_) {
    b.Pictures.OverFlag = b.LinkCursor = 0;
    if (b.Fade) b.Fade->StopFade();  // a fade left running at the last close draws no more
  }
  setCursor(Qt::ArrowCursor);
}

void TAboutBox::ShowAbout() {
  ResetPointerState();
  overlay_ = QImage(background_.size(), QImage::Format_ARGB32_Premultiplied);
  overlay_.fill(Qt::transparent);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + area.width() / 2 - background_.width() / 2,
         area.top() + area.height() / 2 - background_.height() / 2);
  }
  if (!background_.isNull()) {
    if (options_.Animation) reveal_.Start(size(), background_);
    fadeIn_.Start(*this);  // before showing: the screen under the box is what it fades from
  }
  show();
  raise();
  activateWindow();
}

void TAboutBox::PointerMove(QPoint at) {
  if (fadeIn_.Running() || reveal_.Running()) return;
  for (TButton& b : buttons_) {
    const bool inside = ElementContains(b.Record, at);
    TBtnPictures& p = b.Pictures;
    if (b.Link) {
      if (inside != static_cast<bool>(b.LinkCursor))
        setCursor(inside ? Qt::PointingHandCursor : Qt::ArrowCursor);
      b.LinkCursor = inside;
      continue;
    }
    const QPoint corner(b.Record.Left, b.Record.Top);
    if (inside && !p.OverFlag) {
      if (!p.Move.isNull()) b.Fade->StartFade(p.Up, p.Move, corner);
      p.OverFlag = 1;
    } else if (!inside && p.OverFlag) {
      if (!p.Move.isNull()) b.Fade->StartFade(p.Move, p.Up, corner);
      p.OverFlag = 0;
    }
  }
}

void TAboutBox::PointerDown(QPoint at) {
  if (fadeIn_.Running() || reveal_.Running()) return;
  for (TButton& b : buttons_) {
    if (!ElementContains(b.Record, at)) continue;
    const std::string& sound = b.Record.Sound;
    if (!sound.empty() && sound != "no" && options_.Wav && PlaySound) PlaySound(sound);
    if (b.Link) {
      if (OpenLink) OpenLink(b.Record.Command);
    } else {
      b.Pictures.OverFlag = b.LinkCursor = 0;
      setCursor(Qt::ArrowCursor);
      close();
    }
    return;
  }
  if (QWindow* window = windowHandle()) window->startSystemMove();
}

void TAboutBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (fadeIn_.Running()) {
    painter.drawImage(0, 0, fadeIn_.FadeImage());
  } else {
    painter.drawImage(0, 0, background_);
    for (const TButton& b : buttons_)
      if (b.Pictures.OverFlag && !b.Pictures.Move.isNull())
        painter.drawImage(b.Record.Left, b.Record.Top, b.Pictures.Move);
  }
  painter.drawImage(0, 0, overlay_);
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event) {
  PointerMove(event->position().toPoint());
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
  PointerDown(event->position().toPoint());
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter)
    return QWidget::keyPressEvent(event);
  if (!reveal_.Running()) close();
  event->accept();
}

void TAboutBox::DrawOverlay(QPoint at, const QImage& image) {
  if (overlay_.isNull()) return;
  QPainter painter(&overlay_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(at, image);
  update(QRect(at, image.size()));
}

void TAboutBox::DrawOnBackground(QPoint at, const QImage& image) {
  if (background_.isNull()) return;
  QPainter painter(&background_);
  painter.drawImage(at, image);
  update(QRect(at, image.size()));
}

void TAboutBox::RepaintArea(const QRect& area) {
  update(area);
}

}  // namespace shelf
