// findResource for the browser build: each resource is unpacked the first time the game asks for it
// and kept for the rest of the visit, as the device keeps its resources mapped.
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/web/packed_resources.h"
#include "platform/web/resource_packing.h"

namespace {

struct UnpackedResource {
    bool tried = false;
    std::vector<std::uint8_t> bytes;
};

std::span<const std::uint8_t> unpacked(std::size_t index) {
    static const std::unique_ptr<UnpackedResource[]> cache(new UnpackedResource[web::packedResourceCount]);
    UnpackedResource& entry = cache[index];
    if (!entry.tried) {
        entry.tried = true;
        const web::PackedResource& packed = web::packedResources[index];
        entry.bytes.resize(packed.size);
        // A damaged resource is a missing one.
        if (!web_packing::unpackBytes({packed.packed, packed.packedSize}, entry.bytes)) entry.bytes.clear();
    }
    return entry.bytes;
}

}  // namespace

namespace platform {

std::span<const std::uint8_t> findResource(std::string_view type, int id) {
    for (std::size_t i = 0; i < web::packedResourceCount; ++i) {
        const web::PackedResource& entry = web::packedResources[i];
        if (entry.id == id && type == entry.type) return unpacked(i);
    }
    return {};
}

}  // namespace platform
