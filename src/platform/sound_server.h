// Whether the desktop's sound server takes a stream now, asked afresh each time: the server may
// go away while a book is open and come back later.
#pragma once

namespace shelf {

// True when a playback stream to the default sound server (PulseAudio or PipeWire's stand-in,
// as PULSE_SERVER or the desktop names it) can be made at this moment.
bool SoundServerReachable();

}  // namespace shelf
