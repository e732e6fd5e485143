#include "print/preview_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "html/document_view.h"
#include "platform/cp1251.h"
#include "platform/printer_device.h"
#include "platform/window_bus.h"
#include "print/go_page_form.h"
#include "print/meta_file_printer.h"
#include "print/picture_fit.h"
#include "print/preview_cursors.h"
#include "print/preview_icons.h"
#include "print/print_job.h"
#include "print/prn_status_form.h"
#include "print/sheet_box.h"
#include "print/sheet_layout.h"
#include "print/wrap_tool_bar.h"

namespace shelf {

namespace {

QString Ui(const char* utf8) {
  return ToQString(Utf8ToCp1251Lossy(utf8));
}

constexpr const char* kZoomRows[] = {"Страница целиком",
                                     "По ширине страницы",
                                     "Вручную",
                                     "25%",
                                     "50%",
                                     "75%",
                                     "100%",
                                     "125%",
                                     "150%",
                                     "200%",
                                     "300%",
                                     "400%"};

QString Percent(const char* label, double factor) {
  return Ui(label) + QLocale().toString(std::round(factor * 100), 'f', 0) + QStringLiteral("%");
}

}  // namespace

TPreviewForm::TPreviewForm(QWidget* owner, int pictureHeight, int pictureWidth, bool pictureMode,
                           TDocumentView& viewer, const TPrinterNotice& notice)
    : QDialog(owner), viewer_(viewer) {
  setWindowTitle(Ui("Предварительный просмотр"));
  setModal(true);
  AnnouncePreview();
  setSizeGripEnabled(true);
  AskPdfFileName = [this] { return shelf::AskPdfFileName(this); };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolbar();
  layout->addWidget(toolbar_);
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setFrameShape(QFrame::NoFrame);
  container_ = new QWidget;
  container_->setAutoFillBackground(true);
  container_->setBackgroundRole(QPalette::Dark);
  scrollBox_->setWidget(container_);
  scrollBox_->setWidgetResizable(false);
  layout->addWidget(scrollBox_, 1);
  pb1_ = new TSheetBox(container_);
  pb2_ = new TSheetBox(container_);
  for (TSheetBox* box : {pb1_, pb2_}) {
    box->setToolTip(
        Ui("Просмотр страницы. Используйте правую/левую кнопку мыши для уменьшения/увеличения."));
    box->Sheet = [this] { return recorder_->Metrics(); };
    box->OnPress = [this](TSheetBox& b, QMouseEvent* e) { SheetPress(b, e); };
    box->OnMove = [this](TSheetBox& b, QMouseEvent* e) { SheetMove(b, e); };
    box->OnRelease = [this](TSheetBox&, QMouseEvent*) { dragging_ = false; };
  }
  pb1_->Page = [this]() -> const QPicture* {
    return shownPage_ < recorder_->PageCount() ? &recorder_->Pages(shownPage_) : nullptr;
  };
  pb2_->Page = [this]() -> const QPicture* {
    return shownPage_ + 1 < recorder_->PageCount() ? &recorder_->Pages(shownPage_ + 1) : nullptr;
  };
  statusBar_ = new QStatusBar(this);
  statusBar_->setSizeGripEnabled(false);
  const char* const texts[] = {"Номера страниц", "Масштаб просмотра", "Масштаб печати",
                               "Подсказки"};
  const int widths[] = {125, 150, 150, 0};
  for (int i = 0; i < 4; ++i) {
    panels_[i] = new QLabel(Ui(texts[i]), statusBar_);
    // At least the usual width, and wider when the text needs it: nothing is cut.
    panels_[i]->setMinimumWidth(widths[i]);
    if (i == 0) panels_[i]->setAlignment(Qt::AlignCenter);
    statusBar_->addWidget(panels_[i], i == 3 ? 1 : 0);
  }
  layout->addWidget(statusBar_);
  BuildMenu();

  zoomBox_->setCurrentIndex(kRowWholeSheet);
  Button("ZoomCursorBut")->setChecked(true);
  TViewerSettings settings = viewer_.Settings();
  settings.PrintTableBackground = printBackground_->isChecked();
  viewer_.SetSettings(settings);

  device_ = std::make_unique<TPrinterDevice>();
  recorder_ = std::make_unique<TMetaFilePrinter>(*device_, notice);
  // Without a usable printer the device is the PDF output, so the reader can still print.
  if (recorder_->RefreshMetrics()) {
    startPrintScale_ = 1;
    if (pictureMode && pictureWidth > 0 && pictureHeight > 0)
      startPrintScale_ = std::min(1.0, FitPicture(pictureWidth, pictureHeight));
    printScale_ = startPrintScale_;
    failed_ = FormatPages(true);
    if (pictureMode && pictureWidth > 0 && pictureHeight > 0 && !failed_) {
      while (recorder_->PageCount() >= 2 && printScale_ > 0.05) {
        startPrintScale_ -= 0.005;
        printScale_ = startPrintScale_;
        FormatPages(false);
      }
    }
  } else {
    failed_ = true;
  }
  if (failed_) {
    QApplication::restoreOverrideCursor();
    return;
  }
  Button("PageOrientationBut")->setChecked(recorder_->Landscape());
  setWindowIcon(QApplication::windowIcon());
  setMinimumSize(250, 300);
  SetShownPage(0);
  UpdateNavButtons();
  FormResize();
  qApp->installEventFilter(this);
  setWindowState(windowState() | Qt::WindowMaximized);
  resize(1024, 768);
}

TPreviewForm::~TPreviewForm() {
  qApp->removeEventFilter(this);
}

void TPreviewForm::AnnouncePreview() {
  bus_ = std::make_unique<TWindowBus>(*this);
  if (const auto viewer = TWindowBus::FindVisibleWindow(*Utf8ToCp1251("Электросхема")))
    bus_->PostMessageTo(*viewer, TWindowBus::kPreviewOpened, static_cast<std::int64_t>(winId()));
}

QAction* TPreviewForm::AddButton(const char* name, int image, const char* hint,
                                 const char* caption) {
  auto* action =
      toolbar_->AddAction(image >= 0 ? PreviewIcon(image) : OrientationIcon(), Ui(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setToolTip(Ui(hint));
  action->setStatusTip(Ui(hint));
  return action;
}

QAction* TPreviewForm::Button(const char* name) const {
  return toolbar_->findChild<QAction*>(QString::fromLatin1(name));
}

void TPreviewForm::BuildToolbar() {
  toolbar_ = new TWrapToolBar(this);
  toolbar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(AddButton("PrintBut", 0, "Печать", "Печать"), &QAction::triggered, this,
          [this] { Print(); });
  toolbar_->AddSeparator();
  QAction* orientation =
      AddButton("PageOrientationBut", -1, "Ориентация листа", "Ориентация листа");
  orientation->setCheckable(true);
  connect(orientation, &QAction::triggered, this, [this](bool down) {
    recorder_->SetLandscape(down);
    Button("PageOrientationBut")->setChecked(recorder_->Landscape());
    Rerender(false);
  });
  toolbar_->AddSeparator();
  connect(AddButton("FirstPageBut", 1, "На первую страницу", "Первая страница"),
          &QAction::triggered, this, [this] { SetShownPage(0); });
  connect(AddButton("PrevPageBut", 2, "На предыдущую страницу", "Предыдущая страница"),
          &QAction::triggered, this, [this] { SetShownPage(shownPage_ - 1); });
  connect(AddButton("NextPageBut", 3, "На следующую страницу", "Следующая страница"),
          &QAction::triggered, this, [this] { SetShownPage(shownPage_ + 1); });
  connect(AddButton("LastPageBut", 4, "На последнюю страницу", "Последняя страница"),
          &QAction::triggered, this, [this] { SetShownPage(recorder_->PageCount() - 1); });
  connect(AddButton("GoToPageBut", 5, "Переход на страницу", "Переход на страницу"),
          &QAction::triggered, this, [this] { GoToPage(); });
  toolbar_->AddSeparator();
  zoomBox_ = new QComboBox(toolbar_);
  zoomBox_->setObjectName(QStringLiteral("ZoomBox"));
  for (const char* row : kZoomRows) zoomBox_->addItem(Ui(row));
  zoomBox_->setMaxVisibleItems(12);
  zoomBox_->setToolTip(Ui("Выбор масштаба отображения документа"));
  zoomBox_->setStatusTip(zoomBox_->toolTip());
  toolbar_->AddWidget(zoomBox_);
  connect(zoomBox_, &QComboBox::activated, this, [this] { ApplyZoomRow(); });
  toolbar_->AddSeparator();
  QAction* fitPage = AddButton("FitPageBut", 6, "Лист целиком", "Лист целиком");
  QAction* fitWidth = AddButton("FitWidthBut", 7, "По ширине", "По ширине");
  for (QAction* fit : {fitPage, fitWidth}) {
    fit->setCheckable(true);
    connect(fit, &QAction::triggered, this, [this, fit, fitPage, fitWidth] {
      const bool page = fit == fitPage;
      fitPage->setChecked(page);
      fitWidth->setChecked(!page);
      Button("TwoPageBut")->setChecked(false);
      zoomBox_->setCurrentIndex(page ? kRowWholeSheet : kRowSheetWidth);
      ApplyZoomRow();
    });
  }
  toolbar_->AddSeparator();
  connect(AddButton("RestoreStartPrintZoomBut", 8, "Восстановить исходный масштаб печати",
                    "Восстановить масштаб"),
          &QAction::triggered, this, [this] {
            printScale_ = startPrintScale_;
            Rerender(true);
          });
  tools_ = new QActionGroup(this);
  tools_->addAction(AddButton("ZoomCursorPrintBut", 9, "Увеличение/уменьшение масштаба печати",
                              "Масштаб печати"));
  tools_->addAction(AddButton("ZoomCursorBut", 10, "Увеличение/уменьшение масштаба просмотра",
                              "Масштаб просмотра"));
  tools_->addAction(AddButton("HandCursorBut", 11, "Перемещение", "Перемещение"));
  for (QAction* tool : tools_->actions()) tool->setCheckable(true);
  toolbar_->AddSeparator();
  QAction* one = AddButton("OnePageBut", 12, "Один лист на странице", "Один лист");
  QAction* two = AddButton("TwoPageBut", 13, "Два листа на странице", "Два листа");
  one->setCheckable(true);
  two->setCheckable(true);
  connect(one, &QAction::triggered, this, [this, one, two] {
    two->setChecked(false);
    Button("FitWidthBut")->setChecked(false);
    one->setChecked(true);
    zoomBox_->setCurrentIndex(kRowWholeSheet);
    FormResize();
  });
  connect(two, &QAction::triggered, this, [this, one, two] {
    zoomBox_->setCurrentIndex(kRowManual);
    ApplyZoomRow();
    Button("FitPageBut")->setChecked(false);
    Button("FitWidthBut")->setChecked(false);
    one->setChecked(false);
    two->setChecked(true);
    FormResize();
  });
  toolbar_->AddSeparator();
  connect(AddButton("HelpBut", 14, "Помощь", "Помощь"), &QAction::triggered, this, [this] {
    if (OnHelp) OnHelp();
  });
  toolbar_->AddSeparator();
  connect(AddButton("CloseBut", 15, "Завершить просмотр", "Выход"), &QAction::triggered, this,
          &QDialog::reject);
}

void TPreviewForm::BuildMenu() {
  popupMenu_ = new QMenu(this);
  QMenu* numbers = popupMenu_->addMenu(Ui("Номера страниц"));
  auto* group = new QActionGroup(popupMenu_);
  printPageNumbers_ = numbers->addAction(Ui("Выводить"));
  noPageNumbers_ = numbers->addAction(Ui("Не выводить"));
  for (QAction* a : {printPageNumbers_, noPageNumbers_}) {
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this] {
      recorder_->SetPrintPageNumbers(printPageNumbers_->isChecked());
      FormatPages(true);
      ClampShownPage();
      SetShownPage(shownPage_);
      FormResize();
    });
  }
  printPageNumbers_->setChecked(true);
  captionsShow_ = popupMenu_->addAction(Ui("Подписи  к кнопкам"));
  captionsShow_->setCheckable(true);
  connect(captionsShow_, &QAction::toggled, this, [this](bool on) { SetCaptionsShown(on); });
  printBackground_ = popupMenu_->addAction(Ui("Печатать фон"));
  printBackground_->setCheckable(true);
  printBackground_->setChecked(true);
  connect(printBackground_, &QAction::triggered, this, [this](bool on) {
    TViewerSettings settings = viewer_.Settings();
    settings.PrintTableBackground = on;
    viewer_.SetSettings(settings);
    Rerender(false);
  });
  connect(toolbar_, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { popupMenu_->popup(toolbar_->mapToGlobal(at)); });
}

void TPreviewForm::SetCaptionsShown(bool on) {
  toolbar_->SetToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  if (on)
    setMinimumSize(300, 600);
  else
    setMinimumSize(250, 300);
  FormResize();
}

bool TPreviewForm::FormatPages(bool withProgress) {
  recorder_->RefreshMetrics();
  if (!withProgress) {
    viewer_.PrintPages(*recorder_, printScale_);
    return false;
  }
  TPrnStatusForm status(this);
  return status.RunPreview(viewer_, *recorder_, printScale_);
}

void TPreviewForm::Rerender(bool alwaysLayout) {
  const bool cancelled = FormatPages(true);
  if (cancelled && !alwaysLayout) return;
  FormResize();
  ClampShownPage();
  UpdateNavButtons();
}

QSize TPreviewForm::ScreenDpi() const {
  return QSize(logicalDpiX(), logicalDpiY());
}

QSize TPreviewForm::AvailableArea(double scale) {
  return shelf::AvailableArea(*recorder_, ScreenDpi(), scale);
}

double TPreviewForm::FitPicture(int w, int h) {
  return shelf::FitPicture(*recorder_, ScreenDpi(), w, h);
}

void TPreviewForm::ApplyZoomRow() {
  // Twice: scroll bars that come or go change the room the sheets have.
  FormResize();
  FormResize();
}

void TPreviewForm::FormResize() {
  if (!recorder_ || !scrollBox_) return;
  QAction* one = Button("OnePageBut");
  QAction* two = Button("TwoPageBut");
  if (!one->isChecked() && !two->isChecked()) one->setChecked(true);
  if (zoomBox_->currentIndex() < 0) zoomBox_->setCurrentIndex(kRowWholeSheet);
  const int row = zoomBox_->currentIndex();
  if (one->isChecked()) {
    Button("FitPageBut")->setChecked(row == kRowWholeSheet);
    Button("FitWidthBut")->setChecked(row == kRowSheetWidth);
  }
  const TSheetLayout layout =
      LayOutSheets(row, viewZoom_, two->isChecked(), scrollBox_->viewport()->size(),
                   QSizeF(logicalDpiX(), logicalDpiY()), recorder_->Metrics());
  if (layout.ForcesOneSheet) {
    one->setChecked(true);
    two->setChecked(false);
  }
  const bool twoSheets = two->isChecked();
  pb1_->resize(layout.Sheet);
  pb2_->resize(layout.Sheet);
  pb2_->setVisible(twoSheets);
  container_->resize(layout.Container);
  pb1_->move(layout.First);
  pb2_->move(layout.Second);
  viewZoom_ = layout.Zoom;
  const double z = layout.Zoom;
  panels_[1]->setText(Percent(" Масштаб просмотра: ", z));
  panels_[2]->setText(Percent(" Масштаб печати: ", printScale_));
  pb1_->update();
  pb2_->update();
}

void TPreviewForm::SetShownPage(int index) {
  shownPage_ = std::max(0, index);
  panels_[0]->setText(Ui("Страница ") + QString::number(shownPage_ + 1) + Ui(" из ") +
                      QString::number(recorder_->PageCount()));
  pb1_->update();
  pb2_->update();
  UpdateNavButtons();
}

void TPreviewForm::ClampShownPage() {
  if (shownPage_ >= recorder_->PageCount()) SetShownPage(recorder_->PageCount() - 1);
}

void TPreviewForm::UpdateNavButtons() {
  const int count = recorder_->PageCount();
  Button("NextPageBut")->setEnabled(shownPage_ + 1 < count);
  Button("LastPageBut")->setEnabled(shownPage_ + 1 < count);
  Button("PrevPageBut")->setEnabled(shownPage_ > 0);
  Button("FirstPageBut")->setEnabled(shownPage_ > 0);
  Button("GoToPageBut")->setEnabled(count > 1);
  QAction* two = Button("TwoPageBut");
  if (count == 1) {
    two->setEnabled(false);
    two->setChecked(false);
    Button("OnePageBut")->setChecked(true);
    FormResize();
  } else {
    two->setEnabled(true);
  }
}

void TPreviewForm::GoToPage() {
  TGoPageForm form(this);
  form.SetRange(recorder_->PageCount(), shownPage_ + 1);
  if (form.exec() == QDialog::Accepted)
    SetShownPage(std::clamp(form.PageNum(), 1, recorder_->PageCount()) - 1);
}

void TPreviewForm::Print() {
  PrintDocument(*this, *device_, *recorder_, viewer_, printScale_, AskPdfFileName);
}

void TPreviewForm::SheetPress(TSheetBox& box, QMouseEvent* event) {
  zoomBox_->clearFocus();
  box.setFocus();
  const bool left = event->button() == Qt::LeftButton;
  const bool right = event->button() == Qt::RightButton;
  if (Button("HandCursorBut")->isChecked()) {
    box.setCursor(PreviewCursor(crHandClosed));
    dragging_ = true;
    dragStart_ = event->globalPosition().toPoint();
    return;
  }
  if (!left && !right) return;
  box.setCursor(PreviewCursor(left ? crZoomIn : crZoomOut));
  if (Button("ZoomCursorPrintBut")->isChecked()) {
    const double before = printScale_;
    if (left && printScale_ < 3)
      printScale_ *= 1.1;
    else if (right && printScale_ > 0.05)
      printScale_ /= 1.1;
    if (printScale_ != before) Rerender(false);
    return;
  }
  const int oldW = box.width(), oldH = box.height();
  if (left && viewZoom_ < 20) viewZoom_ *= 1.25;
  if (right && viewZoom_ > 0.1) viewZoom_ /= 1.25;
  zoomBox_->setCurrentIndex(kRowManual);
  FormResize();
  const QPoint offset = &box == pb2_ ? pb2_->pos() - pb1_->pos() : QPoint();
  const QPoint at = event->position().toPoint();
  const int x = int(double(box.width()) * (at.x() + offset.x()) / std::max(1, oldW));
  const int y = int(double(box.height()) * (at.y() + offset.y()) / std::max(1, oldH));
  scrollBox_->horizontalScrollBar()->setValue(x - scrollBox_->width() / 2);
  scrollBox_->verticalScrollBar()->setValue(y - scrollBox_->height() / 2);
}

void TPreviewForm::SheetMove(TSheetBox& box, QMouseEvent* event) {
  const bool hand = Button("HandCursorBut")->isChecked();
  if (event->buttons() == Qt::NoButton) {
    dragging_ = false;
    box.setCursor(PreviewCursor(hand ? crHandOpened : crZoom));
    return;
  }
  if (!dragging_) return;
  const QPoint now = event->globalPosition().toPoint();
  const QPoint by = dragStart_ - now;
  scrollBox_->horizontalScrollBar()->setValue(scrollBox_->horizontalScrollBar()->value() + by.x());
  scrollBox_->verticalScrollBar()->setValue(scrollBox_->verticalScrollBar()->value() + by.y());
  dragStart_ = now;
}

bool TPreviewForm::KeyDown(QKeyEvent* event) {
  const int count = recorder_->PageCount();
  const auto scroll = [](QScrollBar* bar, int by) {
    if (!bar->isVisible()) return;
    bar->setValue(bar->value() + by);
  };
  switch (event->key()) {
    case Qt::Key_Escape:
      reject();
      return true;
    case Qt::Key_PageUp:
      if (shownPage_ > 0) SetShownPage(shownPage_ - 1);
      return true;
    case Qt::Key_PageDown:
      if (shownPage_ + 1 < count) SetShownPage(shownPage_ + 1);
      return true;
    case Qt::Key_Home:
      SetShownPage(0);
      return true;
    case Qt::Key_End:
      SetShownPage(count - 1);
      return true;
    case Qt::Key_Left:
      scroll(scrollBox_->horizontalScrollBar(), -10);
      return true;
    case Qt::Key_Right:
      scroll(scrollBox_->horizontalScrollBar(), 10);
      return true;
    case Qt::Key_Up:
      scroll(scrollBox_->verticalScrollBar(), -10);
      return true;
    case Qt::Key_Down:
      scroll(scrollBox_->verticalScrollBar(), 10);
      return true;
    case Qt::Key_F1:
      if (OnHelp) OnHelp();
      return true;
    case Qt::Key_P:
      if (event->modifiers() & Qt::ControlModifier) {
        Print();
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  // Keys reach the preview before the focused control, but only while it is the active modal
  // window (not while its own print or go-to-page dialogs are up).
  if (event->type() == QEvent::KeyPress && QApplication::activeModalWidget() == this) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && (widget == this || isAncestorOf(widget)) && widget->window() == this)
      return KeyDown(static_cast<QKeyEvent*>(event));
  }
  if (event->type() == QEvent::MouseMove &&
      (watched == toolbar_ || watched == statusBar_ || watched == container_))
    static_cast<QWidget*>(watched)->unsetCursor();
  return QDialog::eventFilter(watched, event);
}

bool TPreviewForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    panels_[3]->setText(QStringLiteral(" ") + static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QDialog::event(event);
}

void TPreviewForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The room the sheets have is known only once the window is laid out.
  ApplyZoomRow();
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

}  // namespace shelf
