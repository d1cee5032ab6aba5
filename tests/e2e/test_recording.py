#!/usr/bin/python3
"""End to end: glimwell.exe under Wine records a changing test window through its menus, as a
user would with the keyboard, and the .vx files are checked with independent readers
(zipfile, PIL): frame count against the ticks, the frame period, a pause that leaves no gap,
the picture rebuilt from the records, the next proposed name and an empty recording."""
import argparse
import io
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

from PIL import Image

from desktop import FRAME_DELIMITER, FRAMES_ENTRY, find_window, run, wait_for

REGION_TRAILER = bytes([0x02, 0x04, 0x05, 0x04, 0x05, 0x08, 0x08, 0x06, 0x09, 0x00, 0x00])
CONFIG_ENTRY = b"Config"
TEST_WINDOW_PLACE = (1500, 100)
TEST_WINDOW_SIZE = (320, 240)
MAIN_WINDOW = "Glimwell V1.1"
# Places in the main window at 96 DPI, relative to its top-left corner.
CAPTION = (300, 10)
FOCUS_SPOT = (550, 70)  # the empty strip beside the tabs
FILE_MENU = (20, 31)
EXIT_ITEM = (50, 85)
FRAME_RATE_BOX = (117, 222)


def keys(*sequence):
    for key in sequence:
        run("xdotool", "key", key)
        time.sleep(0.4)


