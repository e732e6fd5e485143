#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace shelf {

QLocale BookLocale() {
  return QLocale(QLocale::Russian, QLocale::Russia);
}

bool UseQtTranslations(const QLocale& locale) {
  QLocale::setDefault(locale);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(QCoreApplication::instance());
  // "qt_xx" gathers the catalogues of Qt's modules for one language; "qtbase_xx" is the one
  // the dialogs need, where a language has only that.
  if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder) &&
      !translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace shelf
