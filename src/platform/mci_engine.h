// One way of playing an opened media file for TMciDevice: play, hold, seek and report the end;
// the device keeps the MCI rules (modes, result codes, notices) on top.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>

namespace shelf {

class TMciEngine {
 public:
  virtual ~TMciEngine() = default;

  // Plays from the current position.
  virtual void Play() = 0;
  // Holds the position; a later Play goes on from there.
  virtual void Pause() = 0;
  virtual bool Playing() const = 0;
  // Moves to `milliseconds` (0..Length) while not playing; false when the medium can only go
  // back to its start.
  virtual bool Seek(std::int64_t milliseconds) = 0;
  virtual std::int64_t Length() const = 0;
  virtual std::int64_t Position() const = 0;
  virtual void SetVolume(float volume) = 0;
  virtual bool HasVideo() const { return false; }
  // The medium plays, but unheard: no sound server took its sound.
  virtual bool Soundless() const { return false; }
  virtual QSize VideoSize() const { return {}; }

  // A play reached the end of the medium: called on the main thread, from the event loop.
  std::function<void()> OnEnd;
  std::function<void(const QImage&)> OnFrame;
};

}  // namespace shelf
