// Printing from the book window: how the pages' print preview tells the reader of a missing
// printer and where its help is, and print requests from other copies of the program.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace shelf {

class THtmlFrame;
class TCoolDialog;
struct TPicturePrint;

// A missing printer shows the drawn dialog's page for it, or a warning over `window` when the
// book has no dialog; F1 and the preview's help button run `help`.
void WirePagePrinting(THtmlFrame& pages, QWidget& window, TCoolDialog* dialog,
                      std::function<void()> help);
// Prints `file` (empty: the page on show) for another copy, as a picture when it asks so.
void PrintForOtherCopy(THtmlFrame& pages, const std::string& file, const TPicturePrint& picture);

}  // namespace shelf
