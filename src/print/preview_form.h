// The print preview "Предварительный просмотр": renders a document into recorded sheets, shows
// one or two at a chosen zoom, lets the reader change print scale, orientation, page numbers
// and backgrounds, and prints through the desktop's print dialog (or into a PDF file).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;

namespace shelf {

class TDocumentView;
class TMetaFilePrinter;
class TPrinterDevice;
class TSheetBox;
class TWindowBus;
class TWrapToolBar;

class TPreviewForm : public QDialog {
 public:
  // Reports a missing printer (the drawn dialog's page, else the warning text).
  using TPrinterNotice = std::function<void(int dialogPage, const std::string& warning)>;

  // Renders `viewer`'s document; `pictureMode` with the picture's pixel size (0: unknown) fits
  // a picture page on one sheet. Check Failed() before showing it.
  TPreviewForm(QWidget* owner, int pictureHeight, int pictureWidth, bool pictureMode,
               TDocumentView& viewer, const TPrinterNotice& notice = {});
  ~TPreviewForm() override;
  bool Failed() const { return failed_; }

  // Asks where a PDF goes when there is no printer (empty: not printed).
  std::function<QString()> AskPdfFileName;
  // F1 and the help button: the help topic of the preview.
  std::function<void()> OnHelp;
  static constexpr const char* kHelpTopic = "Topic18";

  // What the reader sees and the tests check.
  TMetaFilePrinter& Recorder() { return *recorder_; }
  TPrinterDevice& Device() { return *device_; }
  QAction* Button(const char* name) const;
  QComboBox* ZoomBox() const { return zoomBox_; }
  QLabel* StatusPanel(int index) const { return panels_[index]; }
  TSheetBox* Sheet(int index) const { return index == 0 ? pb1_ : pb2_; }
  QScrollArea* ScrollBox() const { return scrollBox_; }
  QMenu* PopupMenu() const { return popupMenu_; }
  TWrapToolBar* Toolbar() const { return toolbar_; }
  int ShownPage() const { return shownPage_; }
  double PrintScale() const { return printScale_; }
  double StartPrintScale() const { return startPrintScale_; }
  double ViewZoom() const { return viewZoom_; }

  void SetShownPage(int index);
  // Prints through the print dialog, or into a PDF file without a printer.
  void Print();
  QSize ScreenDpi() const;
  // The content size of one sheet at print scale `scale`, in screen pixels.
  QSize AvailableArea(double scale);
  // The print scale that puts a w × h picture on one sheet; may turn the sheet.
  double FitPicture(int w, int h);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Tells a running wiring-diagram viewer which window previews now.
  void AnnouncePreview();
  void BuildToolbar();
  void BuildMenu();
  QAction* AddButton(const char* name, int image, const char* hint, const char* caption);
  bool FormatPages(bool withProgress);
  // Re-renders after an option change; `alwaysLayout`: redo the layout even when cancelled.
  void Rerender(bool alwaysLayout);
  void FormResize();
  void ApplyZoomRow();
  void UpdateNavButtons();
  void ClampShownPage();
  void GoToPage();
  void SheetPress(TSheetBox& box, QMouseEvent* event);
  void SheetMove(TSheetBox& box, QMouseEvent* event);
  void SetCaptionsShown(bool on);
  bool KeyDown(QKeyEvent* event);

  TDocumentView& viewer_;
  std::unique_ptr<TWindowBus> bus_;
  std::unique_ptr<TPrinterDevice> device_;
  std::unique_ptr<TMetaFilePrinter> recorder_;
  double printScale_ = 1, startPrintScale_ = 1;
  double viewZoom_ = 1;
  int shownPage_ = 0;
  bool failed_ = false;
  bool dragging_ = false;
  QPoint dragStart_;

  TWrapToolBar* toolbar_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  QWidget* container_ = nullptr;
  TSheetBox* pb1_ = nullptr;
  TSheetBox* pb2_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* panels_[4] = {};
  QMenu* popupMenu_ = nullptr;
  QActionGroup* tools_ = nullptr;
  QActionGroup* sheets_ = nullptr;
  QAction* printPageNumbers_ = nullptr;
  QAction* noPageNumbers_ = nullptr;
  QAction* captionsShow_ = nullptr;
  QAction* printBackground_ = nullptr;
};

}  // namespace shelf
