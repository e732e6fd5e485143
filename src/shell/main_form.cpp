#include "shell/main_form.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <iostream>

#include "book/book_session.h"
#include "dialogs/about_box.h"
#include "dialogs/font_form.h"
#include "dialogs/form_options.h"
#include "html/book_url.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "media/background_music.h"
#include "media/button_sound.h"
#include "media/codec_installer.h"
#include "media/my_avi_player.h"
#include "media/slide_image.h"
#include "media/start_clip.h"
#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "platform/instance_lock.h"
#include "platform/media_decoders.h"
#include "platform/registry.h"
#include "platform/shell_open.h"
#include "platform/user_folders.h"
#include "print/preview_form.h"
#include "shell/dropped_file.h"
#include "shell/help_topic.h"
#include "shell/plain_tool_bar.h"
#include "shell/plain_window_layout.h"
#include "shell/stored_switches.h"
#include "shell/thesaurus_lookup.h"
#include "shell/window_animation.h"
#include "store/book_path.h"
#include "store/book_text.h"
#include "store/compr_stream.h"
#include "widgets/book_picture.h"
#include "widgets/eff_btn_car.h"
#include "widgets/my_control.h"
#include "widgets/nav_font.h"
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
// Fade steps: a button that opens a context menu fades a little slower.
constexpr int kFadeStep = 4;
constexpr int kContextMenuFadeStep = 3;
// The title screen's film and the panel it plays in.
constexpr char kPanelFilm[] = "car.avi";
constexpr QRect kVideoPanel(QPoint(31, 135), QPoint(686, 393));
constexpr int kTitleScreen = 0;
// How long a new copy waits for one that is closing (its sounds end within seconds).
constexpr std::chrono::milliseconds kBookLockPatience(8000);

// Scrolls the page on show to the anchor its name carries: a start page was laid out before
// its window had its size, so its anchor is found again once it has.
void ScrollToShownAnchor(TFrameViewer* viewer) {
  TDocumentView* page = viewer ? viewer->ActiveViewer() : nullptr;
  const std::string_view anchor = viewer ? UrlFragment(viewer->CurrentFile()) : "";
  if (page && !anchor.empty()) page->ScrollToAnchor(anchor);
}

}  // namespace

TMainForm::TMainForm(TBookSession& session)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      session_(session),
      dispatcher_(*this, session.Folders),
      pointer_(*this),
      keyboard_(pointer_, dispatcher_),
      ownDesktop_(std::make_unique<TShellOpen>()),
      desktop_(ownDesktop_.get()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
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
    // The animation ends on the book's own outline, or on no mask at all.
    shape_.isEmpty() ? clearMask() : setMask(shape_);
  };
  closingTimer_.SetInterval(2);
  closingTimer_.OnTimer = [this](TSuperTimer& timer) {
    if (const auto frame = closing_->Step()) {
      SetAnimationShape(*frame);
      return;
    }
    timer.SetEnabled(false);
    hide();
    PlayOutAndQuit();
  };
}

TMainForm::~TMainForm() {
  dispatcher_.SetFinder(nullptr);
  finder_.reset();
  dispatcher_.SetDialog(nullptr);
  slides_.reset();
  coolDialog_.reset();  // keeps its stored switches when it is still open
  // Ended another way than through the closing animation: the music stops where it is.
  if (music_ && options_.BGSound && music_->Player().Opened()) music_->StopBackgroundMusic(false);
  dispatcher_.SetMedia(nullptr, nullptr);
  startClip_.reset();
  videoPanel_.reset();
  clips_.reset();
  music_.reset();
  for (const int font : installedFonts_) RemoveFontResource(font);
  windowMessages_.reset();
  bus_.reset();
  unRar_.reset();       // removes its working folders
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
  if (!ReadDescription()) return 1;

  if (!AcquireBookLock()) return 0;
  setWindowTitle(ToQString(title_));
  QCoreApplication::setApplicationName(ToQString(title_));
  ApplyBookIcon();
  CreateFormOptions();  // hints and sounds follow the settings from the first screen on

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

  textMsg_ = CreateTextMsg(description_.Texts, this);
  statusLine_ = std::make_unique<TStatusLine>(textMsg_.get());
  CreateMedia();
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
  CreateBusyAnimation();
  CreateSlideImages();
  InstallBookFonts();
  CreateWindowMessages();
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  ReplaySwitches(false);
  ShowAfterStartClip();
  coolDialog_ =
      CreateCoolDialog(*this, session_.Store, session_.Folders, SettingsKeyPath(title_), true);
  dispatcher_.SetDialog(coolDialog_.get());
  if (htmlFrame_) {
    // The notice is read and closed before the preview opens over the window.
    htmlFrame_->PrinterNotice = [this](int page, const std::string& warning) {
      if (coolDialog_)
        coolDialog_->ExecDialogPage(page, "");
      else
        QMessageBox::warning(this, QString(), ToQString(*Utf8ToCp1251(warning)), QMessageBox::Ok);
    };
    // The preview's F1 and help button open the help on printing.
    htmlFrame_->PreviewHelp = [this] { ShowHelpTopic(TPreviewForm::kHelpTopic); };
  }
  scaleBar_->SetDialog(coolDialog_.get());
  CreateFindBoxes();
  if (textMsg_) textMsg_->SetDialog(coolDialog_.get());
  return std::nullopt;
}

