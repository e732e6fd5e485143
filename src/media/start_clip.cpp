#include "media/start_clip.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace shelf {
namespace {

constexpr int kStartMs = 10;
constexpr int kWaitMs = 500;
constexpr int kEndMs = 100;
constexpr int kMaxRetries = 10;
constexpr int kBevel = 10;
const QColor kNavy(0, 0, 128);

bool FileProblem(unsigned error) {
  return error == mci::kFileNotFound || error == mci::kInvalidFile || error == mci::kFileRead;
}

}  // namespace

TStartClip::TStartClip(const TBookStore& store, const TDosFileSystem& fileSystem,
                       std::string fileName, bool fullScreen, std::function<void()> finish,
                       std::function<void(const std::string&)> decoderMissing)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      store_(store),
      fileSystem_(fileSystem),
      fileName_(std::move(fileName)),
      fullScreen_(fullScreen),
      finish_(std::move(finish)),
      decoderMissing_(std::move(decoderMissing)) {
  setWindowTitle("StartClip");
  setAttribute(Qt::WA_OpaquePaintEvent);
  startTimer_.setInterval(kStartMs);
  waitTimer_.setInterval(kWaitMs);
  endTimer_.setInterval(kEndMs);
  QObject::connect(&startTimer_, &QTimer::timeout, this, [this] { StartPlayback(); });
  QObject::connect(&waitTimer_, &QTimer::timeout, this, [this] { WaitForPlaying(); });
  QObject::connect(&endTimer_, &QTimer::timeout, this, [this] { WatchEnd(); });
  startTimer_.start();
}

TStartClip::~TStartClip() {
  startTimer_.stop();
  waitTimer_.stop();
  endTimer_.stop();
  player_.reset();
}

void TStartClip::StartPlayback() {
  startTimer_.stop();
  player_ = std::make_unique<TMPlayer>(store_, fileSystem_);
  player_->SetDisplay(this);
  player_->FileName = fileName_;
  try {
    player_->Open();
  } catch (const EMCIDeviceError&) {
    if (FileProblem(player_->Error())) return Finish();
    if (player_->Error() == mci::kCannotLoadDriver && decoderMissing_)
      decoderMissing_(player_->MissingDecoder());
    try {
      player_->Open();
    } catch (const EMCIDeviceError&) {
      return Finish();
    }
  }
  const QRect screen =
      QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
  QRect r = player_->GetDisplayRect();
  if (!fullScreen_) {
    player_->SetDisplayRect(QRect(kBevel, kBevel, r.width(), r.height()));
    r = player_->GetDisplayRect();
    setGeometry(screen.width() / 2 - r.width() / 2 - 2 * kBevel,
                screen.height() / 2 - r.height() / 2 - 2 * kBevel, r.width() + 2 * kBevel,
                r.height() + 2 * kBevel);
  } else {
    player_->SetDisplayRect(QRect(screen.width() / 2 - r.width() / 2,
                                  screen.height() / 2 - r.height() / 2, r.width(), r.height()));
    setGeometry(screen);
  }
  try {
    player_->Play();
  } catch (const EMCIDeviceError&) {
    return Finish();
  }
  waitTimer_.start();
}

void TStartClip::WaitForPlaying() {
  if (player_->Mode() == static_cast<std::uint8_t>(TMciMode::Playing)) {
    waitTimer_.stop();
    endTimer_.start();
    show();
    activateWindow();
    setFocus();
  } else if (retries_ >= kMaxRetries) {
    waitTimer_.stop();
    endTimer_.start();
  } else {
    try {
      player_->SetNotify(false);
      player_->Play();
    } catch (const EMCIDeviceError&) {
    }
    ++retries_;
  }
}

void TStartClip::WatchEnd() {
  if (player_->Mode() == static_cast<std::uint8_t>(TMciMode::Playing)) return;
  endTimer_.stop();
  player_->Close();
  Finish();
}

void TStartClip::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
  waitTimer_.stop();
  endTimer_.stop();
  if (player_) player_->Close();
  Finish();
}

void TStartClip::Finish() {
  if (finished_) return;
  finished_ = true;
  hide();
  if (finish_) finish_();
}

void TStartClip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (fullScreen_) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.fillRect(rect(), kNavy);
  // A raised inner bevel, ten pixels wide, around the film.
  for (int i = 0; i < kBevel; ++i) {
    const QRect edge = rect().adjusted(i, i, -i - 1, -i - 1);
    painter.setPen(kNavy.lighter(160 - i * 6));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(kNavy.darker(160 - i * 6));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
  }
}

}  // namespace shelf
