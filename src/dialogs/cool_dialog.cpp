#include "dialogs/cool_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <iostream>

#include "book/element_records.h"
#include "dialogs/dialog_page_layout.h"
#include "html/book_url.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "platform/registry.h"
#include "store/book_store.h"
#include "store/compr_stream.h"
#include "widgets/book_color.h"
#include "widgets/book_picture.h"
#include "widgets/eff_btn_car.h"
#include "widgets/my_control.h"
#include "widgets/text_msg.h"

namespace shelf {
namespace {

constexpr int kFadeStep = 4;
constexpr int kSwitchFadeIndex = 1000;  // fades of switches count on from here
constexpr int kShortHeight = 115;       // the find page without results
constexpr QRect kResultList(11, 127, 377, 112);

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// Strictly inside: the edge lines belong to no element.
bool Inside(const QRect& r, QPoint p) {
  return r.left() < p.x() && p.x() < r.left() + r.width() && r.top() < p.y() &&
         p.y() < r.top() + r.height();
}

}  // namespace

std::unique_ptr<TCoolDialog> CreateCoolDialog(TCoolDialogHost& host, const TBookStore& store,
                                              const TBookFolders& folders,
                                              const std::string& settingsKey, bool hintsOn) {
  const std::string file = folders.ProgramDir + "Dialog.txt";
  if (!store.BookFileExists(file)) return nullptr;
  TDialogDescription description;
  try {
    TComprStream stream(store, file);
    description.Read(ReadDialogLines(stream), folders);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return nullptr;
  }
  for (const auto& problem : description.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
  return std::make_unique<TCoolDialog>(host, store, folders.ProgramDir, std::move(description),
                                       settingsKey, hintsOn);
}

void ShowBookMessage(TCoolDialog* dialog, const std::string& message) {
  if (dialog) {
    dialog->ShowDialogPage(TCoolDialog::kMessagePage, message);
    return;
  }
  auto* box =
      new QMessageBox(QMessageBox::Information, QString(), ToQString(message), QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}

TCoolDialog::TCoolDialog(TCoolDialogHost& host, const TBookStore& store, std::string programDir,
                         TDialogDescription description, std::string settingsKey, bool hintsOn)
    : QWidget(&host.Window(), Qt::Tool | Qt::FramelessWindowHint),
      host_(host),
      store_(store),
      programDir_(std::move(programDir)),
      pages_(std::move(description.Pages)),
      settingsKey_(std::move(settingsKey)),
      hintsOn_(hintsOn),
      fadeIn_(static_cast<TDrawTarget&>(*this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  qApp->installEventFilter(this);
  TRegistry settings;
  if (settings.OpenKey(settingsKey_, true)) ReadStoredDialogSwitches(settings, pages_);
  for (RDialogPage& page : pages_)
    for (RSwthGrp& s : page.Switches) s.Hover = 0;
}

TCoolDialog::~TCoolDialog() {
  if (open_) RunClosing();
}

int TCoolDialog::ShowDialogPage(int page, const std::string& message) {
  if (page < 0 || page >= static_cast<int>(pages_.size())) return kResultCancel;
  const QImage picture = LoadBookPicture(store_, programDir_ + pages_[page].Picture);
  if (pages_[page].Picture.empty() || picture.isNull()) return kResultCancel;
  ReleasePage();
  currentPage_ = page;
  RDialogPage& p = Page();

  for (RBtn& b : p.Buttons) {
    buttonPictures_.push_back(LoadButtonPictures(b, store_, programDir_));
    AddHint(ElementRect(b), b.Hint);
    buttonFades_.push_back(std::make_unique<TEffBtnCar>(static_cast<TDrawTarget&>(*this),
                                                        static_cast<int>(buttonFades_.size())));
    buttonFades_.back()->SetStep(kFadeStep);
  }
  for (RSwthGrp& s : p.Switches) {
    switchPictures_.push_back(LoadSwitchPictures(s, store_, programDir_));
    AddHint(ElementRect(s), s.Hint);
    switchFades_.push_back(
        std::make_unique<TEffBtnCar>(static_cast<TDrawTarget&>(*this),
                                     kSwitchFadeIndex + static_cast<int>(switchFades_.size())));
    switchFades_.back()->SetStep(kFadeStep);
  }

  // The message in the page's text font; a page without a text area shows none.
  const RText& text = p.Text;
  const QFont font = BookFont(text.FontName, text.FontSize, StyleFromWords(text.Style));
  const QFontMetrics metrics(font);
  const QString shown =
      p.HasText ? ToQString(std::string_view(message).substr(0, kMaxDialogMessage)) : QString();
  // A message of several lines (one per reason, say) is as wide as its widest line.
  QSize size;
  if (!shown.isEmpty()) {
    const QStringList lines = shown.split('\n');
    for (const QString& line : lines)
      size.setWidth(std::max(size.width(), metrics.horizontalAdvance(line)));
    size.setHeight(metrics.height() + int(lines.size() - 1) * metrics.lineSpacing());
  }
  const TDialogPageLayout layout = LayOutDialogPage(p, size);
  pageImage_ = WidenPicture(picture.convertToFormat(QImage::Format_RGB888), layout.Extra);
  {
    QPainter painter(&pageImage_);
    if (!shown.isEmpty()) {
      painter.setFont(font);
      painter.setPen(FromBookColor(text.Color));
      painter.setClipRect(layout.TextClip);
      painter.drawText(QRect(layout.TextAt, size), Qt::AlignLeft | Qt::AlignTop, shown);
      painter.setClipping(false);
    }
    pageButtons_ = layout.Buttons;
    for (std::size_t i = 0; i < pageButtons_.size(); ++i)
      if (!buttonPictures_[i].Up.isNull())
        painter.drawImage(pageButtons_[i].topLeft(), buttonPictures_[i].Up);
    for (std::size_t i = 0; i < switchPictures_.size(); ++i)
      painter.drawImage(ElementRect(p.Switches[i]).topLeft(), switchPictures_[i].Up);
  }
  if (currentPage_ == kFindPage) host_.PrepareSearchScale();
  host_.DialogPageShown(currentPage_);

  const QRect main = host_.Window().geometry();
  const QSize own = pageImage_.size();
  setGeometry(main.left() + main.width() / 2 - own.width() / 2,
              main.top() + main.height() / 2 - own.height() / 2, own.width(), own.height());
  fullHeight_ = own.height();
  open_ = true;
  for (std::size_t i = 0; i < p.Switches.size(); ++i)
    if (p.Switches[i].State) RunCommand(p.Switches[i].Command, p.Switches[i].Sound);

  fadeIn_.Start(*this);
  show();
  raise();
  activateWindow();
  // The page on show owns the keyboard (the find page has given it to its first box); a control
  // of another page, hidden now, never keeps it.
  const QWidget* focus = focusWidget();
  if (!focus || !focus->isVisibleTo(this)) setFocus(Qt::OtherFocusReason);
  return dialogResult_;
}

int TCoolDialog::ExecDialogPage(int page, const std::string& message) {
  // Modality only takes effect when the window is shown anew.
  hide();
  setWindowModality(Qt::ApplicationModal);
  ShowDialogPage(page, message);
  if (open_) {
    QEventLoop wait;
    waiting_ = &wait;
    wait.exec();
    waiting_ = nullptr;
  }
  setWindowModality(Qt::NonModal);
  return dialogResult_;
}

void TCoolDialog::AddHint(const QRect& place, const std::string& hint) {
  auto* control = new TMyControl(this);
  control->setGeometry(place);
  if (hintsOn_) control->setToolTip(ToQString(hint));
  control->show();
  hintControls_.push_back(control);
}

void TCoolDialog::ReleasePage() {
  for (auto& fade : buttonFades_) fade->StopFade();
  for (auto& fade : switchFades_) fade->StopFade();
  buttonFades_.clear();
  switchFades_.clear();
  for (TMyControl* control : hintControls_) delete control;
  hintControls_.clear();
  buttonPictures_.clear();
  switchPictures_.clear();
  pageButtons_.clear();
  overlays_.clear();
  delete resultList_;
  resultList_ = nullptr;
  resultFiles_.clear();
}

bool TCoolDialog::RunCommand(const std::string& command, const std::string& sound) {
  // The find button of a running search stops it (the find boxes know), without a sound.
  if (host_.Busy() && Contains(command, "findnext")) {
    host_.FindCommand(command);
    return false;
  }
  if (!sound.empty() && sound != "no" && host_.ButtonSoundsOn()) host_.PlayButtonSound(sound);
  if (command == "findtxtall" || Contains(command, "findtxtlimit") ||
      Contains(command, "findtxtcontents")) {
    ShowFindResults({}, {});
    host_.FindCommand(command);
    return false;
  }
  if (Contains(command, "findnext")) {
    host_.FindCommand(command);
    return false;
  }
  dialogResult_ = command == "yes" ? kResultYes : command == "no" ? kResultNo : kResultCancel;
  close();
  return true;
}

void TCoolDialog::ShowFindResults(const TDynamicStringArray& files,
                                  const TDynamicStringArray& titles) {
  if (files.empty()) {
    delete resultList_;
    resultList_ = nullptr;
    resultFiles_.clear();
    resize(width(), kShortHeight);
    return;
  }
  if (!resultList_) {
    resultList_ = new QListWidget(this);
    resultList_->setGeometry(kResultList);
    resultList_->setFrameShape(QFrame::NoFrame);
    connect(resultList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OpenFoundPage(resultList_->row(item)); });
    resultList_->show();
    resize(width(), fullHeight_);
  }
  resultFiles_ = files;
  resultList_->clear();
  for (const std::string& title : titles) resultList_->addItem(ToQString(title));
}

void TCoolDialog::OpenFoundPage(int index) {
  THtmlFrame* pages = host_.PageAreas();
  if (!pages || index < 0 || index >= static_cast<int>(resultFiles_.size())) return;
  std::string file = resultFiles_[index];
  if (file.find('\\') == std::string::npos) file = programDir_ + file;
  const TFrameViewer* viewer = pages->CurrentScreenViewer();
  if (!viewer || !SameBookFile(viewer->CurrentFile(), file)) pages->OpenLinkedPage(file);
  host_.FindInFoundPage();
}

void TCoolDialog::SetFindButtonHint(const std::string& text) {
  if (!open_) return;  // the hint controls exist while a page is shown
  const TDynamicBtnArray& buttons = Page().Buttons;
  for (std::size_t i = 0; i < buttons.size() && i < hintControls_.size(); ++i) {
    if (buttons[i].Command != "findnext1") continue;
    if (hintsOn_) hintControls_[i]->setToolTip(ToQString(text));
    return;
  }
}

void TCoolDialog::FadeButton(std::size_t i, const QImage& from, const QImage& to) {
  buttonFades_[i]->StartFade(from, to, pageButtons_[i].topLeft());
}

void TCoolDialog::FadeSwitch(std::size_t i, const QImage& from, const QImage& to) {
  const RSwthGrp& s = Page().Switches[i];
  switchFades_[i]->StartFade(from, to, QPoint(s.Left, s.Top));
}

void TCoolDialog::PointerMove(QPoint at) {
  if (fadeIn_.Running() || !isVisible() || !open_) return;
  for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
    TBtnPictures& b = buttonPictures_[i];
    const bool inside = Inside(pageButtons_[i], at);
    if (inside && !b.OverFlag) {
      FadeButton(i, b.Up, b.Move);
      b.OverFlag = 1;
    } else if (!inside && b.OverFlag) {
      FadeButton(i, b.Move, b.Up);
      b.OverFlag = b.DownFlag = 0;
    }
  }
  TDynamicSwthGrpArray& switches = Page().Switches;
  for (std::size_t i = 0; i < switches.size(); ++i) {
    RSwthGrp& s = switches[i];
    const TSwitchPictures& p = switchPictures_[i];
    const bool inside = ElementContains(s, at);
    if (inside && !s.Hover) {
      s.State ? FadeSwitch(i, p.Down, p.MoveDown) : FadeSwitch(i, p.Up, p.MoveUp);
      s.Hover = 1;
    } else if (!inside && s.Hover) {
      s.State ? FadeSwitch(i, p.MoveDown, p.Down) : FadeSwitch(i, p.MoveUp, p.Up);
      s.Hover = 0;
    }
  }
}

void TCoolDialog::PointerDown(QPoint at) {
  if (fadeIn_.Running() || !open_) return;
  for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
    TBtnPictures& b = buttonPictures_[i];
    const bool inside = Inside(pageButtons_[i], at);
    if (inside && !b.DownFlag) {
      FadeButton(i, b.Move, b.Down);
      b.DownFlag = 1;
      return;
    }
  }
  TDynamicSwthGrpArray& switches = Page().Switches;
  for (std::size_t i = 0; i < switches.size(); ++i) {
    RSwthGrp& s = switches[i];
    if (!ElementContains(s, at)) continue;
    if (s.State) return;
    FadeSwitch(i, switchPictures_[i].MoveUp, switchPictures_[i].MoveDown);
    for (std::size_t j = 0; j < switches.size(); ++j) {
      if (j == i || switches[j].Group != s.Group || !switches[j].State) continue;
      FadeSwitch(j, switchPictures_[j].Down, switchPictures_[j].Up);
      switches[j].State = 0;
    }
    s.State = 1;
    RunCommand(s.Command, s.Sound);
    return;
  }
  QWindow* window = windowHandle();
  if (window) window->startSystemMove();
}

void TCoolDialog::PointerUp(QPoint at) {
  if (!open_) return;
  for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
    if (!Inside(pageButtons_[i], at)) continue;
    TBtnPictures& b = buttonPictures_[i];
    if (b.DownFlag) {
      b.DownFlag = 0;
      FadeButton(i, b.Down, b.Move);
      const RBtn& button = Page().Buttons[i];
      if (RunCommand(button.Command, button.Sound)) return;
    } else {
      FadeButton(i, b.Down, b.Up);
    }
  }
  TDynamicSwthGrpArray& switches = Page().Switches;
  for (std::size_t i = 0; i < switches.size(); ++i) {
    if (!ElementContains(switches[i], at)) continue;
    switches[i].Hover = 0;
    PointerMove(at);
  }
}

