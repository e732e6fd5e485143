#include "shell/page_printing.h"

#include <QMessageBox>

#include "dialogs/cool_dialog.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "shell/window_messages.h"

namespace shelf {

void WirePagePrinting(THtmlFrame& pages, QWidget& window, TCoolDialog* dialog,
                      std::function<void()> help) {
  // The notice is read and closed before the preview opens over the window.
  pages.PrinterNotice = [&window, dialog](int page, const std::string& warning) {
    if (dialog)
      dialog->ExecDialogPage(page, "");
    else
      QMessageBox::warning(&window, QString(), ToQString(*Utf8ToCp1251(warning)), QMessageBox::Ok);
  };
  pages.PreviewHelp = std::move(help);
}

void PrintForOtherCopy(THtmlFrame& pages, const std::string& file, const TPicturePrint& picture) {
  pages.PrintPicture = picture.PrintPicture;
  pages.PrintPictureWidth = picture.Width;
  pages.PrintPictureHeight = picture.Height;
  pages.PrintPage(file);
}

}  // namespace shelf
