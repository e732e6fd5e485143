#include "dialog_art.h"

#include <QLinearGradient>
#include <QPainter>

#include "car_outline.h"
#include "control_pictures.h"
#include "picture_files.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

constexpr int kDialogWidth = 400;
constexpr int kTitleHeight = 26;
// The find page: where Struct.txt's two find boxes go, the program's progress bar (its corner
// is fixed at 33, 75), the search-kind switches, the buttons and the result list.
constexpr QRect kFindBoxes[] = {QRect(16, 31, 264, 18), QRect(16, 54, 264, 18)};
constexpr QRect kProgressBar(33, 75, 240, 6);
constexpr QRect kFindSwitches[] = {QRect(12, 88, 122, 22), QRect(138, 88, 122, 22),
                                   QRect(264, 88, 124, 22)};
constexpr QRect kFindButton(292, 27, 96, 26);
constexpr QRect kCloseButton(292, 55, 96, 26);
constexpr QRect kResultList(11, 127, 377, 112);
// The message pages: one button in the middle of the bottom row.
constexpr QRect kOkButton(150, 92, 100, 28);

// A page's ground: the screens' dark body with a faint grid, a rim and a title band. Nothing
// crosses the middle column but horizontal bands, so a page widened there stays whole.
QImage Panel(int height, const QString& title) {
  QImage image(kDialogWidth, height, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient body(0, 0, 0, height);
  body.setColorAt(0, QColor(0x1d, 0x2e, 0x40));
  body.setColorAt(1, QColor(0x0f, 0x19, 0x24));
  p.fillRect(image.rect(), body);
  p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 16), 1));
  for (int y = kTitleHeight + 12; y < height; y += 16) p.drawLine(0, y, kDialogWidth, y);
  QLinearGradient band(0, 0, 0, kTitleHeight);
  band.setColorAt(0, QColor(0x3d, 0x58, 0x72));
  band.setColorAt(1, QColor(0x22, 0x35, 0x4a));
  p.fillRect(QRect(0, 0, kDialogWidth, kTitleHeight), band);
  p.setPen(QPen(kBlueprint, 1));
  p.drawLine(0, kTitleHeight, kDialogWidth, kTitleHeight);
  p.setPen(kInk);
  p.setFont(Font("Liberation Sans", 13, QFont::Bold));
  p.drawText(QRect(14, 0, 180, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft, title);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(0x7f, 0x9b, 0xb5), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(image.rect().adjusted(0, 0, -1, -1));
  return image;
}

// A printer notice: its text is part of the picture, as the program shows it without a message.
QImage Notice(const QString& title, const QString& headline, const QString& advice) {
  QImage image = Panel(132, title);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(kAmber);
  p.setFont(Font("Liberation Sans", 14, QFont::Bold));
  p.drawText(QRect(16, 34, 368, 22), Qt::AlignCenter, headline);
  p.setPen(kInk);
  p.setFont(Font("Liberation Sans", 12));
  p.drawText(QRect(16, 56, 368, 34), Qt::AlignCenter | Qt::TextWordWrap, advice);
  return image;
}

QImage LabelledButton(const QImage& ground, TButtonState state, const QString& label) {
  QImage image = PlateButton(ground, state);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(Font("Liberation Sans", 13, QFont::Bold));
  p.setPen(state == TButtonState::Pressed ? QColor(0x9f, 0xb6, 0xc9)
           : state == TButtonState::Over  ? QColor(Qt::white)
                                          : kInk);
  p.drawText(image.rect().translated(state == TButtonState::Pressed ? QPoint(1, 1) : QPoint()),
             Qt::AlignCenter, label);
  return image;
}

class TDialogPictures {
 public:
  void Add(const QString& name, const QImage& image) {
    files_.push_back({"run/" + name, false, Bitmap(image)});
  }
  // stem1.bmp .. stem3.bmp: normal, pointer over, pressed.
  void AddButton(const QString& stem, const QImage& page, const QRect& place,
                 const QString& label) {
    int number = 1;
    for (const TButtonState state :
         {TButtonState::Normal, TButtonState::Over, TButtonState::Pressed})
      Add(stem + QString::number(number++) + ".bmp",
          LabelledButton(page.copy(place), state, label));
  }
  // stem1.bmp .. stem4.bmp: off, off with the pointer, on with the pointer, on.
  void AddSwitch(const QString& stem, const QImage& page, const QRect& place) {
    int number = 1;
    for (const TSwitchState state : kSwitchStates)
      Add(stem + QString::number(number++) + ".bmp", LampSwitch(page.copy(place), state));
  }
  std::vector<TBookFile> Take() { return std::move(files_); }

