"""The picture type of the art tools: a grid of RGB triples, None where the key colour shows."""

KEY = (128, 0, 128)


def near_key(rgb, tolerance=24):
    """True for colours a masked blit could mistake for the key, but not the key itself."""
    if rgb == KEY:
        return False
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, KEY))


class Image:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.rows = [[None] * width for _ in range(height)]

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def get(self, x, y):
        return self.rows[y][x]

    def set(self, x, y, rgb):
        if self.inside(x, y):
            self.rows[y][x] = rgb

    def copy(self):
        other = Image(self.width, self.height)
        other.rows = [list(r) for r in self.rows]
        return other

    def paste(self, src, x0, y0, colour_map=None, blend_or=False):
        """Draws src at (x0, y0): opaque pixels cover, key pixels leave what is beneath."""
        for y in range(src.height):
            for x in range(src.width):
                p = src.rows[y][x]
                if p is None:
                    continue
                if colour_map:
                    p = colour_map.get(p, p)
                tx, ty = x0 + x, y0 + y
                if not self.inside(tx, ty):
                    continue
                if blend_or:
                    q = self.rows[ty][tx] or (0, 0, 0)
                    p = (p[0] | q[0], p[1] | q[1], p[2] | q[2])
                self.rows[ty][tx] = p

    def crop(self, x0, y0, w, h):
        out = Image(w, h)
        for y in range(h):
            for x in range(w):
                if self.inside(x0 + x, y0 + y):
                    out.rows[y][x] = self.rows[y0 + y][x0 + x]
        return out

    def flipped_x(self):
        out = Image(self.width, self.height)
        out.rows = [list(reversed(r)) for r in self.rows]
        return out

    def scaled(self, factor):
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            src = self.rows[y // factor]
            out.rows[y] = [src[x // factor] for x in range(out.width)]
        return out

    def opaque(self, x, y):
        return self.inside(x, y) and self.rows[y][x] is not None

    def rgb_rows(self, key=KEY):
        """Rows with the key colour filled in (what a sheet file holds)."""
        return [[p if p is not None else key for p in r] for r in self.rows]
