#!/usr/bin/python3
"""Writes the seed corpus of the recording fuzzer: small recordings (ZIP archives with GBK
entry names, frames of BMP, PNG and JPEG records, the settings entry) and bare frames and
settings entries. Images come from PIL's own encoders."""
import io
import struct
import sys
import zipfile
from pathlib import Path

from PIL import Image

TRAILER = bytes([0x02, 0x04, 0x05, 0x04, 0x05, 0x08, 0x08, 0x06, 0x09, 0x00, 0x00])
DELIMITER = bytes([0x0B, 0x16, 0x21, 0x0B, 0x16, 0x21, 0x6F, 0xDE, 0x4D, 0x0A])
FRAMES_NAME = "录制文件Temp".encode("gbk")
CONFIG = ("[视频设置]\r\n周期=125\r\n[自设信息]\r\nX=10\r\nY=20\r\n内容=你好\r\n").encode("gbk")


class GbkZipInfo(zipfile.ZipInfo):
    """Stores the name as given bytes without the UTF-8 flag, as recordings do."""

    def __init__(self, raw_name):
        super().__init__(raw_name.decode("latin-1"))
        self.raw_name = raw_name
        self.compress_type = zipfile.ZIP_DEFLATED

    def _encodeFilenameFlags(self):
        return self.raw_name, self.flag_bits


def picture(width, height, seed):
    image = Image.new("RGB", (width, height))
    image.putdata([((x * 37 + seed) % 256, (y * 53) % 256, (x * y + seed) % 256)
                   for y in range(height) for x in range(width)])
    return image


def bmp32(image):
    """A bottom-up 32-bit BMP with the pixel array's size in bfSize, as recordings store it."""
    width, height = image.size
    rows = b"".join(bytes(v for x in range(width) for v in (*image.getpixel((x, y))[::-1], 0))
                    for y in reversed(range(height)))
    return (b"BM" + struct.pack("<IHHI", len(rows), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, 0, 0, 0, 0, 0) + rows)


def encoded(image, kind):
    out = io.BytesIO()
    if kind == "BMP":
        return bmp32(image)
    image.save(out, kind, **({"quality": 90} if kind == "JPEG" else {}))
    return out.getvalue() + b"\0\0"  # the encoder's memory block may run past the image


def record(x, y, payload):
    return b"\xff\xff" + struct.pack("<h", x) + b"\xff\xff" + struct.pack("<h", y) + b"\xff\xff" + payload + TRAILER


def frames(kind):
    full = record(0, 0, encoded(picture(24, 16, 1), kind))
    delta = record(16, 0, encoded(picture(8, 8, 2), kind)) + record(3, 5, encoded(picture(4, 4, 3), kind))
    return full + DELIMITER + DELIMITER + delta + DELIMITER


def archive(entries):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as z:
        for name, data in entries:
            z.writestr(GbkZipInfo(name), data)
    return out.getvalue()


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    seeds = {}
    for kind in ("BMP", "PNG", "JPEG"):
        seeds[f"rec-{kind.lower()}.vx"] = archive([(FRAMES_NAME, frames(kind)), (b"Config", CONFIG)])
        seeds[f"frames-{kind.lower()}.bin"] = frames(kind)
    seeds["rec-empty.vx"] = archive([(FRAMES_NAME, b""), (b"Config", CONFIG)])
    seeds["rec-unsafe.vx"] = archive([(b"..\\" + FRAMES_NAME, DELIMITER), (b"C:\\x", b"x"), (b"dir/", b"")])
    seeds["config.ini"] = CONFIG
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1])
