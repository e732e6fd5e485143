// The MCI device player: one media device driven with the MCI commands' flags, result codes and
// completion notices, reading its file through the book's store (container or loose file).
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "media/video_surface.h"
#include "platform/mci_device.h"

namespace shelf {

class TBookStore;
class TDosFileSystem;

class EMCIDeviceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TMPDeviceTypes {
  dtAutoSelect,
  dtAVIVideo,
  dtCDAudio,
  dtDAT,
  dtDigitalVideo,
  dtMMMovie,
  dtOther,
  dtOverlay,
  dtScanner,
  dtSequencer,
  dtVCR,
  dtVideodisc,
  dtWaveAudio
};

enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// MCI flag bits as the commands combine them.
namespace mciflag {
inline constexpr std::uint32_t kNotify = 0x1;
inline constexpr std::uint32_t kWait = 0x2;
inline constexpr std::uint32_t kTo = 0x8;
inline constexpr std::uint32_t kOpenShareable = 0x100;
inline constexpr std::uint32_t kOpenElement = 0x200;
inline constexpr std::uint32_t kOpenType = 0x2000;
}  // namespace mciflag

class TMPlayer : public QObject {
 public:
  // Book files are found through `store` (container, then loose file) and `fileSystem`.
  TMPlayer(const TBookStore& store, const TDosFileSystem& fileSystem);
  ~TMPlayer() override;

  // The book file (DOS path) the next Open plays.
  std::string FileName;
  TMPDeviceTypes DeviceType = TMPDeviceTypes::dtAutoSelect;
  bool Shareable = false;
  bool AutoRewind = false;
  // After every notice, on the main thread from the event loop.
  std::function<void(TMPlayer&)> OnNotify;

  // Raises EMCIDeviceError with ErrorMessage when the device refuses; Error() tells why.
  void Open();
  void Close();
  unsigned Play();
  // Keeps the position.
  unsigned Stop();
  unsigned PauseOnly();
  // Toggle: a playing device pauses, a paused one resumes, any other does nothing.
  void Pause();
  // Falls back to Play when the device refuses to resume.
  unsigned Resume();
  unsigned Seek(std::int64_t to);
  void Rewind();
  // Milliseconds (0) is the one format this device counts in; the request completes without a
  // notice, so no end handler mistakes it for the end of a play.
  void SetTimeFormat(std::uint32_t format);
  std::int64_t Length();
  std::int64_t Position();
  std::uint8_t Mode();
  // The next command that reads the notification flag asks for a notice or not, once.
  void SetNotify(bool value);

  QWidget* Display() const { return display_; }
  void SetDisplay(QWidget* value);
  // (left, top, width, height); right and bottom both 0 take the picture's own size.
  void SetDisplayRect(const QRect& r);
  QRect GetDisplayRect() const;

  // Our own output level for fades, kept across opens.
  void SetVolume(float volume) { device_.SetVolume(volume); }
  float Volume() const { return device_.Volume(); }

  bool Opened() const { return opened_; }
  bool HasVideo() const { return hasVideo_; }
  std::uint32_t Flags() const { return flags_; }
  std::uint16_t DeviceID() const { return deviceId_; }
  unsigned Error() const { return error_; }
  TMPNotifyValues NotifyValue() const { return notifyValue_; }
  std::string ErrorMessage() const;
  // The host file the device reads (the book file itself, or a private copy of a packed one).
  const std::filesystem::path& MediaFile() const { return mediaFile_; }
  // The kind of media the last opened file holds ("AVI", "MIDI", ...; see TMciDevice).
  const std::string& MediaKind() const { return mediaKind_; }
  // What plays is not heard: the sound server is gone.
  bool Soundless() const { return device_.Soundless(); }
  // After a failed open for want of a decoder: the codec or kind it lacks (see TMciDevice).
  const std::string& MissingDecoder() const { return device_.MissingDecoder(); }
  // The picture the device shows, when it has video and a display.
  TVideoSurface* Surface() const { return surface_.data(); }

 private:
  void RequireOpen() const;
  std::uint32_t WaitFlags();
  std::uint32_t NotifyFlags(bool clearWhenUsed);
  // The pending play notice ends with `value`, delivered like a posted message.
  void EndPendingNotice(TMPNotifyValues value);
  void Deliver(TMPNotifyValues value);
  void AfterWaitCommand(unsigned result);
  bool ResolveMediaFile(std::filesystem::path& file);
  void DropTemporaryCopy();
  void PlaceSurface();

  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  TMciDevice device_;
  bool opened_ = false;
  bool hasVideo_ = false;
  std::uint32_t flags_ = 0;
  bool notify_ = false;
  bool useNotify_ = false;
  std::uint16_t deviceId_ = 0;
  unsigned error_ = 0;
  TMPNotifyValues notifyValue_ = TMPNotifyValues::nvSuccessful;
  int displayWidth_ = 0;
  int displayHeight_ = 0;
  bool playNoticePending_ = false;
  QPointer<QWidget> display_;
  QRect displayRect_;
  QPointer<TVideoSurface> surface_;
  std::filesystem::path mediaFile_;
  std::filesystem::path temporaryCopy_;
  std::string mediaKind_;
};

}  // namespace shelf
