#include "platform/bus_inbox.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

std::string Number(std::uint32_t value) {
  return std::string{static_cast<char>(value), static_cast<char>(value >> 8),
                     static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
}

// What one connection's bytes, in the pieces they arrive in, come to.
TEST(BusInboxTest, AConnectionCarriesOneWellFormedFrame) {
  const std::string frame = EncodeBusFrame(kSentMessageFrame, "/run/w/a", std::string(12, 'p'));
  struct Case {
    const char* what;
    std::vector<std::string> pieces;
    bool frame, dropped;
  } cases[] = {
      {"whole", {frame}, true, false},
      {"byte by byte", {frame.substr(0, 1), frame.substr(1, 5), frame.substr(6)}, true, false},
      {"unfinished", {frame.substr(0, frame.size() - 1)}, false, false},
      {"too short to be one", {Number(2) + "xx"}, false, true},
      {"longer than any", {Number(kMaxBusFrame)}, false, true},
      {"sender beyond its frame", {Number(5) + std::string("\x01\x09\x00", 3), "ab"}, false, true},
      {"bytes after it", {frame + "x"}, false, true},
      {"a second frame", {frame, frame}, true, true},
  };
  for (const auto& c : cases) {
    TBusInbox inbox;
    inbox.Open(7);
    bool gotFrame = false, dropped = false;
    for (const std::string& piece : c.pieces) {
      const TBusInbox::TReceived received = inbox.Receive(7, piece);
      if (received.Frame) {
        gotFrame = true;
        EXPECT_EQ(received.Frame->Type, kSentMessageFrame) << c.what;
        EXPECT_EQ(received.Frame->Sender, "/run/w/a") << c.what;
        EXPECT_EQ(received.Frame->Payload, std::string(12, 'p')) << c.what;
      }
      dropped = dropped || received.Drop == std::vector<TBusInbox::TConnection>{7};
    }
    EXPECT_EQ(gotFrame, c.frame) << c.what;
    EXPECT_EQ(dropped, c.dropped) << c.what;
    EXPECT_EQ(inbox.Connections(), dropped ? 0u : 1u) << c.what;
  }
}

// The connection cap hangs up the oldest connections; the budget, the slowest frames.
TEST(BusInboxTest, BoundsDropTheOldestAndTheSlowest) {
  TBusInbox inbox;
  for (TBusInbox::TConnection id = 1; id <= TBusInbox::kMaxConnections; ++id)
    EXPECT_TRUE(inbox.Open(id).empty());
  EXPECT_EQ(inbox.Open(1000), std::vector<TBusInbox::TConnection>{1});
  EXPECT_EQ(inbox.Connections(), TBusInbox::kMaxConnections);

  const std::string part = Number(kMaxBusFrame - 8) + std::string(kMaxBusFrame / 2, 'x');
  const std::size_t fit = TBusInbox::kMaxBufferedBytes / part.size();
  for (TBusInbox::TConnection id = 2; id < 2 + fit; ++id)
    EXPECT_TRUE(inbox.Receive(id, part).Drop.empty()) << id;
  // Connection 2 started its frame first and has not finished it: it goes.
  EXPECT_EQ(inbox.Receive(1000, part).Drop, std::vector<TBusInbox::TConnection>{2});
  EXPECT_LE(inbox.BufferedBytes(), TBusInbox::kMaxBufferedBytes);
  inbox.Close(3);
  EXPECT_EQ(inbox.BufferedBytes(), (fit - 1) * part.size());
  // A frame that comes whole gives its bytes back.
  EXPECT_TRUE(inbox.Open(2000).empty());
  EXPECT_TRUE(inbox.Receive(2000, EncodeBusFrame(kFrontFrame, "", "")).Frame);
  EXPECT_EQ(inbox.BufferedBytes(), (fit - 1) * part.size());
}

}  // namespace
}  // namespace shelf
