// The browser device's audio output: the stream of audio_stream.h, pulled by the page's Web Audio
// output through webAudioRender. The page's output starts with the first tap, as browsers require;
// until then the two buffers simply wait in the queue.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>

#include "platform/web/audio_stream.h"
#include "platform/web/web_device.h"

namespace {

// The page asks for at most this many frames at a time (Web Audio's largest processing block).
constexpr std::size_t MAX_RENDER_FRAMES = 16384;

web::AudioStream stream;
std::array<float, 2 * MAX_RENDER_FRAMES> rendered{};

}  // namespace

// Called by the page's audio output: `frames` stereo frames at `step` stream frames each. Returns the
// interleaved samples, valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const float* webAudioRender(int frames, double step) {
    const std::size_t count =
        frames < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(frames), MAX_RENDER_FRAMES);
    stream.render(std::span<float>(rendered.data(), 2 * count), step);
    return rendered.data();
}

namespace platform {

bool audioOpen(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, AudioDoneCallback done,
               void* instance) {
    if (!stream.open(channels, rate, bits, done, instance)) return false;
    if (webAudioStart(rate) != 0) return true;
    stream.close();
    return false;
}

bool audioPrepare(AudioBufferHeader* header) { return web::AudioStream::prepare(header); }
bool audioUnprepare(AudioBufferHeader* header) { return web::AudioStream::unprepare(header); }
bool audioWrite(AudioBufferHeader* header) { return stream.write(header); }
void audioReset() { stream.reset(); }
void audioClose() { stream.close(); }
std::uint32_t audioGetVolume() { return stream.volume(); }
void audioSetVolume(std::uint32_t volume) { stream.setVolume(volume); }

}  // namespace platform
