// SoundRecorder: records the default wave input (the wave mapper) into memory in 4096-byte
// chunks and writes everything captured as one WAV file. The device hands filled buffers back
// on the audio system's thread; the chunk list is guarded by a mutex and read only after the
// capture has ended and every queued buffer has come back.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/byte_buffer.h"
#include "record/wave_file.h"

namespace glimwell {

class SoundRecorder {
public:
    static constexpr std::size_t kBufferSize = 4096;

    SoundRecorder() = default;
    ~SoundRecorder();
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    // Refuses anything but 1 or 2 channels, 8000/11025/22050/44100 samples per second and 8 or
    // 16 bits, keeping the earlier format. Takes effect at the next StartInput.
    bool SetFormat(int channels, int samplesPerSecond, int bitsPerSample);
    const WaveFormat& Format() const { return format_; }

    // Opens the wave mapper with the stored format, discards the chunks of an earlier capture,
    // queues both buffers and starts. False (and nothing open) when the device or format fails.
    bool StartInput();
    // True from a successful StartInput until StopInput or SaveWave ends the capture.
    bool IsInputOpen() const { return capturing_; }
    // The device hands back the buffer it was filling and stays open; nothing is recorded meanwhile.
    bool PauseInput();
    bool ResumeInput();
    // Sets the ending flag, waits 10 ms, then resets the device, which returns every queued buffer.
    bool StopInput();
    // Unless a file is at `path` and `overwrite` is clear: ends the capture, closes the device and
    // writes the header and every chunk in order. True if the file exists afterwards.
    bool SaveWave(const std::filesystem::path& path, bool overwrite);

    // What the device callback does with a filled buffer (WIM_DATA): keeps the recorded bytes as
    // one chunk and, unless ending, queues the buffer again. Public so that tests feed buffers.
    void OnBufferFilled(WAVEHDR& header);

    // The captured chunks joined in order.
    Bytes JoinedChunks();

private:
    struct Buffer {
        WAVEHDR header{};
        std::array<char, kBufferSize> data{};
    };

    static void CALLBACK DeviceCallback(HWAVEIN device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                        DWORD_PTR param2);
    bool Queue(Buffer& buffer);
    bool IsOwnBuffer(const WAVEHDR& header) const;
    void WaitForQueuedBuffers();
    void CloseDevice();

    WaveFormat format_;
    HWAVEIN device_ = nullptr;
    bool capturing_ = false;
    std::array<Buffer, 2> buffers_;
    std::atomic<bool> ending_{false};
    std::atomic<int> queued_{0};
    std::mutex chunksMutex_;
    std::vector<Bytes> chunks_;
};

}  // namespace glimwell
