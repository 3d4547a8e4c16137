// spirehold-modrender: plays a MOD (as music) or a WAV (as a sound) through the game's own sound
// engine on the headless device and writes what the device played to a WAV file as it plays, so
// offline renders are exactly what a player of the game hears, an hour as well as a minute. Prints a
// one-line JSON summary.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "sound/sound_file.h"
#include "sound/sound_sample.h"
#include "wav_writer.h"

namespace {

constexpr std::uint64_t STEP_MS = 10;               // well under one stream buffer: one refill per step at most
constexpr double DEFAULT_LOOP_SECONDS = 180.0;      // a looping song never ends by itself
constexpr double LONGEST_SECONDS = 3600.0;
constexpr std::uint32_t PRIMING_BUFFERS = 2;        // the silent buffers that start the stream

const char* const USAGE =
    "usage: spirehold-modrender [--rate 8000|11025|22050|44100] [--channels 1|2] [--bits 8|16]\n"
    "                           [--seconds S] [--loop] input.mod|input.wav output.wav\n"
    "Renders a module (as the game's music) or a WAV (as a game sound) through the game's sound engine.\n"
    "Without --loop it stops where the song or sound ends (or after --seconds); with --loop it renders\n"
    "--seconds (default 180). The output is written as it is rendered; where it cannot seek (a pipe)\n"
    "the sound is rendered twice, the first time to learn its length for the header.\n"
    "Prints {\"frames\":..,\"ended\":..,\"endFrame\":..} as one line of JSON.\n";

struct Options {
    std::uint32_t rate = 11025;
    std::uint32_t channels = 2;
    std::uint32_t bits = 16;
    double seconds = 0.0;  // 0: until the end (or the default for a loop)
    bool loop = false;
    std::string input;
    std::string output;
};

bool endsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    if (text.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const char a = text[text.size() - n + i];
        if ((a | 0x20) != (suffix[i] | 0x20)) return false;
    }
    return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--rate" && hasValue) {
            options.rate = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--channels" && hasValue) {
            options.channels = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--bits" && hasValue) {
            options.bits = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--seconds" && hasValue) {
            options.seconds = std::strtod(argv[++i], nullptr);
            if (!(options.seconds > 0.0 && options.seconds <= LONGEST_SECONDS)) return false;
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return false;
    options.input = files[0];
    options.output = files[1];
    if (options.seconds == 0.0) options.seconds = options.loop ? DEFAULT_LOOP_SECONDS : LONGEST_SECONDS;
    return true;
}

// What was rendered: the frames after the priming silence, and where the song or sound ended.
struct Render {
    std::uint64_t frames = 0;
    bool ended = false;
    std::uint64_t endFrame = 0;
    bool written = true;  // false when the sink refused some of the frames
};

std::uint64_t frameBytesOf(const Options& options) { return options.channels * options.bits / 8; }

// The frames a render gives when the song or sound does not end before the length asked for.
std::uint64_t wantedFrames(const Options& options) { return static_cast<std::uint64_t>(options.seconds * options.rate); }

