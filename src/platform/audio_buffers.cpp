// Preparing and unpreparing output buffers: bookkeeping on the header alone, the same on every device.
#include "platform/audio_buffers.h"

namespace platform {

bool audioPrepare(AudioBufferHeader* header) {
    if (header == nullptr || header->data == nullptr) return false;
    header->flags |= audio_buffers::PREPARED;
    return true;
}

// A queued buffer still belongs to the device.
bool audioUnprepare(AudioBufferHeader* header) {
    if (header == nullptr || (header->flags & audio_buffers::QUEUED) != 0) return false;
    header->flags &= ~audio_buffers::PREPARED;
    return true;
}

}  // namespace platform
