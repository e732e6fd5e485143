#include "dialogs/form_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>

#include "platform/cp1251.h"
#include "platform/registry.h"

namespace shelf {

namespace {

QString Caption(const char* utf8) {
  return ToQString(*Utf8ToCp1251(utf8));
}

// A box whose state differs from its setting flips the setting and writes it.
void ApplyBox(const QCheckBox* box, bool& setting, TRegistry& key, const char* name) {
  if (box->isChecked() == setting) return;
  setting = !setting;
  key.WriteBool(name, setting);  // a failed write still leaves the new value for the run
}

}  // namespace

std::string SlideTimeCaption(int seconds) {
  const char* unit = seconds == 1                   ? " секунда"
                     : seconds >= 2 && seconds <= 4 ? " секунды"
                                                    : " секунд";
  return std::to_string(seconds) + *Utf8ToCp1251(unit);
}

TFormOptions::TFormOptions(TProgramOptions& options, TOptionGroups groups, std::string settingsKey,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      options_(options),
      groups_(groups),
      settingsKey_(std::move(settingsKey)) {
  setWindowTitle(Caption("Настройки"));
  setFixedSize(401, 277);
  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(8, 8, 385, 225);
  BuildMainTab();
  BuildPlayerTab();
  BuildPicturesTab();
  tabs_->setCurrentIndex(0);
  tabs_->setTabVisible(1, groups_.Playlists);
  tabs_->setTabVisible(2, groups_.SlidePictures);

  buttonOK_ = new QPushButton("OK", this);
  buttonOK_->setGeometry(232, 244, 75, 25);
  buttonOK_->setDefault(true);
  buttonCancel_ = new QPushButton(Caption("Отмена"), this);
  buttonCancel_->setGeometry(318, 244, 75, 25);
  connect(buttonOK_, &QPushButton::clicked, this, &TFormOptions::Apply);
  connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);

  TRegistry key;
  if (key.OpenKey(settingsKey_, true)) ReadProgramOptions(key, groups_, options_);
}

void TFormOptions::BuildMainTab() {
  auto* tab = new QWidget;
  tabs_->addTab(tab, Caption("Основные"));
  auto* frame = new QGroupBox(Caption(" Вариант интерфейса "), tab);
  frame->setGeometry(8, 8, 185, 113);
  const char* items[4] = {"Автоматический выбор", "800x600", "1024x768", "Произвольный"};
  for (int i = 0; i < 4; ++i) {
    interface_[i] = new QRadioButton(Caption(items[i]), frame);
    interface_[i]->setGeometry(10, 20 + i * 22, 170, 20);
  }
  interface_[0]->setChecked(true);
  button1_ = new QPushButton(Caption("Шрифт"), tab);
  button1_->setGeometry(208, 16, 75, 25);
  connect(button1_, &QPushButton::clicked, this, [this] {
    if (OnFontButton) OnFontButton();
  });
  checkBoxWav_ = new QCheckBox(Caption("Озвучка кнопок"), tab);
  checkBoxWav_->setGeometry(8, 132, 200, 20);
  checkBoxWav_->setEnabled(false);
  // Kept for the settings they stand for; this version offers them nowhere.
  checkBoxClip_ = new QCheckBox(Caption("Клип при запуске"), tab);
  checkBoxBGSound_ = new QCheckBox(Caption("Фоновая музыка"), tab);
  checkBoxAnimation_ = new QCheckBox(Caption("Анимация окон"), tab);
  checkBoxHint_ = new QCheckBox(Caption("Всплывающие подсказки"), tab);
  for (QCheckBox* hidden : {checkBoxClip_, checkBoxBGSound_, checkBoxAnimation_, checkBoxHint_})
    hidden->hide();
  checkBoxClip_->setEnabled(false);
}

void TFormOptions::BuildPlayerTab() {
  auto* tab = new QWidget;
  tabs_->addTab(tab, Caption("Проигрыватель"));
  checkBoxAutoStartPlayer_ = new QCheckBox(Caption("Автозапуск проигрывателя"), tab);
  checkBoxAutoStartPlayer_->setGeometry(8, 8, 250, 20);
  checkBoxPlayingCyclic_ = new QCheckBox(Caption("Играть по замкнутому циклу"), tab);
  checkBoxPlayingCyclic_->setGeometry(8, 30, 250, 20);
  const char* labels[3] = {
      "Название 1-го списка песен:", "Название 2-го списка песен:", "Название 3-го списка песен:"};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(Caption(labels[i]), tab);
    label->setGeometry(8, 56 + i * 44, 250, 16);
    editNamePlayList_[i] = new QLineEdit(tab);
    editNamePlayList_[i]->setGeometry(8, 73 + i * 44, 360, 21);
  }
}

