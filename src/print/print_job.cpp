#include "print/print_job.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "platform/cp1251.h"
#include "platform/printer_device.h"
#include "print/meta_file_printer.h"
#include "print/printer_canvas.h"
#include "print/prn_status_form.h"

namespace shelf {

namespace {
QString Ui(const char* utf8) {
  return ToQString(Utf8ToCp1251Lossy(utf8));
}
}  // namespace

QString AskPdfFileName(QWidget* parent) {
  QFileDialog dialog(parent, Ui("Печать в PDF"), QString(), QStringLiteral("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString WithPdfSuffix(const QString& file) {
  if (file.isEmpty() ||
      QFileInfo(file).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
    return file;
  return file + QStringLiteral(".pdf");
}

void PrintDocument(QWidget& parent, TPrinterDevice& device, TMetaFilePrinter& recorder,
                   TDocumentView& viewer, double printScale,
                   const std::function<QString()>& askPdfFileName) {
  const auto warn = [&parent] {
    QMessageBox::warning(&parent, QString(), Ui("Принтер не доступен!"), QMessageBox::Ok);
  };
  if (!recorder.RefreshMetrics()) {
    warn();
    return;
  }
  const int count = recorder.PageCount();
  int from = 1, to = count;
  QPrinter& printer = device.Printer();
  if (device.IsPdf()) {
    // A file dialog of the desktop's own may not add the suffix a PDF reader looks for.
    const QString file = WithPdfSuffix(askPdfFileName ? askPdfFileName() : QString());
    if (file.isEmpty()) return;
    device.SetPdfFile(file);
  } else {
    QPrintDialog dialog(&printer, &parent);
    dialog.setMinMax(1, count);
    printer.setFromTo(1, count);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) return;
    from = std::max(1, printer.fromPage());
    if (printer.printRange() == QPrinter::PageRange && printer.toPage() > 0) to = printer.toPage();
  }
  TPrinterCanvas canvas(device, recorder);
  TPrnStatusForm status(&parent);
  status.RunPrint(viewer, canvas, printScale, from, to);
  canvas.EndDoc();
  if (!canvas.Ok()) warn();
}

}  // namespace shelf
