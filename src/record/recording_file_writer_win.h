// WriteRecordingFile: turns a stopped recording into a .vx archive in the save folder. It shows
// the progress window, writes the frames, the INI entry and the sound into a temporary folder,
// packs that folder, reports the archive's size, removes the folder, proposes the next file
// name and empties the FrameStore. Runs on the GUI thread until it is done.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/byte_buffer.h"
#include "platform/message_box.h"
#include "record/frame_store.h"

namespace glimwell {

class SoundRecorder;

// What the writer reads from and shows in the main window; the main window implements it.
class RecordingFileHost {
public:
    virtual ~RecordingFileHost() = default;

    virtual HWND OwnerWindow() const = 0;
    virtual std::wstring CacheFolderText() const = 0;
    virtual std::wstring SaveFolderText() const = 0;
    virtual std::wstring FileNameText() const = 0;
    virtual int FrameRate() const = 0;
    virtual std::wstring OverlayXText() const = 0;
    virtual std::wstring OverlayYText() const = 0;
    virtual std::wstring OverlayText() const = 0;

    virtual void SetFileNameText(const std::wstring& name) = 0;
    // The BMP file bytes of the screen as the recording ended, for the preview canvas.
    virtual void ShowPreview(Bytes snapshot) = 0;
    // A task-modal message box of the program.
    virtual MessageResult ShowMessage(std::wstring_view text, std::wstring_view title, UINT style) = 0;
};

// `teardownCapturer` releases the screen capturer's resources; `sound` may be null.
void WriteRecordingFile(RecordingFileHost& host, FrameStore& frames, SoundRecorder* sound,
                        const std::function<void()>& teardownCapturer);

// The completion message: "生成完毕,大小:" and the size in kilobytes, then "Kb".
std::wstring CompletionText(std::uint64_t archiveBytes);

}  // namespace glimwell
