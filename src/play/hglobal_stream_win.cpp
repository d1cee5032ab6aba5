// HGlobalStream: GlobalAlloc, copy, CreateStreamOnHGlobal without delete-on-release.
#include "play/hglobal_stream_win.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace glimwell {

IStream* HGlobalStream::Open(ByteView bytes, std::optional<std::size_t> size) {
    Release();
    const std::size_t blockSize = size.value_or(bytes.size());
    memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    if (!memory_) return nullptr;
    // The stream does not free the block: Release does, after the stream is gone.
    if (FAILED(CreateStreamOnHGlobal(memory_, FALSE, &stream_))) {
        stream_ = nullptr;
        GlobalFree(std::exchange(memory_, nullptr));
        return nullptr;
    }
    locked_ = GlobalLock(memory_);
    if (locked_) {
        std::memcpy(locked_, bytes.data(), std::min(blockSize, bytes.size()));
        GlobalUnlock(memory_);
        locked_ = nullptr;
    }
    return stream_;
}

void HGlobalStream::Release() {
    if (!stream_) return;
    std::exchange(stream_, nullptr)->Release();
    GlobalFree(std::exchange(memory_, nullptr));
}

}  // namespace glimwell
