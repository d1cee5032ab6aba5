#!/usr/bin/python3
"""End to end: glimwell.exe under Wine. The two recording hot keys are set on the page "快捷键" as
a user would (click the key box, press the key, tick the boxes, click "设置"), then pressed from
xdotool: start, pause, resume, stop. The .vx file appears; the pause/continue key
while idle starts nothing."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

from desktop import FRAME_DELIMITER, FRAMES_ENTRY, find_window, run, wait_for

# Places in the main window at 96 DPI, relative to its top-left corner (frame included).
HOT_KEY_TAB = (155, 261)      # the tab "快捷键" at the bottom of the inner tab control
KEY_BOX_1 = (135, 132)        # "编辑框_键代码1"
KEY_BOX_2 = (695, 132)        # "编辑框_键代码2"
ALT_BOX_2 = (674, 209)        # "选择框_alt2"
SET_BUTTON = (393, 161)       # "按钮_设置快捷键"
FILE_MENU = (27, 33)          # "文件(&F)"
EXIT_ITEM = (20, 87)          # its item "退出(&E)"
FOCUS_SPOT = (45, 56)         # the tab "  录制设置  ": takes the focus from the key boxes


def key(*sequence):
    for k in sequence:
        run("xdotool", "key", k)
        time.sleep(0.4)


def click(window_id, place):
    """Clicks at a place given relative to the window's top-left corner."""
    geometry = run("xdotool", "getwindowgeometry", "--shell", window_id).stdout
    values = dict(line.split("=") for line in geometry.split())
    x, y = int(values["X"]) + place[0], int(values["Y"]) + place[1]
    run("xdotool", "mousemove", str(x), str(y), "click", "1")
    time.sleep(0.4)


def answer_message(title):
    """Waits for a message box of that title and presses its OK button."""
    wait_for(lambda: find_window(title), 60, f"the message {title}")
    time.sleep(0.5)
    key("Return")
    wait_for(lambda: not find_window(title), 10, f"the message {title} to close")


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

    work = Path(tempfile.mkdtemp(prefix="e2e-hot-keys-", dir=args.build_root))
    exe = work / "glimwell.exe"
    shutil.copy(args.exe, exe)
    recording = work / "SaveFiles" / "录像1.vx"
    program = subprocess.Popen(["wine", str(exe)], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for(lambda: find_window("Glimwell V1.1"), 60, "the main window")
        time.sleep(2.0)  # the creation handler's pause and first snapshot

        # Start/stop = Ctrl+F9: the key pressed in box 1 ticks Ctrl. Pause/continue = F8, with
        # Alt ticked by hand afterwards (the key alone clears the boxes first).
        click(window, HOT_KEY_TAB)
        click(window, KEY_BOX_1)
        key("ctrl+F9")
        click(window, KEY_BOX_2)
        key("F8")
        click(window, ALT_BOX_2)
        click(window, SET_BUTTON)
        answer_message("信息：")  # "设置成功！"

        # Wine sees X key events only while one of its windows has the focus.
        click(window, FOCUS_SPOT)
        key("alt+F8")  # pause/continue while idle: nothing starts
        time.sleep(1.0)
        key("ctrl+F9")  # start
        started = time.time()
        time.sleep(1.5)
        key("alt+F8")  # pause
        paused_at = time.time()
        time.sleep(1.0)
        key("alt+F8")  # resume
        paused = time.time() - paused_at
        time.sleep(1.5)
        key("ctrl+F9")  # stop: the file is written
        recorded = time.time() - started - paused
        answer_message("生成完毕")
        wait_for(recording.exists, 10, "录像1.vx")
        with zipfile.ZipFile(recording) as archive:
            names = [info.filename.encode("cp437") if info.flag_bits & 0x800 == 0 else info.filename.encode("utf-8")
                     for info in archive.infolist()]
            frames = archive.read(archive.infolist()[names.index(FRAMES_ENTRY)])
        ticks = frames.count(FRAME_DELIMITER)
        # 8 frames per second while recording; ticks can be lost under load, never gained, and
        # the pause and the idle key add none.
        expected = recorded * 8
        print(f"{ticks} frames, expected about {expected:.1f}")
        assert 0.5 * expected <= ticks <= expected + 2, f"{ticks} frames for {expected:.1f} ticks"
        assert not (work / "SaveFiles" / "录像2.vx").exists()

        # By mouse: under Wine, Alt pressed with a hot key and released counts as Alt alone,
        # which toggles the menu bar's keyboard mode.
        click(window, FILE_MENU)
        click(window, EXIT_ITEM)
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end after 退出(&E)")
        print("ok")
        return 0
    finally:
        if program.poll() is None:
            program.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
