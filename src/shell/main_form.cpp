#include "shell/main_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <iostream>

#include "platform/cp1251.h"
#include "platform/instance_lock.h"
#include "platform/registry.h"
#include "shell/book_session.h"
#include "shell/stored_switches.h"
#include "shell/window_animation.h"
#include "store/book_text.h"
#include "store/compr_stream.h"
#include "widgets/book_picture.h"

namespace shelf {

TMainForm::TMainForm(TBookSession& session)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), session_(session) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  openingTimer_.SetInterval(1);
  openingTimer_.OnTimer = [this](TSuperTimer& timer) {
    if (const auto frame = opening_->Step()) {
      SetAnimationShape(*frame);
      return;
    }
    timer.SetEnabled(false);
    if (!shape_.isEmpty()) setMask(shape_);  // the animation ends on the book's own outline
  };
  closingTimer_.SetInterval(2);
  closingTimer_.OnTimer = [this](TSuperTimer& timer) {
    if (const auto frame = closing_->Step()) {
      SetAnimationShape(*frame);
      return;
    }
    timer.SetEnabled(false);
    hide();
    QCoreApplication::quit();
  };
}

TMainForm::~TMainForm() {
  if (notMainShell_ || !shellBuilt_) return;
  TRegistry settings;
  if (settings.OpenKey(SettingsKeyPath(title_), true))
    WriteStoredSwitchStates(settings, description_.Screens);
}

std::optional<int> TMainForm::BuildBookShell() {
  if (!ReadDescription()) return 1;

  instanceLock_ = std::make_unique<TInstanceLock>(title_);
  if (!instanceLock_->TryAcquire()) {
    notMainShell_ = true;
    std::cerr << "shelf: \"" << Cp1251ToUtf8(title_) << "\" is already open\n";
    return 0;
  }
  setWindowTitle(ToQString(title_));
  QCoreApplication::setApplicationName(ToQString(title_));

  currentScreen_ = 0;
  LoadScreenBackground();
  TRegistry settings;
  if (settings.OpenKey(SettingsKeyPath(title_), true))
    ReadStoredSwitchStates(settings, description_.Screens);
  shellBuilt_ = true;
  ShowMainWindow();
  return std::nullopt;
}

bool TMainForm::ReadDescription() {
  const TBookFolders& folders = session_.Folders;
  const std::string structFile = folders.ProgramDir + "Struct.txt";
  if (!session_.Store.BookFileExists(structFile)) {
    std::cerr << "shelf: this is not a book: " << Cp1251ToUtf8(structFile)
              << " is missing (neither in interface.dat nor on disk)\n";
    return false;
  }
  TDynamicStringArray lines;
  try {
    TComprStream stream(session_.Store, structFile);
    lines = ReadDescriptionLines(stream);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return false;
  }

  const std::string titleFile = folders.ProgramDir + "Title.txt";
  if (session_.Store.BookFileExists(titleFile)) {
    try {
      TComprStream stream(session_.Store, titleFile);
      title_ = ReadTitle(stream);
    } catch (const EFOpenError&) {
      // A title that cannot be read leaves the book untitled, as a missing one does.
    }
  }
  description_.ReadMainKeywords(lines, folders);
  description_.ReadSections(lines, folders);
  for (const auto& problem : description_.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
  return true;
}

void TMainForm::LoadScreenBackground() {
  const auto& screens = description_.Screens;
  background_ = QImage();
  if (currentScreen_ < static_cast<int>(screens.size()) &&
      !screens[currentScreen_].Background.empty())
    background_ = LoadBookPicture(session_.Store,
                                  session_.Folders.ProgramDir + screens[currentScreen_].Background);
  if (!background_.isNull()) setFixedSize(background_.size());
  const QPolygon outline(
      QList<QPoint>(description_.WindowShape.begin(), description_.WindowShape.end()));
  shape_ = outline.size() > 2 ? QRegion(outline, Qt::WindingFill) : QRegion();
}

void TMainForm::ShowMainWindow() {
  opening_ = std::make_unique<TOpeningAnimation>(size());
  if (const QScreen* display = screen())
    move(display->availableGeometry().center() - rect().center());
  SetAnimationShape(QRegion());
  show();
  openingTimer_.SetEnabled(true);
}

void TMainForm::CloseAllAndQuit() {
  if (closingTimer_.Enabled()) return;
  closing_ = std::make_unique<TClosingAnimation>(size());
  closingTimer_.SetEnabled(true);
}

void TMainForm::SetAnimationShape(const QRegion& frame) {
  QRegion visible = shape_.isEmpty() ? frame : frame.intersected(shape_);
  // An empty mask would show the whole window: keep one hidden pixel instead.
  if (visible.isEmpty()) visible = QRegion(-1, -1, 1, 1);
  setMask(visible);
}

void TMainForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull())
    painter.fillRect(rect(), Qt::white);
  else
    painter.drawImage(0, 0, background_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (notMainShell_) {
    event->accept();
    return;
  }
  event->ignore();
  if (!openingTimer_.Enabled()) CloseAllAndQuit();
}

}  // namespace shelf
