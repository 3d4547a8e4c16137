"""A small RGBA canvas for drawing the game's pixel art and writing it as PNG (standard library only)."""
import struct
import zlib

TRANSPARENT = (0, 0, 0, 0)


def rgb(hex_colour):
    """'#rrggbb' -> opaque (r, g, b, 255)."""
    value = hex_colour.lstrip("#")
    return (int(value[0:2], 16), int(value[2:4], 16), int(value[4:6], 16), 255)


class Canvas:
    def __init__(self, width, height, fill=TRANSPARENT):
        self.width = width
        self.height = height
        self.pixels = [fill] * (width * height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with both corners included."""
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                self.pixels[y * self.width + x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """A 1-pixel outline with both corners included."""
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 >= x0 else -1), (1 if y1 >= y0 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def paste(self, other, x, y):
        """Copies another canvas's opaque pixels to (x, y)."""
        for oy in range(other.height):
            for ox in range(other.width):
                colour = other.get(ox, oy)
                if colour[3] != 0:
                    self.set(x + ox, y + oy, colour)

    def outline(self, colour):
        """Adds a 1-pixel outline round every opaque shape (on transparent neighbours only)."""
        edge = []
        for y in range(self.height):
            for x in range(self.width):
                if self.get(x, y)[3] != 0:
                    continue
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if 0 <= nx < self.width and 0 <= ny < self.height and self.get(nx, ny)[3] != 0 \
                            and self.get(nx, ny) != colour:
                        edge.append((x, y))
                        break
        for x, y in edge:
            self.set(x, y, colour)

    def save_png(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                raw.extend(self.get(x, y))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            out.write(chunk(b"IEND", b""))
