// The fine-grained animation timer: a worker thread sleeps the interval and hands each tick to
// the main thread, waiting until it has been handled, so ticks never overlap or queue up.
#pragma once

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace shelf {

class TSuperTimer : public QObject {
  Q_OBJECT

 public:
  explicit TSuperTimer(QObject* parent = nullptr);
  ~TSuperTimer() override;

  bool Enabled() const { return enabled_; }
  // Enabling restarts TickCount at 0; disabling stops further ticks, also from inside OnTimer.
  void SetEnabled(bool value);

  std::uint16_t Interval() const { return interval_; }
  void SetInterval(std::uint16_t milliseconds);

  // Ticks handled since the last enabling; animations derive their step from it.
  std::int32_t TickCount() const { return tickCount_; }

  // Runs on the main thread; an exception it throws is dropped and the timer goes on.
  std::function<void(TSuperTimer&)> OnTimer;

 private:
  void UpdateThread();
  void WorkerLoop();
  void Tick(std::uint64_t generation);

  bool enabled_ = false;
  std::uint16_t interval_ = 1000;
  std::int32_t tickCount_ = 0;

  // Shared with the worker.
  std::mutex mutex_;
  std::condition_variable wake_;
  bool running_ = false;  // the worker may deliver ticks
  bool terminate_ = false;
  bool tickPending_ = false;      // a tick was handed over and not yet handled
  std::uint64_t generation_ = 0;  // changes at every enabling: stale ticks are dropped
  std::chrono::milliseconds sleep_{1000};
  std::thread worker_;
};

}  // namespace shelf
