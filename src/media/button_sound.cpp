#include "media/button_sound.h"

#include <QEventLoop>
#include <QTimer>

namespace shelf {
namespace {

constexpr int kEndMarginMs = 1000;

}  // namespace

TButtonSound::TButtonSound(const TBookStore& store, const TDosFileSystem& fileSystem)
    : player_(store, fileSystem) {}

bool TButtonSound::Play(const std::string& file, bool toTheEnd) {
  player_.OnNotify = nullptr;
  player_.FileName = file;
  try {
    player_.Open();
    if (!toTheEnd) return player_.Play() == mci::kOk;
    QEventLoop wait;
    player_.OnNotify = [&wait](TMPlayer& p) {
      if (p.NotifyValue() == TMPNotifyValues::nvSuccessful) wait.quit();
    };
    QTimer::singleShot(static_cast<int>(player_.Length()) + kEndMarginMs, &wait, &QEventLoop::quit);
    if (player_.Play() != mci::kOk) return false;
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    player_.OnNotify = nullptr;
    return true;
  } catch (const EMCIDeviceError&) {
    return false;
  }
}

}  // namespace shelf
