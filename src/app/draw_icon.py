#!/usr/bin/python3
"""Draws glimwell.ico, the program's icon: a red recording dot in a bright ring on a dark
blue rounded square. Run it again after changing the drawing: /usr/bin/python3 draw_icon.py"""
from pathlib import Path

from PIL import Image, ImageDraw

SIZE = 256


def draw(size):
    scale = 4  # draw large and shrink, for smooth edges
    s = size * scale
    image = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    pen = ImageDraw.Draw(image)
    pen.rounded_rectangle((0, 0, s - 1, s - 1), radius=s // 5, fill=(24, 48, 96, 255))
    margin = s * 0.14
    pen.ellipse((margin, margin, s - margin, s - margin), fill=(120, 200, 255, 255))
    margin = s * 0.22
    pen.ellipse((margin, margin, s - margin, s - margin), fill=(24, 48, 96, 255))
    margin = s * 0.31
    pen.ellipse((margin, margin, s - margin, s - margin), fill=(230, 40, 40, 255))
    glint = s * 0.38
    pen.ellipse((glint, glint, glint + s * 0.09, glint + s * 0.09), fill=(255, 190, 190, 255))
    return image.resize((size, size), Image.LANCZOS)


if __name__ == "__main__":
    sizes = [16, 24, 32, 48, 64, 256]
    big = draw(SIZE)
    big.save(Path(__file__).with_name("glimwell.ico"), sizes=[(n, n) for n in sizes])
