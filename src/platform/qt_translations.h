// The desktop's standard dialogs (file, print, colour and font choosers, message buttons) in the
// reader's language: Qt's own translations, read from the folder Qt keeps them in.
#pragma once

#include <QLocale>

namespace shelf {

// The language a book speaks: its texts are Windows-1251 Russian.
QLocale BookLocale();
// Makes `locale` the program's and installs Qt's translations for it; false when Qt has none.
bool UseQtTranslations(const QLocale& locale);

}  // namespace shelf
