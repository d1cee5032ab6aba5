// A growable byte string: the in-memory store of a recording and the loader's view of a file.
// Byte strings may hold zero bytes; pieces returned by Split point into the buffer, so a
// loaded file is never held twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace glimwell {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

class ByteBuffer {
public:
    void Append(ByteView bytes);
    // Appends several pieces with one growth step, so a frame and its delimiter land together.
    void Append(std::initializer_list<ByteView> pieces);
    // Hands the whole content to the caller and leaves the buffer empty.
    Bytes TakeAll();
    void Clear();

    ByteView View() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    bool Empty() const { return bytes_.empty(); }

private:
    Bytes bytes_;
};

// Reads a whole file; false when it cannot be opened or read (the buffer is then empty).
bool ReadWholeFile(const std::filesystem::path& path, Bytes& out);

// Splits at every occurrence of `delimiter` (which must not be empty): the stretch before
// each delimiter is one piece, also an empty one between two adjacent delimiters; the bytes
// after the last delimiter form one more piece only if there are any.
std::vector<ByteView> SplitAt(ByteView bytes, ByteView delimiter);

// Position of the first occurrence of `needle` at or after `from`, or bytes.size().
std::size_t FindBytes(ByteView bytes, ByteView needle, std::size_t from = 0);

}  // namespace glimwell
