// Whether the desktop's sound server answers now, asked afresh each time: the server may go
// away while a book is open and come back later.
#pragma once

namespace shelf {

// True when the default sound server (PulseAudio or PipeWire's stand-in, as PULSE_SERVER or the
// desktop names it) accepts a connection at this moment; a server that does not answer within a
// second counts as gone. Never spawns a server itself.
bool SoundServerReachable();

}  // namespace shelf
