// The sound recorder without a sound device (Wine here has none): refused formats, the failing
// start, and the chunk path fed with filled buffers as the device callback would hand them back.
#include "record/sound_recorder_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/byte_io.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;

fs::path TempFile(const char* name) { return fs::temp_directory_path() / name; }

TEST(SoundRecorderTest, RefusedFormatsKeepTheEarlierOne) {
    SoundRecorder recorder;
    ASSERT_TRUE(recorder.SetFormat(2, 8000, 16));
    for (auto [channels, rate, bits] : {std::tuple{3, 8000, 16}, {1, 48000, 16}, {1, 8000, 12}, {0, 8000, 8}})
        EXPECT_FALSE(recorder.SetFormat(channels, rate, bits));
    EXPECT_EQ(recorder.Format().channels, 2);
    EXPECT_EQ(recorder.Format().samplesPerSecond, 8000u);
    EXPECT_EQ(recorder.Format().bitsPerSample, 16);
}

TEST(SoundRecorderTest, WithoutADeviceStartFailsAndNothingIsOpen) {
    if (waveInGetNumDevs() > 0) GTEST_SKIP() << "a wave input device exists here";
    SoundRecorder recorder;
    EXPECT_FALSE(recorder.StartInput());
    EXPECT_FALSE(recorder.IsInputOpen());
    EXPECT_FALSE(recorder.PauseInput());
    EXPECT_FALSE(recorder.ResumeInput());
}

TEST(SoundRecorderTest, FilledBuffersBecomeOneContinuousWave) {
    SoundRecorder recorder;
    recorder.SetFormat(2, 8000, 16);
    // Buffers handed back from another thread, as the audio system's callback does, including
    // the part-filled buffer that a pause returns.
    std::vector<char> a(4096, 'a'), b(1000, 'b'), c(4096, 'c');
    std::thread device([&] {
        for (std::vector<char>* data : {&a, &b, &c}) {
            WAVEHDR header{};
            header.lpData = data->data();
            header.dwBufferLength = static_cast<DWORD>(data->size());
            header.dwBytesRecorded = static_cast<DWORD>(data->size());
            recorder.OnBufferFilled(header);
        }
    });
    device.join();

    const fs::path path = TempFile("glimwell_sound_test.wav");
    fs::remove(path);
    ASSERT_TRUE(recorder.SaveWave(path, false));
    Bytes file;
    ASSERT_TRUE(ReadWholeFile(path, file));
    ASSERT_EQ(file.size(), 44u + 4096 + 1000 + 4096);
    EXPECT_EQ(ReadU32At(file, 40), 4096u + 1000 + 4096);
    EXPECT_EQ(ReadU16At(file, 22), 2);
    EXPECT_EQ(file[44], 'a');
    EXPECT_EQ(file[44 + 4096], 'b');
    EXPECT_EQ(file[44 + 5096], 'c');
    EXPECT_EQ(file.back(), 'c');

    // An existing file is kept unless the overwrite flag is set.
    EXPECT_FALSE(recorder.SaveWave(path, false));
    EXPECT_EQ(fs::file_size(path), file.size());
    EXPECT_TRUE(recorder.SaveWave(path, true));
    fs::remove(path);
}

}  // namespace
}  // namespace glimwell
