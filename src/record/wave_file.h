// MusicEntry: a PCM WAV file with the canonical 44-byte header, and the wave formats that the
// sound recorder accepts.
#pragma once

#include <cstdint>

#include "platform/byte_buffer.h"

namespace glimwell {

struct WaveFormat {
    std::uint16_t channels = 1;
    std::uint32_t samplesPerSecond = 8000;
    std::uint16_t bitsPerSample = 16;

    std::uint16_t BlockAlign() const { return static_cast<std::uint16_t>(channels * bitsPerSample / 8); }
    std::uint32_t BytesPerSecond() const { return samplesPerSecond * BlockAlign(); }
};

inline constexpr std::size_t kWaveHeaderSize = 44;

// Channels 1 or 2; 8000, 11025, 22050 or 44100 samples per second; 8 or 16 bits.
bool IsAcceptedWaveFormat(int channels, int samplesPerSecond, int bitsPerSample);

Bytes BuildWaveHeader(const WaveFormat& format, std::uint32_t dataSize);

}  // namespace glimwell
