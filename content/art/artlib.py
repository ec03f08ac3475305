"""Writers and drawing helpers that every program's pictures share."""
import os

from PIL import Image, ImageFont

FONT_DIR = "/usr/share/fonts/opentype/ipafont-gothic"


def gothic(size):
    """The IPA Gothic face at a pixel size (the stand-in for the Japanese UI faces)."""
    return ImageFont.truetype(os.path.join(FONT_DIR, "ipag.ttf"), size)


def save_bmp(image, path):
    """A plain BMP (BITMAPINFOHEADER, bottom-up): 24-bit for RGB, 8/4/1-bit for P and 1 images."""
    if image.mode not in ("RGB", "P", "1"):
        image = image.convert("RGB")
    image.save(path, format="BMP")


def _icon_entry_image(image):
    """One 32-bit icon or cursor image: BITMAPINFOHEADER of double height, BGRA rows
    bottom-up, then the AND mask (1 where transparent), rows padded to 32 bits."""
    import struct
    image = image.convert("RGBA")
    w, h = image.size
    px = image.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if px[x, y][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def _write_icon_dir(entries, path, kind):
    """entries: (image, a, b) with a, b the planes and bit count of an icon or a cursor's hot spot."""
    import struct
    blobs = [_icon_entry_image(image) for image, _, _ in entries]
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for (image, a, b), blob in zip(entries, blobs):
        w, h = image.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(bytes(out))


def save_ico(images, path):
    """An icon file holding each RGBA image (32 bits, with its transparency as the mask)."""
    _write_icon_dir([(image, 1, 32) for image in images], path, 1)


def save_cur(image, hotspot, path):
    """A cursor file of one RGBA image with its hot spot (x, y)."""
    _write_icon_dir([(image, hotspot[0], hotspot[1])], path, 2)
