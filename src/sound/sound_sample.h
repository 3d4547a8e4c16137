// A loaded sampled sound: one buffer per channel at the engine's output rate, kept in a slot of the
// SoundEngine from its load until the engine ends; and the decoding of RIFF/WAVE images into it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct SoundSample {
    std::uint32_t rate = 0;   // the rate stated in the file, also when the data was converted down
    std::uint8_t bits = 0;    // the file's sample width, 8 or 16
    std::uint32_t frames = 0; // values in each channel buffer; a loaded sound has at least one
    std::uint8_t stereo = 0;  // 1 when the file has 2 channels
    // Signed 16-bit values whatever the file's width: 8-bit data is widened when loading, and the
    // mixer narrows again for 8-bit output, so a sound keeps working if the output is reopened at
    // another width.
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> right;  // empty for a mono sound
    std::wstring name;
};

// Results of decoding a RIFF/WAVE image (LoadSound passes them on; 0..255 are slot numbers).
inline constexpr std::int32_t WAVE_NOT_RIFF = -1;        // no image, too short, not "RIFF", no "fmt " at 12
inline constexpr std::int32_t WAVE_NOT_PCM = -2;         // format tag other than 1
inline constexpr std::int32_t WAVE_NO_DATA = -3;         // the chunk walk found no "data" chunk
inline constexpr std::int32_t WAVE_DATA_TRUNCATED = -4;  // the "data" chunk runs past the image's end
inline constexpr std::int32_t WAVE_BAD_FORMAT = -5;      // no channels, or a width other than 8 or 16 bits
inline constexpr std::int32_t WAVE_NO_FREE_SLOT = -1;    // all 256 slots are taken

// Parses `image` (never reading outside it) into `sample`: header checks, the chunk walk bounded by
// the RIFF size and the image, the channels split into left/right (a file of more than two channels
// keeps its first), 8-bit data widened to 16 bits, and a file rate above `outputRate` converted down
// to (outputRate x frames) / fileRate + 1 frames. Returns 0, or one of the WAVE_ codes above.
std::int32_t DecodeWave(std::span<const std::uint8_t> image, std::uint32_t outputRate, SoundSample& sample);

// Converts one channel from `fromRate` down to `toRate` (toRate < fromRate) with a windowed-sinc
// low-pass, producing exactly (toRate x frames) / fromRate + 1 values; input beyond either end counts
// as silence.
std::vector<std::int16_t> ConvertRateDown(std::span<const std::int16_t> input, std::uint32_t fromRate,
                                          std::uint32_t toRate);

// Sound names are wide strings; files and reports speak UTF-8.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
