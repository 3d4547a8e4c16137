// spirehold-modrender: plays a MOD (as music) or a WAV (as a sound) through the game's own sound
// engine on the headless device and writes what the device played to a WAV file, so offline renders
// are exactly what a player of the game hears. Prints a one-line JSON summary.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
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
    "--seconds (default 180). Prints {\"frames\":..,\"ended\":..,\"endFrame\":..} as one line of JSON.\n";

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
    std::vector<std::uint8_t> pcm;
    bool ended = false;
    std::uint64_t endFrame = 0;
};

Render render(const Options& options, bool isModule) {
    const std::uint64_t frameBytes = options.channels * options.bits / 8;
    const std::uint64_t bufferFrames =
        (options.bits / 8 * options.channels * options.rate / SoundEngine::BUFFERS_PER_SECOND) / frameBytes;
    const std::uint64_t skipFrames = PRIMING_BUFFERS * bufferFrames;
    const auto wantedFrames = static_cast<std::uint64_t>(options.seconds * options.rate);
    std::vector<std::uint8_t> played;
    Render result;
    std::uint64_t stopAtFrame = skipFrames + wantedFrames;
    while (played.size() / frameBytes < stopAtFrame) {
        headless::advance(STEP_MS);
        const std::vector<std::uint8_t>& fresh = headless::audioPlayed();
        played.insert(played.end(), fresh.begin(), fresh.end());
        headless::clearAudioPlayed();
        if (result.ended) continue;
        const bool sounding = isModule ? soundEngine.IsMusicPlaying() : soundEngine.CountVoices() > 0;
        if (sounding) continue;
        // The refill that just ran saw the end. The buffer it filled is queued behind the one now
        // playing: silent for a song that ended, holding the last frames of a sound.
        const std::uint64_t completed = played.size() / frameBytes / bufferFrames;
        const std::uint64_t endBuffer = isModule ? completed + 1 : completed + 2;
        result.ended = true;
        stopAtFrame = std::min(stopAtFrame, endBuffer * bufferFrames);
    }
    const std::uint64_t last = std::min<std::uint64_t>(stopAtFrame, played.size() / frameBytes);
    if (last > skipFrames)
        result.pcm.assign(played.begin() + static_cast<std::ptrdiff_t>(skipFrames * frameBytes),
                          played.begin() + static_cast<std::ptrdiff_t>(last * frameBytes));
    if (result.ended) result.endFrame = last > skipFrames ? last - skipFrames : 0;
    return result;
}

bool start(const Options& options, bool isModule) {
    if (soundEngine.OpenOutput(static_cast<std::uint8_t>(options.channels), options.rate,
                               static_cast<std::uint8_t>(options.bits), 0) != OUTPUT_OPENED)
        return false;
    soundEngine.SetMasterVolume(255);
    if (isModule) return soundEngine.LoadModuleFile(options.input) && soundEngine.StartMusic(options.loop);
    const std::int32_t slot = soundEngine.LoadSoundFile(options.input);
    return slot >= 0 && soundEngine.PlaySound(slot, 0);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    headless::reset();
    const bool isModule = !endsWith(options.input, ".wav");
    if (!start(options, isModule)) {
        std::fprintf(stderr, "spirehold-modrender: cannot play %s (format %u Hz, %u channels, %u bits)\n",
                     options.input.c_str(), options.rate, options.channels, options.bits);
        return 1;
    }
    const Render result = render(options, isModule);
    if (!modrender::writeWavFile(options.output, result.pcm, options.channels, options.rate, options.bits)) {
        std::fprintf(stderr, "spirehold-modrender: cannot write %s\n", options.output.c_str());
        return 1;
    }
    const std::uint64_t frames = result.pcm.size() / (options.channels * options.bits / 8);
    if (result.ended)
        std::printf("{\"frames\":%llu,\"rate\":%u,\"ended\":true,\"endFrame\":%llu}\n",
                    static_cast<unsigned long long>(frames), options.rate,
                    static_cast<unsigned long long>(result.endFrame));
    else
        std::printf("{\"frames\":%llu,\"rate\":%u,\"ended\":false,\"endFrame\":null}\n",
                    static_cast<unsigned long long>(frames), options.rate);
    std::fflush(stdout);
    return 0;
}
