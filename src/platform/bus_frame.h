// The frames the windows' message sockets carry: length (4), type (1), sender length (2),
// sender, payload, numbers little-endian. Reading one never trusts the lengths it states.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace shelf {

enum TBusFrameType : std::uint8_t {
  kCopyDataFrame = 1,     // answered with kDoneFrame
  kSentMessageFrame = 2,  // answered with kDoneFrame
  kPostedMessageFrame = 3,
  kFrontFrame = 4,  // restore the window and bring it to the front
  kDoneFrame = 9,
};

struct TBusFrame {
  std::uint8_t Type = 0;
  std::string Sender;   // the asking window's address
  std::string Payload;  // a copy-data record, a message, or nothing
};

// The largest frame a window takes, its length field included. Every frame the program sends
// is far smaller: a copy-data record and its sender's address come to under 1 KiB.
inline constexpr std::size_t kMaxBusFrame = 64 * 1024;

std::string EncodeBusFrame(std::uint8_t type, std::string_view sender, std::string_view payload);

enum class TFrameRead { Incomplete, Complete, Bad };

// Reads the frame at the front of `bytes`: Complete fills `frame` and `used` (its size in
// bytes); Incomplete asks for more bytes; Bad means no frame can start this way (a stated
// length under 3 or beyond kMaxBusFrame, or a sender longer than its frame).
TFrameRead ReadBusFrame(std::string_view bytes, TBusFrame& frame, std::size_t& used);

}  // namespace shelf
