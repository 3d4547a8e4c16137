// spirehold-modrender run as a user runs it. Its output is written while it renders; the recorded
// hashes (tests/music/modrender.golden) are of the files, and the summaries printed, when the tool still
// held the whole render in memory, so they pin the streamed file byte for byte: lengths that end inside a buffer,
// songs and sounds that end by themselves (the header's sizes known only at the end), and a pipe,
// which cannot seek back to its header. A write that fails must fail the run and leave no file.
// Skipped where the tool has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "sound/golden.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string TOOL = std::string(SPIREHOLD_BINARY_DIR) + "/spirehold-modrender";
const std::string MUSIC = std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod";
const std::string SOUNDS = std::string(SPIREHOLD_SOURCE_DIR) + "/assets/sounds/";

std::string shellWord(const std::string& text) { return "'" + text + "'"; }

class ModRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access(TOOL.c_str(), X_OK) != 0) GTEST_SKIP() << "needs " << TOOL;
        ASSERT_FALSE(folder.empty());
    }

    // Runs the tool with `arguments` (shell words) after the shell commands `before`; its exit status,
    // -1 when it did not exit. What it prints is kept in "summary" and "errors".
    int run(const std::string& arguments, const std::string& before = "") const {
        const std::string command = "(" + before + "exec " + shellWord(TOOL) + " " + arguments + ") >" +
                                    shellWord(folder + "/summary") + " 2>" + shellWord(folder + "/errors");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string text(const std::string& name) const {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static Fnv hashOf(const std::string& bytes) {
        Fnv hash;
        hash.add(bytes.data(), bytes.size());
        return hash;
    }

    // What the render wrote, as the sound a mismatch leaves to listen to.
    PlayedSound rendered(const std::string& name) const {
        const std::string bytes = text(name);
        if (bytes.size() < WAV_HEADER_BYTES) return {};
        const auto word = [&](std::size_t at, int size) {
            std::uint32_t value = 0;
            for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
            return value;
        };
        return {{bytes.begin() + WAV_HEADER_BYTES, bytes.end()}, {word(22, 2), word(24, 4), word(34, 2)}};
    }

    static constexpr std::size_t WAV_HEADER_BYTES = 44;
    ScratchFolder scratch;
    std::string folder = scratch.path();
};

struct RenderCase {
    const char* name;
    std::string arguments;  // before the output
};

TEST_F(ModRender, StreamedFilesAreTheRendersAsRecorded) {
    const RenderCase cases[] = {
        {"the song to its end, 11025 Hz stereo 16 bit", shellWord(MUSIC)},
        {"the song for 2.3457 s, 22050 Hz mono 8 bit", "--seconds 2.3457 --rate 22050 --channels 1 --bits 8 " + shellWord(MUSIC)},
        {"the song looped for 0.0123 s, 8000 Hz stereo 8 bit", "--loop --seconds 0.0123 --rate 8000 --bits 8 " + shellWord(MUSIC)},
        {"the song looped for 7.3 s, 44100 Hz mono 16 bit", "--loop --seconds 7.3 --rate 44100 --channels 1 " + shellWord(MUSIC)},
        {"claps to their end, 8000 Hz stereo 16 bit", "--rate 8000 " + shellWord(SOUNDS + "115_claps.wav")},
        {"buttons to their end, 44100 Hz mono 8 bit", "--rate 44100 --channels 1 --bits 8 " + shellWord(SOUNDS + "123_buttons.wav")},
    };
    GoldenFile golden("music/modrender.golden");
    for (const RenderCase& c : cases) {
        ASSERT_EQ(run(c.arguments + " " + shellWord(folder + "/out.wav")), 0) << c.name << ": " << text("errors");
        golden.expect(c.name, hashOf(text("out.wav") + text("summary")), rendered("out.wav"));  // the file and the summary printed for it
        // The same bytes through a pipe, where the header must be right before the data.
        ASSERT_EQ(run(c.arguments + " /dev/fd/3 3>&1 >/dev/null | cat >" + shellWord(folder + "/piped.wav")), 0) << c.name;
        EXPECT_EQ(hashOf(text("piped.wav")).value, hashOf(text("out.wav")).value) << c.name << " through a pipe";
    }
}

// The output cannot be made, runs out of room at once (a full device), or runs out of room part way
// (a file size limit, as a disk filling up): the run fails, says so, reports no render, and leaves no
// partial file behind.
TEST_F(ModRender, AFailedWriteFailsTheRunAndLeavesNoFile) {
    const RenderCase cases[] = {
        {"a folder that does not exist", shellWord(MUSIC) + " " + shellWord(folder + "/missing/out.wav")},
        {"a folder for a file", shellWord(MUSIC) + " " + shellWord(folder)},
        {"a full device", "--seconds 5 " + shellWord(MUSIC) + " /dev/full"},
        {"a full device, with less to write than one write of the buffer", "--seconds 0.01 " + shellWord(MUSIC) + " /dev/full"},
        {"a file that reaches its size limit", "--loop --seconds 60 " + shellWord(MUSIC) + " " + shellWord(folder + "/out.wav")},
    };
    // A file may grow to 100 blocks; the limit is met as a failed write, not as the signal that would
    // end the run.
    const std::string sizeLimit = "trap '' XFSZ; ulimit -f 100; ";
    for (const RenderCase& c : cases) {
        EXPECT_EQ(run(c.arguments, sizeLimit), 1) << c.name;
        EXPECT_NE(text("errors").find("cannot write"), std::string::npos) << c.name << ": " << text("errors");
        EXPECT_EQ(text("summary"), "") << c.name;
        EXPECT_FALSE(fs::exists(folder + "/out.wav")) << c.name << ": a partial file was left";
    }
}

}  // namespace
