"""Screenshots: guidrv writes what the screen shows of a window as a BMP; this turns
it into a PNG (standard library only) in the run's screenshot folder."""
import os
import struct
import zlib


def bmp_to_png(bmp_path, png_path):
    """Converts a 24-bit uncompressed BMP (bottom-up or top-down) into an RGB PNG."""
    with open(bmp_path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{bmp_path} is no BMP")
    (offset,) = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise ValueError(f"{bmp_path}: {bits} bits per pixel, expected 24")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        src_row = abs(height) - 1 - y if height > 0 else y
        start = offset + src_row * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(b"\x00" + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(os.path.abspath(png_path)), exist_ok=True)
    with open(png_path, "wb") as f:
        f.write(png)
    return png_path


def shots_dir():
    """Where the run keeps its screenshots (DORVANE_SHOTS_DIR, set by CTest)."""
    return os.environ.get("DORVANE_SHOTS_DIR") or os.path.join(os.getcwd(), "screenshots")
