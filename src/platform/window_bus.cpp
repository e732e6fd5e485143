#include "platform/window_bus.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QEvent>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/cp1251.h"
#include "platform/user_folders.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// The folder the sockets live in: private to this user.
fs::path BusFolder() {
  const TFolderResult runtime = RuntimeFolder();
  if (runtime.folder.empty()) return {};
  return PrivateFolder(runtime.folder / "windows").folder;
}

// Captions are compared without regard to case: the socket names carry a hash of the folded
// caption (a caption may be longer than a socket path may be).
std::string CaptionKey(const std::string& caption) {
  std::uint64_t hash = 1469598103934665603ull;
  for (const char c : Cp1251LowerString(caption.substr(0, 127))) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

void PutNumber(QByteArray& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetNumber(const std::string& in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
  return value;
}

// The process id in a socket name "<key>-<pid>-<serial>".
pid_t OwnerOf(const std::string& name) {
  const std::size_t first = name.find('-');
  if (first == std::string::npos) return 0;
  return static_cast<pid_t>(std::atol(name.c_str() + first + 1));
}

// "<16 hex digits>-<process id>-<serial>", as Listen names a window's socket.
bool IsSocketName(const std::string& name) {
  std::size_t at = 0;
  const auto digits = [&](bool hex) {
    const std::size_t start = at;
    while (at < name.size() && (hex ? std::isxdigit(static_cast<unsigned char>(name[at]))
                                    : std::isdigit(static_cast<unsigned char>(name[at]))))
      ++at;
    return at - start;
  };
  if (digits(true) != 16 || at >= name.size() || name[at++] != '-') return false;
  if (digits(false) == 0 || at >= name.size() || name[at++] != '-') return false;
  return digits(false) > 0 && at == name.size();
}

// A socket of this user directly in the messages folder (checked without following links).
bool IsSocketIn(const fs::path& path, const fs::path& folder) {
  struct stat info {};
  return !folder.empty() && path.parent_path() == folder &&
         IsSocketName(path.filename().string()) && lstat(path.c_str(), &info) == 0 &&
         S_ISSOCK(info.st_mode) && info.st_uid == getuid();
}

// Where a reply may go: a frame names its sender itself, so the name is trusted no further
// than this.
bool IsWindowAddress(const TWindowId& id) {
  return IsSocketIn(fs::path(id), BusFolder());
}

}  // namespace

TWindowBus::TWindowBus(QWidget& window) : window_(window) {
  window_.installEventFilter(this);
  if (window_.isVisible()) Listen();
}

TWindowBus::~TWindowBus() {
  window_.removeEventFilter(this);
  StopListening();
}

bool TWindowBus::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    if (event->type() == QEvent::Show ||
        (event->type() == QEvent::WindowTitleChange && window_.isVisible()))
      Listen();
    else if (event->type() == QEvent::Hide)
      StopListening();
  }
  return QObject::eventFilter(watched, event);
}

void TWindowBus::Listen() {
  const std::string caption = FromQString(window_.windowTitle());
  if (server_ && caption == caption_) return;
  StopListening();
  caption_ = caption;
  if (caption.empty()) return;
  const fs::path folder = BusFolder();
  if (folder.empty()) return;
  static std::atomic<int> serial{0};
  const fs::path path = folder / (CaptionKey(caption) + "-" + std::to_string(getpid()) + "-" +
                                  std::to_string(++serial));
  server_ = std::make_unique<QLocalServer>();
  QLocalServer::removeServer(QString::fromStdString(path.string()));
  if (!server_->listen(QString::fromStdString(path.string()))) {
    std::fprintf(stderr, "shelf: cannot listen on %s: %s\n", path.c_str(),
                 server_->errorString().toLocal8Bit().constData());
    server_.reset();
    return;
  }
  chmod(path.c_str(), 0600);
  id_ = path.string();
  connect(server_.get(), &QLocalServer::newConnection, this, &TWindowBus::Accept);
}

void TWindowBus::StopListening() {
  if (server_) server_->close();  // removes the socket file
  server_.reset();
  id_.clear();
  caption_.clear();
}

void TWindowBus::Accept() {
  while (QLocalSocket* socket = server_ ? server_->nextPendingConnection() : nullptr) {
    const TBusInbox::TConnection connection = ++lastConnection_;
    HangUp(inbox_.Open(connection));
    sockets_[connection] = socket;
    // Qt reads ahead no further than one frame; the inbox bounds the rest.
    socket->setReadBufferSize(static_cast<qint64>(kMaxBusFrame));
    connect(socket, &QLocalSocket::readyRead, this, [this, connection] { ReadFrame(connection); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this, connection] {
      inbox_.Close(connection);
      sockets_.erase(connection);
    });
    if (socket->bytesAvailable() > 0) ReadFrame(connection);
  }
}

void TWindowBus::HangUp(const std::vector<TBusInbox::TConnection>& connections) {
  for (const TBusInbox::TConnection connection : connections)
    if (const auto it = sockets_.find(connection); it != sockets_.end()) it->second->abort();
}

void TWindowBus::ReadFrame(TBusInbox::TConnection connection) {
  const auto it = sockets_.find(connection);
  if (it == sockets_.end()) return;
  QLocalSocket* socket = it->second;
  const QByteArray bytes = socket->readAll();
  TBusInbox::TReceived received =
      inbox_.Receive(connection, std::string_view(bytes.constData(), bytes.size()));
  HangUp(received.Drop);
  if (!received.Frame) return;
  // Handled from the event loop, never inside this signal, so a handler that sends in turn
  // does not read this socket again.
  const std::uint8_t type = received.Frame->Type;
  QPointer<QLocalSocket> guard(socket);
  QMetaObject::invokeMethod(
      this, [this, frame = std::move(*received.Frame), guard] { Handle(frame, guard.data()); },
      Qt::QueuedConnection);
  // A posted frame is all its sender has to say: hanging up lets it go.
  if (type == kPostedMessageFrame || type == kFrontFrame) socket->disconnectFromServer();
}

