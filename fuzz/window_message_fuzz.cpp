// Fuzzes what another process can send a window: the input's first byte sets the size of the
// pieces the rest arrives in on one connection; every frame that comes out is read as the
// window reads it (a copy-data record, a message) and must survive being written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/bus_inbox.h"
#include "platform/copy_data_record.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

void ReadAsTheWindowDoes(const shelf::TBusFrame& frame) {
  using namespace shelf;
  std::size_t used = 0;
  TBusFrame again;
  const std::string bytes = EncodeBusFrame(frame.Type, frame.Sender, frame.Payload);
  Check(ReadBusFrame(bytes, again, used) == TFrameRead::Complete && used == bytes.size() &&
        again.Sender == frame.Sender && again.Payload == frame.Payload);
  const auto record = CopyDataRecord::Decode(frame.Payload);
  if (!record) return;
  const auto encoded = record->Encode();
  const auto decoded = CopyDataRecord::Decode(std::string_view(encoded.data(), encoded.size()));
  Check(decoded && decoded->Kind == record->Kind && decoded->Count == record->Count &&
        decoded->ItemTypes == record->ItemTypes && decoded->Items == record->Items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  if (size == 0) return 0;
  const std::size_t piece = data[0] + 1u;
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
  TBusInbox inbox;
  inbox.Open(1);
  for (std::size_t at = 0; at < stream.size(); at += piece) {
    const TBusInbox::TReceived received = inbox.Receive(1, stream.substr(at, piece));
    Check(inbox.BufferedBytes() <= TBusInbox::kMaxBufferedBytes);
    if (received.Frame) ReadAsTheWindowDoes(*received.Frame);
    if (!received.Drop.empty()) break;
  }
  return 0;
}
