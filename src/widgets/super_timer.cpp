#include "widgets/super_timer.h"

#include <QCoreApplication>

namespace shelf {

TSuperTimer::TSuperTimer(QObject* parent) : QObject(parent) {}

TSuperTimer::~TSuperTimer() {
  {
    std::lock_guard lock(mutex_);
    terminate_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TSuperTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateThread();
}

void TSuperTimer::SetInterval(std::uint16_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  UpdateThread();
}

void TSuperTimer::UpdateThread() {
  {
    std::lock_guard lock(mutex_);
    running_ = enabled_;
    if (enabled_) {
      tickCount_ = 0;
      ++generation_;
      sleep_ = std::chrono::milliseconds(interval_);
    }
  }
  wake_.notify_all();
  if (enabled_ && !worker_.joinable()) worker_ = std::thread([this] { WorkerLoop(); });
}

void TSuperTimer::WorkerLoop() {
  std::unique_lock lock(mutex_);
  while (!terminate_) {
    wake_.wait(lock, [this] { return terminate_ || running_; });
    if (terminate_) break;
    const auto generation = generation_;
    // Sleeping on the condition lets destruction end the worker at once.
    if (wake_.wait_for(lock, sleep_, [this] { return terminate_; })) break;
    if (!running_ || generation != generation_) continue;
    tickPending_ = true;
    QMetaObject::invokeMethod(
        this, [this, generation] { Tick(generation); }, Qt::QueuedConnection);
    wake_.wait(lock, [this] { return terminate_ || !tickPending_; });
  }
}

void TSuperTimer::Tick(std::uint64_t generation) {
  bool current;
  {
    std::lock_guard lock(mutex_);
    current = running_ && generation == generation_;
  }
  if (current && !QCoreApplication::closingDown()) {
    ++tickCount_;
    if (OnTimer) {
      try {
        OnTimer(*this);
      } catch (...) {
        // An animation step that fails must not stop the animation or reach the event loop.
      }
    }
  }
  {
    std::lock_guard lock(mutex_);
    tickPending_ = false;
  }
  wake_.notify_all();
}

}  // namespace shelf
