// WinMM wave input with two buffers used in turn. Prepared buffers are queued again as they
// are; they are unprepared once, when the device closes.
#include "record/sound_recorder_win.h"

#include <fstream>

namespace glimwell {

namespace {

constexpr DWORD kEndingWaitMs = 10;
constexpr DWORD kReturnWaitMs = 1000;  // the longest wait for reset buffers to come back

}  // namespace

SoundRecorder::~SoundRecorder() { CloseDevice(); }

bool SoundRecorder::SetFormat(int channels, int samplesPerSecond, int bitsPerSample) {
    if (!IsAcceptedWaveFormat(channels, samplesPerSecond, bitsPerSample)) return false;
    format_ = WaveFormat{static_cast<std::uint16_t>(channels), static_cast<std::uint32_t>(samplesPerSecond),
                         static_cast<std::uint16_t>(bitsPerSample)};
    return true;
}

bool SoundRecorder::StartInput() {
    CloseDevice();
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = format_.channels;
    wave.nSamplesPerSec = format_.samplesPerSecond;
    wave.wBitsPerSample = format_.bitsPerSample;
    wave.nBlockAlign = format_.BlockAlign();
    wave.nAvgBytesPerSec = format_.BytesPerSecond();
    if (waveInOpen(nullptr, WAVE_MAPPER, &wave, 0, 0, WAVE_FORMAT_QUERY) != MMSYSERR_NOERROR) return false;
    if (waveInOpen(&device_, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(&DeviceCallback),
                   reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    ending_ = false;
    {
        std::lock_guard lock(chunksMutex_);
        chunks_.clear();
    }
    for (Buffer& buffer : buffers_) {
        buffer.header = WAVEHDR{};
        buffer.header.lpData = buffer.data.data();
        buffer.header.dwBufferLength = kBufferSize;
        if (waveInPrepareHeader(device_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR ||
            !Queue(buffer)) {
            CloseDevice();
            return false;
        }
    }
    if (waveInStart(device_) != MMSYSERR_NOERROR) {
        CloseDevice();
        return false;
    }
    capturing_ = true;
    return true;
}

bool SoundRecorder::PauseInput() { return device_ && capturing_ && waveInStop(device_) == MMSYSERR_NOERROR; }

bool SoundRecorder::ResumeInput() { return device_ && capturing_ && waveInStart(device_) == MMSYSERR_NOERROR; }

bool SoundRecorder::StopInput() {
    if (!device_) return false;
    ending_ = true;
    Sleep(kEndingWaitMs);
    const bool ok = waveInReset(device_) == MMSYSERR_NOERROR;
    WaitForQueuedBuffers();
    capturing_ = false;
    return ok;
}

bool SoundRecorder::SaveWave(const std::filesystem::path& path, bool overwrite) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !overwrite) return false;
    if (capturing_) StopInput();
    CloseDevice();
    const Bytes samples = JoinedChunks();
    const Bytes header = BuildWaveHeader(format_, static_cast<std::uint32_t>(samples.size()));
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
        file.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size()));
    }
    return std::filesystem::exists(path, ec);
}

void SoundRecorder::OnBufferFilled(WAVEHDR& header) {
    {
        std::lock_guard lock(chunksMutex_);
        chunks_.emplace_back(header.lpData, header.lpData + header.dwBytesRecorded);
    }
    if (!IsOwnBuffer(header)) return;
    Buffer& buffer = *reinterpret_cast<Buffer*>(reinterpret_cast<char*>(&header) - offsetof(Buffer, header));
    // Queue again first, then count this return: the count never drops to zero while a buffer
    // is still on its way back into the device.
    if (!ending_ && device_) Queue(buffer);
    --queued_;
}

Bytes SoundRecorder::JoinedChunks() {
    std::lock_guard lock(chunksMutex_);
    Bytes joined;
    for (const Bytes& chunk : chunks_) joined.insert(joined.end(), chunk.begin(), chunk.end());
    return joined;
}

void CALLBACK SoundRecorder::DeviceCallback(HWAVEIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    if (message != WIM_DATA) return;
    reinterpret_cast<SoundRecorder*>(instance)->OnBufferFilled(*reinterpret_cast<WAVEHDR*>(param1));
}

bool SoundRecorder::Queue(Buffer& buffer) {
    buffer.header.dwBytesRecorded = 0;
    ++queued_;
    if (waveInAddBuffer(device_, &buffer.header, sizeof buffer.header) == MMSYSERR_NOERROR) return true;
    --queued_;
    return false;
}

bool SoundRecorder::IsOwnBuffer(const WAVEHDR& header) const {
    return &header == &buffers_[0].header || &header == &buffers_[1].header;
}

void SoundRecorder::WaitForQueuedBuffers() {
    const DWORD start = GetTickCount();
    while (queued_ > 0 && GetTickCount() - start < kReturnWaitMs) Sleep(1);
}

void SoundRecorder::CloseDevice() {
    if (!device_) return;
    ending_ = true;
    waveInReset(device_);
    WaitForQueuedBuffers();
    for (Buffer& buffer : buffers_)
        if (buffer.header.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(device_, &buffer.header, sizeof buffer.header);
    waveInClose(device_);
    device_ = nullptr;
    capturing_ = false;
    queued_ = 0;
}

}  // namespace glimwell
