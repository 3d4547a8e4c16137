// findResource over the built-in table; shared by the desktop and headless backends (the browser looks
// its resources up in a packed table of its own).
#include "platform/platform.h"
#include "platform/resource_table.h"

namespace platform {

std::span<const std::uint8_t> findResource(std::string_view type, int id) {
    for (std::size_t i = 0; i < resourceCount; ++i) {
        const ResourceEntry& entry = resourceTable[i];
        if (entry.id == id && type == entry.type) return {entry.bytes, entry.size};
    }
    return {};
}

}  // namespace platform
