"""Minimal PNG and baseline JPEG encoders for RGB pictures (standard library only).

Pixels are given as one bytes object of width * height * 3 values, rows top to bottom.
"""

from __future__ import annotations

import math
import struct
import zlib
from typing import Dict, List, Sequence, Tuple

# ---------------------------------------------------------------- PNG


def _png_chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def encode_png(width: int, height: int, rgb: bytes) -> bytes:
    if len(rgb) != width * height * 3:
        raise ValueError("pixel data does not match the size")
    stride = width * 3
    # Filter type 0 (none) before every row.
    raw = b"".join(b"\x00" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header)
            + _png_chunk(b"IDAT", zlib.compress(raw, 9)) + _png_chunk(b"IEND", b""))


# ---------------------------------------------------------------- JPEG

ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20,
          13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59,
          52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63]

_LUMA_Q = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56,
           14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113,
           92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
_CHROMA_Q = ([17, 18, 24, 47] + [99] * 4 + [18, 21, 26, 66] + [99] * 4 + [24, 26, 56] + [99] * 5
             + [47, 66] + [99] * 6 + [99] * 32)

# The usual Huffman tables (counts of codes per length 1..16, then the symbols).
DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a"
    "3435363738393a434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a9293"
    "9495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6"
    "e7e8e9eaf1f2f3f4f5f6f7f8f9fa"))
AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f11718191a26"
    "2728292a35363738393a434445464748494a535455565758595a636465666768696a737475767778797a82838485868788"
    "898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3"
    "e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9fa"))


def _codes(table: Tuple[Sequence[int], Sequence[int]]) -> Dict[int, Tuple[int, int]]:
    """Canonical Huffman codes: symbol -> (code, length)."""
    counts, symbols = table
    out: Dict[int, Tuple[int, int]] = {}
    code, k = 0, 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            out[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return out


def _scaled(table: List[int], quality: int) -> List[int]:
    quality = min(max(quality, 1), 100)
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(max((v * scale + 50) // 100, 1), 255) for v in table]


# 8-point DCT basis: F = M f M^T gives the JPEG forward DCT.
_M = [[(math.sqrt(0.5) if u == 0 else 1.0) / 2 * math.cos((2 * x + 1) * u * math.pi / 16)
       for x in range(8)] for u in range(8)]


def _fdct(block: List[float]) -> List[float]:
    rows = [[sum(_M[u][x] * block[y * 8 + x] for x in range(8)) for u in range(8)] for y in range(8)]
    return [sum(_M[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


class _BitWriter:
    def __init__(self) -> None:
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def write(self, value: int, length: int) -> None:
        self.acc = (self.acc << length) | (value & ((1 << length) - 1))
        self.n += length
        while self.n >= 8:
            self.n -= 8
            byte = (self.acc >> self.n) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)  # byte stuffing
        self.acc &= (1 << self.n) - 1

    def flush(self) -> bytes:
        if self.n:
            self.write((1 << (8 - self.n)) - 1, 8 - self.n)  # pad with one bits
        return bytes(self.out)


def _category(value: int) -> Tuple[int, int]:
    """Magnitude category and the bits that follow it."""
    size = abs(value).bit_length()
    return size, value if value >= 0 else value + (1 << size) - 1


def _marker(code: int, payload: bytes) -> bytes:
    return struct.pack(">BBH", 0xFF, code, len(payload) + 2) + payload


def _dht(table_class: int, table_id: int, table: Tuple[Sequence[int], Sequence[int]]) -> bytes:
    counts, symbols = table
    return _marker(0xC4, bytes([table_class << 4 | table_id]) + bytes(counts) + bytes(symbols))


def encode_jpeg(width: int, height: int, rgb: bytes, quality: int = 90) -> bytes:
    """Baseline sequential JPEG, YCbCr without subsampling, interleaved MCUs of 8x8."""
    if len(rgb) != width * height * 3:
        raise ValueError("pixel data does not match the size")
    qtabs = [_scaled(_LUMA_Q, quality), _scaled(_CHROMA_Q, quality)]
    dc_codes = [_codes(DC_LUMA), _codes(DC_CHROMA)]
    ac_codes = [_codes(AC_LUMA), _codes(AC_CHROMA)]

    planes: List[List[float]] = [[], [], []]
    for i in range(0, len(rgb), 3):
        r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
        planes[0].append(0.299 * r + 0.587 * g + 0.114 * b - 128)
        planes[1].append(-0.168736 * r - 0.331264 * g + 0.5 * b)
        planes[2].append(0.5 * r - 0.418688 * g - 0.081312 * b)

    bits = _BitWriter()
    previous_dc = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for c in range(3):
                t = 0 if c == 0 else 1
                # Edge pixels repeat into the padding of partial blocks.
                block = [planes[c][min(by + y, height - 1) * width + min(bx + x, width - 1)]
                         for y in range(8) for x in range(8)]
                coef = _fdct(block)
                q = [int(round(coef[ZIGZAG[k]] / qtabs[t][ZIGZAG[k]])) for k in range(64)]
                size, extra = _category(q[0] - previous_dc[c])
                previous_dc[c] = q[0]
                code, length = dc_codes[t][size]
                bits.write(code, length)
                if size:
                    bits.write(extra, size)
                run = 0
                for k in range(1, 64):
                    if q[k] == 0:
                        run += 1
                        continue
                    while run > 15:
                        bits.write(*ac_codes[t][0xF0])
                        run -= 16
                    size, extra = _category(q[k])
                    bits.write(*ac_codes[t][run << 4 | size])
                    bits.write(extra, size)
                    run = 0
                if run:
                    bits.write(*ac_codes[t][0x00])

    dqt = b"".join(_marker(0xDB, bytes([i]) + bytes(qtabs[i][ZIGZAG[k]] for k in range(64))) for i in range(2))
    sof = _marker(0xC0, struct.pack(">BHHB", 8, height, width, 3)
                  + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]))
    dht = (_dht(0, 0, DC_LUMA) + _dht(1, 0, AC_LUMA) + _dht(0, 1, DC_CHROMA) + _dht(1, 1, AC_CHROMA))
    sos = _marker(0xDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0]))
    app0 = _marker(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    return b"\xff\xd8" + app0 + dqt + sof + dht + sos + bits.flush() + b"\xff\xd9"
