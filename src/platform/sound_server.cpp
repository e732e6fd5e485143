#include "platform/sound_server.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <chrono>

namespace shelf {
namespace {

// A running server answers within milliseconds; one the desktop starts on the first connection
// (socket activation) within a few hundred.
constexpr std::chrono::milliseconds kAnswerWithin(1000);

}  // namespace

bool SoundServerReachable() {
  // A private loop of our own, run here with a deadline: the media framework's shared
  // connection may not have noticed yet that the server has gone, and waits without end for a
  // stream a dead server never makes ready.
  pa_mainloop* loop = pa_mainloop_new();
  if (!loop) return false;
  pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "shelf");
  bool ready = false;
  if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
    const auto until = std::chrono::steady_clock::now() + kAnswerWithin;
    for (;;) {
      const pa_context_state_t state = pa_context_get_state(context);
      ready = state == PA_CONTEXT_READY;
      if (ready || !PA_CONTEXT_IS_GOOD(state)) break;
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
          until - std::chrono::steady_clock::now());
      if (left.count() <= 0 || pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 ||
          pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0)
        break;
    }
    pa_context_disconnect(context);
  }
  if (context) pa_context_unref(context);
  pa_mainloop_free(loop);
  return ready;
}

}  // namespace shelf
