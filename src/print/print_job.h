// Sends a previewed document to paper: through the desktop's print dialog (where a page range
// may be chosen) to the print queue, or, with no printer, into a PDF file the reader names.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace shelf {

class TDocumentView;
class TMetaFilePrinter;
class TPrinterDevice;

// Asks where a PDF goes (empty: the reader cancelled); a name typed without ".pdf" gets it.
QString AskPdfFileName(QWidget* parent);
QString WithPdfSuffix(const QString& file);

// Prints `viewer`'s document at `printScale` as the recorder laid it out; a failure is told to
// the reader as the printer not being available.
void PrintDocument(QWidget& parent, TPrinterDevice& device, TMetaFilePrinter& recorder,
                   TDocumentView& viewer, double printScale,
                   const std::function<QString()>& askPdfFileName);

}  // namespace shelf
