// Messages between the windows of running copies of the program, in place of the desktop's
// window messages: every visible window listens on a local socket in the user's private
// runtime folder, named after its caption, so others find it by caption, send it copy-data
// records synchronously (taking nested replies while they wait) and post it messages.
#pragma once

#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/bus_inbox.h"
#include "platform/copy_data_record.h"

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace shelf {

// A window of some copy of the program: the socket it listens on.
using TWindowId = std::string;

class TWindowBus : public QObject {
 public:
  // Message codes the copies exchange besides copy-data. A print preview announces itself to
  // the wiring-diagram viewer with the same number a page request is answered with.
  enum TMessage : int {
    kClose = 16,  // the window closes, as the desktop's close message asks
    kPrintPending = 1224,
    kPictureAnswer = 1225,
    kPageShown = 1690,
    kPreviewOpened = 1690
  };

  // Listens for `window` while it is visible, under its caption (Windows-1251 of its title).
  explicit TWindowBus(QWidget& window);
  ~TWindowBus() override;

  // This window's own id; empty while it is not listening.
  const TWindowId& Id() const { return id_; }

  // The visible windows of this user whose caption equals `caption` (Windows-1251) without
  // regard to case, most recently shown first. Sockets of copies that died are removed.
  static std::vector<TWindowId> VisibleWindows(const std::string& caption);
  static std::optional<TWindowId> FindVisibleWindow(const std::string& caption);

  // Every address below is checked first: only a socket in this user's private messages folder,
  // named as windows name theirs, is ever connected to (or removed once its copy has died).
  // Hands `record` to `to` and waits until its handler has returned, answering messages sent
  // back meanwhile but not user input. False when the window is gone or did not answer.
  bool SendCopyDataTo(const TWindowId& to, const CopyDataRecord& record);
  // The same to the first visible window captioned `caption`; false when there is none.
  bool SendCopyData(const std::string& caption, const CopyDataRecord& record);
  // A message handled before this call returns, or queued for later.
  bool SendMessageTo(const TWindowId& to, int code, std::int64_t parameter);
  void PostMessageTo(const TWindowId& to, int code, std::int64_t parameter);
  // Restores `to`, brings it to the front and gives it the keyboard.
  void BringToFront(const TWindowId& to);

  // What this window answers; `sender` is the asking window.
  std::function<void(const CopyDataRecord&, const TWindowId& sender)> OnCopyData;
  std::function<void(int code, std::int64_t parameter, const TWindowId& sender)> OnMessage;

  // How long a synchronous send waits for a window that does not answer.
  static constexpr int kSendTimeoutMs = 5000;

  // What the senders connected to this window have sent of their frames so far.
  const TBusInbox& Inbox() const { return inbox_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Listen();
  void StopListening();
  void Accept();
  void ReadFrame(TBusInbox::TConnection connection);
  void HangUp(const std::vector<TBusInbox::TConnection>& connections);
  void Handle(const TBusFrame& frame, QLocalSocket* socket);
  QByteArray Frame(std::uint8_t type, const QByteArray& payload) const;
  bool Send(const TWindowId& to, std::uint8_t type, const QByteArray& payload, bool wait);

  QWidget& window_;
  std::unique_ptr<QLocalServer> server_;
  TWindowId id_;
  std::string caption_;
  TBusInbox inbox_;
  TBusInbox::TConnection lastConnection_ = 0;
  std::map<TBusInbox::TConnection, QLocalSocket*> sockets_;
};

}  // namespace shelf
