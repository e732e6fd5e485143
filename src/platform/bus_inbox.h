// The frames many connections to a window are still sending, held within fixed bounds: a cap on
// the connections, frames of at most kMaxBusFrame and one budget for all of them together, so
// that no number of slow or unfinished senders can make the window hold much memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bus_frame.h"

namespace shelf {

class TBusInbox {
 public:
  using TConnection = std::uint64_t;
  // A window talks to a few others; each of them connects for one frame and its answer.
  static constexpr std::size_t kMaxConnections = 64;
  static constexpr std::size_t kMaxBufferedBytes = 2 * 1024 * 1024;

  // Takes a new connection; returns the connections to hang up to make room for it (the ones
  // that have been open longest).
  std::vector<TConnection> Open(TConnection connection);

  struct TReceived {
    std::optional<TBusFrame> Frame;
    std::vector<TConnection> Drop;  // to hang up; they are forgotten already
  };
  // The bytes that came in on `connection`. A connection carries one frame (its sender then
  // waits for the answer or hangs up): bytes that cannot be a frame, or come after it, drop it.
  // When the budget is spent, the connections whose frames have stayed unfinished longest go.
  TReceived Receive(TConnection connection, std::string_view bytes);
  void Close(TConnection connection);

  std::size_t BufferedBytes() const { return buffered_; }
  std::size_t Connections() const { return connections_.size(); }

 private:
  struct TPending {
    std::uint64_t Opened = 0;
    std::uint64_t Started = 0;  // when the unfinished frame's first byte came
    std::string Bytes;
    bool Done = false;  // its frame has come
  };

  std::uint64_t clock_ = 0;
  std::size_t buffered_ = 0;
  std::map<TConnection, TPending> connections_;
};

}  // namespace shelf
