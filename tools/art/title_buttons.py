#!/usr/bin/env python3
"""Draws the main window's title-button faces (24 x 24 PNG) into
resources/image (title_ + name): close, minimize, maximize, restore, info and setup, each as
_normal, _hover and _pressed. Standard library only; run again after a change."""

import math
import os
import struct
import zlib

SIZE = 24
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "image")
STATES = {
    "normal": ((0, 0, 0, 0), (200, 200, 210, 255)),
    "hover": ((64, 64, 76, 255), (240, 240, 240, 255)),
    "pressed": ((38, 153, 238, 255), (255, 255, 255, 255)),
}


def png(pixels):
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def canvas(bg):
    return [[bg for _ in range(SIZE)] for _ in range(SIZE)]


def dot(img, x, y, fg):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        img[y][x] = fg


def line(img, x0, y0, x1, y1, fg, width=2):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for dx in range(width):
            for dy in range(width):
                dot(img, int(round(x)) + dx, int(round(y)) + dy, fg)


def rect(img, x0, y0, x1, y1, fg):
    line(img, x0, y0, x1, y0, fg, 1)
    line(img, x0, y1, x1, y1, fg, 1)
    line(img, x0, y0, x0, y1, fg, 1)
    line(img, x1, y0, x1, y1, fg, 1)


def close(img, fg):
    line(img, 7, 7, 16, 16, fg)
    line(img, 16, 7, 7, 16, fg)


def minimize(img, fg):
    line(img, 6, 15, 17, 15, fg)


def maximize(img, fg):
    rect(img, 6, 6, 17, 17, fg)
    line(img, 6, 7, 17, 7, fg, 1)


def restore(img, fg):
    rect(img, 5, 9, 14, 18, fg)
    line(img, 9, 5, 18, 5, fg, 1)
    line(img, 18, 5, 18, 14, fg, 1)


def info(img, fg):
    for a in range(0, 360, 4):
        dot(img, int(round(11.5 + 8 * math.cos(math.radians(a)))), int(round(11.5 + 8 * math.sin(math.radians(a)))), fg)
    line(img, 11, 7, 11, 8, fg)
    line(img, 11, 10, 11, 15, fg)


def setup(img, fg):
    for a in range(0, 360, 3):
        r = 7.5 if (a // 30) % 2 == 0 else 6
        dot(img, int(round(11.5 + r * math.cos(math.radians(a)))), int(round(11.5 + r * math.sin(math.radians(a)))), fg)
    for a in range(0, 360, 10):
        dot(img, int(round(11.5 + 2.5 * math.cos(math.radians(a)))), int(round(11.5 + 2.5 * math.sin(math.radians(a)))), fg)


FACES = {"close": close, "minimize": minimize, "maximize": maximize, "restore": restore, "info": info, "setup": setup}

if __name__ == "__main__":
    for name, draw in FACES.items():
        for state, (bg, fg) in STATES.items():
            img = canvas(bg)
            draw(img, fg)
            with open(os.path.join(OUT, "title_%s_%s.png" % (name, state)), "wb") as f:
                f.write(png(img))
