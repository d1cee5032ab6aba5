// The 8-bit table is a 3-3-2 colour cube with the twenty system colours at both ends; the 4-bit
// and 1-bit tables are the standard sixteen colours and black and white.
#include "record/palettes.h"

#include <cstddef>

namespace glimwell {
namespace {

constexpr std::uint32_t kEightBitLow[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                            0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
constexpr std::uint32_t kEightBitHigh[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                             0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr std::uint32_t kFourBit[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Stores an RRGGBB colour as a table entry: blue, green, red, 0.
void PutEntry(std::uint8_t* table, std::size_t index, std::uint32_t rgb) {
    std::uint8_t* entry = table + index * 4;
    entry[0] = static_cast<std::uint8_t>(rgb);
    entry[1] = static_cast<std::uint8_t>(rgb >> 8);
    entry[2] = static_cast<std::uint8_t>(rgb >> 16);
    entry[3] = 0;
}

}  // namespace

Palettes MakePalettes() {
    Palettes p;
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t rgb;
        if (i < 10) {
            rgb = kEightBitLow[i];
        } else if (i > 245) {
            rgb = kEightBitHigh[i - 246];
        } else {
            const std::uint32_t red = 32 * (i % 8), green = 32 * ((i / 8) % 8), blue = 64 * (i / 64);
            rgb = (red << 16) | (green << 8) | blue;
        }
        PutEntry(p.eightBit.data(), i, rgb);
    }
    for (std::size_t i = 0; i < 16; ++i) PutEntry(p.fourBit.data(), i, kFourBit[i]);
    PutEntry(p.oneBit.data(), 0, 0x000000);
    PutEntry(p.oneBit.data(), 1, 0xFFFFFF);
    return p;
}

ByteView Palettes::TableFor(std::int32_t bitsPerPixel) const {
    switch (bitsPerPixel) {
    case 8: return eightBit;
    case 4: return fourBit;
    case 1: return oneBit;
    default: return {};
    }
}

}  // namespace glimwell