void TCoolDialog::RunClosing() {
  host_.SearchDialogClosed();
  open_ = false;
  if (waiting_) waiting_->quit();
  try {
    ReleasePage();
    pageImage_ = QImage();
    TRegistry settings;
    if (settings.OpenKey(settingsKey_, true)) WriteStoredDialogSwitches(settings, pages_);
  } catch (...) {
    // Closing goes on whatever fails on the way.
  }
}

void TCoolDialog::closeEvent(QCloseEvent* event) {
  if (open_) RunClosing();
  event->accept();
}

void TCoolDialog::paintEvent(QPaintEvent*) {
  if (pageButtons_.empty()) return;
  QPainter painter(this);
  if (fadeIn_.Running()) {
    painter.drawImage(0, 0, fadeIn_.FadeImage());
    return;
  }
  painter.drawImage(0, 0, pageImage_);
  for (std::size_t i = 0; i < pageButtons_.size(); ++i)
    if (buttonPictures_[i].OverFlag)
      painter.drawImage(pageButtons_[i].topLeft(), buttonPictures_[i].Move);
  const TDynamicSwthGrpArray& switches = Page().Switches;
  for (std::size_t i = 0; i < switches.size(); ++i)
    if (switches[i].State || switches[i].Hover)
      painter.drawImage(QPoint(switches[i].Left, switches[i].Top),
                        switchPictures_[i].Shown(switches[i].State, switches[i].Hover));
  for (const auto& [corner, picture] : overlays_)
    painter.drawImage(corner.first, corner.second, picture);
  if (TTextMsg* labels = host_.TextMessages())
    labels->Paint(painter, host_.CurrentScreen(), TLabelSurface::Dialog);
}