void TWindowBus::Handle(const TBusFrame& frame, QLocalSocket* socket) {
  switch (frame.Type) {
    case kCopyDataFrame:
      if (const auto record = CopyDataRecord::Decode(frame.Payload); record && OnCopyData)
        OnCopyData(*record, frame.Sender);
      break;
    case kSentMessageFrame:
    case kPostedMessageFrame:
      if (frame.Payload.size() == 12 && OnMessage)
        OnMessage(static_cast<int>(GetNumber(frame.Payload, 0, 4)),
                  static_cast<std::int64_t>(GetNumber(frame.Payload, 4, 8)), frame.Sender);
      break;
    case kFrontFrame:
      if (window_.isMinimized()) window_.showNormal();
      window_.raise();
      window_.activateWindow();
      break;
  }
  if ((frame.Type == kCopyDataFrame || frame.Type == kSentMessageFrame) && socket &&
      socket->state() == QLocalSocket::ConnectedState) {
    socket->write(Frame(kDoneFrame, {}));
    socket->flush();
  }
}

QByteArray TWindowBus::Frame(std::uint8_t type, const QByteArray& payload) const {
  const std::string frame =
      EncodeBusFrame(type, id_, std::string_view(payload.constData(), payload.size()));
  return QByteArray(frame.data(), static_cast<qsizetype>(frame.size()));
}

bool TWindowBus::Send(const TWindowId& to, std::uint8_t type, const QByteArray& payload,
                      bool wait) {
  if (!IsWindowAddress(to)) {
    std::fprintf(stderr, "shelf: a message to %s was not sent: that is no window's address\n",
                 to.c_str());
    return false;
  }
  auto* socket = new QLocalSocket(this);
  socket->connectToServer(QString::fromStdString(to));
  if (!socket->waitForConnected(1000)) {
    // A copy that died left its socket behind; it goes once it is known to be one still.
    if (socket->error() == QLocalSocket::ConnectionRefusedError && IsWindowAddress(to))
      ::unlink(to.c_str());
    delete socket;
    return false;
  }
  socket->write(Frame(type, payload));
  socket->flush();
  if (!wait) {
    // Closed once the window has read it (it hangs up), or after the send timeout.
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kSendTimeoutMs, socket, &QObject::deleteLater);
    return true;
  }
  QEventLoop loop;
  bool done = false;
  QByteArray answer;
  connect(socket, &QLocalSocket::readyRead, &loop, [&] {
    // Only the answer's type matters: its first five bytes are all that is kept.
    answer += socket->read(5 - answer.size());
    if (answer.size() == 5) {
      done = static_cast<std::uint8_t>(answer[4]) == kDoneFrame;
      loop.quit();
    }
  });
  connect(socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
  QTimer::singleShot(kSendTimeoutMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  socket->disconnect(&loop);
  socket->abort();
  socket->deleteLater();
  return done;
}

std::vector<TWindowId> TWindowBus::VisibleWindows(const std::string& caption) {
  const fs::path folder = BusFolder();
  std::vector<std::pair<fs::file_time_type, TWindowId>> found;
  if (folder.empty() || caption.empty()) return {};
  const std::string key = CaptionKey(caption) + "-";
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(key, 0) != 0) continue;
    if (!IsSocketIn(it->path(), folder)) continue;
    const pid_t owner = OwnerOf(name);
    if (owner <= 0 || (kill(owner, 0) != 0 && errno == ESRCH)) {
      fs::remove(it->path(), ec);  // its copy died
      continue;
    }
    found.emplace_back(it->last_write_time(ec), it->path().string());
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<TWindowId> windows;
  for (auto& [time, id] : found) windows.push_back(std::move(id));
  return windows;
}

std::optional<TWindowId> TWindowBus::FindVisibleWindow(const std::string& caption) {
  const std::vector<TWindowId> windows = VisibleWindows(caption);
  if (windows.empty()) return std::nullopt;
  return windows.front();
}

bool TWindowBus::SendCopyDataTo(const TWindowId& to, const CopyDataRecord& record) {
  const auto bytes = record.Encode();
  return Send(to, kCopyDataFrame, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
              true);
}

bool TWindowBus::SendCopyData(const std::string& caption, const CopyDataRecord& record) {
  const auto window = FindVisibleWindow(caption);
  return window && SendCopyDataTo(*window, record);
}

namespace {
QByteArray MessagePayload(int code, std::int64_t parameter) {
  QByteArray payload;
  PutNumber(payload, static_cast<std::uint32_t>(code), 4);
  PutNumber(payload, static_cast<std::uint64_t>(parameter), 8);
  return payload;
}
}  // namespace

bool TWindowBus::SendMessageTo(const TWindowId& to, int code, std::int64_t parameter) {
  return Send(to, kSentMessageFrame, MessagePayload(code, parameter), true);
}

void TWindowBus::PostMessageTo(const TWindowId& to, int code, std::int64_t parameter) {
  Send(to, kPostedMessageFrame, MessagePayload(code, parameter), false);
}

void TWindowBus::BringToFront(const TWindowId& to) {
  Send(to, kFrontFrame, {}, false);
}

}  // namespace shelf
