"""Writers and readers for the classic Windows image containers the resources use.

The writers produce exactly what Windows 95 to 2000 load without help: BITMAPINFOHEADER
bitmaps (24-bit, or 8-bit with a full 256-entry colour table), icon files whose entries are
BMP images (XOR colour bitmap plus a 1-bit AND mask, never PNG), and cursor files (type 2)
whose directory entries carry the hot spot. The readers parse the same files back so the
checker can verify them without any imaging library.
"""

import struct

BITMAPFILEHEADER = struct.Struct("<2sIHHI")
BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")
ICONDIR = struct.Struct("<HHH")
ICONDIRENTRY = struct.Struct("<BBBBHHII")

# The sixteen colours of a 4-bit image list or display, where a colour is drawn as the
# nearest of them.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest_vga(colour):
    return min(VGA, key=lambda v: sum((c - w) ** 2 for c, w in zip(colour, v)))


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _pack_rows(width, height, bits, pixel_row_bytes):
    """Bottom-up rows padded to 32 bits; pixel_row_bytes(y) gives row y (top-down) unpadded."""
    stride = _row_stride(width, bits)
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = pixel_row_bytes(y)
        out += row + bytes(stride - len(row))
    return bytes(out)


def _pack_1bit(width, bits_row):
    row = bytearray((width + 7) // 8)
    for x, bit in enumerate(bits_row):
        if bit:
            row[x >> 3] |= 0x80 >> (x & 7)
    return bytes(row)


def _pack_4bit(width, index_row):
    row = bytearray((width + 1) // 2)
    for x, index in enumerate(index_row):
        row[x >> 1] |= (index << 4) if x % 2 == 0 else index
    return bytes(row)


def _palette_bytes(palette, entries):
    data = bytearray()
    for r, g, b in palette:
        data += bytes((b, g, r, 0))
    return bytes(data) + bytes(4 * (entries - len(palette)))


def bmp_24(width, height, rgb_rows):
    """A 24-bit bitmap file; rgb_rows[y][x] = (r, g, b), top row first."""
    def row(y):
        return b"".join(bytes((b, g, r)) for r, g, b in rgb_rows[y])
    bits = _pack_rows(width, height, 24, row)
    info = BITMAPINFOHEADER.pack(40, width, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    offset = BITMAPFILEHEADER.size + len(info)
    head = BITMAPFILEHEADER.pack(b"BM", offset + len(bits), 0, 0, offset)
    return head + info + bits


def bmp_8(width, height, palette, index_rows):
    """An 8-bit bitmap file with a full 256-entry colour table (biClrUsed = 256)."""
    if len(palette) > 256:
        raise ValueError("more than 256 colours")
    bits = _pack_rows(width, height, 8, lambda y: bytes(index_rows[y]))
    table = _palette_bytes(palette, 256)
    info = BITMAPINFOHEADER.pack(40, width, height, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = BITMAPFILEHEADER.size + len(info) + len(table)
    head = BITMAPFILEHEADER.pack(b"BM", offset + len(bits), 0, 0, offset)
    return head + info + table + bits


def monochrome_dib(width, height, xor_rows, and_rows):
    """The body of a 1-bit icon or cursor entry: black/white table, XOR bits, AND bits."""
    info = BITMAPINFOHEADER.pack(40, width, height * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    table = _palette_bytes([(0, 0, 0), (255, 255, 255)], 2)
    xor = _pack_rows(width, height, 1, lambda y: _pack_1bit(width, xor_rows[y]))
    mask = _pack_rows(width, height, 1, lambda y: _pack_1bit(width, and_rows[y]))
    return info + table + xor + mask


def palette_dib(width, height, bits, palette, index_rows, transparent_rows):
    """The body of a 4- or 8-bit icon entry; transparent pixels are set in the AND mask
    and use colour index 0 (black) in the XOR image, as icon editors write them."""
    entries = 1 << bits
    if len(palette) > entries:
        raise ValueError("palette too large for %d bits" % bits)
    info = BITMAPINFOHEADER.pack(40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = _palette_bytes(palette, entries)
    pack = (lambda row: bytes(row)) if bits == 8 else (lambda row: _pack_4bit(width, row))
    xor = _pack_rows(width, height, bits, lambda y: pack(index_rows[y]))
    mask = _pack_rows(width, height, 1, lambda y: _pack_1bit(width, transparent_rows[y]))
    return info + table + xor + mask


def icon_file(entries, resource_type=1, hot_spots=None):
    """An .ico (type 1) or .cur (type 2) file from (width, height, colour count, bits, body)
    entries; for cursors hot_spots gives (x, y) per entry and replaces planes/bit count."""
    out = bytearray(ICONDIR.pack(0, resource_type, len(entries)))
    offset = ICONDIR.size + ICONDIRENTRY.size * len(entries)
    for index, (width, height, colours, bits, body) in enumerate(entries):
        if resource_type == 2:
            field_a, field_b = hot_spots[index]
        else:
            field_a, field_b = 1, bits
        out += ICONDIRENTRY.pack(width % 256, height % 256, colours % 256, 0,
                                 field_a, field_b, len(body), offset)
        offset += len(body)
    for entry in entries:
        out += entry[4]
    return bytes(out)


# ---- readers, for the checker ----

def read_bmp(data):
    """Header facts and top-down RGB rows of an uncompressed 1/4/8/24-bit bitmap file."""
    magic, _size, _r1, _r2, offset = BITMAPFILEHEADER.unpack_from(data, 0)
    if magic != b"BM":
        raise ValueError("not a bitmap file")
    info = read_dib(data[BITMAPFILEHEADER.size:], offset - BITMAPFILEHEADER.size)
    return info


def read_dib(dib, bits_offset=None, height_divisor=1):
    (size, width, height, planes, bits, compression, _image_size, _xppm, _yppm,
     used, _important) = BITMAPINFOHEADER.unpack_from(dib, 0)
    if size != 40 or compression != 0 or planes != 1:
        raise ValueError("not a plain BITMAPINFOHEADER image")
    if height <= 0:
        raise ValueError("top-down or empty bitmap")
    height //= height_divisor
    palette = []
    if bits <= 8:
        count = used or (1 << bits)
        for i in range(count):
            b, g, r, _ = dib[40 + 4 * i: 44 + 4 * i]
            palette.append((r, g, b))
    table_end = 40 + 4 * len(palette)
    start = bits_offset if bits_offset is not None else table_end
    stride = _row_stride(width, bits)
    rows = []
    for y in range(height):
        row_start = start + (height - 1 - y) * stride
        raw = dib[row_start: row_start + stride]
        if len(raw) < stride:
            raise ValueError("pixel data truncated")
        rows.append([_pixel(raw, x, bits, palette) for x in range(width)])
    mask_rows = None
    if height_divisor == 2:
        mask_start = start + height * stride
        mask_stride = _row_stride(width, 1)
        mask_rows = []
        for y in range(height):
            row_start = mask_start + (height - 1 - y) * mask_stride
            raw = dib[row_start: row_start + mask_stride]
            if len(raw) < mask_stride:
                raise ValueError("mask truncated")
            mask_rows.append([(raw[x >> 3] >> (7 - (x & 7))) & 1 for x in range(width)])
    return {"width": width, "height": height, "bits": bits, "palette": palette,
            "colours_used": used, "rows": rows, "mask": mask_rows}


def _pixel(raw, x, bits, palette):
    if bits == 24:
        b, g, r = raw[3 * x: 3 * x + 3]
        return (r, g, b)
    if bits == 8:
        return palette[raw[x]]
    if bits == 4:
        byte = raw[x >> 1]
        return palette[(byte >> 4) if x % 2 == 0 else (byte & 15)]
    if bits == 1:
        return palette[(raw[x >> 3] >> (7 - (x & 7))) & 1]
    raise ValueError("unsupported bit count %d" % bits)


def read_icon_file(data):
    """Type and entries of an .ico/.cur file; each entry has its directory fields and image."""
    reserved, resource_type, count = ICONDIR.unpack_from(data, 0)
    if reserved != 0 or resource_type not in (1, 2) or count == 0:
        raise ValueError("not an icon or cursor file")
    entries = []
    for i in range(count):
        (width, height, colours, _reserved, field_a, field_b, size,
         offset) = ICONDIRENTRY.unpack_from(data, ICONDIR.size + ICONDIRENTRY.size * i)
        body = data[offset: offset + size]
        if len(body) != size:
            raise ValueError("entry %d truncated" % i)
        if body[:8] == b"\x89PNG\r\n\x1a\n":
            raise ValueError("entry %d is PNG, not BMP" % i)
        image = read_dib(body, height_divisor=2)
        entries.append({"width": width or 256, "height": height or 256, "colours": colours,
                        "field_a": field_a, "field_b": field_b, "image": image})
    return resource_type, entries
