// The 44-byte RIFF WAVE header written in front of the recorded samples.
#include "record/wave_file.h"

#include "platform/byte_io.h"

namespace glimwell {

bool IsAcceptedWaveFormat(int channels, int samplesPerSecond, int bitsPerSample) {
    const bool rate = samplesPerSecond == 8000 || samplesPerSecond == 11025 || samplesPerSecond == 22050 ||
                      samplesPerSecond == 44100;
    return (channels == 1 || channels == 2) && rate && (bitsPerSample == 8 || bitsPerSample == 16);
}

Bytes BuildWaveHeader(const WaveFormat& format, std::uint32_t dataSize) {
    static constexpr std::uint8_t kRiff[] = {'R', 'I', 'F', 'F'};
    static constexpr std::uint8_t kWaveFmt[] = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    static constexpr std::uint8_t kData[] = {'d', 'a', 't', 'a'};
    constexpr std::uint16_t kPcm = 1;
    constexpr std::uint32_t kFormatChunkSize = 16;

    Bytes header;
    header.reserve(kWaveHeaderSize);
    ByteWriter out(header);
    out.Raw(kRiff);
    out.U32(36 + dataSize);
    out.Raw(kWaveFmt);
    out.U32(kFormatChunkSize);
    out.U16(kPcm);
    out.U16(format.channels);
    out.U32(format.samplesPerSecond);
    out.U32(format.BytesPerSecond());
    out.U16(format.BlockAlign());
    out.U16(format.bitsPerSample);
    out.Raw(kData);
    out.U32(dataSize);
    return header;
}

}  // namespace glimwell
