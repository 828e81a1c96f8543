"""Deterministic writers for PNG, Windows .ico, .cur and .bmp files (standard library only).

No time stamps or other varying chunks are written, so the same pictures give the same bytes.
"""
import struct
import zlib

from .image import KEY


def png_bytes(image, key=KEY):
    """8-bit RGB PNG; key pixels hold the key colour."""
    raw = bytearray()
    for row in image.rgb_rows(key):
        raw.append(0)  # filter type None: simple, and the same bytes on every build
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def read_png(data):
    """Reads back an 8-bit RGB or RGBA PNG without interlacing (the files above, and tests')."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, width, height, colour = 8, b"", 0, 0, 2
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("only 8-bit RGB/RGBA PNG files without interlacing are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        base = y * (stride + 1)
        ftype, line = raw[base], bytearray(raw[base + 1:base + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 255
            elif ftype == 2:
                line[i] = (line[i] + b) & 255
            elif ftype == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def _dib_32(image):
    """BITMAPINFOHEADER + bottom-up BGRA pixels + AND mask, as icon and cursor entries hold them."""
    w, h = image.width, image.height
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(image.rows):
        for p in row:
            pixels += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image.rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def _icon_dir(images, kind, hotspots):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for image, hotspot in zip(images, hotspots):
        blob = _dib_32(image)
        w = image.width if image.width < 256 else 0
        h = image.height if image.height < 256 else 0
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspot
        entries += struct.pack("<BBBBHHII", w, h, 0, 0, planes, bits, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, kind, len(images)) + entries + blobs


def ico_bytes(images):
    """Icon file of 32-bit BGRA entries (key pixels transparent), smallest first."""
    images = sorted(images, key=lambda im: im.width)
    return _icon_dir(images, 1, [None] * len(images))


def cur_bytes(image, hotspot):
    """Cursor file with one 32-bit BGRA entry and its hot spot."""
    return _icon_dir([image], 2, [hotspot])


def bmp_bytes(image, background=KEY):
    """24-bit bottom-up BMP; key pixels take the background colour."""
    w, h = image.width, image.height
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image.rgb_rows(background)):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + bytes(pixels)