void TCoolDialog::mouseMoveEvent(QMouseEvent* event) {
  PointerMove(event->position().toPoint());
}

void TCoolDialog::mousePressEvent(QMouseEvent* event) {
  PointerDown(event->position().toPoint());
}

void TCoolDialog::mouseReleaseEvent(QMouseEvent* event) {
  PointerUp(event->position().toPoint());
}

bool TCoolDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this && DialogKey(*static_cast<QKeyEvent*>(event)))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool TCoolDialog::DialogKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Escape) {
    host_.EscapeKey();  // closes the dialog, or stops the search under way
    return true;
  }
  // On the find page Enter belongs to the search box.
  if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && currentPage_ != kFindPage) {
    RunCommand("yes", "");
    return true;
  }
  return false;
}

void TCoolDialog::DrawOverlay(QPoint at, const QImage& image) {
  overlays_[{at.x(), at.y()}] = image;
  update(QRect(at, image.size()));
}

void TCoolDialog::DrawOnBackground(QPoint at, const QImage& image) {
  if (pageImage_.isNull()) return;
  QPainter painter(&pageImage_);
  painter.drawImage(at, image);
  update(QRect(at, image.size()));
}

void TCoolDialog::RepaintArea(const QRect& area) {
  update(area);
}

}  // namespace shelf
