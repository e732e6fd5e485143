// appicon: writes the program's icon in the sizes of the desktop's hicolor theme, as
// OUT/<size>x<size>/apps/shelf.png; the same drawing the sample book shows as its own icon.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "book_icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: appicon OUTDIR\n");
    return 2;
  }
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!QDir().mkpath(folder) ||
        !shelf::samplegen::BookIcon(size).save(folder + "/shelf.png", "PNG")) {
      std::fprintf(stderr, "appicon: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
