"""A small vector scene rendered by ImageMagick's `convert`.

Motifs are drawn in their own unit space with ImageMagick's drawing primitives (MVG text)
and placed with a translate-and-scale transform, so the same motif serves a 16-pixel tree
image, a 32-pixel icon and a 64-pixel frame. Gradient fills are separate gradient images
clipped to a shape's mask (their own alpha kept), since MVG's own gradients ignore their start point. A scene is
drawn at a multiple of its final size and reduced by area averaging, which gives clean
anti-aliased edges; the caller then decides what happens to the partly transparent rim.
"""

import subprocess

SUPERSAMPLE = 8


class Scene:
    def __init__(self, width, height):
        self.width = width          # design units
        self.height = height
        self.layers = []
        self._transform = (0.0, 0.0, 1.0)

    # ---- placement ----
    def place(self, dx, dy, k):
        """Run the following drawing calls translated by (dx, dy) and scaled by k,
        relative to the current placement; returns the previous placement."""
        old = self._transform
        tx, ty, tk = old
        self._transform = (tx + dx * tk, ty + dy * tk, tk * k)
        return old

    def restore(self, transform):
        self._transform = transform

    # ---- layers ----
    def draw(self, mvg):
        """Solid drawing: MVG text in local units (fill, stroke, shapes)."""
        self.layers.append(("draw", self._transform, mvg))

    def linear(self, shape, start_colour, end_colour, x1, y1, x2, y2):
        """Fill shape (MVG shapes without fill settings) with a linear gradient."""
        self.layers.append(("linear", self._transform, shape,
                            start_colour, end_colour, (x1, y1, x2, y2)))

    def radial(self, shape, inner_colour, outer_colour, cx, cy, radius):
        self.layers.append(("radial", self._transform, shape,
                            inner_colour, outer_colour, (cx, cy, radius)))

    # ---- rendering ----
    def render(self, out_width, out_height, supersample=SUPERSAMPLE):
        """Rows of (r, g, b, a) tuples, 8 bits each, at the requested size."""
        big_w, big_h = out_width * supersample, out_height * supersample
        unit = big_w / self.width
        args = ["convert", "-size", "%dx%d" % (big_w, big_h), "xc:none"]
        for layer in self.layers:
            kind, (tx, ty, k) = layer[0], layer[1]
            scale = unit * k
            prefix = "affine %.5f,0,0,%.5f,%.5f,%.5f\n" % (scale, scale, tx * unit, ty * unit)
            if kind == "draw":
                args += ["-draw", prefix + layer[2]]
                continue
            shape, c1, c2, geometry = layer[2], layer[3], layer[4], layer[5]
            size = "%dx%d" % (big_w, big_h)
            mask = ["(", "-size", size, "xc:none", "-draw",
                    prefix + "fill white\nstroke none\n" + shape, ")"]
            if kind == "linear":
                x1, y1, x2, y2 = (v * scale for v in geometry)
                x1 += tx * unit; x2 += tx * unit; y1 += ty * unit; y2 += ty * unit
                fill = ["-size", size, "-define",
                        "gradient:vector=%.2f,%.2f,%.2f,%.2f" % (x1, y1, x2, y2),
                        "gradient:%s-%s" % (c1, c2), "-alpha", "set"]
            else:
                cx, cy, radius = geometry
                cx = cx * scale + tx * unit
                cy = cy * scale + ty * unit
                radius *= scale
                fill = ["-size", size,
                        "-define", "gradient:center=%.2f,%.2f" % (cx, cy),
                        "-define", "gradient:radii=%.2f,%.2f" % (radius, radius),
                        "radial-gradient:%s-%s" % (c1, c2), "-alpha", "set"]
            args += ["(", *fill, *mask, "-compose", "DstIn", "-composite", ")",
                     "-compose", "Over", "-composite"]
        args += ["-filter", "Box", "-resize", "%dx%d!" % (out_width, out_height),
                 "-depth", "8", "rgba:-"]
        raw = subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout
        if len(raw) != out_width * out_height * 4:
            raise RuntimeError("convert returned %d bytes" % len(raw))
        return [[tuple(raw[(y * out_width + x) * 4:(y * out_width + x) * 4 + 4])
                 for x in range(out_width)] for y in range(out_height)]


# ---- MVG shape helpers (local units) ----

def circle(cx, cy, r):
    return "circle %.3f,%.3f %.3f,%.3f\n" % (cx, cy, cx + r, cy)


def ellipse(cx, cy, rx, ry, start=0, end=360):
    return "ellipse %.3f,%.3f %.3f,%.3f %g,%g\n" % (cx, cy, rx, ry, start, end)


def rect(x0, y0, x1, y1):
    return "rectangle %.3f,%.3f %.3f,%.3f\n" % (x0, y0, x1, y1)


def rrect(x0, y0, x1, y1, r):
    return "roundrectangle %.3f,%.3f %.3f,%.3f %.3f,%.3f\n" % (x0, y0, x1, y1, r, r)


def poly(*points):
    return "polygon " + " ".join("%.3f,%.3f" % p for p in points) + "\n"


def polyline(*points):
    return "polyline " + " ".join("%.3f,%.3f" % p for p in points) + "\n"


def line(x0, y0, x1, y1):
    return "line %.3f,%.3f %.3f,%.3f\n" % (x0, y0, x1, y1)


def path(d):
    return "path '%s'\n" % d


def paint(fill="none", stroke="none", width=0.0, extra=""):
    """Fill and stroke settings for the shapes that follow in one draw call."""
    text = "fill '%s'\nstroke '%s'\n" % (fill, stroke)
    if stroke != "none":
        text += "stroke-width %.3f\nstroke-linejoin round\nstroke-linecap round\n" % width
    return text + extra
