#include "media/button_sound.h"

#include <utility>

namespace shelf {
namespace {

constexpr int kEndMarginMs = 1000;

}  // namespace

TButtonSound::TButtonSound(const TBookStore& store, const TDosFileSystem& fileSystem)
    : player_(store, fileSystem) {
  limit_.setSingleShot(true);
  QObject::connect(&limit_, &QTimer::timeout, [this] { Ended(); });
  player_.OnNotify = [this](TMPlayer& p) {
    if (p.NotifyValue() == TMPNotifyValues::nvSuccessful) Ended();
  };
}

void TButtonSound::Ended() {
  limit_.stop();
  if (const auto ended = std::exchange(ended_, nullptr)) ended();
}

bool TButtonSound::Play(const std::string& file, std::function<void()> ended) {
  Ended();  // a sound cut off counts as ended for whoever waited for it
  player_.FileName = file;
  bool playing = false;
  try {
    player_.Open();
    playing = player_.Play() == mci::kOk;
  } catch (const EMCIDeviceError&) {
  }
  if (!playing) {
    if (ended) ended();
    return false;
  }
  ended_ = std::move(ended);
  if (ended_) limit_.start(static_cast<int>(player_.Length()) + kEndMarginMs);
  return true;
}

}  // namespace shelf
