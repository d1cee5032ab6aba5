// Growable byte string, whole-file reading and splitting at a byte sequence.
#include "platform/byte_buffer.h"

#include <algorithm>
#include <fstream>
#include <functional>

namespace glimwell {

void ByteBuffer::Append(ByteView bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteBuffer::Append(std::initializer_list<ByteView> pieces) {
    std::size_t total = bytes_.size();
    for (ByteView piece : pieces) total += piece.size();
    if (total > bytes_.capacity()) bytes_.reserve(std::max(total, bytes_.capacity() * 2));
    for (ByteView piece : pieces) Append(piece);
}

Bytes ByteBuffer::TakeAll() {
    Bytes taken;
    taken.swap(bytes_);
    return taken;
}

void ByteBuffer::Clear() {
    Bytes().swap(bytes_);
}

bool ReadWholeFile(const std::filesystem::path& path, Bytes& out) {
    out.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return false;
    file.seekg(0, std::ios::beg);
    try {
        out.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    if (size > 0 && !file.read(reinterpret_cast<char*>(out.data()), size)) {
        Bytes().swap(out);
        return false;
    }
    return true;
}

std::size_t FindBytes(ByteView bytes, ByteView needle, std::size_t from) {
    if (needle.empty() || from >= bytes.size()) return bytes.size();
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(from);
    const auto hit = std::search(begin, bytes.end(),
                                 std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    return static_cast<std::size_t>(hit - bytes.begin());
}

std::vector<ByteView> SplitAt(ByteView bytes, ByteView delimiter) {
    std::vector<ByteView> pieces;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t hit = FindBytes(bytes, delimiter, start);
        if (hit == bytes.size()) break;
        pieces.push_back(bytes.subspan(start, hit - start));
        start = hit + delimiter.size();
    }
    if (start < bytes.size()) pieces.push_back(bytes.subspan(start));
    return pieces;
}

}  // namespace glimwell