def click(window_name, place, repeat=1):
    """Clicks at a place given relative to the top-left corner of the named window, looked up
    anew each time (Wine may replace a window's X window while it is being set up)."""
    def geometry_text():
        window_id = find_window(window_name)
        result = run("xdotool", "getwindowgeometry", "--shell", window_id, check=False) if window_id else None
        return result.stdout if result and result.returncode == 0 else None
    geometry = wait_for(geometry_text, 30, window_name)
    values = dict(line.split("=") for line in geometry.split())
    x, y = int(values["X"]) + place[0], int(values["Y"]) + place[1]
    run("xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(repeat), "1")
    time.sleep(0.4)


def focus(window_name):
    """Clicks on the caption and on an empty spot of the window: without a window manager, Wine
    gives a window the keyboard reliably only after both (the first click may be taken by the
    window's activation)."""
    click(window_name, CAPTION)
    click(window_name, FOCUS_SPOT)


def set_frame_rate(window_name, rate):
    """Clicks into the frame-rate box, selects its whole text and types the new number. Done
    twice: without a window manager the first click may only activate the window, and typing
    the same number over a selection again changes nothing."""
    for _ in range(2):
        click(window_name, FRAME_RATE_BOX)
        run("xdotool", "key", "End", "shift+Home")
        for digit in str(rate):
            run("xdotool", "key", digit)
        time.sleep(0.4)


def dismiss_completion_message():
    """Waits for the message that reports the archive's size and presses its OK button."""
    wait_for(lambda: find_window("生成完毕"), 60, "the completion message")
    time.sleep(0.5)
    keys("Return")
    wait_for(lambda: not find_window("生成完毕"), 10, "the completion message to close")


def test_picture(step):
    """A picture for the test window that differs everywhere from the one of the step before."""
    width, height = TEST_WINDOW_SIZE
    picture = Image.new("RGB", TEST_WINDOW_SIZE, ((step * 70) % 256, 40 + step * 50 % 200, 200 - step * 30 % 200))
    band = Image.new("RGB", (width, 40), (255 - step * 60 % 256, 255, step * 90 % 256))
    picture.paste(band, (0, (step * 50) % (height - 40)))
    return picture


def split_records(frame):
    """(x, y, payload) of every record of a frame, in order."""
    records = []
    start = 0
    while start < len(frame):
        end = frame.find(REGION_TRAILER, start)
        assert end >= 0, "record without trailer"
        piece = frame[start:end]
        x = int.from_bytes(piece[2:4], "little", signed=True)
        y = int.from_bytes(piece[6:8], "little", signed=True)
        assert piece[0:2] == b"\xff\xff" and piece[4:6] == b"\xff\xff" and piece[8:10] == b"\xff\xff"
        records.append((x, y, piece[10:]))
        start = end + len(REGION_TRAILER)
    return records


def rebuild(frames, size):
    picture = Image.new("RGB", size, (0, 0, 0))
    for frame in frames:
        for x, y, payload in split_records(frame):
            picture.paste(Image.open(io.BytesIO(payload)).convert("RGB"), (x, y))
    return picture


def read_recording(path):
    with zipfile.ZipFile(path) as archive:
        names = {info.filename.encode("cp437") if info.flag_bits & 0x800 == 0 else info.filename.encode("utf-8"): info
                 for info in archive.infolist()}
        assert FRAMES_ENTRY in names and CONFIG_ENTRY in names, f"entries: {list(names)}"
        frames = archive.read(names[FRAMES_ENTRY])
        config = archive.read(names[CONFIG_ENTRY]).decode("gbk")
    pieces = frames.split(FRAME_DELIMITER)
    assert pieces[-1] == b"", "bytes after the last delimiter"
    return pieces[:-1], config


def mean_difference(a, b):
    pixels = list(zip(a.getdata(), b.getdata()))
    return sum(abs(p - q) for pa, pb in pixels for p, q in zip(pa, pb)) / (3 * len(pixels))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--build-root", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: run under scripts/test")
        return 1
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", str(Path(args.build_root) / "wineprefix"))
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")

    work = Path(tempfile.mkdtemp(prefix="e2e-recording-", dir=args.build_root))
    exe = work / "glimwell.exe"
    shutil.copy(args.exe, exe)
    save_folder = work / "SaveFiles"
    picture_file = work / "test-window.png"
    test_picture(0).save(picture_file)

    viewer = subprocess.Popen(["display", "-geometry", "+%d+%d" % TEST_WINDOW_PLACE, "-update", "1",
                               str(picture_file)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = subprocess.Popen(["wine", str(exe)], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = MAIN_WINDOW
        wait_for(lambda: find_window(window), 60, "the main window")
        time.sleep(2.0)  # the creation handler's pause and first snapshot

        # Recording 1: about 3 s of recording at the default 8 frames per second, with a pause of
        # 1 s in the middle, while the test window changes.
        focus(window)
        set_frame_rate(window, 8)
        keys("alt+c", "p")
        recorded = time.time()
        step = 0
        def change_for(seconds):
            nonlocal step
            end = time.time() + seconds
            while time.time() < end:
                step += 1
                test_picture(step).save(picture_file)
                time.sleep(0.5)
        change_for(1.5)
        keys("alt+c", "r")
        paused_at = time.time()
        time.sleep(1.0)
        keys("alt+c", "t")
        paused = time.time() - paused_at
        change_for(1.5)
        time.sleep(2.5)  # the viewer (which looks once a second) shows the last picture, and it is recorded
        shot = Image.open(io.BytesIO(subprocess.run(["import", "-window", "root", "png:-"], capture_output=True,
                                                    check=True).stdout)).convert("RGB")
        keys("alt+c", "s")
        recording_seconds = time.time() - recorded - paused
        first = save_folder / "录像1.vx"
        dismiss_completion_message()
        wait_for(first.exists, 10, "录像1.vx")

        frames, config = read_recording(first)
        assert "周期=125" in config.splitlines(), config
        expected = recording_seconds * 8
        print(f"frames {len(frames)}, expected about {expected:.1f} ({recording_seconds:.2f} s recorded,"
              f" {paused:.2f} s paused)")
        # Ticks can be lost under load, never gained; the pause adds none.
        assert 0.6 * expected <= len(frames) <= expected + 2, f"{len(frames)} frames for {expected:.1f} ticks"

        screen_size = shot.size
        picture = rebuild(frames, screen_size)
        left, top = TEST_WINDOW_PLACE
        box = (left, top, left + TEST_WINDOW_SIZE[0], top + TEST_WINDOW_SIZE[1])
        rebuilt_window = picture.crop(box)
        shown_window = shot.crop(box)
        difference = mean_difference(rebuilt_window, shown_window)
        print(f"mean difference of the test window: {difference:.2f}")
        assert difference < 6, f"rebuilt test window differs from the screen by {difference:.2f} on average"

        # Recording 2 at 1 frame per second, stopped before its first tick: the name proposed
        # after recording 1 is used, and the frames entry is empty.
        focus(window)
        set_frame_rate(window, 1)
        run("xdotool", "key", "--delay", "150", "alt+c", "p", "alt+c", "s")
        second = save_folder / "录像2.vx"
        dismiss_completion_message()
        wait_for(second.exists, 10, "录像2.vx")
        frames, config = read_recording(second)
        assert "周期=1000" in config.splitlines(), config
        assert frames == [], f"{len(frames)} frames in a recording stopped before its first tick"

        # "退出(&E)" of the file menu ends the program.
        focus(window)
        click(window, FILE_MENU)
        click(window, EXIT_ITEM)
        program.wait(timeout=15)
        print("ok")
        return 0
    finally:
        if program.poll() is None:
            subprocess.run(["wine", "taskkill", "/F", "/IM", "glimwell.exe"], env=env, capture_output=True)
            program.kill()
        viewer.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
