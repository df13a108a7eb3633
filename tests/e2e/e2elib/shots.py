"""Screenshots: guidrv writes what the screen shows of a window as a BMP; this turns
it into a PNG (standard library only) in the run's screenshot folder."""
import os
import struct
import zlib


class Picture:
    """Pixels of a 24-bit BMP: pixel(x, y) is (r, g, b), y counted from the top."""

    def __init__(self, bmp_path):
        with open(bmp_path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"BM":
            raise ValueError(f"{bmp_path} is no BMP")
        (self.offset,) = struct.unpack_from("<I", self.data, 10)
        self.width, height, _, bits = struct.unpack_from("<iiHH", self.data, 18)
        if bits != 24:
            raise ValueError(f"{bmp_path}: {bits} bits per pixel, expected 24")
        self.bottom_up = height > 0
        self.height = abs(height)
        self.stride = (self.width * 3 + 3) & ~3
        self.path = None  # the PNG, once saved

    def row(self, y):
        src = self.height - 1 - y if self.bottom_up else y
        start = self.offset + src * self.stride
        return self.data[start:start + self.width * 3]

    def pixel(self, x, y):
        b, g, r = self.row(y)[x * 3:x * 3 + 3]
        return r, g, b

    def pixels(self, left, top, width, height):
        """Every pixel of the rectangle, clipped to the picture."""
        for y in range(max(top, 0), min(top + height, self.height)):
            for x in range(max(left, 0), min(left + width, self.width)):
                yield self.pixel(x, y)


def bmp_to_png(bmp_path, png_path):
    """Converts a 24-bit uncompressed BMP (bottom-up or top-down) into an RGB PNG."""
    pic = Picture(bmp_path)
    rows = []
    for y in range(pic.height):
        bgr = pic.row(y)
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(b"\x00" + bytes(rgb))
    width, height = pic.width, pic.height

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(os.path.abspath(png_path)), exist_ok=True)
    with open(png_path, "wb") as f:
        f.write(png)
    pic.path = png_path
    return pic


def shots_dir():
    """Where the run keeps its screenshots (DORVANE_SHOTS_DIR, set by CTest)."""
    return os.environ.get("DORVANE_SHOTS_DIR") or os.path.join(os.getcwd(), "screenshots")
