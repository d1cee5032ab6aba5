// Loading a recording for playback: unpack the archive into its unpack folder, read and split
// the frames, read the period and the overlay from the settings entry, delete the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/byte_buffer.h"

namespace glimwell {

// The frames of the loaded recording, oldest first. The frames entry is held once; each frame
// is a view into it, and the bytes go when the last frame has been taken or on Clear.
class FrameList {
public:
    FrameList() = default;
    FrameList(const FrameList&) = delete;
    FrameList& operator=(const FrameList&) = delete;

    // Takes the frames entry's bytes and splits them into frames.
    void Assign(Bytes framesEntry);
    void Clear();

    bool Empty() const { return next_ == frames_.size(); }
    std::size_t Remaining() const { return frames_.size() - next_; }
    // The oldest frame not yet taken; valid until the next PopFront, Assign or Clear.
    ByteView Front() const { return frames_[next_]; }
    void PopFront();

private:
    Bytes bytes_;
    std::vector<ByteView> frames_;
    std::size_t next_ = 0;
};

// What the player holds of the recording it plays.
struct PlaybackState {
    std::wstring recordingPath;
    FrameList frames;
    std::int32_t currentFrame = 0;
    std::int32_t frameCount = 0;
    bool loaded = false;
    std::int32_t framePeriod = 0;  // milliseconds
    std::int32_t overlayX = 0;
    std::int32_t overlayY = 0;
    std::wstring overlayText;
};

// Unpacks `archive` into `unpackFolder` (cleared first), fills the frames, the current frame
// number (0), the frame count, the period and the overlay of `state`, and deletes the folder
// again, whatever the archive holds. Missing settings take their defaults: period 0, overlay
// at the screen's width + 10 and height + 10 (off the picture), no text. Never throws.
void LoadRecording(PlaybackState& state, const std::filesystem::path& archive, const std::filesystem::path& unpackFolder,
                   std::int32_t screenWidth, std::int32_t screenHeight);

// The values of a settings entry, as LoadRecording reads them.
struct PlaybackSettings {
    std::int32_t framePeriod = 0;
    std::int32_t overlayX = 0;
    std::int32_t overlayY = 0;
    std::string overlayText;  // GBK bytes
};
PlaybackSettings ReadPlaybackSettings(std::string_view iniBytes, std::int32_t screenWidth, std::int32_t screenHeight);

}  // namespace glimwell
