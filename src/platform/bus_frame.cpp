#include "platform/bus_frame.h"

namespace shelf {
namespace {

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetNumber(std::string_view in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
  return value;
}

constexpr std::size_t kHeader = 4;  // the length field; the length counts what follows it

}  // namespace

std::string EncodeBusFrame(std::uint8_t type, std::string_view sender, std::string_view payload) {
  std::string frame;
  frame.reserve(kHeader + 3 + sender.size() + payload.size());
  PutNumber(frame, 3 + sender.size() + payload.size(), 4);
  frame.push_back(static_cast<char>(type));
  PutNumber(frame, sender.size(), 2);
  frame.append(sender);
  frame.append(payload);
  return frame;
}

TFrameRead ReadBusFrame(std::string_view bytes, TBusFrame& frame, std::size_t& used) {
  if (bytes.size() < kHeader) return TFrameRead::Incomplete;
  const std::uint64_t length = GetNumber(bytes, 0, 4);
  if (length < 3 || length > kMaxBusFrame - kHeader) return TFrameRead::Bad;
  if (bytes.size() >= kHeader + 3 && 3 + GetNumber(bytes, kHeader + 1, 2) > length)
    return TFrameRead::Bad;
  if (bytes.size() < kHeader + length) return TFrameRead::Incomplete;
  const std::size_t senderLength = GetNumber(bytes, kHeader + 1, 2);
  frame.Type = static_cast<std::uint8_t>(bytes[kHeader]);
  frame.Sender = std::string(bytes.substr(kHeader + 3, senderLength));
  frame.Payload = std::string(bytes.substr(kHeader + 3 + senderLength, length - 3 - senderLength));
  used = kHeader + length;
  return TFrameRead::Complete;
}

}  // namespace shelf
