// Writing frames, raw bytes and WAV files for the simulator.
#include "sim/output_files.h"

#include <png.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

namespace sim {
namespace {

// A colour component of an RGB565 pixel: how far up it sits and how many bits it has.
struct Component565 {
    unsigned shift, bits;
};
constexpr Component565 RGB565_COMPONENTS[] = {{11, 5}, {5, 6}, {0, 5}};  // red, green, blue
constexpr unsigned BYTE_BITS = 8;
constexpr int RGB_BYTES = static_cast<int>(std::size(RGB565_COMPONENTS));

constexpr std::uint32_t WAV_HEADER_AFTER_RIFF_SIZE = 36;
constexpr std::uint32_t PCM_FORMAT_CHUNK_SIZE = 16;
constexpr std::uint16_t PCM_FORMAT_TAG = 1;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The component widened to 8 bits by repeating its top bits below it, so that full scale stays full.
std::uint8_t widenTo8Bits(std::uint16_t pixel, Component565 component) {
    const unsigned value = (pixel >> component.shift) & ((1u << component.bits) - 1);
    const unsigned topBits = value >> (2 * component.bits - BYTE_BITS);
    return static_cast<std::uint8_t>((value << (BYTE_BITS - component.bits)) | topBits);
}

std::vector<std::uint8_t> toRgb888(std::span<const std::uint16_t> pixels) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.size() * RGB_BYTES);
    for (const std::uint16_t pixel : pixels) {
        for (const Component565 component : RGB565_COMPONENTS) rgb.push_back(widenTo8Bits(pixel, component));
    }
    return rgb;
}

std::vector<std::uint8_t> littleEndianWords(std::span<const std::uint16_t> words) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(words.size() * 2);
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

File openForWriting(const std::string& path, std::string& error) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) error = "cannot write " + path;
    return file;
}

bool writeAll(std::FILE* file, std::span<const std::uint8_t> bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool finish(File file, bool written, const std::string& path, std::string& error) {
    const bool closed = std::fclose(file.release()) == 0;
    if (written && closed) return true;
    error = "cannot write " + path;
    return false;
}

bool writePpm(const std::string& path, std::span<const std::uint16_t> pixels, int width, int height,
              std::string& error) {
    File file = openForWriting(path, error);
    if (!file) return false;
    const bool written = std::fprintf(file.get(), "P6\n%d %d\n255\n", width, height) > 0 &&
                         writeAll(file.get(), toRgb888(pixels));
    return finish(std::move(file), written, path, error);
}

bool writePng(const std::string& path, std::span<const std::uint16_t> pixels, int width, int height,
              std::string& error) {
    File file = openForWriting(path, error);
    if (!file) return false;
    std::vector<std::uint8_t> rgb = toRgb888(pixels);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    // Set only after the last libpng call, so a longjmp out of libpng leaves it false.
    volatile bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file.get());
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * width * RGB_BYTES);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return finish(std::move(file), written, path, error);
}

void appendWord(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> wavHeader(std::uint32_t dataBytes, const PcmFormat& format) {
    const std::uint32_t blockAlign = format.channels * format.bits / 8;
    std::vector<std::uint8_t> header;
    const auto appendTag = [&header](const char* tag) { header.insert(header.end(), tag, tag + 4); };
    appendTag("RIFF");
    appendWord(header, WAV_HEADER_AFTER_RIFF_SIZE + dataBytes, 4);
    appendTag("WAVE");
    appendTag("fmt ");
    appendWord(header, PCM_FORMAT_CHUNK_SIZE, 4);
    appendWord(header, PCM_FORMAT_TAG, 2);
    appendWord(header, format.channels, 2);
    appendWord(header, format.rate, 4);
    appendWord(header, format.rate * blockAlign, 4);
    appendWord(header, blockAlign, 2);
    appendWord(header, format.bits, 2);
    appendTag("data");
    appendWord(header, dataBytes, 4);
    return header;
}

}  // namespace

bool isFrameFileName(const std::string& path) {
    return endsWith(path, ".rgb565") || endsWith(path, ".ppm") || endsWith(path, ".png");
}

bool writeFrameFile(const std::string& path, std::span<const std::uint16_t> pixels, int width, int height,
                    std::string& error) {
    if (endsWith(path, ".rgb565")) return writeBytesFile(path, littleEndianWords(pixels), error);
    if (endsWith(path, ".ppm")) return writePpm(path, pixels, width, height, error);
    if (endsWith(path, ".png")) return writePng(path, pixels, width, height, error);
    error = "unknown frame format (use .rgb565, .ppm or .png): " + path;
    return false;
}

bool writeBytesFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
    File file = openForWriting(path, error);
    if (!file) return false;
    const bool written = writeAll(file.get(), bytes);
    return finish(std::move(file), written, path, error);
}

bool writeWavFile(const std::string& path, std::span<const std::uint8_t> samples, const PcmFormat& format,
                  std::string& error) {
    File file = openForWriting(path, error);
    if (!file) return false;
    const bool written = writeAll(file.get(), wavHeader(static_cast<std::uint32_t>(samples.size()), format)) &&
                         writeAll(file.get(), samples);
    return finish(std::move(file), written, path, error);
}

}  // namespace sim