void TFormOptions::BuildPicturesTab() {
  auto* tab = new QWidget;
  tabs_->addTab(tab, Caption("Картинки"));
  checkBoxRunSlideShow_ = new QCheckBox(Caption("Включить Слайд-шоу"), tab);
  checkBoxRunSlideShow_->setGeometry(8, 8, 250, 20);
  trackBarSlideShow_ = new QSlider(Qt::Horizontal, tab);
  trackBarSlideShow_->setGeometry(8, 36, 250, 24);
  trackBarSlideShow_->setRange(1, 10);
  trackBarSlideShow_->setSingleStep(1);
  trackBarSlideShow_->setPageStep(1);
  trackBarSlideShow_->setTickPosition(QSlider::NoTicks);
  labelTimeSlideShow_ = new QLabel(tab);
  labelTimeSlideShow_->setGeometry(268, 40, 100, 16);
  connect(trackBarSlideShow_, &QSlider::valueChanged, this,
          [this](int n) { labelTimeSlideShow_->setText(ToQString(SlideTimeCaption(n))); });
  auto* frame = new QGroupBox(Caption(" Последовательность "), tab);
  frame->setGeometry(8, 70, 185, 70);
  const char* items[2] = {"Прямая", "Обратная"};
  auto* group = new QButtonGroup(frame);
  for (int i = 0; i < 2; ++i) {
    sequence_[i] = new QRadioButton(Caption(items[i]), frame);
    sequence_[i]->setGeometry(10, 20 + i * 22, 170, 20);
    group->addButton(sequence_[i], i);
  }
}

void TFormOptions::SetClipAvailable(bool available) {
  checkBoxClip_->setEnabled(available);
}

void TFormOptions::SetButtonSoundsAvailable(bool available) {
  checkBoxWav_->setEnabled(available);
}

void TFormOptions::ShowOptions() {
  if (checkBoxClip_->isEnabled()) checkBoxClip_->setChecked(options_.Clip);
  if (checkBoxWav_->isEnabled()) checkBoxWav_->setChecked(options_.Wav);
  checkBoxAnimation_->setChecked(options_.Animation);
  checkBoxHint_->setChecked(options_.Hint);
  checkBoxBGSound_->setChecked(options_.BGSound);
  if (options_.SizeInterface >= 0 && options_.SizeInterface < 4)
    interface_[options_.SizeInterface]->setChecked(true);
  checkBoxAutoStartPlayer_->setChecked(options_.AutoStartPlayer);
  checkBoxPlayingCyclic_->setChecked(options_.PlayingCyclic);
  for (int i = 0; i < 3; ++i) editNamePlayList_[i]->setText(ToQString(options_.NamePlayList[i]));
  checkBoxRunSlideShow_->setChecked(options_.RunSlideShow);
  trackBarSlideShow_->setValue(options_.SlideShowTime);
  labelTimeSlideShow_->setText(ToQString(SlideTimeCaption(trackBarSlideShow_->value())));
  // An unknown sequence (random) checks neither item.
  for (int i = 0; i < 2; ++i) sequence_[i]->setChecked(options_.ImageSequence == i);
  // Centred on the screen the book is on, not over the book's window.
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
  activateWindow();
  buttonOK_->setFocus();
}

void TFormOptions::Apply() {
  hide();
  setResult(QDialog::Accepted);
  TRegistry key;
  key.OpenKey(settingsKey_, true);  // without the key the writes fail and the values still apply
  ApplyBox(checkBoxClip_, options_.Clip, key, "Clip");
  ApplyBox(checkBoxWav_, options_.Wav, key, "Wav");
  for (int i = 0; i < 4; ++i)
    if (interface_[i]->isChecked()) options_.SizeInterface = i;
  key.WriteInteger("SizeInterface", options_.SizeInterface);
  if (groups_.Playlists) {
    ApplyBox(checkBoxAutoStartPlayer_, options_.AutoStartPlayer, key, "AutoStartPlayer");
    ApplyBox(checkBoxPlayingCyclic_, options_.PlayingCyclic, key, "PlayingCyclic");
    for (int i = 0; i < 3; ++i) {
      const std::string name = FromQString(editNamePlayList_[i]->text());
      if (name == options_.NamePlayList[i]) continue;
      options_.NamePlayList[i] = name;
      key.WriteString("NamePlayList" + std::to_string(i + 1), name);
    }
  }
  if (groups_.SlidePictures) {
    if (checkBoxRunSlideShow_->isChecked() != options_.RunSlideShow) {
      options_.RunSlideShow = !options_.RunSlideShow;
      key.WriteBool("RunSlideShow", options_.RunSlideShow);
      if (OnSlideShowRun) OnSlideShowRun(options_.RunSlideShow);
    }
    if (trackBarSlideShow_->value() != options_.SlideShowTime) {
      options_.SlideShowTime = trackBarSlideShow_->value();
      key.WriteInteger("SlideShowTime", options_.SlideShowTime);
      if (OnSlideShowInterval) OnSlideShowInterval(options_.SlideShowTime * 1000 + 1);
    }
    const int sequence = sequence_[0]->isChecked() ? 0 : sequence_[1]->isChecked() ? 1 : -1;
    if (sequence >= 0 && sequence != options_.ImageSequence) {
      options_.ImageSequence = sequence;
      key.WriteInteger("ImageSequence", sequence);
    }
  }
  key.CloseKey();
  if (OnApplied) OnApplied();
}

}  // namespace shelf