// Plays the engine on the headless device and hands `sink` the frames after the priming silence as
// they are played, up to where the song or sound ended or the length asked for: only a step of sound
// is held at a time. Stops at the first write the sink refuses.
template <typename Sink>
Render render(const Options& options, bool isModule, const Sink& sink) {
    const std::uint64_t frameBytes = frameBytesOf(options);
    const std::uint64_t bufferFrames =
        (options.bits / 8 * options.channels * options.rate / SoundEngine::BUFFERS_PER_SECOND) / frameBytes;
    const std::uint64_t skipBytes = PRIMING_BUFFERS * bufferFrames * frameBytes;
    Render result;
    std::uint64_t playedBytes = 0;  // everything the device played, the priming silence too
    std::uint64_t stopAtFrame = PRIMING_BUFFERS * bufferFrames + wantedFrames(options);
    while (playedBytes / frameBytes < stopAtFrame && result.written) {
        headless::advance(STEP_MS);
        const std::vector<std::uint8_t>& fresh = headless::audioPlayed();
        const std::uint64_t freshFrom = playedBytes;
        playedBytes += fresh.size();
        if (!result.ended) {
            const bool sounding = isModule ? soundEngine.IsMusicPlaying() : soundEngine.CountVoices() > 0;
            if (!sounding) {
                // The refill that just ran saw the end. The buffer it filled is queued behind the one
                // now playing: silent for a song that ended, holding the last frames of a sound.
                const std::uint64_t completed = playedBytes / frameBytes / bufferFrames;
                const std::uint64_t endBuffer = isModule ? completed + 1 : completed + 2;
                result.ended = true;
                stopAtFrame = std::min(stopAtFrame, endBuffer * bufferFrames);
            }
        }
        // The end, once seen, lies beyond everything played so far: what goes out is never taken back.
        const std::uint64_t from = std::max(freshFrom, skipBytes);
        const std::uint64_t to = std::min(playedBytes, stopAtFrame * frameBytes);
        if (from < to) result.written = sink(fresh.data() + (from - freshFrom), static_cast<std::size_t>(to - from));
        headless::clearAudioPlayed();
    }
    const std::uint64_t last = std::min(stopAtFrame, playedBytes / frameBytes);
    const std::uint64_t skipFrames = PRIMING_BUFFERS * bufferFrames;
    result.frames = last > skipFrames ? last - skipFrames : 0;
    if (result.ended) result.endFrame = result.frames;
    return result;
}

// Starts the song or sound on a fresh engine and device, so that a second render plays as the first.
bool start(const Options& options, bool isModule, const std::vector<std::uint8_t>& input) {
    soundEngine.Restart();
    headless::reset();
    if (soundEngine.OpenOutput(static_cast<std::uint8_t>(options.channels), options.rate,
                               static_cast<std::uint8_t>(options.bits), 0) != OUTPUT_OPENED)
        return false;
    soundEngine.SetMasterVolume(255);
    if (isModule)
        return soundEngine.LoadModule(input.data(), static_cast<std::int32_t>(input.size())) &&
               soundEngine.StartMusic(options.loop);
    const std::int32_t slot = soundEngine.LoadSound(WideFromUtf8(options.input), input);
    return slot >= 0 && soundEngine.PlaySound(slot, 0);
}

void printSummary(const Options& options, const Render& result) {
    if (result.ended)
        std::printf("{\"frames\":%llu,\"rate\":%u,\"ended\":true,\"endFrame\":%llu}\n",
                    static_cast<unsigned long long>(result.frames), options.rate,
                    static_cast<unsigned long long>(result.endFrame));
    else
        std::printf("{\"frames\":%llu,\"rate\":%u,\"ended\":false,\"endFrame\":null}\n",
                    static_cast<unsigned long long>(result.frames), options.rate);
    std::fflush(stdout);
}

int cannotWrite(const Options& options, const modrender::WavStream& out) {
    std::fprintf(stderr, "spirehold-modrender: cannot write %s: %s\n", options.output.c_str(), out.error().c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const bool isModule = !endsWith(options.input, ".wav");
    // Read once: an output that cannot seek has the song played twice.
    const std::vector<std::uint8_t> input = ReadSoundFile(options.input);
    if (!start(options, isModule, input)) {
        std::fprintf(stderr, "spirehold-modrender: cannot play %s (format %u Hz, %u channels, %u bits)\n",
                     options.input.c_str(), options.rate, options.channels, options.bits);
        return 1;
    }
    modrender::WavStream out;
    if (!out.open(options.output)) return cannotWrite(options, out);
    std::uint64_t expectedFrames = wantedFrames(options);
    if (!out.seekable()) {
        // A pipe takes the header, sizes and all, before the data: a first render finds the length.
        expectedFrames = render(options, isModule, [](const std::uint8_t*, std::size_t) { return true; }).frames;
        if (!start(options, isModule, input)) return 1;
    }
    const modrender::PcmFormat format{options.channels, options.rate, options.bits};
    if (!out.begin(format, static_cast<std::uint32_t>(expectedFrames * frameBytesOf(options))))
        return cannotWrite(options, out);
    const Render result =
        render(options, isModule, [&out](const std::uint8_t* pcm, std::size_t size) { return out.write(pcm, size); });
    if (!result.written || !out.finish()) {
        out.abandon();
        return cannotWrite(options, out);
    }
    printSummary(options, result);
    return 0;
}
