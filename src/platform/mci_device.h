// One media device of the MCI command set on Qt Multimedia: opens a host file answering with the
// MCI result codes, plays, pauses and seeks in milliseconds, and reports the end of a play.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace shelf {

// The MCI result codes the program tells apart.
namespace mci {
inline constexpr unsigned kOk = 0;
inline constexpr unsigned kCannotLoadDriver = 266;  // no decoder for a file of a known kind
inline constexpr unsigned kUnsupportedFunction = 274;
inline constexpr unsigned kFileNotFound = 275;
inline constexpr unsigned kDeviceNotReady = 276;
inline constexpr unsigned kInvalidFile = 296;
inline constexpr unsigned kFileRead = 348;
inline constexpr unsigned kNoDevice = 263;  // the command needs an open device
}  // namespace mci

// The device's mode as MCI numbers it (its status value minus MCI_MODE_NOT_READY).
enum class TMciMode : std::uint8_t {
  NotReady = 0,
  Stopped = 1,
  Playing = 2,
  Recording = 3,
  Seeking = 4,
  Paused = 5,
  Open = 6
};

class TMciEngine;

class TMciDevice : public QObject {
 public:
  TMciDevice();
  ~TMciDevice() override;
  TMciDevice(const TMciDevice&) = delete;
  TMciDevice& operator=(const TMciDevice&) = delete;

  // Loads `file` and waits until it can be played (user input stays queued meanwhile).
  // kFileNotFound, kFileRead (unreadable or empty), kInvalidFile (no media of a known kind),
  // kCannotLoadDriver (a known kind this system has no decoder for), kDeviceNotReady (it did not
  // load in time). A device already open is closed first.
  unsigned Open(const std::filesystem::path& file);
  void Close();
  bool IsOpen() const { return engine_ != nullptr; }

  // Plays from the current position; at the end OnEnd runs on the main thread, from the event
  // loop, never inside this call.
  unsigned Play();
  // Stop keeps the position as MCI does; the mode tells the two apart.
  unsigned Stop();
  unsigned Pause();
  // Refused (kUnsupportedFunction) unless the device is paused, as MCI refuses it.
  unsigned Resume();
  unsigned Seek(std::int64_t milliseconds);

  std::int64_t Length() const;
  std::int64_t Position() const;
  TMciMode Mode() const;
  bool HasVideo() const;
  // What plays is not heard: the sound server is gone (the picture of a film still plays).
  bool Soundless() const;
  QSize VideoSize() const;

  // Our own output level, 0..1; never the desktop's mixer.
  void SetVolume(float volume);
  float Volume() const { return volume_; }

  // The kind of media the file's first bytes show ("RIFF WAVE", "MIDI", "MPEG audio", "AVI",
  // "MPEG"), empty when none this program plays.
  static std::string MediaKind(const std::filesystem::path& file);
  // After kCannotLoadDriver: what has no decoder here, the codec of a film's stream ("MJPG")
  // or else the kind of media (see TDecoderNeed).
  const std::string& MissingDecoder() const { return missingDecoder_; }
  static const char* ErrorText(unsigned code);

  std::function<void()> OnEnd;
  std::function<void(const QImage&)> OnFrame;

 private:
  void Ended();

  std::unique_ptr<TMciEngine> engine_;
  std::string missingDecoder_;
  bool stopped_ = true;  // by Stop (or never played) rather than by Pause
  float volume_ = 1.0f;
  unsigned endGeneration_ = 0;  // an end queued before a later command is dropped
};

}  // namespace shelf
