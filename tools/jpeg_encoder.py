"""A small baseline JPEG encoder (standard library only).

It writes sequential, Huffman-coded, 8-bit JFIF files with three components
(Y, Cb, Cr) at full resolution (4:4:4), using the example quantisation and
Huffman tables of the JPEG standard. That is all the sun texture needs, and
every decoder (SDL2_image, libjpeg, browsers) reads such files.
"""

import math
import struct

# Zig-zag order: position k of the coded sequence holds coefficient ZIGZAG[k]
# of the row-major 8 x 8 block.
ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]

# Example tables of the standard (row-major), scaled by the quality below.
LUMA_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_QUANT = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
]

# Huffman tables: code counts per length 1..16, then the symbols in order.
DC_LUMA = (
    [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0],
    list(range(12)),
)
DC_CHROMA = (
    [0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0],
    list(range(12)),
)
AC_LUMA = (
    [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D],
    [
        0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
        0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0,
        0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28,
        0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
        0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
        0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89,
        0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
        0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5,
        0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2,
        0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8,
        0xF9, 0xFA,
    ],
)
AC_CHROMA = (
    [0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77],
    [
        0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71,
        0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0,
        0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18, 0x19, 0x1A, 0x26,
        0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,
        0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68,
        0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87,
        0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5,
        0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3,
        0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA,
        0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8,
        0xF9, 0xFA,
    ],
)

# cos((2x + 1) u pi / 16) scaled by C(u) / 2: one row of the 1-D DCT per u.
_DCT = [
    [(math.sqrt(0.5) if u == 0 else 1.0) * 0.5 * math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)]
    for u in range(8)
]


def _scaled_table(table, quality):
    """The libjpeg-style quality scaling (50 keeps the table, 100 makes it all ones)."""
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in table]


def _huffman_codes(table):
    """Canonical codes: symbol -> (code, length)."""
    counts, symbols = table
    codes = {}
    code = 0
    k = 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.bits = 0

    def write(self, value, length):
        self.acc = (self.acc << length) | (value & ((1 << length) - 1))
        self.bits += length
        while self.bits >= 8:
            self.bits -= 8
            byte = (self.acc >> self.bits) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                # A coded 0xFF is followed by a stuffed zero so it is not read as a marker.
                self.out.append(0)
        self.acc &= (1 << self.bits) - 1

    def flush(self):
        # Pad the last byte with one bits, as the standard asks.
        if self.bits:
            self.write((1 << (8 - self.bits)) - 1, 8 - self.bits)


def _magnitude(value):
    """Size category and the bits that code a coefficient of that category."""
    size = abs(value).bit_length()
    bits = value if value >= 0 else value + (1 << size) - 1
    return size, bits


def _fdct(block):
    """2-D DCT of a row-major 8 x 8 block of level-shifted samples."""
    rows = [[sum(c * s for c, s in zip(_DCT[u], block[y * 8:y * 8 + 8])) for u in range(8)] for y in range(8)]
    out = [0.0] * 64
    for u in range(8):
        column = [rows[y][u] for y in range(8)]
        for v in range(8):
            out[v * 8 + u] = sum(c * s for c, s in zip(_DCT[v], column))
    return out


def _encode_block(writer, block, quant, previous_dc, dc_codes, ac_codes):
    coefficients = _fdct(block)
    quantised = [int(round(coefficients[ZIGZAG[k]] / quant[ZIGZAG[k]])) for k in range(64)]

    diff = quantised[0] - previous_dc
    size, bits = _magnitude(diff)
    writer.write(*dc_codes[size])
    if size:
        writer.write(bits, size)

    run = 0
    for k in range(1, 64):
        value = quantised[k]
        if value == 0:
            run += 1
            continue
        while run > 15:
            writer.write(*ac_codes[0xF0])  # sixteen zeros
            run -= 16
        size, bits = _magnitude(value)
        writer.write(*ac_codes[(run << 4) | size])
        writer.write(bits, size)
        run = 0
    if run:
        writer.write(*ac_codes[0x00])  # end of block
    return quantised[0]


def _segment(marker, payload):
    return struct.pack(">HH", marker, len(payload) + 2) + payload


def _dht(table_class, table_id, table):
    counts, symbols = table
    return _segment(0xFFC4, bytes([(table_class << 4) | table_id]) + bytes(counts) + bytes(symbols))


def encode(width, height, rgb, quality=90):
    """JPEG bytes for an image given as a flat list of (r, g, b) tuples, top row first."""
    if width <= 0 or height <= 0 or len(rgb) != width * height:
        raise ValueError("image size and pixel count do not match")
    if not 1 <= quality <= 100:
        raise ValueError("quality must lie in 1..100")

    luma_quant = _scaled_table(LUMA_QUANT, quality)
    chroma_quant = _scaled_table(CHROMA_QUANT, quality)

    # Level-shifted Y, Cb and Cr planes (JFIF conversion).
    planes = ([], [], [])
    for r, g, b in rgb:
        planes[0].append(0.299 * r + 0.587 * g + 0.114 * b - 128)
        planes[1].append(-0.168736 * r - 0.331264 * g + 0.5 * b)
        planes[2].append(0.5 * r - 0.418688 * g - 0.081312 * b)

    header = bytearray(b"\xff\xd8")
    header += _segment(0xFFE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    header += _segment(0xFFDB, bytes([0]) + bytes(luma_quant[z] for z in ZIGZAG))
    header += _segment(0xFFDB, bytes([1]) + bytes(chroma_quant[z] for z in ZIGZAG))
    header += _segment(
        0xFFC0,
        struct.pack(">BHHB", 8, height, width, 3) + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]),
    )
    header += _dht(0, 0, DC_LUMA) + _dht(1, 0, AC_LUMA) + _dht(0, 1, DC_CHROMA) + _dht(1, 1, AC_CHROMA)
    header += _segment(0xFFDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0]))

    tables = [
        (luma_quant, _huffman_codes(DC_LUMA), _huffman_codes(AC_LUMA)),
        (chroma_quant, _huffman_codes(DC_CHROMA), _huffman_codes(AC_CHROMA)),
        (chroma_quant, _huffman_codes(DC_CHROMA), _huffman_codes(AC_CHROMA)),
    ]
    writer = _BitWriter()
    previous_dc = [0, 0, 0]
    for block_y in range(0, height, 8):
        for block_x in range(0, width, 8):
            for component in range(3):
                # Edge blocks repeat the last row and column of the image.
                block = [
                    planes[component][min(block_y + y, height - 1) * width + min(block_x + x, width - 1)]
                    for y in range(8)
                    for x in range(8)
                ]
                quant, dc_codes, ac_codes = tables[component]
                previous_dc[component] = _encode_block(
                    writer, block, quant, previous_dc[component], dc_codes, ac_codes
                )
    writer.flush()
    return bytes(header) + bytes(writer.out) + b"\xff\xd9"
