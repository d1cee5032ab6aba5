// Linear congruential generator: state = state * 214013 + 2531011 (mod 2^32), value = bits 16..30.
#include "record/row_random.h"

namespace glimwell {
namespace {

thread_local std::uint32_t rowRandomState = 1;

}  // namespace

void SeedRowRandom(std::uint32_t seed) { rowRandomState = seed; }

std::int32_t NextRowRandom() {
    rowRandomState = rowRandomState * 214013u + 2531011u;
    return static_cast<std::int32_t>((rowRandomState >> 16) & 0x7FFF);
}

}  // namespace glimwell
