// The table of resources built into the program from assets/ (generated at build time by
// spirehold-embed); findResource looks entries up here on the desktop and headless backends, and the
// browser build packs its own table from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct ResourceEntry {
    const char* type;            // "IMAGE", "WAVE" or "MOD"
    int id;
    const std::uint8_t* bytes;
    std::size_t size;
};

extern const ResourceEntry resourceTable[];
extern const std::size_t resourceCount;

}  // namespace platform