 private:
  std::vector<TBookFile> files_;
};

QImage FindPage() {
  QImage image = Panel(250, QString::fromUtf8("Поиск по книге"));
  QPainter p(&image);
  for (const QRect& box : kFindBoxes) DrawRecess(p, box, 2, Qt::white);
  DrawRecess(p, kProgressBar, 1, QColor(0x0b, 0x12, 0x1b));
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1));
  p.drawLine(12, 118, 388, 118);
  DrawRecess(p, kResultList, 2, Qt::white);
  return image;
}

// The progress bar's empty and full pictures, drawn by the program into the find page.
QImage ProgressBar(bool full) {
  QImage image(kProgressBar.size(), QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient fill(0, 0, 0, image.height());
  fill.setColorAt(0, full ? QColor(0x9f, 0xe2, 0xff) : QColor(0x14, 0x20, 0x2c));
  fill.setColorAt(1, full ? QColor(0x3a, 0x8c, 0xba) : QColor(0x0b, 0x12, 0x1b));
  p.fillRect(image.rect(), fill);
  return image;
}

// About.txt names the same size, outline and button place.
constexpr QSize kAboutSize(420, 300);
constexpr QRect kAboutButton(320, 254, 80, 28);

QImage AboutPicture() {
  QImage image(kAboutSize, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const int w = kAboutSize.width(), h = kAboutSize.height();
  const QPolygonF outline({{0, 16},
                           {16, 0},
                           {w - 16.0, 0},
                           {double(w), 16},
                           {double(w), h - 16.0},
                           {w - 16.0, double(h)},
                           {16, double(h)},
                           {0, h - 16.0}});
  QLinearGradient body(0, 0, 0, h);
  body.setColorAt(0, QColor(0x1d, 0x2e, 0x40));
  body.setColorAt(1, QColor(0x0b, 0x12, 0x1b));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawPolygon(outline);
  p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 16), 1));
  for (int y = 12; y < h; y += 16) p.drawLine(0, y, w, y);
  for (int x = 12; x < w; x += 16) p.drawLine(x, 0, x, h);
  // A blueprint of the car behind the lower texts.
  p.save();
  p.translate(268, 104);
  p.scale(0.27, 0.27);
  p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 110), 4));
  p.setBrush(QColor(0x7f, 0xd3, 0xff, 25));
  p.drawPath(car::Body());
  p.drawPath(car::Windows());
  for (const QPointF centre : car::kWheelCentres)
    p.drawEllipse(centre, car::kWheelRadius, car::kWheelRadius);
  p.restore();
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1));
  p.drawLine(32, 178, w - 32, 178);
  p.setPen(QPen(kBlueprint, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(outline);
  return image;
}

}  // namespace

std::vector<TBookFile> AboutPictures() {
  TDialogPictures list;
  const QImage about = AboutPicture();
  list.Add("about.bmp", about);
  list.AddButton("about_ok", about, kAboutButton, QString::fromUtf8("Закрыть"));
  return list.Take();
}

std::vector<TBookFile> DialogPictures() {
  TDialogPictures list;
  const QImage message = Panel(132, QString::fromUtf8("Сообщение"));
  list.Add("dlg_msg.bmp", message);
  list.AddButton("dlg_ok", message, kOkButton, "OK");

  const QImage find = FindPage();
  list.Add("dlg_find.bmp", find);
  list.AddButton("dlg_search", find, kFindButton, QString::fromUtf8("Искать"));
  list.AddButton("dlg_close", find, kCloseButton, QString::fromUtf8("Закрыть"));
  const char* const kinds[] = {"dlg_here", "dlg_all", "dlg_toc"};
  for (int i = 0; i < 3; ++i) list.AddSwitch(kinds[i], find, kFindSwitches[i]);
  list.Add("status_up.bmp", ProgressBar(false));
  list.Add("status_dn.bmp", ProgressBar(true));

  list.Add("dlg_noprn.bmp",
           Notice(QString::fromUtf8("Печать"), QString::fromUtf8("Принтер не установлен"),
                  QString::fromUtf8("Чтобы напечатать страницу, установите принтер "
                                    "и выберите его принтером по умолчанию.")));
  list.Add("dlg_badprn.bmp",
           Notice(QString::fromUtf8("Печать"), QString::fromUtf8("Принтер недоступен"),
                  QString::fromUtf8("Проверьте, что принтер включён, подключён и в нём "
                                    "есть бумага, и повторите печать.")));
  return list.Take();
}

}  // namespace shelf::samplegen
