#include "platform/bus_inbox.h"

#include <algorithm>

namespace shelf {

std::vector<TBusInbox::TConnection> TBusInbox::Open(TConnection connection) {
  std::vector<TConnection> drop;
  while (connections_.size() >= kMaxConnections) {
    const auto oldest = std::min_element(
        connections_.begin(), connections_.end(),
        [](const auto& a, const auto& b) { return a.second.Opened < b.second.Opened; });
    drop.push_back(oldest->first);
    Close(oldest->first);
  }
  Close(connection);
  connections_[connection].Opened = ++clock_;
  return drop;
}

TBusInbox::TReceived TBusInbox::Receive(TConnection connection, std::string_view bytes) {
  TReceived received;
  const auto it = connections_.find(connection);
  // Nothing longer than one frame is ever held for a connection.
  if (it == connections_.end() || (it->second.Done && !bytes.empty()) ||
      it->second.Bytes.size() + bytes.size() > kMaxBusFrame) {
    received.Drop.push_back(connection);
    Close(connection);
    return received;
  }
  TPending& pending = it->second;
  if (pending.Bytes.empty() && !bytes.empty()) pending.Started = ++clock_;
  pending.Bytes.append(bytes);
  buffered_ += bytes.size();

  TBusFrame frame;
  std::size_t used = 0;
  switch (ReadBusFrame(pending.Bytes, frame, used)) {
    case TFrameRead::Bad:
      received.Drop.push_back(connection);
      Close(connection);
      return received;
    case TFrameRead::Complete:
      if (used != pending.Bytes.size()) {
        received.Drop.push_back(connection);
        Close(connection);
        return received;
      }
      buffered_ -= pending.Bytes.size();
      pending.Bytes = std::string();
      pending.Done = true;
      received.Frame = std::move(frame);
      return received;
    case TFrameRead::Incomplete:
      break;
  }
  while (buffered_ > kMaxBufferedBytes) {
    TConnection slowest = 0;
    std::uint64_t since = UINT64_MAX;
    for (const auto& [id, other] : connections_)
      if (!other.Bytes.empty() && other.Started < since) {
        slowest = id;
        since = other.Started;
      }
    received.Drop.push_back(slowest);
    Close(slowest);
  }
  return received;
}

void TBusInbox::Close(TConnection connection) {
  const auto it = connections_.find(connection);
  if (it == connections_.end()) return;
  buffered_ -= it->second.Bytes.size();
  connections_.erase(it);
}

}  // namespace shelf
