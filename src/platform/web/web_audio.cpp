// The browser device's audio output: the stream of audio_stream.h, played by the page's Web Audio
// output. Where the browser has an AudioWorklet, each buffer written is handed over to it whole and
// its report that the buffer has played is the device's completion; elsewhere a ScriptProcessorNode
// pulls the stream through webAudioRender. The output starts with the first tap, as browsers require;
// until then the two buffers simply wait in the queue.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/web/audio_stream.h"
#include "platform/web/web_device.h"

// The worklet side of web_glue.js; the worklet itself plays in its own module (web/audio-worklet.js).
extern "C" {
// Hands `frames` interleaved stereo frames at the stream's rate to the worklet, to play after what it has.
void webAudioPlay(const float* stereo, int frames);
// The worklet drops what it holds; reports of buffers it played before this are ignored.
void webAudioFlush();
// The level the worklet applies as it plays, 0..1.
void webAudioGain(float gain);
}

namespace {

// The page asks for at most this many frames at a time (Web Audio's largest processing block).
constexpr std::size_t MAX_RENDER_FRAMES = 16384;

web::AudioStream stream;
std::array<float, 2 * MAX_RENDER_FRAMES> rendered{};
bool workletPlays = false;
std::vector<float> handedOver;

void handOverQueued() {
    if (!workletPlays) return;
    while (const std::uint32_t frames = stream.handOver(handedOver)) {
        webAudioPlay(handedOver.data(), static_cast<int>(frames));
    }
}

}  // namespace

// Called by the page's ScriptProcessorNode: `frames` stereo frames at `step` stream frames each.
// Returns the interleaved samples, valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const float* webAudioRender(int frames, double step) {
    const std::size_t count =
        frames < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(frames), MAX_RENDER_FRAMES);
    stream.render(std::span<float>(rendered.data(), 2 * count), step);
    return rendered.data();
}

// Called by the page once its worklet is ready: from now on every buffer written goes to it.
extern "C" EMSCRIPTEN_KEEPALIVE void webAudioWorkletReady() {
    workletPlays = true;
    webAudioGain(stream.gain());
    handOverQueued();
}

// Called by the page when the worklet has played the oldest buffer handed over to it.
extern "C" EMSCRIPTEN_KEEPALIVE void webAudioPlayed() { stream.played(); }

namespace platform {

bool audioOpen(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, AudioDoneCallback done,
               void* instance) {
    webAudioFlush();
    if (!stream.open(channels, rate, bits, done, instance)) return false;
    if (webAudioStart(rate) != 0) return true;
    stream.close();
    return false;
}


bool audioWrite(AudioBufferHeader* header) {
    if (!stream.write(header)) return false;
    handOverQueued();
    return true;
}

// The worklet lets go of the buffers before they are handed back, so none of them plays again.
void audioReset() {
    webAudioFlush();
    stream.reset();
}

void audioClose() {
    webAudioFlush();
    stream.close();
}

std::uint32_t audioGetVolume() { return stream.volume(); }

void audioSetVolume(std::uint32_t volume) {
    stream.setVolume(volume);
    webAudioGain(stream.gain());
}

}  // namespace platform
