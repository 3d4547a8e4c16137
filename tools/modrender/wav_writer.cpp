// The RIFF/WAVE container written round PCM data as it arrives.
#include "wav_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace modrender {
namespace {

constexpr std::uint32_t FORMAT_CHUNK_BYTES = 16;
constexpr std::uint16_t PCM_FORMAT = 1;
constexpr std::uint32_t HEADER_BYTES_AFTER_RIFF_SIZE = 36;
// The RIFF size counts the header after it as well as the data, in 32 bits.
constexpr std::uint64_t MOST_DATA_BYTES = 0xFFFFFFFFull - HEADER_BYTES_AFTER_RIFF_SIZE;

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

std::vector<std::uint8_t> headerFor(const PcmFormat& format, std::uint32_t dataBytes) {
    const std::uint32_t blockAlign = format.channels * format.bits / 8;
    std::vector<std::uint8_t> header;
    putTag(header, "RIFF");
    put32(header, HEADER_BYTES_AFTER_RIFF_SIZE + dataBytes);
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    put32(header, FORMAT_CHUNK_BYTES);
    put16(header, PCM_FORMAT);
    put16(header, static_cast<std::uint16_t>(format.channels));
    put32(header, format.rate);
    put32(header, format.rate * blockAlign);
    put16(header, static_cast<std::uint16_t>(blockAlign));
    put16(header, static_cast<std::uint16_t>(format.bits));
    putTag(header, "data");
    put32(header, dataBytes);
    return header;
}

}  // namespace

WavStream::~WavStream() { abandon(); }

bool WavStream::open(const std::string& outputPath) {
    path = outputPath;
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return fail("cannot create it", errno);
    struct stat info {};
    regularFile = ::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode);
    canSeek = ::lseek(::fileno(file), 0, SEEK_CUR) != -1;
    return true;
}

bool WavStream::begin(const PcmFormat& outputFormat, std::uint32_t expectedDataBytes) {
    format = outputFormat;
    headerDataBytes = expectedDataBytes;
    return writeHeader(expectedDataBytes);
}

bool WavStream::write(const std::uint8_t* pcm, std::size_t size) {
    if (failed) return false;
    if (dataBytes + size > MOST_DATA_BYTES) return fail("more sound than a WAV file holds");
    dataBytes += size;
    if (size > 0 && std::fwrite(pcm, 1, size, file) != size) return fail("write failed", errno);
    return true;
}

bool WavStream::finish() {
    if (failed || file == nullptr) return false;
    if (dataBytes != headerDataBytes) {
        if (!canSeek) return fail("the output cannot seek back to its header");
        if (std::fseek(file, 0, SEEK_SET) != 0) return fail("cannot seek back to the header", errno);
        if (!writeHeader(static_cast<std::uint32_t>(dataBytes))) return false;
    }
    if (std::fflush(file) != 0) return fail("write failed", errno);
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0) return fail("write failed", errno);
    finished = true;
    return true;
}

void WavStream::abandon() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
    if (regularFile && !finished) std::remove(path.c_str());
    regularFile = false;
}

bool WavStream::writeHeader(std::uint32_t size) {
    const std::vector<std::uint8_t> header = headerFor(format, size);
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return fail("write failed", errno);
    return true;
}

bool WavStream::fail(const std::string& what, int code) {
    failed = true;
    reason = what;
    if (code != 0) reason += std::string(": ") + std::strerror(code);
    return false;
}

}  // namespace modrender
