// A COM stream over a movable global memory block holding a copy of some bytes: what GDI+ and
// the OLE picture loader read images from. The block and the stream are freed together.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <optional>

#include "platform/byte_buffer.h"

namespace glimwell {

class HGlobalStream {
public:
    HGlobalStream() = default;
    ~HGlobalStream() { Release(); }
    HGlobalStream(const HGlobalStream&) = delete;
    HGlobalStream& operator=(const HGlobalStream&) = delete;

    // Releases what was held, then copies `bytes` into a new zero-initialised block of `size`
    // bytes (default: the bytes' length; bytes beyond it are not copied) and opens a stream on
    // it, positioned at the start. Null when memory or the stream cannot be had.
    IStream* Open(ByteView bytes, std::optional<std::size_t> size = std::nullopt);
    // Releases the stream and frees the block; nothing when there is no stream.
    void Release();
    IStream* GetStream() const { return stream_; }

private:
    HGLOBAL memory_ = nullptr;
    void* locked_ = nullptr;  // set only while the bytes are copied in
    IStream* stream_ = nullptr;
};

}  // namespace glimwell
