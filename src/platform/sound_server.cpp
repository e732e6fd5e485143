#include "platform/sound_server.h"

#include <pulse/simple.h>

namespace shelf {

bool SoundServerReachable() {
  // A stream of the smallest kind is made and dropped at once; nothing is played.
  const pa_sample_spec spec{PA_SAMPLE_S16LE, 8000, 1};
  int error = 0;
  pa_simple* stream = pa_simple_new(nullptr, "shelf", PA_STREAM_PLAYBACK, nullptr, "probe", &spec,
                                    nullptr, nullptr, &error);
  if (!stream) return false;
  pa_simple_free(stream);
  return true;
}

}  // namespace shelf