bool TMainForm::AcquireBookLock() {
  instanceLock_ = std::make_unique<TInstanceLock>(title_);
  std::optional<TWindowId> shown;
  if (instanceLock_->AcquireWithin(kBookLockPatience, [&] {
        shown = TWindowBus::FindVisibleWindow(title_);
        return shown.has_value();
      }))
    return true;
  notMainShell_ = true;
  if (shown) {
    TWindowBus(*this).BringToFront(*shown);
    std::cerr << "shelf: \"" << Cp1251ToUtf8(title_) << "\" is open: its window comes forward\n";
  } else {
    std::cerr << "shelf: \"" << Cp1251ToUtf8(title_) << "\" is still held by another copy\n";
  }
  return false;
}

void TMainForm::CreatePageAreas() {
  htmlFrame_ = CreateHtmlFrame(*this, session_.Store, session_.FileSystem, session_.Folders,
                               description_.PageAreas, SettingsKeyPath(title_));
  dispatcher_.SetPageAreas(htmlFrame_.get());
  if (!htmlFrame_) return;
  navFont_ = std::make_unique<TNavFont>(session_.FileSystem);
  htmlFrame_->AfterHistoryChange = [this] {
    if (const TFrameViewer* viewer = htmlFrame_->CurrentScreenViewer())
      navFont_->SetPage(viewer->CurrentFile());
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
  if (!htmlFrame_) return;
  TLinkCommands& links = htmlFrame_->Links();
  links.ShowArchive = [this](const std::string& archive) { ShowArchive(archive); };
  links.UnpackShownArchive = [this] {
    if (unRar_) unRar_->ExtractArchive(false, true);
  };
  links.AskPictureWindows = [this](const std::string& picture) {
    return windowMessages_->PictureShownElsewhere(picture);
  };
  links.PlaySound = [this](const std::string& file) { PlayLinkedSound(file); };
  links.SetDesktop(*desktop_);
}

void TMainForm::CreateFindBoxes() {
  if (description_.FindBoxes.empty()) return;
  finder_ =
      std::make_unique<TFindTxtHtml>(static_cast<TFindHost&>(*this), session_.Store,
                                     session_.FileSystem, session_.Folders, description_.FindBoxes);
  dispatcher_.SetFinder(finder_.get());
}

TDynamicStringArray TMainForm::DescriptionLines(const std::string& name) const {
  const std::string file = session_.Folders.ProgramDir + name;
  if (!session_.Store.BookFileExists(file)) return {};
  try {
    TComprStream stream(session_.Store, file);
    return ReadDescriptionLines(stream);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return {};
  }
}

std::optional<int> TMainForm::SetUpThesaurusWindow(const std::string& page) {
  thesaurusWindow_ = notMainShell_ = true;
  const TBookFolders& folders = session_.Folders;
  description_ = TInterfaceDescription(TDescriptionVocabulary::Thesaurus);
  const TDynamicStringArray lines = DescriptionLines("Tesaurus.txt");
  description_.ReadMainKeywords(lines, folders);
  description_.ReadSections(lines, folders);
  for (const auto& problem : description_.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
  if (description_.Screens.empty()) description_.Screens.resize(1);
  // The page areas start on the page the lookup asked for, whatever the file names.
  for (RHTML& area : description_.PageAreas) area.StartPage = ResolveBookPath(page, folders);
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

  textMsg_ = CreateTextMsg(description_.Texts, this);
  statusLine_ = std::make_unique<TStatusLine>(textMsg_.get());
  CreatePageAreas();
  CreateFindBoxes();
  CreateWindowMessages();
  qApp->installEventFilter(this);
  show();
  ScrollToShownAnchor(CurrentViewer());
  if (finder_) finder_->HideBoxes(false);
  return std::nullopt;
}

void TMainForm::SetUpPlainWindow(const std::string& file, bool help) {
  notMainShell_ = true;
  helpWindow_ = help;
  const TBookFolders& folders = session_.Folders;
  description_ = TInterfaceDescription(TDescriptionVocabulary::PlainWindow);
  description_.Screens.resize(1);
  RHTML area;
  area.StartPage = file;
  description_.PageAreas = {area};
  currentScreen_ = 0;
  description_.ReadMainKeywords(DescriptionLines("Struct.txt"), folders);
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
  if (plainWindow_) return;
  plainWindow_ = true;
  if (finder_) finder_->HideBoxes(true);
  if (pathInputs_) pathInputs_->SetHidden(true, currentScreen_);
  drawnGeometry_ = geometry();
  if (backgroundPanel_) panelGeometry_ = backgroundPanel_->geometry();
  // The drawn window's outline stays in shape_ for the way back.
  clearMask();
  QPalette face = palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  setPalette(face);
  for (TMyControl* hint : hintControls_) hint->hide();
  if (busyLabel_) busyLabel_->hide();
  const bool wasVisible = isVisible();
  setWindowFlags(Qt::Window);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setAcceptDrops(true);
  if (!plainBar_) {
    plainBar_ = std::make_unique<TPlainToolBar>(*this, !notMainShell_);
    plainBar_->OnBack = [this] { DispatchCommand("back"); };
    plainBar_->OnForward = [this] { DispatchCommand("forward"); };
    plainBar_->OnPrint = [this] {
      if (htmlFrame_) htmlFrame_->PrintPage("");
    };
    plainBar_->OnLeave = [this] { LeavePlainWindow(); };
    plainBar_->OnHistoryIndex = [this](int index) {
      if (htmlFrame_) htmlFrame_->SetHistoryIndex(index);
    };
  }
  plainBar_->SetShown(true);
  UpdateHistoryMenus();

  const std::string picture = shownFile_.substr(0, shownFile_.find('#'));
  const QSize pictureSize =
      picture.empty() ? QSize() : LoadBookPicture(session_.Store, picture).size();
  resize(PlainWindowSize(shownFile_, size(), pictureSize));
  const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
  if (display) move(PlainWindowPosition(size(), display->availableGeometry()));
  if (notMainShell_)
    show();
  else if (wasVisible)
    showMaximized();
  if (htmlFrame_) htmlFrame_->FillWindow(plainBar_->ClientArea());
  if (notMainShell_) ScrollToShownAnchor(CurrentViewer());
}

void TMainForm::LeavePlainWindow() {
  if (!plainWindow_) return;
  plainWindow_ = false;
  plainBar_->SetShown(false);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  showNormal();
  if (!screenPicture_.isNull()) setFixedSize(screenPicture_.size());
  move(drawnGeometry_.topLeft());
  shape_.isEmpty() ? clearMask() : setMask(shape_);
  if (htmlFrame_) htmlFrame_->RestoreArea(panelGeometry_);
  if (finder_) finder_->HideBoxes(false);
  if (pathInputs_) pathInputs_->SetHidden(false, currentScreen_);
  PlaceHintControls();
  if (busyLabel_ && busyMovie_) busyLabel_->setVisible(currentScreen_ != kReadingScreen);
  setAcceptDrops(true);
  setWindowTitle(ToQString(title_));
  show();
}

void TMainForm::UpdateHistoryMenus() {
  if (!plainBar_) return;
  const TFrameViewer* viewer = CurrentViewer();
  if (!viewer) {
    plainBar_->ShowHistory({}, false, false);
    return;
  }
  std::vector<std::string> files, titles;
  for (int i = 0; i < viewer->HistoryCount(); ++i) {
    files.push_back(viewer->HistoryFile(i));
    titles.push_back(viewer->HistoryTitle(i));
  }
  plainBar_->ShowHistory(HistoryMenus(files, titles, viewer->HistoryIndex()), viewer->CanGoBack(),
                         viewer->CanGoForward());
  UpdateCaption();
}

void TMainForm::UpdateCaption() {
  if (!plainWindow_ || thesaurusWindow_) return;
  // Other copies and the shell's closing find help and picture windows by these captions.
  if (helpWindow_) return;
  if (notMainShell_) {
    setWindowTitle(QString::fromUtf8("Увеличенная картинка"));
    QCoreApplication::setApplicationName(windowTitle());
    return;
  }
  const TFrameViewer* viewer = CurrentViewer();
  const std::string page = viewer ? TrimText(viewer->DocumentTitle()) : std::string();
  setWindowTitle(page.empty() ? ToQString(title_)
                              : ToQString(page) + QString::fromUtf8(" — ") + ToQString(title_));
}

void TMainForm::SetDesktop(TShellOpen& desktop) {
  desktop_ = &desktop;
  if (htmlFrame_) htmlFrame_->Links().SetDesktop(desktop);
}

void TMainForm::LookUpThesaurus(const std::string& word) {
  TThesaurusLookup lookup(session_.Store, session_.FileSystem, session_.Folders, *desktop_);
  lookup.OnWarning = [this](const std::string& text) {
    QMessageBox::warning(this, QString(), ToQString(text), QMessageBox::Ok);
  };
  lookup.HandOver = [this](const std::string& page) {
    if (thesaurusWindow_) LoadPage(page);  // the thesaurus window is its own running one
    return thesaurusWindow_ || (windowMessages_ && windowMessages_->ShowInThesaurus(page));
  };
  lookup.LookUpThesaurus(word);
}

void TMainForm::HelpKey() {
  if (helpWindow_) return;  // the help window is the help
  if (currentScreen_ == 0) ShowHelpTopic("Topic12");
  if (currentScreen_ == kReadingScreen) ShowHelpTopic("Topic13");
}

void TMainForm::ShowHelpTopic(const std::string& topic) {
  THelpTopic help(session_.Store, session_.FileSystem, session_.Folders, *desktop_);
  help.HandOver = [this](const std::string& page) {
    return windowMessages_ && windowMessages_->ShowInHelpWindow(page);
  };
  if (help.ShowHelpTopic(description_.HelpFile, topic) == THelpTopic::TResult::NothingShowsIt)
    ShowStatus(*Utf8ToCp1251("Нет программы, которая может показать файл справки"));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!plainWindow_ || !plainBar_) return;
  plainBar_->SetShown(true);
  if (htmlFrame_) htmlFrame_->FillWindow(plainBar_->ClientArea());
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

  title_ = ReadBookTitle(session_);
  description_.ReadMainKeywords(lines, folders);
  description_.ReadSections(lines, folders);
  for (const auto& problem : description_.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
  return true;
}

void TMainForm::ApplyBookIcon() {
  if (description_.IconFile.empty()) return;
  const QImage icon =
      LoadBookPicture(session_.Store, session_.Folders.ProgramDir + description_.IconFile);
  if (icon.isNull()) return;  // a book's icon that cannot be read leaves the program's own
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  setWindowIcon(QApplication::windowIcon());
}

void TMainForm::LoadScreen() {
  const std::string& name = Screen().Background;
  if (!name.empty()) {
    QImage picture = LoadBookPicture(session_.Store, session_.Folders.ProgramDir + name);
    if (!picture.isNull()) screenPicture_ = std::move(picture);  // else the previous one stays
  }
  overlays_.clear();
  pictures_.Build(Screen(), screenPicture_, session_.Store, session_.Folders.ProgramDir);
  PlaceHintControls();
  BuildFades();
}

void TMainForm::PlaceHintControls() {
  std::vector<std::pair<QRect, std::string>> places;
  for (const RBtn& b : Screen().Buttons) places.emplace_back(ElementRect(b), b.Hint);
  for (const RSwthOne& s : Screen().SwitchesOne) places.emplace_back(ElementRect(s), s.Hint);
  for (const RSwthGrp& s : Screen().SwitchesGrp) places.emplace_back(ElementRect(s), s.Hint);
  while (hintControls_.size() > places.size()) {
    delete hintControls_.back();
    hintControls_.pop_back();
  }
  while (hintControls_.size() < places.size()) hintControls_.push_back(new TMyControl(this));
  for (size_t i = 0; i < places.size(); ++i) {
    hintControls_[i]->setGeometry(places[i].first);
    hintControls_[i]->setToolTip(options_.Hint ? ToQString(places[i].second) : QString());
    hintControls_[i]->show();
  }
}

void TMainForm::BuildFades() {
  const size_t counts[3] = {Screen().Buttons.size(), Screen().SwitchesOne.size(),
                            Screen().SwitchesGrp.size()};
  for (int kind = 0; kind < 3; ++kind) {
    auto& fades = fades_[kind];
    for (auto& fade : fades) fade->StopFade();
    if (fades.size() > counts[kind]) fades.resize(counts[kind]);
    while (fades.size() < counts[kind])
      fades.push_back(std::make_unique<TEffBtnCar>(static_cast<TDrawTarget&>(*this),
                                                   static_cast<int>(fades.size())));
    for (auto& fade : fades) fade->SetStep(kFadeStep);
  }
  for (size_t i = 0; i < counts[0]; ++i)
    if (AsciiLower(Screen().Buttons[i].Command).find("contextmenu") != std::string::npos)
      fades_[0][i]->SetStep(kContextMenuFadeStep);
}

TEffBtnCar* TMainForm::Fade(TElementKind kind, int index) const {
  const auto& fades = fades_[static_cast<int>(kind)];
  return index >= 0 && index < static_cast<int>(fades.size()) ? fades[index].get() : nullptr;
}

bool TMainForm::FadeRunning(TElementKind kind, int index) const {
  const TEffBtnCar* fade = Fade(kind, index);
  return fade && fade->Running();
}

void TMainForm::CreateBusyAnimation() {
  busyLabel_ = new QLabel(this);
  busyLabel_->move(kBusyAnimationAt);
  busyLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  try {
    TComprStream stream(session_.Store, session_.Folders.ProgramDir + "piston.gif");
    busyBytes_ = new QBuffer(this);
    busyBytes_->setData(QByteArray(stream.Bytes().data(), static_cast<qsizetype>(stream.Size())));
    busyMovie_ = new QMovie(busyBytes_, QByteArray(), this);
    busyLabel_->setMovie(busyMovie_);
    busyMovie_->jumpToFrame(0);
    busyLabel_->resize(busyMovie_->currentImage().size());
  } catch (const EFOpenError&) {
    return;  // a book without the animation simply has none
  }
  const bool shown = currentScreen_ != kReadingScreen;
  busyLabel_->setVisible(shown);
  if (shown) busyMovie_->start();
}

void TMainForm::InstallBookFonts() {
  const TDynamicStringArray fonts =
      FindFiles(session_.FileSystem, session_.Folders.ProgramDir, {"*.ttf"}, false, false);
  for (const std::string& font : fonts) {
    const auto host = session_.FileSystem.ToHost(font);
    const int id = host ? AddFontResource(*host) : -1;
    if (id >= 0) installedFonts_.push_back(id);  // a font that cannot be added is skipped
  }
}

void TMainForm::CreateFormOptions() {
  const TOptionGroups groups{false, !description_.Images.empty()};
  formOptions_ = std::make_unique<TFormOptions>(options_, groups, SettingsKeyPath(title_), this);
  formOptions_->SetClipAvailable(!description_.StartClip.empty());
  bool sounds = false;
  for (const RScreen& screen : description_.Screens)
    for (const RBtn& button : screen.Buttons)
      sounds = sounds || (!button.Sound.empty() && button.Sound != "no");
  formOptions_->SetButtonSoundsAvailable(sounds);
  formOptions_->OnApplied = [this] { PlaceHintControls(); };
  formOptions_->OnFontButton = [this] {
    if (htmlFrame_) htmlFrame_->ChooseFonts();
  };
}

void TMainForm::CreateSlideImages() {
  if (description_.Images.empty()) return;
  slides_ = std::make_unique<TSlideImage>(*this, session_.Store, session_.FileSystem, options_,
                                          description_.Images, currentScreen_);
  slides_->OnPointerMove = [this] { pointer_.PointerMove(QPoint(-1, -1)); };
  formOptions_->OnSlideShowRun = [this](bool run) { slides_->SetRunning(run); };
  formOptions_->OnSlideShowInterval = [this](int ms) { slides_->SetInterval(ms); };
}

void TMainForm::StepPicture(bool forward) {
  if (!slides_) return;
  forward ? slides_->NextPicture() : slides_->PreviousPicture();
}

void TMainForm::InstallPageFonts() {
  if (!navFont_) return;
  SetBusy(true);
  const int count = navFont_->InstallFonts(DataHome() / "fonts");
  SetBusy(false);
  // The reader learns how many fonts their other programs can now use.
  if (statusLine_)
    statusLine_->Show(*Utf8ToCp1251("Установлено шрифтов: ") + std::to_string(count));
}

void TMainForm::ShowOptions() {
  if (formOptions_) formOptions_->ShowOptions();
}

void TMainForm::ShowAbout() {
  if (!aboutBox_) {
    aboutBox_ = CreateAboutBox(*this, session_.Store, session_.Folders, options_);
    if (!aboutBox_) return;
    aboutBox_->PlaySound = [this](const std::string& name) { PlayBookSound(name); };
    aboutBox_->OpenLink = [](const std::string& target) {
      if (!TShellOpen().OpenUrl(Cp1251ToUtf8(target)))
        std::cerr << "shelf: the desktop did not open " << Cp1251ToUtf8(target) << "\n";
    };
  }
  aboutBox_->ShowAbout();
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
  if (kind == TElementKind::Button && index < static_cast<int>(pictures_.Buttons.size())) {
    pictures_.Buttons[index].OverFlag = pictures_.Buttons[index].DownFlag = 0;
    if (TEffBtnCar* fade = Fade(kind, index)) fade->StopFade();
  } else if (kind == TElementKind::SwitchOne &&
             index < static_cast<int>(Screen().SwitchesOne.size())) {
    Screen().SwitchesOne[index].Hover = 0;
  } else if (kind == TElementKind::SwitchGrp &&
             index < static_cast<int>(Screen().SwitchesGrp.size())) {
    Screen().SwitchesGrp[index].Hover = 0;
  }
  // The film pauses while another screen shows; its frame stays in the title's picture.
  if (videoPanel_ && videoPanel_->Active() && screen != kTitleScreen) {
    videoPanel_->Pause();
    videoPanel_->ShowFilm(false);
  }
  currentScreen_ = screen;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LoadScreen();
  if (videoPanel_ && currentScreen_ == kTitleScreen) {
    QPainter painter(&pictures_.Background());
    videoPanel_->PaintInto(painter);
    videoPanel_->ShowFilm(true);
    videoPanel_->ResumeUnlessUserPaused();
  }
  if (pathInputs_) pathInputs_->ShowForScreen(currentScreen_);
  if (clips_) clips_->ShowClipWindows();
  if (finder_) finder_->ShowBoxesForScreen();
  if (popups_) popups_->BuildPopups();
  if (busyMovie_) {
    const bool shown = currentScreen_ != kReadingScreen;
    busyLabel_->setVisible(shown);
    shown ? busyMovie_->start() : busyMovie_->stop();
  }
  if (htmlFrame_) htmlFrame_->ShowScreenPage();
  if (trees_) trees_->ShowForScreen();
  if (slides_) slides_->ShowForScreen(currentScreen_);
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

TPanelBkgrd* TMainForm::BackgroundPanel() const {
  return backgroundPanel_;
}

void TMainForm::ShowMainWindow() {
  // Window animation is for the start only: later about boxes open with their fade-in alone
  // (the stored setting stays as it is).
  options_.Animation = false;
  opening_ = std::make_unique<TOpeningAnimation>(size());
  if (const QScreen* display = screen())
    move(display->availableGeometry().center() - rect().center());
  SetAnimationShape(QRegion());
  show();
  openingTimer_.SetEnabled(true);
  if (filmWanted_) ShowVideoPanel(true);
  if (music_ && options_.BGSound) {
    SetWaitCursor(true);
    music_->StartBackgroundMusic();
    SetWaitCursor(false);
  }
}

void TMainForm::CreateMedia() {
  codecs_ = std::make_unique<TCodecInstaller>(
      session_.Store, session_.FileSystem, session_.Folders,
      [this](const std::string& message) { TellReader(message); }, HasMediaElement);
  codecs_->InstallForBook(description_.CodecWords, options_.Clip);
  if (!description_.Songs.empty())
    music_ = std::make_unique<TBackgroundMusic>(
        session_.Store, session_.FileSystem, description_.Songs, SettingsKeyPath(title_), options_);
  else
    options_.BGSound = false;
  clips_ = std::make_unique<TSound>(session_.Store, session_.FileSystem, *this,
                                    static_cast<TSoundHost&>(*this), description_.Clips);
  clips_->SetBackgroundMusic(music_.get());
  dispatcher_.SetMedia(clips_.get(), music_.get());
}

void TMainForm::ShowAfterStartClip() {
  const std::string& clip = description_.StartClip;
  if (clip.empty() || clip == "no" || !options_.Clip) return ShowMainWindow();
  const std::string& backdrop = description_.StartClipBackground;
  startClip_ = std::make_unique<TStartClip>(
      session_.Store, session_.FileSystem, session_.Folders.ProgramDir + clip,
      !backdrop.empty() && backdrop != "no", [this] { ShowMainWindow(); },
      [this](const std::string& kind) { DecoderMissing(kind); });
}

void TMainForm::ShowVideoPanel(bool on) {
  filmWanted_ = on;
  if (on && !videoPanel_) {
    videoPanel_ = std::make_unique<TMyAviPlayer>(session_.Store, session_.FileSystem);
    videoPanel_->Setup(this, this, this, session_.Folders.ProgramDir + kPanelFilm, kVideoPanel);
  }
  if (videoPanel_) videoPanel_->SetActive(on);
}

void TMainForm::PlayLinkedSound(const std::string& file) {
  if (clips_) clips_->PlayClip(file, "", kPlayKindClose);
}

void TMainForm::ShowClipPage(int area, const std::string& page) {
  if (htmlFrame_) htmlFrame_->ShowPage(area, page);
}

void TMainForm::DecoderMissing(const std::string& need) {
  if (codecs_) codecs_->DecoderMissing(need);
}

void TMainForm::TellReader(const std::string& message) {
  std::cerr << "shelf: " << Cp1251ToUtf8(message) << "\n";
  ShowBookMessage(nullptr, message);  // a box that does not hold the window
}

void TMainForm::SetWaitCursor(bool wait) {
  wait ? QApplication::setOverrideCursor(Qt::WaitCursor) : QApplication::restoreOverrideCursor();
}

void TMainForm::CloseAllAndQuit() {
  if (closingTimer_.Enabled()) return;
  if (windowMessages_) windowMessages_->CloseBookWindows(!notMainShell_);
  if (aboutBox_) aboutBox_->close();
  closing_ = std::make_unique<TClosingAnimation>(size());
  closingTimer_.SetEnabled(true);
}

void TMainForm::SetAnimationShape(const QRegion& frame) {
  QRegion visible = shape_.isEmpty() ? frame : frame.intersected(shape_);
  // An empty mask would show the whole window: keep one hidden pixel instead.
  if (visible.isEmpty()) visible = QRegion(-1, -1, 1, 1);
  setMask(visible);
}

void TMainForm::PlayButtonSound(const std::string& name) {
  PlayBookSound(name);
}

void TMainForm::PlayBookSound(const std::string& name, std::function<void()> ended) {
  // A sound the book lacks or this system cannot play is skipped, as a missing picture is.
  if (!buttonSound_)
    buttonSound_ = std::make_unique<TButtonSound>(session_.Store, session_.FileSystem);
  buttonSound_->Play(session_.Folders.ProgramDir + name, std::move(ended));
}

void TMainForm::SetButtonSounds(bool on) {
  options_.Wav = on;
  TRegistry settings;
  if (settings.OpenKey(SettingsKeyPath(title_), true)) settings.WriteBool("Wav", on);
}

void TMainForm::PlayOutAndQuit() {
  const auto fadeAndQuit = [this] {
    if (music_ && options_.BGSound && music_->Player().Opened())
      music_->StopBackgroundMusic(true, [] { QCoreApplication::quit(); });
    else
      QCoreApplication::quit();
  };
  const auto& buttons = Screen().Buttons;
  const std::string sound = exitButton_ >= 0 && exitButton_ < static_cast<int>(buttons.size())
                                ? buttons[exitButton_].Sound
                                : std::string();
  if (sound.empty() || sound == "no" || !options_.Wav) return fadeAndQuit();
  PlayBookSound(sound, fadeAndQuit);
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
  if (kind == TElementKind::Button && index < static_cast<int>(pictures_.Buttons.size())) {
    pictures_.Buttons[index].OverFlag = pictures_.Buttons[index].DownFlag = 0;
    RedrawElement(kind, index);
  }
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

QRect TMainForm::ElementRectOf(TElementKind kind, int index) {
  switch (kind) {
    case TElementKind::Button:
      return ElementRect(Screen().Buttons[index]);
    case TElementKind::SwitchOne:
      return ElementRect(Screen().SwitchesOne[index]);
    case TElementKind::SwitchGrp:
      return ElementRect(Screen().SwitchesGrp[index]);
  }
  return {};
}

void TMainForm::FadeElement(TElementKind kind, int index, const QImage& from, const QImage& to) {
  if (TEffBtnCar* fade = Fade(kind, index))
    fade->StartFade(from, to, ElementRectOf(kind, index).topLeft());
}

void TMainForm::RedrawElement(TElementKind kind, int index) {
  const QRect rect = ElementRectOf(kind, index);
  if (TEffBtnCar* fade = Fade(kind, index)) fade->StopFade();
  overlays_.erase({rect.left(), rect.top()});
  update(rect);
}

void TMainForm::DrawOverlay(QPoint at, const QImage& image) {
  overlays_[{at.x(), at.y()}] = image;
  update(QRect(at, image.size()));
}

void TMainForm::DrawOnBackground(QPoint at, const QImage& image) {
  QPainter painter(&pictures_.Background());
  painter.drawImage(at, image);
  update(QRect(at, image.size()));
}

void TMainForm::RepaintArea(const QRect& area) {
  update(area);
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
  if (plainWindow_) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    return;
  }
  if (pictures_.Background().isNull()) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  painter.drawImage(0, 0, pictures_.Background());
  RScreen& screen = Screen();
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
  if (!openingTimer_.Enabled()) CloseAllAndQuit();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
  if (manualDrag_) {
    move(event->globalPosition().toPoint() - *manualDrag_);
    return;
  }
  if (!plainWindow_) pointer_.PointerMove(event->position().toPoint());
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
  ClosePopups();
  if (videoPanel_ && videoPanel_->Click(event->position().toPoint())) return;
  // The plain window shows none of the drawn elements, and the desktop moves it.
  if (!plainWindow_)
    pointer_.PointerDown(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void TMainForm::EscapeKey() {
  if (coolDialog_ && coolDialog_->isVisible() && finder_ && !finder_->SearchStopped())
    finder_->SetSearching(true);  // a running search stops; the dialog stays
  else if (coolDialog_ && coolDialog_->isVisible())
    coolDialog_->close();
  else
    ClosePopups();
}

void TMainForm::PrepareSearchScale() {
  scaleBar_->Prepare(currentScreen_);
}

void TMainForm::FindCommand(const std::string& command) {
  if (!finder_) {
    if (command == "findtxtall" && coolDialog_) coolDialog_->ShowFindResults({}, {});
    return;
  }
  if (busy_) {
    if (command.find("findnext") != std::string::npos) finder_->SetSearching(true);
    return;
  }
  if (command == "findtxtall") {
    finder_->SetIndexMode();
    if (coolDialog_) coolDialog_->ShowFindResults(finder_->ResultFiles(), finder_->ResultTitles());
  } else if (command.find("findtxtlimit") != std::string::npos) {
    finder_->SetScope(false);
  } else if (command.find("findtxtcontents") != std::string::npos) {
    finder_->SetContentsMode();
  } else if (command.find("findnext") != std::string::npos) {
    finder_->FindNext(ValueInt(command, 9));
  }
}

void TMainForm::FindInFoundPage() {
  if (finder_) finder_->FindInPage(1);
}

bool TMainForm::ChooseFonts(TPageFontSettings& fonts) {
  return AskPageFonts(session_.Store, this, fonts);
}

void TMainForm::SearchDialogClosed() {
  if (finder_) finder_->SetSearching(true);
}

void TMainForm::DialogPageShown(int page) {
  if (finder_) finder_->DialogPageShown(page);
}

void TMainForm::ShowStatus(const std::string& text) {
  if (!statusLine_) return;
  text.empty() ? statusLine_->Clear() : statusLine_->Show(text);
}

void TMainForm::ShowMessage(const std::string& text) {
  ShowBookMessage(nullptr, text);  // the dialog shows the find page under way
}

TFrameViewer* TMainForm::CurrentViewer() const {
  return htmlFrame_ ? htmlFrame_->CurrentScreenViewer() : nullptr;
}

void TMainForm::OpenFoundFile(const std::string& file) {
  TFrameViewer* viewer = CurrentViewer();
  if (!viewer) return;
  viewer->show();
  for (int i = 0; i < viewer->HistoryCount(); ++i)
    if (SameBookFile(viewer->HistoryFile(i), file)) {
      viewer->SetHistoryIndex(i);
      return;
    }
  htmlFrame_->OpenLinkedPage(file);
}

bool TMainForm::FindCaption(const std::string& text) {
  if (!trees_) return false;
  if (trees_->First() && trees_->First()->isVisible()) return trees_->First()->FindCaption(text);
  return trees_->Second() && trees_->Second()->FindCaption(text);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  // A key the window leaves alone goes on to the control and may come back here on its way to
  // the control's parents: asking again is harmless, since a key not taken changes nothing.
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  ClosePopups();  // any key ends a popup list, as a press does
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

void TMainForm::ClosePopups() {
  if (popups_) popups_->CloseAll();
}

void TMainForm::RunButtonCommand(const std::string& command) {
  dispatcher_.ExecuteCommand(command, command, true, TElementKind::Button, 0);
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
  if (!plainWindow_) pointer_.PointerUp(event->position().toPoint());
}

void TMainForm::ShowArchive(const std::string& archive) {
  if (!unRar_)
    unRar_ = std::make_unique<TUnRar>(static_cast<TUnRarHost&>(*this), session_.FileSystem,
                                      session_.Folders.TempDir);
  unRar_->ShowArchive(archive, CurrentPageFile());
}

void TMainForm::ExtractShownArchive() {
  if (unRar_) unRar_->ExtractArchive(true, false);
}

bool TMainForm::ListingFlag(bool archiveMode, const std::string& page) {
  return unRar_ ? unRar_->UpdateListingFlag(archiveMode, page) : archiveMode;
}

void TMainForm::ShowArchiveMessage(const std::string& text) {
  ShowBookMessage(coolDialog_.get(), text);
}

bool TMainForm::AskArchiveQuestion(const std::string& text) {
  return QMessageBox::question(this, QString(), ToQString(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void TMainForm::OpenListingPage(const std::string& page) {
  if (htmlFrame_) htmlFrame_->OpenLinkedPage(page);
}

bool TMainForm::ArchiveMode() const {
  return htmlFrame_ && htmlFrame_->ArchiveMode();
}

std::optional<std::filesystem::path> TMainForm::ChosenFolder() const {
  if (!pathInputs_) return std::nullopt;
  return pathInputs_->CurrentFolder(currentScreen_);
}

std::string TMainForm::CurrentPageFile() const {
  const TFrameViewer* viewer = htmlFrame_ ? htmlFrame_->CurrentScreenViewer() : nullptr;
  return viewer ? viewer->CurrentFile() : std::string();
}

void TMainForm::LoadPage(const std::string& file) {
  if (htmlFrame_) htmlFrame_->OpenLinkedPage(file);
}

void TMainForm::DispatchCommand(const std::string& command) {
  dispatcher_.ExecuteCommand(command, "", true, TElementKind::Button, 0);
}

void TMainForm::PrintPage(const std::string& file, const TPicturePrint& picture) {
  if (!htmlFrame_) return;
  htmlFrame_->PrintPicture = picture.PrintPicture;
  htmlFrame_->PrintPictureWidth = picture.Width;
  htmlFrame_->PrintPictureHeight = picture.Height;
  htmlFrame_->PrintPage(file);
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
    ShowMessage(UnnamableDropMessage(file));
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
