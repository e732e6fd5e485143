#include "shell/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <iostream>

#include "book/book_session.h"
#include "dialogs/form_options.h"
#include "html/frame_viewer.h"
#include "media/slide_image.h"
#include "platform/cp1251.h"
#include "platform/instance_lock.h"
#include "platform/registry.h"
#include "print/preview_form.h"
#include "search/find_txt_html.h"
#include "shell/book_lock.h"
#include "shell/dropped_file.h"
#include "shell/first_paint.h"
#include "shell/page_printing.h"
#include "shell/role_descriptions.h"
#include "shell/stored_switches.h"
#include "shell/window_animation.h"
#include "store/book_text.h"
#include "widgets/book_picture.h"
#include "widgets/panel_bkgrd.h"
#include "widgets/path_input_box.h"
#include "widgets/scale_bar.h"
#include "widgets/status_line.h"
#include "widgets/text_msg.h"

namespace shelf {

namespace {

constexpr QPoint kBusyAnimationAt(583, 470);
constexpr std::int32_t kDefaultSplitterColor = 128 + 141 * 256 + 142 * 65536;
constexpr int kReadingScreen = 1;  // the screen whose panel holds the pages
// The search progress bar of the drawn dialog: its corner and the screen it shows on.
constexpr QPoint kScaleBarAt(33, 75);
constexpr int kScaleBarScreen = 1;

}  // namespace

TMainForm::TMainForm(TBookSession& session)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      session_(session),
      elements_(*this),
      dispatcher_(*this, session.Folders),
      pointer_(*this),
      keyboard_(pointer_, dispatcher_),
      media_(session, *this, elements_, currentScreen_),
      help_(*this, session) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

TMainForm::~TMainForm() {
  dispatcher_.SetFinder(nullptr);
  search_.reset();
  dispatcher_.SetDialog(nullptr);
  media_.EndSlides();
  coolDialog_.reset();  // keeps its stored switches when it is still open
  dispatcher_.SetMedia(nullptr, nullptr);
  media_.Stop(options_.BGSound);
  fonts_.RemoveBookFonts();
  windowMessages_.reset();
  bus_.reset();
  archives_.reset();    // removes the archives' working folders
  pathInputs_.reset();  // writes its folders to the settings
  dispatcher_.SetContents(nullptr);
  dispatcher_.SetPopups(nullptr);
  trees_.reset();
  popups_.reset();  // the favorites popup writes the favorites
  dispatcher_.SetPageAreas(nullptr);
  htmlFrame_.reset();  // writes the page font and colours
  if (notMainShell_ || !shellBuilt_) return;
  TRegistry settings;
  if (settings.OpenKey(SettingsKeyPath(title_), true))
    WriteStoredSwitchStates(settings, description_.Screens);
}

std::optional<int> TMainForm::BuildBookShell() {
  if (!ReadBookDescription(session_, description_)) return 1;
  title_ = ReadBookTitle(session_);

  instanceLock_ = TakeBookLock(title_, *this);
  if (!instanceLock_) {
    notMainShell_ = true;
    return 0;
  }
  setWindowTitle(ToQString(title_));
  QCoreApplication::setApplicationName(ToQString(title_));
  ApplyBookIcon();
  // Hints and sounds follow the settings from the first screen on.
  dialogs_.CreateOptions(description_, SettingsKeyPath(title_));
  dialogs_.OnApplied = [this] { PlaceHintControls(); };
  dialogs_.OnFontButton = [this] {
    if (htmlFrame_) htmlFrame_->ChooseFonts();
  };
  dialogs_.PlaySound = [this](const std::string& name) { media_.PlayBookSound(name); };

  const QPolygon outline(
      QList<QPoint>(description_.WindowShape.begin(), description_.WindowShape.end()));
  shape_ = outline.size() > 2 ? QRegion(outline, Qt::WindingFill) : QRegion();
  currentScreen_ = 0;
  if (description_.Screens.empty()) description_.Screens.resize(1);
  LoadScreen();
  if (!screenPicture_.isNull()) setFixedSize(screenPicture_.size());
  setAttribute(Qt::WA_AlwaysShowToolTips);

  TRegistry settings;
  if (settings.OpenKey(SettingsKeyPath(title_), true))
    ReadStoredSwitchStates(settings, description_.Screens);
  shellBuilt_ = true;

  textMsg_ = CreateTextMsg(description_.Texts, &elements_);
  statusLine_ = std::make_unique<TStatusLine>(textMsg_.get());
  media_.Create(description_, options_, SettingsKeyPath(title_), statusLine_.get());
  dispatcher_.SetMedia(media_.Clips(), media_.Music());
  backgroundPanel_ =
      new TPanelBkgrd(this, description_.Splitters.empty() ? kDefaultSplitterColor
                                                           : description_.Splitters.front().Color);
  CreatePageAreas();
  if (!description_.PathInputs.empty())
    pathInputs_ = std::make_unique<TPathInputBox>(
        *this, description_.PathInputs, SettingsKeyPath(title_), currentScreen_,
        THostFolderNames(session_.FileSystem, session_.Folders.CdRoot));
  popups_ = CreateControlPopupWindow(*this, description_.Screens, session_.Store, session_.Folders,
                                     SettingsKeyPath(title_));
  dispatcher_.SetPopups(popups_.get());
  trees_ = CreateContentsTrees(*this, description_.Trees, session_.Store, session_.Folders);
  dispatcher_.SetContents(trees_.get());
  scaleBar_ = std::make_unique<TScaleBar>(session_.Store, session_.Folders.ProgramDir,
                                          kScaleBarAt.x(), kScaleBarAt.y(), kScaleBarScreen,
                                          "status_up.bmp", "status_dn.bmp", currentScreen_);
  busyPicture_ = new TBusyPicture(this, session_.Store, session_.Folders.ProgramDir + "piston.gif",
                                  kBusyAnimationAt);
  busyPicture_->SetRunning(currentScreen_ != kReadingScreen);
  media_.CreateSlides(description_, options_, [this] { pointer_.PointerMove(QPoint(-1, -1)); });
  if (TSlideImage* slides = media_.Slides()) {
    dialogs_.Options()->OnSlideShowRun = [slides](bool run) { slides->SetRunning(run); };
    dialogs_.Options()->OnSlideShowInterval = [slides](int ms) { slides->SetInterval(ms); };
  }
  fonts_.AddBookFonts();
  CreateWindowMessages();
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  ReplaySwitches(false);
  media_.ShowAfterStartClip(description_, options_.Clip, [this] { ShowMainWindow(); });
  coolDialog_ =
      CreateCoolDialog(*this, session_.Store, session_.Folders, SettingsKeyPath(title_), true);
  dispatcher_.SetDialog(coolDialog_.get());
  // The preview's F1 and help button open the help on printing.
  if (htmlFrame_)
    WirePagePrinting(*htmlFrame_, *this, coolDialog_.get(),
                     [this] { ShowHelpTopic(TPreviewForm::kHelpTopic); });
  scaleBar_->SetDialog(coolDialog_.get());
  CreateSearch();
  if (textMsg_) textMsg_->SetDialog(coolDialog_.get());
  return std::nullopt;
}

void TMainForm::CreatePageAreas() {
  htmlFrame_ = CreateHtmlFrame(*this, session_.Store, session_.FileSystem, session_.Folders,
                               description_.PageAreas, SettingsKeyPath(title_));
  dispatcher_.SetPageAreas(htmlFrame_.get());
  if (!htmlFrame_) return;
  media_.ShowPage = [this](int area, const std::string& page) { htmlFrame_->ShowPage(area, page); };
  htmlFrame_->AfterHistoryChange = [this] {
    if (const TFrameViewer* viewer = htmlFrame_->CurrentScreenViewer())
      fonts_.SetPage(viewer->CurrentFile());
    if (popups_) popups_->RefreshHistoryLists();
    if (trees_) trees_->SyncTreeWithPage();
    UpdateHistoryMenus();
  };
  htmlFrame_->OnPagePress = [this](QPoint at, bool contextMenu) {
    if (!popups_) return;
    popups_->CloseAll();
    if (contextMenu) popups_->ShowPopup(kPopupContextHtml, at);
  };
}

void TMainForm::CreateWindowMessages() {
  bus_ = std::make_unique<TWindowBus>(*this);
  windowMessages_ = std::make_unique<TWindowMessages>(static_cast<TWindowMessagesHost&>(*this),
                                                      *bus_, session_.FileSystem, session_.Folders);
  help_.SetPieces(windowMessages_.get(), statusLine_.get());
  if (!htmlFrame_) return;
  TLinkCommands& links = htmlFrame_->Links();
  links.ShowArchive = [this](const std::string& archive) { ShowArchive(archive); };
  links.UnpackShownArchive = [this] {
    if (archives_) archives_->UnRar().ExtractArchive(false, true);
  };
  links.AskPictureWindows = [this](const std::string& picture) {
    return windowMessages_->PictureShownElsewhere(picture);
  };
  links.PlaySound = [this](const std::string& file) { PlayLinkedSound(file); };
  links.SetDesktop(help_.Desktop());
}

void TMainForm::CreateSearch() {
  search_ = std::make_unique<TWindowSearch>(
      static_cast<TShellWindow&>(*this), dispatcher_, session_, description_.FindBoxes,
      TSearchPieces{htmlFrame_.get(), trees_.get(), coolDialog_.get(), scaleBar_.get(),
                    statusLine_.get()});
  dispatcher_.SetFinder(search_->Finder());
}

std::optional<int> TMainForm::SetUpThesaurusWindow(const std::string& page) {
  thesaurusWindow_ = notMainShell_ = true;
  description_ = ThesaurusDescription(session_, page);
  currentScreen_ = 0;

  // Whatever the file says, the window is the thesaurus, and there is one per reader.
  title_ = *Utf8ToCp1251("Тезаурус");
  setWindowTitle(ToQString(title_));
  QCoreApplication::setApplicationName(ToQString(title_));
  instanceLock_ = std::make_unique<TInstanceLock>(title_);
  if (!instanceLock_->TryAcquire()) return 0;
  ApplyBookIcon();
  setAcceptDrops(true);
  LoadScreen();
  if (!screenPicture_.isNull()) setFixedSize(screenPicture_.size());
  setAttribute(Qt::WA_AlwaysShowToolTips);

  textMsg_ = CreateTextMsg(description_.Texts, &elements_);
  statusLine_ = std::make_unique<TStatusLine>(textMsg_.get());
  CreatePageAreas();
  CreateSearch();
  CreateWindowMessages();
  qApp->installEventFilter(this);
  show();
  ScrollToShownAnchor(CurrentViewer());
  if (FindBoxes()) FindBoxes()->HideBoxes(false);
  return std::nullopt;
}

void TMainForm::SetUpPlainWindow(const std::string& file, bool help) {
  notMainShell_ = true;
  helpWindow_ = help;
  description_ = PlainWindowDescription(session_, file);
  currentScreen_ = 0;
  title_ = help ? *Utf8ToCp1251("Помощь") : description_.Title;
  if (!help) ApplyBookIcon();  // the help window keeps the program's own icon
  setWindowTitle(ToQString(title_));
  QCoreApplication::setApplicationName(ToQString(title_));
  shownFile_ = file;
  CreatePageAreas();
  CreateWindowMessages();
  qApp->installEventFilter(this);
  EnterPlainWindow();
}

void TMainForm::EnterPlainWindow() {
  if (!plain_)
    plain_ = std::make_unique<TPlainWindow>(
        static_cast<TPlainWindowHost&>(*this), session_.Store,
        TPlainRole{notMainShell_, helpWindow_, thesaurusWindow_, title_, shownFile_});
  plain_->Enter();
}

void TMainForm::ShowDrawnPieces(bool shown) {
  if (FindBoxes()) FindBoxes()->HideBoxes(!shown);
  if (pathInputs_) pathInputs_->SetHidden(!shown, currentScreen_);
  if (!shown) {
    elements_.HideHints();
    if (busyPicture_) busyPicture_->hide();
    return;
  }
  PlaceHintControls();
  if (busyPicture_ && busyPicture_->HasMovie())
    busyPicture_->setVisible(currentScreen_ != kReadingScreen);
}

void TMainForm::RestoreDrawnShape() {
  if (!screenPicture_.isNull()) setFixedSize(screenPicture_.size());
  shape_.isEmpty() ? clearMask() : setMask(shape_);
}

void TMainForm::SetDesktop(TShellOpen& desktop) {
  help_.SetDesktop(desktop);
  if (htmlFrame_) htmlFrame_->Links().SetDesktop(desktop);
}

void TMainForm::LookUpThesaurus(const std::string& word) {
  std::function<void(const std::string&)> showHere;
  if (thesaurusWindow_) showHere = [this](const std::string& page) { LoadPage(page); };
  help_.LookUpThesaurus(word, showHere);
}

void TMainForm::HelpKey() {
  if (helpWindow_) return;  // the help window is the help
  if (currentScreen_ == 0) ShowHelpTopic("Topic12");
  if (currentScreen_ == kReadingScreen) ShowHelpTopic("Topic13");
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (plain_) plain_->Resized();
}

void TMainForm::ApplyBookIcon() {
  if (!description_.IconFile.empty())
    SetBookIcon(*this, session_.Store, session_.Folders.ProgramDir + description_.IconFile);
}

void TMainForm::LoadScreen() {
  const std::string& name = Screen().Background;
  if (!name.empty()) {
    QImage picture = LoadBookPicture(session_.Store, session_.Folders.ProgramDir + name);
    if (!picture.isNull()) screenPicture_ = std::move(picture);  // else the previous one stays
  }
  elements_.Build(Screen(), screenPicture_, session_.Store, session_.Folders.ProgramDir,
                  options_.Hint);
}

void TMainForm::InstallPageFonts() {
  if (!htmlFrame_) return;
  SetBusy(true);
  const int count = fonts_.InstallPageFonts();
  SetBusy(false);
  // The reader learns how many fonts their other programs can now use.
  if (statusLine_)
    statusLine_->Show(*Utf8ToCp1251("Установлено шрифтов: ") + std::to_string(count));
}

void TMainForm::ReplaySwitches(bool twoPasses) {
  const int screen = currentScreen_;
  for (int pass = 0; pass < (twoPasses ? 2 : 1); ++pass) {
    for (size_t i = 0; i < Screen().SwitchesOne.size() && currentScreen_ == screen; ++i) {
      const RSwthOne s = Screen().SwitchesOne[i];
      if (twoPasses && s.CommandDown == "3d") continue;
      dispatcher_.ExecuteCommand(s.State ? s.CommandDown : s.CommandUp, "", true,
                                 TElementKind::SwitchOne, static_cast<int>(i));
    }
  }
  for (size_t i = 0; i < Screen().SwitchesGrp.size() && currentScreen_ == screen; ++i) {
    const RSwthGrp s = Screen().SwitchesGrp[i];
    if (!s.State || (twoPasses && s.Command == "3d")) continue;
    dispatcher_.ExecuteCommand(s.Command, "", true, TElementKind::SwitchGrp, static_cast<int>(i));
  }
}

void TMainForm::SwitchScreen(int screen, TElementKind kind, int index) {
  if (screen < 0 || screen >= ScreenCount()) return;
  elements_.LetGo(Screen(), kind, index);
  media_.LeaveScreenFor(screen);
  currentScreen_ = screen;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LoadScreen();
  media_.ScreenShown(currentScreen_, elements_.Pictures().Background());
  if (pathInputs_) pathInputs_->ShowForScreen(currentScreen_);
  if (FindBoxes()) FindBoxes()->ShowBoxesForScreen();
  if (popups_) popups_->BuildPopups();
  if (busyPicture_) busyPicture_->SetRunning(currentScreen_ != kReadingScreen);
  if (htmlFrame_) htmlFrame_->ShowScreenPage();
  if (trees_) trees_->ShowForScreen();
  ReplaySwitches(true);
  update();
  QApplication::restoreOverrideCursor();
}

void TMainForm::SetBusy(bool busy) {
  // One flag and one hourglass: a repeated or unbalanced call must not stack cursors.
  if (busy) {
    if (!busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
    return;
  }
  QCoreApplication::processEvents();
  if (busy_) QApplication::restoreOverrideCursor();
  busy_ = false;
}

void TMainForm::ShowMainWindow() {
  // Window animation is for the start only: later about boxes open with their fade-in alone
  // (the stored setting stays as it is).
  options_.Animation = false;
  if (const QScreen* display = screen())
    move(display->availableGeometry().center() - rect().center());
  animator_.Open();
  // Music and film wait for the first paint: opening a song takes longer than drawing the window.
  AfterFirstPaint(*this, [this] { media_.WindowShown(); });
}

void TMainForm::CloseAllAndQuit() {
  if (animator_.Closing()) return;
  if (windowMessages_) windowMessages_->CloseBookWindows(!notMainShell_);
  dialogs_.CloseAbout();
  animator_.Close();
}

void TMainForm::PlayOutAndQuit() {
  const auto& buttons = Screen().Buttons;
  const bool exitButton = exitButton_ >= 0 && exitButton_ < static_cast<int>(buttons.size());
  media_.PlayOut(exitButton ? buttons[exitButton_].Sound : std::string(),
                 [] { QCoreApplication::quit(); });
}

void TMainForm::CloseBook(TElementKind kind, int index) {
  if (kind == TElementKind::Button) exitButton_ = index;
  const QString caption = ToQString(title_);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == caption) {
      window->close();
      return;
    }
  }
}

