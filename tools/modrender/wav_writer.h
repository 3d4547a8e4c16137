// Writes interleaved little-endian PCM frames as a RIFF/WAVE file ("fmt " for plain PCM, one "data"
// chunk) while they are rendered, so that no more than a step of sound is held in memory.
//
// The header carries the data's size, so it goes first with the size expected; finish() puts the
// size right by seeking back when the data came out at another length. An output that cannot seek (a
// pipe) must be told the exact length up front. Any failed write makes the stream fail for good, and
// abandon() then removes what was written of a regular file, so that no partial file is left behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace modrender {

struct PcmFormat {
    std::uint32_t channels = 0, rate = 0, bits = 0;
};

class WavStream {
public:
    WavStream() = default;
    // A stream neither finished nor abandoned is abandoned.
    ~WavStream();
    WavStream(const WavStream&) = delete;
    WavStream& operator=(const WavStream&) = delete;

    // Creates or empties the file at `path`; false (the reason in error()) when it cannot.
    bool open(const std::string& path);
    // Whether the header can be put right after the data (a regular file, not a pipe).
    bool seekable() const { return canSeek; }
    // Writes the header for `expectedDataBytes` of data, before any data.
    bool begin(const PcmFormat& format, std::uint32_t expectedDataBytes);
    bool write(const std::uint8_t* pcm, std::size_t size);
    // Gives the header the size of the data written, flushes and closes. False when a write failed now
    // or before, or when the length differs from the one an output that cannot seek was promised.
    bool finish();
    // Closes the file and removes it when it is a regular file.
    void abandon();
    // Why the last operation failed.
    const std::string& error() const { return reason; }

private:
    bool writeHeader(std::uint32_t dataBytes);
    // Marks the stream failed; `code` is the errno of a failed call, 0 for none.
    bool fail(const std::string& what, int code = 0);

    std::FILE* file = nullptr;
    std::string path;
    bool regularFile = false;
    bool canSeek = false;
    bool failed = false;
    bool finished = false;
    PcmFormat format;
    std::uint32_t headerDataBytes = 0;  // the size the header on disk gives
    std::uint64_t dataBytes = 0;        // written so far
    std::string reason;
};

}  // namespace modrender
