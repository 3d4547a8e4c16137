// Small hand-made modules, each playing what the game's own module does not (or only one way): every
// effect, jump, layout and loop kind, rendered by the player and compared with recorded hashes
// (tests/music/effects.golden). The recorded values were checked by the exact tick-by-tick tests of
// each effect that stood before them; the game's module itself is played whole by the format test.
#include <gtest/gtest.h>

#include "sound/golden.h"
#include "test_module.h"

using namespace music_test;

namespace {

constexpr std::uint32_t BUFFER_BYTES = 4408;  // the whole frames of a tenth of a second, 16-bit stereo 11025 Hz
constexpr int MOST_BUFFERS = 40;

struct Note { int pattern, row, channel; TestNote note; };

struct Case {
    const char* name;
    std::vector<Note> notes;
    std::vector<std::uint8_t> orders{0};
    bool loop = false;
    std::string signature = "M.K.";
    int channels = 4;
    std::int32_t finetuneByte = 0, volume = 48;
    std::int32_t loopStart = 0;  // of the saw, whose loop always runs to its last byte
};

// A looping saw of 64 bytes, so that pitch and volume both shape what is heard, and a short one-shot
// blip.
TestModule moduleOf(const Case& c) {
    TestSample saw{{}, c.finetuneByte, c.volume, c.loopStart, 64 - c.loopStart}, blip = flatSample(300, 90);
    for (int i = 0; i < 64; ++i) saw.data.push_back(static_cast<std::int8_t>(4 * i - 128));
    blip.data[0] = -90;
    TestModule m{c.signature, c.channels, {saw, blip}, c.orders};
    for (const Note& n : c.notes) m.note(n.pattern, n.row, n.channel, n.note);
    return m;
}

// The hash holds each buffer's result beside its bytes.
void expectAsRecorded(GoldenFile& golden, const Case& c) {
    ModulePlayer player;
    EXPECT_TRUE(load(player, moduleOf(c).build())) << c.name;
    player.StartMusic(c.loop);
    Fnv hash;
    PlayedSound played;  // in load()'s format, the output format's default
    for (int i = 0; i < MOST_BUFFERS && player.IsMusicPlaying(); ++i) {
        bool result = false;
        const std::vector<std::uint8_t> bytes = renderBuffer(player, BUFFER_BYTES, &result);
        hash.add(bytes.data(), bytes.size());
        hash.add(&result, 1);
        played.samples.insert(played.samples.end(), bytes.begin(), bytes.end());
    }
    golden.expect(c.name, hash, played);
}

const Case CASES[] = {
    {"arpeggio of a finetuned sample", {{0, 0, 0, {1, 428, 0, 0x37}}, {0, 1, 0, {0, 0, 0, 0x47}}, {0, 2, 1, {1, 300, 0, 0xC0}}}, {0}, false, "M.K.", 4, 2},
    {"slides up to their floor and down", {{0, 0, 0, {1, 856, 1, 0xFF}}, {0, 1, 0, {0, 0, 1, 0xFF}}, {0, 2, 0, {0, 0, 1, 0xFF}}, {0, 3, 0, {0, 0, 2, 0x40}}}},
    {"tone portamento down, up and remembered", {{0, 0, 0, {1, 428, 0, 0}}, {0, 1, 0, {0, 404, 3, 5}}, {0, 3, 0, {0, 0, 3, 0}}, {0, 4, 0, {2, 480, 3, 9}}, {0, 6, 0, {0, 0, 3, 0}}}},
    {"tone portamento keeps its speed through 300", {{0, 0, 0, {1, 428, 0, 0}}, {0, 1, 0, {0, 300, 3, 2}}, {0, 2, 0, {0, 0, 3, 0}}, {0, 3, 0, {0, 0, 3, 0}}}},
    {"tone portamento with volume slide", {{0, 0, 0, {1, 428, 0, 0}}, {0, 1, 0, {0, 360, 3, 8}}, {0, 2, 0, {0, 0, 5, 0x20}}, {0, 3, 0, {0, 0, 5, 0x03}}}},
    {"vibrato and tremolo through both halves", {{0, 0, 0, {1, 428, 4, 0x88}}, {0, 0, 1, {1, 428, 7, 0x84}}, {0, 1, 0, {0, 0, 4, 0}}, {0, 1, 1, {0, 0, 7, 0}}, {0, 2, 0, {0, 0, 6, 0x02}}, {0, 3, 0, {1, 320, 4, 0x3F}}, {0, 3, 1, {0, 0, 7, 0x5F}}}},
    {"vibrato at depth 10 and tremolo at 5 step by step, then a new note forgets their settings", {{0, 0, 0, {1, 428, 4, 0x1A}}, {0, 0, 1, {1, 428, 7, 0x15}}, {0, 1, 0, {0, 0, 4, 0}}, {0, 1, 1, {0, 0, 7, 0}}, {0, 2, 0, {0, 0, 4, 0}}, {0, 2, 1, {0, 0, 7, 0}}, {0, 3, 0, {1, 428, 4, 0x40}}, {0, 3, 1, {1, 428, 7, 0x05}}}},
    {"vibrato at depths 1 and 15, tremolo at 13, through the whole wave", {{0, 0, 0, {1, 428, 4, 0x41}}, {0, 0, 1, {1, 428, 7, 0x4D}}, {0, 1, 0, {0, 0, 4, 0}}, {0, 1, 1, {0, 0, 7, 0}}, {0, 2, 0, {0, 0, 4, 0x4F}}, {0, 2, 1, {0, 0, 7, 0}}, {0, 3, 0, {0, 0, 4, 0}}, {0, 3, 1, {0, 0, 7, 0}}}},
    {"sample offsets inside and past the end", {{0, 0, 0, {1, 428, 9, 0}}, {0, 0, 1, {2, 428, 9, 1}}, {0, 2, 1, {2, 428, 9, 2}}, {0, 4, 2, {2, 0, 9, 0}}}},
    {"volume set past 64 and slid both ways", {{0, 0, 0, {1, 428, 0xC, 80}}, {0, 1, 0, {0, 0, 0xA, 0x0F}}, {0, 2, 0, {0, 0, 0xA, 0x05}}, {0, 3, 0, {0, 0, 0xA, 0x40}}}},
    {"position jump keeps the row", {{0, 10, 0, {0, 0, 0xB, 2}}, {1, 0, 0, {1, 428, 0, 0}}, {2, 11, 0, {1, 214, 0, 0}}, {2, 13, 0, {0, 0, 0xB, 9}}}, {0, 1, 2}},
    {"pattern breaks to a row and past 63", {{0, 10, 2, {0, 0, 0xD, 0x12}}, {1, 12, 0, {1, 300, 0, 0}}, {1, 20, 0, {0, 0, 0xD, 0x99}}, {1, 0, 1, {1, 500, 0, 0}}}, {0, 1, 1}},
    {"a jump back to the first order", {{0, 0, 0, {1, 428, 0, 0}}, {0, 2, 0, {0, 0, 0xB, 1}}, {1, 3, 0, {1, 214, 0, 0}}, {1, 5, 0, {0, 0, 0xB, 0}}, {0, 8, 0, {2, 300, 0, 0}}}, {0, 1}},
    {"break and jump in one row", {{0, 3, 0, {0, 0, 0xD, 0x07}}, {0, 3, 1, {0, 0, 0xB, 3}}, {3, 7, 0, {1, 428, 0, 0}}, {3, 8, 0, {0, 0, 0xB, 7}}}, {0, 1, 2, 3}},
    {"a break past the end loops after one tick", {{0, 0, 0, {1, 428, 0, 0}}, {0, 2, 0, {0, 0, 0xD, 0x20}}, {0, 20, 0, {1, 214, 0, 0}}}, {0}, true},
    {"the last order wraps when looping", {{0, 0, 0, {1, 428, 0xF, 1}}, {0, 63, 1, {1, 214, 0, 0}}}, {0, 0}, true},
    {"fine slides, fine volume, finetune and note cut", {{0, 0, 0, {1, 428, 0xE, 0x13}}, {0, 1, 0, {0, 0, 0xE, 0x25}}, {0, 2, 0, {0, 0, 0xE, 0xA7}}, {0, 3, 0, {0, 0, 0xE, 0xBF}}, {0, 4, 0, {1, 0, 0xE, 0x5E}}, {0, 5, 0, {0, 428, 0xE, 0xC2}}, {0, 6, 1, {40, 300, 0xE, 0x53}}}},
    {"speed set, tempo ignored, speed 0 ends", {{0, 0, 0, {1, 428, 0xF, 3}}, {0, 1, 0, {0, 0, 0xF, 0x7E}}, {0, 9, 0, {0, 0, 0xF, 0}}}},
    {"a note alone restarts the sample, a sample alone keeps the pitch", {{0, 0, 1, {2, 428, 0, 0}}, {0, 4, 1, {0, 400, 0, 0}}, {0, 8, 1, {2, 0, 0, 0}}, {0, 9, 0, {1, 0, 0, 0}}}},
    {"eight channels, left right right left", {{0, 0, 0, {1, 428, 0, 0}}, {0, 0, 3, {1, 214, 0, 0}}, {0, 0, 5, {2, 300, 0, 0}}, {0, 0, 6, {1, 107, 0, 0}}}, {0}, false, "8CHN", 8},
    {"six channels", {{0, 0, 4, {1, 428, 0, 0}}, {0, 0, 5, {2, 214, 0, 0}}}, {0}, false, "6CHN", 6},
    {"negative finetune, header volume above 64", {{0, 0, 0, {1, 428, 0, 0}}, {0, 2, 0, {0, 0, 0xA, 0x01}}}, {0}, false, "M.K.", 4, 13, 200},
    {"fifteen samples, no signature", {{0, 0, 0, {1, 428, 0xC, 0x20}}, {0, 1, 3, {2, 214, 0, 0}}}, {0}, false, "", 4},
    // The last byte's neighbour is the sample's first byte (-128), not the loop's first (0).
    {"a loop from the middle to the last byte", {{0, 0, 0, {1, 428, 0, 0}}, {0, 0, 1, {1, 302, 0, 0}}}, {0}, false, "M.K.", 4, 0, 48, 32},
};

}  // namespace

TEST(ModuleEffects, EveryEffectPlaysAsRecorded) {
    GoldenFile golden("music/effects.golden");
    for (const Case& c : CASES) expectAsRecorded(golden, c);
}
