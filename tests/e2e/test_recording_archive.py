#!/usr/bin/python3
"""The archives that the recording file writer makes under Wine, read by independent readers:
Python's zipfile and Info-ZIP's unzip accept each one and give back the exact entry bytes."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

FRAMES_NAME = bytes.fromhex("c2bcd6c6cec4bcfe54656d70")  # 录制文件Temp in GBK
DELIMITER = bytes.fromhex("0b16210b16216fde4d0a")
CONFIG_8FPS = (b"[\xca\xd3\xc6\xb5\xc9\xe8\xd6\xc3]\r\n\xd6\xdc\xc6\xda=125\r\n"
               b"[\xd7\xd4\xc9\xe8\xd0\xc5\xcf\xa2]\r\nX=0\r\nY=0\r\n\xc4\xda\xc8\xdd=\r\n")
# What each writer test records, by test name.
EXPECTED_FRAMES = {
    "WritesTheArchiveShowsItsSizeAndCleansUp": (b"\x42" * 5000 + DELIMITER) * 3,
    "EmptyStoreAndLeftOverFilesArePacked": b"",
    "FramesFileFailureOffersRetryThenWrites": b"\x07" * 100 + DELIMITER,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe")
    parser.add_argument("--build-root", required=True)
    parser.add_argument("--source")
    args = parser.parse_args()
    tests = os.path.join(args.build_root, "win", "win_record_tests.exe")
    keep = tempfile.mkdtemp(prefix="glimwell_archives_")
    try:
        win_keep = subprocess.run(["winepath", "-w", keep], capture_output=True, text=True, check=True).stdout.strip()
        env = dict(os.environ, GLIMWELL_KEEP_ARCHIVES=win_keep)
        run = subprocess.run(["wine", tests, "--gtest_filter=RecordingFileWriterTest.*"], env=env,
                             stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout[-3000:])
            return 1
        checked = set()
        for name in sorted(os.listdir(keep)):
            path = os.path.join(keep, name)
            test = name.split("_", 1)[0]
            if test not in EXPECTED_FRAMES:
                continue  # a failure path: the file there is not an archive of ours
            unzip = subprocess.run(["unzip", "-tqq", path], capture_output=True, text=True)
            assert unzip.returncode == 0, (name, unzip.stdout, unzip.stderr)
            with zipfile.ZipFile(path) as archive:
                assert archive.testzip() is None, name
                # Names are GBK bytes with the UTF-8 flag clear; zipfile decodes them as cp437.
                entries = {info.filename.encode("cp437"): archive.read(info) for info in archive.infolist()}
                for info in archive.infolist():
                    assert info.flag_bits & 0x800 == 0, name
            assert entries[b"Config"] == CONFIG_8FPS, name
            if test in EXPECTED_FRAMES:
                assert entries[FRAMES_NAME] == EXPECTED_FRAMES[test], name
                checked.add(test)
        missing = set(EXPECTED_FRAMES) - checked
        assert not missing, f"no archive from {missing}"
        print(f"checked archives of {sorted(checked)}")
        return 0
    finally:
        shutil.rmtree(keep, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
