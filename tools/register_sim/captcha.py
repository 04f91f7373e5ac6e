"""Captcha codes and their pictures."""

from __future__ import annotations

import random
from typing import Tuple

from register_sim import bitmap_font
from register_sim.image_codecs import encode_jpeg, encode_png

WIDTH = 100
HEIGHT = 25
SCALE = 2
# Lower-case letters and digits, without the ones a person confuses (0/o, 1/l/i).
ALPHABET = "23456789abcdefghjkmnpqrstuvwxyz"
CODE_LENGTH = 4


def new_code(rng: random.Random) -> str:
    return "".join(rng.choice(ALPHABET) for _ in range(CODE_LENGTH))


def valid_fixed_code(code: str) -> bool:
    return 1 <= len(code) <= 8 and code.isascii() and code.isalnum()


class _Canvas:
    def __init__(self, width: int, height: int, background: Tuple[int, int, int]) -> None:
        self.width, self.height = width, height
        self.px = bytearray(bytes(background) * (width * height))

    def put(self, x: int, y: int, color: Tuple[int, int, int]) -> None:
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            self.px[i:i + 3] = bytes(color)

    def line(self, x0: int, y0: int, x1: int, y1: int, color: Tuple[int, int, int]) -> None:
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for s in range(steps + 1):
            self.put(x0 + (x1 - x0) * s // steps, y0 + (y1 - y0) * s // steps, color)


def _pixels(code: str, rng: random.Random) -> bytes:
    canvas = _Canvas(WIDTH, HEIGHT, (rng.randint(225, 250), rng.randint(225, 250), rng.randint(225, 250)))
    # Noise first, so the characters stay on top and readable.
    for _ in range(60):
        canvas.put(rng.randrange(WIDTH), rng.randrange(HEIGHT),
                   (rng.randint(120, 210), rng.randint(120, 210), rng.randint(120, 210)))
    for _ in range(2):
        canvas.line(rng.randrange(WIDTH // 3), rng.randrange(HEIGHT), WIDTH - 1 - rng.randrange(WIDTH // 3),
                    rng.randrange(HEIGHT), (rng.randint(140, 200), rng.randint(140, 200), rng.randint(140, 200)))
    glyph_h = bitmap_font.HEIGHT * SCALE
    step = (WIDTH - 16) // max(len(code), 1)
    for n, ch in enumerate(code):
        color = (rng.randint(10, 110), rng.randint(10, 110), rng.randint(10, 110))
        x0 = 8 + n * step + rng.randint(-2, 2)
        y0 = rng.randint(1, max(HEIGHT - glyph_h - 1, 1))
        for gy, row in enumerate(bitmap_font.glyph(ch)):
            for gx, cell in enumerate(row):
                if cell == "#":
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            canvas.put(x0 + gx * SCALE + dx, y0 + gy * SCALE + dy, color)
    return bytes(canvas.px)


def picture(code: str, rng: random.Random, fmt: str = "png") -> Tuple[bytes, str]:
    """The picture of a code and its content type."""
    rgb = _pixels(code, rng)
    if fmt == "jpeg":
        return encode_jpeg(WIDTH, HEIGHT, rgb, quality=92), "image/jpeg"
    return encode_png(WIDTH, HEIGHT, rgb), "image/png"