void TMainForm::Minimize(TElementKind kind, int index) {
  if (kind == TElementKind::Button && elements_.LetGo(Screen(), kind, index))
    RedrawElement(kind, index);
  showMinimized();
}

int TMainForm::LastScreenWithPicture() const {
  for (int i = ScreenCount() - 1; i >= 0; --i)
    if (!description_.Screens[i].Background.empty()) return i;
  return -1;
}

void TMainForm::RunDocument(const std::string& file, const std::string& parameters) {
  const auto host = session_.FileSystem.ToHost(file);
  std::string error;
  if (!ShellOpen(host ? host->string() : Cp1251ToUtf8(file), Cp1251ToUtf8(parameters), error))
    std::cerr << "shelf: " << error << "\n";
}

void TMainForm::Execute(const std::string& command, const std::string& sound, TElementKind kind,
                        int index) {
  dispatcher_.ExecuteCommand(command, sound, false, kind, index);
}

void TMainForm::StartWindowDrag() {
  QWindow* window = windowHandle();
  if (window && window->startSystemMove()) return;
  manualDrag_ = QCursor::pos() - pos();  // the window system refused: follow the pointer
}

void TMainForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (PlainWindow()) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    return;
  }
  if (elements_.Pictures().Background().isNull()) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  elements_.Paint(painter, Screen());
  if (textMsg_) textMsg_->Paint(painter, currentScreen_, TLabelSurface::MainWindow);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (notMainShell_ || thesaurusWindow_) {
    // A window of its own role ends its process with it.
    event->accept();
    QCoreApplication::quit();
    return;
  }
  event->ignore();
  if (!animator_.Opening()) CloseAllAndQuit();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
  if (manualDrag_) {
    move(event->globalPosition().toPoint() - *manualDrag_);
    return;
  }
  if (!PlainWindow()) pointer_.PointerMove(event->position().toPoint());
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
  ClosePopups();
  if (media_.Click(event->position().toPoint())) return;
  // The plain window shows none of the drawn elements, and the desktop moves it.
  if (!PlainWindow())
    pointer_.PointerDown(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void TMainForm::EscapeKey() {
  if (search_ && search_->StopRunningSearch()) return;  // the dialog stays
  if (coolDialog_ && coolDialog_->isVisible())
    coolDialog_->close();
  else
    ClosePopups();
}

void TMainForm::PrepareSearchScale() {
  scaleBar_->Prepare(currentScreen_);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  // A key the window leaves alone goes on to the control and may come back here on its way to
  // the control's parents: asking again is harmless, since a key not taken changes nothing.
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  ClosePopups();  // any key ends a popup list, as a press does
  // Typing and a text box's editing keys belong to the box before the window.
  if (FocusTakesKey(*key)) return false;
  if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
    if (notMainShell_ || thesaurusWindow_)
      QCoreApplication::quit();
    else
      EscapeKey();
    return true;
  }
  if (key->key() == Qt::Key_F1) {
    HelpKey();
    return true;
  }
  return keyboard_.KeyDown(key->key(), key->modifiers(), Screen(),
                           currentScreen_ == kReadingScreen || notMainShell_, htmlFrame_.get());
}

void TMainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) ClosePopups();
  QWidget::changeEvent(event);
}

void TMainForm::SetChapterHints(const std::string& next, const std::string& previous) {
  for (RBtn& button : Screen().Buttons) {
    const std::string command = AsciiLower(button.Command);
    if (command == "nextchapter") button.Hint = next;
    if (command == "prevchapter") button.Hint = previous;
  }
  PlaceHintControls();
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
  if (manualDrag_) {
    manualDrag_.reset();
    return;
  }
  if (!PlainWindow()) pointer_.PointerUp(event->position().toPoint());
}

void TMainForm::ShowArchive(const std::string& archive) {
  if (!archives_)
    archives_ =
        std::make_unique<TBookArchives>(static_cast<TShellWindow&>(*this), session_,
                                        htmlFrame_.get(), coolDialog_.get(), pathInputs_.get());
  archives_->ShowArchive(archive);
}

void TMainForm::PrintPage(const std::string& file, const TPicturePrint& picture) {
  if (htmlFrame_) PrintForOtherCopy(*htmlFrame_, file, picture);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  const std::filesystem::path file = urls.front().toLocalFile().toStdString();
  if (const auto dos = session_.FileSystem.ToDos(file, false))
    OpenDroppedFile(*dos);
  else
    ShowBookMessage(nullptr, UnnamableDropMessage(file));  // a box that does not hold the window
}

void TMainForm::OpenDroppedFile(const std::string& dosPath) {
  const std::string name = DroppedFileName(dosPath);
  switch (DroppedFileKind(name)) {
    case TDroppedFile::Page:
      if (htmlFrame_) htmlFrame_->OpenLinkedPage(name);
      break;
    case TDroppedFile::Archive:
      ShowArchive(name);
      break;
    case TDroppedFile::Sound:
      PlayLinkedSound(name);
      break;
    case TDroppedFile::Nothing:
      break;
  }
}

}  // namespace shelf
