// Recursive halving of rectangles whose payload collides with a boundary sequence.
#include "record/collision_free_records.h"

#include "record/frame_format.h"

namespace glimwell {

void AppendCollisionFreeRecords(const PixelRect& rect, std::int32_t leftAlignment, Bytes& out,
                                const RecordEncoder& encode) {
    const std::size_t start = out.size();
    encode(rect, out);
    if (out.size() < start + kRecordOverhead) return;
    const ByteView payload(out.data() + start + kRecordHeaderSize, out.size() - start - kRecordOverhead);
    if (!PayloadCollides(payload)) return;
    out.resize(start);

    PixelRect first = rect, second = rect;
    if (rect.Height() >= 2) {
        first.bottom = second.top = rect.top + rect.Height() / 2;
    } else {
        const std::int32_t align = leftAlignment > 0 ? leftAlignment : 1;
        const std::int32_t cut = (rect.Width() / 2) / align * align;
        if (cut <= 0) return;
        first.right = second.left = rect.left + cut;
    }
    AppendCollisionFreeRecords(first, leftAlignment, out, encode);
    AppendCollisionFreeRecords(second, leftAlignment, out, encode);
}

}  // namespace glimwell
