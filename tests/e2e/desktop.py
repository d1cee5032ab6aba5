"""Shared pieces of the end-to-end tests: running commands, waiting, finding X windows, and the
byte constants of a recording that the tests read with their own code."""
import subprocess
import time

FRAME_DELIMITER = bytes([0x0B, 0x16, 0x21, 0x0B, 0x16, 0x21, 0x6F, 0xDE, 0x4D, 0x0A])
FRAMES_ENTRY = "录制文件Temp".encode("gbk")


def run(*command, check=True):
    return subprocess.run(command, check=check, capture_output=True, text=True)


def wait_for(predicate, timeout, what):
    end = time.time() + timeout
    while time.time() < end:
        result = predicate()
        if result:
            return result
        time.sleep(0.2)
    raise AssertionError(f"timed out waiting for {what}")


def find_window(name):
    result = run("xdotool", "search", "--onlyvisible", "--name", name, check=False)
    ids = result.stdout.split()
    return ids[0] if ids else None
