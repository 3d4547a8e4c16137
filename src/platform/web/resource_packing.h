// The byte packing that keeps the browser build's resources small: a plain LZ77 stream, packed on the
// build machine and unpacked once per resource in the browser. The game's pictures are large runs of
// flat colour (150 KB of RGB565 each) that shrink to a few kilobytes this way.
//
// Stream: a control byte c, then
//   c < 0x80: a literal run of c + 1 bytes, which follow;
//   c >= 0x80: a copy of (c & 0x7F) + MIN_MATCH bytes from `distance` bytes back; when c & 0x7F is 0x7F
//     further length bytes follow and are added, as long as each is 255; then the distance as two
//     little-endian bytes (1..65535).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace web_packing {

inline constexpr std::size_t MIN_MATCH = 4;
inline constexpr std::size_t MAX_LITERAL_RUN = 0x80;
inline constexpr std::size_t MAX_DISTANCE = 0xFFFF;
inline constexpr std::uint8_t MATCH_FLAG = 0x80;
inline constexpr std::uint8_t LENGTH_FIELD = 0x7F;
inline constexpr std::uint8_t LENGTH_CONTINUES = 0xFF;

// Unpacks `packed` into `out`, which must be exactly the original's size. False (with `out` partly
// written) when the stream is damaged: it runs short, copies from before the start, or does not fill
// `out` exactly. Never reads or writes outside the two spans.
inline bool unpackBytes(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
    std::size_t in = 0;
    std::size_t done = 0;
    while (in < packed.size()) {
        const std::uint8_t control = packed[in++];
        if (control < MATCH_FLAG) {
            const std::size_t count = control + 1u;
            if (count > packed.size() - in || count > out.size() - done) return false;
            std::memcpy(out.data() + done, packed.data() + in, count);
            in += count;
            done += count;
            continue;
        }
        std::size_t length = (control & LENGTH_FIELD) + MIN_MATCH;
        if ((control & LENGTH_FIELD) == LENGTH_FIELD) {
            std::uint8_t more = LENGTH_CONTINUES;
            while (more == LENGTH_CONTINUES) {
                if (in >= packed.size() || length > out.size()) return false;
                more = packed[in++];
                length += more;
            }
        }
        if (packed.size() - in < 2) return false;
        const std::size_t distance = packed[in] | static_cast<std::size_t>(packed[in + 1]) << 8;
        in += 2;
        if (distance == 0 || distance > done || length > out.size() - done) return false;
        // Byte by byte: a copy may overlap what it is writing (a run of one colour).
        for (std::size_t i = 0; i < length; ++i) out[done + i] = out[done + i - distance];
        done += length;
    }
    return done == out.size();
}

namespace detail {

inline constexpr int HASH_BITS = 16;
inline constexpr std::size_t CHAIN_LIMIT = 48;
inline constexpr std::size_t NO_POSITION = static_cast<std::size_t>(-1);

inline std::size_t hashAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.data() + at, MIN_MATCH);
    return (word * 2654435761u) >> (32 - HASH_BITS);
}

inline void putLiterals(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> literals) {
    while (!literals.empty()) {
        const std::size_t count = literals.size() < MAX_LITERAL_RUN ? literals.size() : MAX_LITERAL_RUN;
        out.push_back(static_cast<std::uint8_t>(count - 1));
        out.insert(out.end(), literals.begin(), literals.begin() + static_cast<std::ptrdiff_t>(count));
        literals = literals.subspan(count);
    }
}

inline void putMatch(std::vector<std::uint8_t>& out, std::size_t length, std::size_t distance) {
    std::size_t extra = length - MIN_MATCH;
    if (extra < LENGTH_FIELD) {
        out.push_back(static_cast<std::uint8_t>(MATCH_FLAG | extra));
    } else {
        out.push_back(MATCH_FLAG | LENGTH_FIELD);
        extra -= LENGTH_FIELD;
        while (extra >= LENGTH_CONTINUES) {
            out.push_back(LENGTH_CONTINUES);
            extra -= LENGTH_CONTINUES;
        }
        out.push_back(static_cast<std::uint8_t>(extra));
    }
    out.push_back(static_cast<std::uint8_t>(distance & 0xFF));
    out.push_back(static_cast<std::uint8_t>(distance >> 8));
}

}  // namespace detail

// Packs `bytes` (greedy matching over hash chains). Made for the build machine; the browser only
// unpacks.
inline std::vector<std::uint8_t> packBytes(std::span<const std::uint8_t> bytes) {
    using namespace detail;
    std::vector<std::uint8_t> out;
    std::vector<std::size_t> head(std::size_t{1} << HASH_BITS, NO_POSITION);
    std::vector<std::size_t> previous(bytes.size(), NO_POSITION);
    const auto insert = [&](std::size_t at) {
        if (at + MIN_MATCH > bytes.size()) return;
        const std::size_t hash = hashAt(bytes, at);
        previous[at] = head[hash];
        head[hash] = at;
    };

    std::size_t literalStart = 0;
    std::size_t at = 0;
    while (at + MIN_MATCH <= bytes.size()) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        std::size_t candidate = head[hashAt(bytes, at)];
        for (std::size_t tries = 0; candidate != NO_POSITION && tries < CHAIN_LIMIT; ++tries) {
            if (at - candidate > MAX_DISTANCE) break;
            std::size_t length = 0;
            while (at + length < bytes.size() && bytes[candidate + length] == bytes[at + length]) ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = at - candidate;
            }
            candidate = previous[candidate];
        }
        if (bestLength < MIN_MATCH) {
            insert(at++);
            continue;
        }
        putLiterals(out, bytes.subspan(literalStart, at - literalStart));
        putMatch(out, bestLength, bestDistance);
        for (std::size_t end = at + bestLength; at < end; ++at) insert(at);
        literalStart = at;
    }
    putLiterals(out, bytes.subspan(literalStart));
    return out;
}

}  // namespace web_packing
