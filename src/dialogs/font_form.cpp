#include "dialogs/font_form.h"

#include <QCollator>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <cstdio>

#include "html/document_view.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "widgets/color_grid.h"

namespace shelf {

namespace {

constexpr const char* kSample =
    "<center><h1>Заголовок</h1></center><ul>Нормальный текст<li><a href=NoWhere>Ссылка</a>"
    "<li><b>Жирный текст</b><li><i>Наклонный текст</i><li><code>Текст кода</code></ul> <hr>";

QString Caption(const char* utf8) {
  return ToQString(*Utf8ToCp1251(utf8));
}

QLabel* LabelFor(QWidget* buddy, const char* caption, QPoint at, QWidget* parent) {
  auto* label = new QLabel(Caption(caption), parent);
  label->move(at);
  label->setBuddy(buddy);
  return label;
}

// The installed families once each ("C059 [urw]" and "C059 [UKWN]" are one family to the
// reader), Latin names before Cyrillic ones, each in the locale's case-insensitive order.
QStringList ReaderFontFamilies() {
  QStringList families;
  for (QString family : QFontDatabase::families()) {
    const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
    if (foundry > 0 && family.endsWith(QLatin1Char(']'))) family.truncate(foundry);
    if (!families.contains(family, Qt::CaseInsensitive)) families << family;
  }
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const auto cyrillic = [](const QString& name) {
    return !name.isEmpty() && name.front().script() == QChar::Script_Cyrillic;
  };
  std::stable_sort(families.begin(), families.end(), [&](const QString& a, const QString& b) {
    if (cyrillic(a) != cyrillic(b)) return cyrillic(b);
    return collator.compare(a, b) < 0;
  });
  return families;
}

void SelectItem(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
  list->setCurrentItem(found.isEmpty() ? nullptr : found.front());
}

}  // namespace

const std::vector<std::pair<std::string, std::uint32_t>>& NamedBackgroundColors() {
  static const std::vector<std::pair<std::string, std::uint32_t>> colors = {
      {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
      {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
      {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
      {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
      {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
      {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},    {"clDefault", 0x20000000},
      {"clNone", 0x1FFFFFFF}};
  return colors;
}

std::string ColorName(std::uint32_t color) {
  for (const auto& [name, value] : NamedBackgroundColors())
    if (value == color) return name;
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", color);
  return hex;
}

TFontForm::TFontForm(const TBookStore& store, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Caption("Шрифт"));
  setFixedSize(315, 339);
  setFont(QFont("Arial", 8));

  fontViewer_ = new TDocumentView(store, this);
  fontViewer_->setGeometry(8, 8, 193, 177);
  fontViewer_->setFrameShape(QFrame::Box);
  fontViewer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fontViewer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefFontName = "Times New Roman";
  settings.ViewImages = false;
  fontViewer_->SetSettings(settings);

  fontColorGrid_ = new TColorGrid(this);
  fontColorGrid_->move(216, 22);
  LabelFor(fontColorGrid_, "Цвет &текста", {216, 6}, this);
  hotSpotColorGrid_ = new TColorGrid(this);
  hotSpotColorGrid_->move(216, 112);
  LabelFor(hotSpotColorGrid_, "Цвет &ссылки", {216, 96}, this);

  fontSizeEdit_ = new QSpinBox(this);
  fontSizeEdit_->setRange(6, 24);
  fontSizeEdit_->setValue(12);
  fontSizeEdit_->setGeometry(8, 208, 60, 21);
  LabelFor(fontSizeEdit_, "&Размер", {8, 192}, this);
  fontListBox_ = new QListWidget(this);
  fontListBox_->setGeometry(8, 250, 193, 81);
  LabelFor(fontListBox_, "&Шрифт", {8, 234}, this);
  fontListBox_->addItems(ReaderFontFamilies());
  backListBox_ = new QListWidget(this);
  backListBox_->setGeometry(216, 208, 91, 53);
  LabelFor(backListBox_, "&Цвет фона", {216, 192}, this);
  for (const auto& [name, value] : NamedBackgroundColors())
    backListBox_->addItem(QString::fromLatin1(name.c_str()));

  resetButton_ = new QPushButton(Caption("&Сброс"), this);
  resetButton_->setGeometry(80, 206, 75, 25);
  auto* ok = new QPushButton("O&K", this);
  ok->setGeometry(216, 270, 91, 25);
  ok->setDefault(true);
  auto* cancel = new QPushButton(Caption("Отмена"), this);
  cancel->setGeometry(216, 306, 91, 25);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(resetButton_, &QPushButton::clicked, this, &TFontForm::Reset);
  connect(fontListBox_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { SetFontName(FromQString(item->text())); });
  connect(backListBox_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = backListBox_->row(item);
    const auto& named = NamedBackgroundColors();
    if (row < static_cast<int>(named.size())) {
      SetBackground(named[row].second);
    } else {
      bool ok = false;
      const std::uint32_t color = item->text().mid(1).toUInt(&ok, 16);
      if (ok) SetBackground(color);
    }
  });
  connect(fontSizeEdit_, &QSpinBox::valueChanged, this, [this](int size) {
    if (size != fontSize_) SetFontSize(size);
  });
  fontColorGrid_->OnPick = [this](std::uint32_t color) { SetFontColor(color); };
  hotSpotColorGrid_->OnPick = [this](std::uint32_t color) { SetHotSpotColor(color); };
  ShowSample();
}

TFontForm::~TFontForm() = default;

void TFontForm::SetFontName(const std::string& name) {
  SelectItem(fontListBox_, ToQString(name));
  if (!fontListBox_->currentItem()) SelectItem(fontListBox_, "Arial");
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefFontName = name;  // the sample asks for the name given, listed or not
  fontViewer_->SetSettings(settings);
  ShowSample();
}

void TFontForm::SetFontColor(std::uint32_t color) {
  fontColor_ = color;
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefFontColor = color;
  fontViewer_->SetSettings(settings);
  ShowSample();
}

void TFontForm::SetFontSize(int size) {
  fontSize_ = size;
  fontSizeEdit_->setValue(size);
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefFontSize = size;
  fontViewer_->SetSettings(settings);
  ShowSample();
}

void TFontForm::SetHotSpotColor(std::uint32_t color) {
  hotSpotColor_ = color;
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefHotSpotColor = color;
  fontViewer_->SetSettings(settings);
  ShowSample();
}

void TFontForm::SetBackground(std::uint32_t color) {
  const QString name = QString::fromLatin1(ColorName(color).c_str());
  if (backListBox_->findItems(name, Qt::MatchFixedString | Qt::MatchCaseSensitive).isEmpty())
    backListBox_->addItem(name);
  SelectItem(backListBox_, name);
  TViewerSettings settings = fontViewer_->Settings();
  settings.DefBackground = color;
  fontViewer_->SetSettings(settings);
  ShowSample();  // our page engine takes the background when it parses the page
}

std::string TFontForm::GetFontName() const {
  const QListWidgetItem* item = fontListBox_->currentItem();
  return item ? FromQString(item->text()) : "Arial";
}

std::uint32_t TFontForm::GetBackground() const {
  const QListWidgetItem* item = backListBox_->currentItem();
  if (!item) return kBtnFace;
  const int row = backListBox_->row(item);
  const auto& named = NamedBackgroundColors();
  if (row < static_cast<int>(named.size())) return named[row].second;
  return item->text().mid(1).toUInt(nullptr, 16);
}

int TFontForm::exec() {
  RememberShown();
  return QDialog::exec();
}

void TFontForm::RememberShown() {
  shown_ = {GetFontName(), fontColor_, hotSpotColor_, GetBackground(), fontSize_};
}

void TFontForm::Reset() {
  SetFontName(shown_.FontName);
  SetFontSize(shown_.Size);
  SetFontColor(shown_.FontColor);
  SetHotSpotColor(shown_.HotSpotColor);
  SetBackground(shown_.Background);
}

void TFontForm::ShowSample() {
  fontViewer_->LoadString(*Utf8ToCp1251(kSample));
}

bool AskPageFonts(const TBookStore& store, QWidget* parent, TPageFontSettings& fonts) {
  TFontForm dialog(store, parent);
  dialog.SetFontName(fonts.FontName);
  dialog.SetFontColor(fonts.FontColor);
  dialog.SetFontSize(fonts.FontSize);
  dialog.SetHotSpotColor(fonts.HotSpotColor);
  dialog.SetBackground(fonts.Background);
  if (dialog.exec() != QDialog::Accepted) return false;
  fonts = {dialog.GetFontName(), dialog.FontColor(), dialog.FontSize(), dialog.HotSpotColor(),
           dialog.GetBackground()};
  return true;
}

}  // namespace shelf
