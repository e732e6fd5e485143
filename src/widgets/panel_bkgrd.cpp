#include "widgets/panel_bkgrd.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace shelf {

TPanelBkgrd::TPanelBkgrd(QWidget* window, std::int32_t color)
    : QWidget(window), splitter_(new QSplitter(Qt::Horizontal, this)) {
  setGeometry(33, 90, 673, 421);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);
  splitter_->setStyleSheet(
      QStringLiteral("QSplitter::handle { background-color: rgb(%1, %2, %3); }")
          .arg(color & 0xFF)
          .arg((color >> 8) & 0xFF)
          .arg((color >> 16) & 0xFF));
  hide();
}

}  // namespace shelf
