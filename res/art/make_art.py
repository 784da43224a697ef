#!/usr/bin/env python3
"""Makes every bitmap, icon and cursor of the program from the drawings in motifs.py.

    res/art/make_art.py [--preview DIR]

Writes res/bitmaps/*.bmp, res/icons/*.ico and res/cursors/*.cur (committed, so a build
needs no ImageMagick); with --preview also enlarged PNGs of each for looking at. Needs
ImageMagick's `convert` and Python 3, nothing else.

Transparency rules the program's drawing code relies on:
  - tree strip and wizard art: pure red (255,0,0) only where transparent;
  - splash and About pictures, the dial view's line picture: pure white only where transparent;
  - no opaque pixel comes within 8 levels of its picture's key colour in every channel, so a
    16-bit display, which drops the low bits, cannot turn it transparent either;
  - in the red-keyed pictures no opaque colour becomes pure red in 16 colours either (an
    image list loaded without a DIB section has only those).

Colour depth: every bitmap but the tree strip is 8-bit with a full 256-entry colour table
(the splash pictures share one, the dial view's frames share another, the tool bar, the
line picture and the wizard art have their own), which keeps them under half their 24-bit
size; the key colour is an exact entry of its table and every other entry keeps the rules
above.
"""

import argparse
import os
import subprocess
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import motifs  # noqa: E402
import winformats  # noqa: E402
from cursor_hand import HAND, HOT_SPOT  # noqa: E402
from scene import Scene  # noqa: E402

RES = os.path.dirname(HERE)
RED = (255, 0, 0)
WHITE = (255, 255, 255)
BUTTON_FACE = (192, 192, 192)
SPLASH_YELLOW = (255, 249, 203)
KEY_DISTANCE = 8

# The program's motifs in tree order: product, Auto, Manual, MTU, RWIN, TTL, cache size.
TREE_MOTIFS = ["gauge", "auto", "manual", "mtu", "rwin", "ttl", "cache"]
PAGE_ICONS = [(264, "velotune"), (271, "page_auto"), (272, "page_manual"), (273, "page_mtu"),
              (274, "page_rwin"), (275, "page_ttl"), (276, "page_cache")]

DIAL_SIZE = 64          # dial view pictures, pixels
DIAL_LINE_SIZE = (236, 48)
SPLASH_TITLE_SIZE = (248, 64)
SPLASH_EMBLEM_SIZE = (64, 64)
SPLASH_PICTURE_SIZE = (360, 150)
WIZARD_SIZE = (120, 220)


# ---- pixel finishing ----

def clear_of_red_in_sixteen_colours(colour):
    """An image list loaded without a DIB section has 16 colours, and a crimson that becomes
    pure red there would turn transparent: darken such a colour until it stays dark red."""
    while winformats.nearest_vga(colour) == RED:
        colour = tuple(c * 85 // 100 for c in colour)
    return colour


def near_key(colour, key):
    return all(abs(c - k) < KEY_DISTANCE for c, k in zip(colour, key))


def away_from_key(colour, key):
    """Moves an opaque colour that would read as the key colour just out of its reach."""
    if not near_key(colour, key):
        return colour
    return tuple(min(c, 255 - 2 * KEY_DISTANCE) if k == 255 else max(c, 2 * KEY_DISTANCE)
                 for c, k in zip(colour, key))


def off_red_key(colour):
    """An opaque colour of a red-keyed picture, kept off the key on every display."""
    return clear_of_red_in_sixteen_colours(away_from_key(colour, RED))


def red_keyed(rows, matte):
    return [[c if c == RED else clear_of_red_in_sixteen_colours(c) for c in row]
            for row in keyed(rows, RED, matte)]


def blend(colour, alpha, matte):
    return tuple((c * alpha + m * (255 - alpha) + 127) // 255 for c, m in zip(colour, matte))


def keyed(rows, key, matte, threshold=96):
    """RGB rows: transparent pixels become the key colour, the anti-aliased rim is blended
    with the colour the picture is normally shown on."""
    out = []
    for row in rows:
        out_row = []
        for r, g, b, a in row:
            if a < threshold:
                out_row.append(key)
            else:
                out_row.append(away_from_key(blend((r, g, b), a, matte), key))
        out.append(out_row)
    return out


def flattened(rows, matte):
    return [[blend((r, g, b), a, matte) for r, g, b, a in row] for row in rows]


def greyed(rows):
    """The disabled look of a tree image: lighter, without colour."""
    out = []
    for row in rows:
        out_row = []
        for r, g, b, a in row:
            grey = (r * 30 + g * 59 + b * 11) // 100
            grey = 112 + grey * 120 // 255
            out_row.append((grey, grey, grey, a))
        out.append(out_row)
    return out


def hstack(images):
    return [sum((image[y] for image in images), []) for y in range(len(images[0]))]


# ---- colour reduction (ImageMagick) ----

def _raw(rows):
    return bytes(v for row in rows for px in row for v in px)


def _rows(raw, width, height, channels=3):
    return [[tuple(raw[(y * width + x) * channels:(y * width + x + 1) * channels])
             for x in range(width)] for y in range(height)]


def palette_of(rows, colours):
    """Up to `colours` colours that represent the picture best."""
    height, width = len(rows), len(rows[0])
    raw = subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8",
                          "rgb:-", "+dither", "-colors", str(colours), "-unique-colors",
                          "-depth", "8", "rgb:-"],
                         input=_raw(rows), stdout=subprocess.PIPE, check=True).stdout
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


def remapped(rows, palette, dither):
    """The picture in the given colours only (Floyd-Steinberg dithered if asked)."""
    height, width = len(rows), len(rows[0])
    palette_file = "/tmp/velotune-art-palette-%d.png" % os.getpid()
    subprocess.run(["convert", "-size", "%dx1" % len(palette), "-depth", "8", "rgb:-",
                    palette_file], input=_raw([palette]), check=True)
    try:
        raw = subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8",
                              "rgb:-", "-dither", "FloydSteinberg" if dither else "None",
                              "-remap", palette_file, "-depth", "8", "rgb:-"],
                             input=_raw(rows), stdout=subprocess.PIPE, check=True).stdout
    finally:
        os.remove(palette_file)
    return _rows(raw, width, height)


def indexed(rows, palette):
    lookup = {colour: i for i, colour in enumerate(palette)}
    return [[lookup[colour] for colour in row] for row in rows]


def family_palette(images, exact, clean=lambda colour: colour):
    """One 256-colour table for pictures shown together: the `exact` colours (a key, the
    background the pictures stand on) as they are, then the colours that best represent
    all the other pixels, each passed through `clean` (which keeps them off a key)."""
    others = [[c for c in row if c not in exact] for image in images for row in image]
    others = [row for row in others if row]
    longest = max(len(row) for row in others)
    sample = [row + [row[-1]] * (longest - len(row)) for row in others]
    chosen = dict.fromkeys(clean(c) for c in palette_of(sample, 256 - len(exact)))
    return [c for c in chosen if c not in exact] + list(exact)


def keyed_in_palette(rows, palette, key, matte, dither):
    """A keyed picture in the palette's colours: the key exactly where it was, every other
    pixel the nearest colour that is not the key, dithered (if asked) as the picture is
    seen, with the matte showing where the key is."""
    on_matte = [[matte if c == key else c for c in row] for row in rows]
    mapped = remapped(on_matte, [c for c in palette if c != key], dither)
    return [[key if original == key else c for c, original in zip(row, original_row)]
            for row, original_row in zip(mapped, rows)]


# ---- rendering helpers ----

def render(width_units, height_units, out_w, out_h, draw):
    scene = Scene(width_units, height_units)
    draw(scene)
    return scene.render(out_w, out_h)


def motif32(name, size=32):
    lw = 1.3 if size <= 32 else 1.0
    return render(32, 32, size, size, lambda s: getattr(motifs, name)(s, lw))


def motif16(name):
    return render(16, 16, 16, 16, motifs.SMALL[name])


# ---- icons ----

def icon_entry(rows, bits):
    size = len(rows)
    transparent = [[1 if a < 128 else 0 for *_rgb, a in row] for row in rows]
    opaque = [[(r, g, b) if a >= 128 else (0, 0, 0) for r, g, b, a in row] for row in rows]
    palette = [(0, 0, 0)] + [c for c in palette_of(opaque, 255) if c != (0, 0, 0)]
    pixels = remapped(opaque, palette, dither=False)
    pixels = [[(0, 0, 0) if t else c for c, t in zip(row, trow)]
              for row, trow in zip(pixels, transparent)]
    body = winformats.palette_dib(size, size, bits, palette, indexed(pixels, palette), transparent)
    return (size, size, 0, bits, body)


def icon_file(images):
    """Each size in 256 colours: on a 16-colour display Windows maps them to the nearest
    colours, which looks better than a dithered 16-colour entry of our own."""
    return winformats.icon_file([icon_entry(rows, 8) for rows in images])


def cursor_file():
    xor_rows, and_rows = [], []
    for line_text in HAND:
        xor_rows.append([1 if ch == "." else 0 for ch in line_text])   # white inside
        and_rows.append([1 if ch == " " else 0 for ch in line_text])   # screen shows through
    body = winformats.monochrome_dib(32, 32, xor_rows, and_rows)
    return winformats.icon_file([(32, 32, 2, 1, body)], resource_type=2, hot_spots=[HOT_SPOT])


# ---- the pictures ----

def tree_strip():
    normal = [motif16(name) for name in TREE_MOTIFS]
    images = normal + [greyed(image) for image in normal]
    return red_keyed(hstack(images), WHITE)


def toolbar():
    """The two buttons on button-face grey, in an 8-bit bitmap: the tool bar maps the grey,
    black and white entries of a colour table to the system's button colours (which only
    works through a colour table), so the grey background becomes the bar's own face."""
    buttons = [render(16, 15, 16, 15, motifs.start_button),
               render(16, 15, 16, 15, motifs.stop_button)]
    rows = flattened(hstack(buttons), BUTTON_FACE)
    palette = [BUTTON_FACE] + [c for c in palette_of(rows, 255) if c != BUTTON_FACE]
    return palette, remapped(rows, palette, dither=False)


def dial_pictures():
    """The dial view's colour table and (file stem, bitmap rows, icon rows) for every
    picture of the dial windows. The frames of the animation share one table, so a colour
    stays the same from frame to frame; the white they stand on is kept exact."""
    pictures = []

    def add(stem, draw):
        big = render(32, 32, DIAL_SIZE, DIAL_SIZE, lambda s: draw(s, 1.0))
        small = render(32, 32, 32, 32, lambda s: draw(s, 1.3))
        pictures.append((stem, flattened(big, WHITE), small))

    for frame in range(motifs.FRAMES):
        add("dial_left_%d" % (frame + 1), lambda s, lw, f=frame: motifs.dial_left(s, lw, f))
    for frame in range(motifs.FRAMES):
        add("dial_right_%d" % (frame + 1), lambda s, lw, f=frame: motifs.dial_right(s, lw, f))
    for pair in (1, 2):
        add("dial_connected_left_%d" % pair, lambda s, lw, p=pair: motifs.connected_left(s, lw, p))
        add("dial_connected_right_%d" % pair, lambda s, lw, p=pair: motifs.connected_right(s, lw, p))
    add("dial_hung_up_left", motifs.hung_up_left)
    add("dial_hung_up_right", motifs.hung_up_right)
    palette = family_palette([big for _stem, big, _small in pictures], [WHITE])
    return palette, [(stem, remapped(big, palette, dither=False), small)
                     for stem, big, small in pictures]


def dial_line():
    """The line picture in 256 colours of its own, white only where transparent."""
    width, height = DIAL_LINE_SIZE
    rows = keyed(render(width, height, width, height,
                        lambda s: motifs.dial_line(s, 1.3, width, height)), WHITE, WHITE)
    palette = family_palette([rows], [WHITE], lambda c: away_from_key(c, WHITE))
    return palette, keyed_in_palette(rows, palette, WHITE, WHITE, dither=False)


def wizard_art():
    """The wizard's panel in 256 colours of its own, red only where transparent. Not
    dithered: on its smooth blue a dither's dots show more than the few colour steps."""
    width, height = WIZARD_SIZE
    rows = red_keyed(render(width, height, width, height, motifs.wizard_panel), BUTTON_FACE)
    palette = family_palette([rows], [RED], off_red_key)
    return palette, keyed_in_palette(rows, palette, RED, BUTTON_FACE, dither=False)


def splash_set():
    """Title (250), picture (252) and emblem (342) sharing one 256-colour palette, which
    the splash window realises from the picture's colour table."""
    title = render(*SPLASH_TITLE_SIZE, *SPLASH_TITLE_SIZE, motifs.splash_title)
    emblem = render(32, 32, *SPLASH_EMBLEM_SIZE, lambda s: motifs.gauge(s, 1.0))
    picture = render(*SPLASH_PICTURE_SIZE, *SPLASH_PICTURE_SIZE, motifs.splash_picture)
    images = [keyed(image, WHITE, SPLASH_YELLOW, threshold=40)
              for image in (title, picture, emblem)]
    palette = family_palette(images, [WHITE], lambda c: away_from_key(c, WHITE))
    # the key shows the splash's own yellow, so dithering treats the rim as it is seen
    return palette, [keyed_in_palette(image, palette, WHITE, SPLASH_YELLOW, dither=True)
                     for image in images]


# ---- output ----

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def preview(directory, stem, rows, zoom, background="#ffffff"):
    os.makedirs(directory, exist_ok=True)
    height, width = len(rows), len(rows[0])
    channels = len(rows[0][0])
    subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8",
                    ("rgba" if channels == 4 else "rgb") + ":-", "-background", background,
                    "-flatten", "-scale", "%d%%" % (zoom * 100),
                    os.path.join(directory, stem + ".png")],
                   input=_raw(rows), check=True)


def bmp24(rows):
    return winformats.bmp_24(len(rows[0]), len(rows), rows)


def bmp8(rows, palette):
    return winformats.bmp_8(len(rows[0]), len(rows), palette, indexed(rows, palette))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNGs here")
    args = parser.parse_args()
    show = (lambda *a, **k: preview(args.preview, *a, **k)) if args.preview else (lambda *a, **k: None)
    bitmaps = os.path.join(RES, "bitmaps")
    icons = os.path.join(RES, "icons")

    strip = tree_strip()
    write(os.path.join(bitmaps, "tree.bmp"), bmp24(strip))
    show("tree", strip, 8)

    palette, buttons = toolbar()
    write(os.path.join(bitmaps, "toolbar.bmp"), bmp8(buttons, palette))
    show("toolbar", buttons, 8)

    palette, (title, picture, emblem) = splash_set()
    write(os.path.join(bitmaps, "splash_title.bmp"), bmp8(title, palette))
    write(os.path.join(bitmaps, "splash_picture.bmp"), bmp8(picture, palette))
    write(os.path.join(bitmaps, "splash_emblem.bmp"), bmp8(emblem, palette))
    for stem, rows in (("splash_title", title), ("splash_picture", picture),
                       ("splash_emblem", emblem)):
        show(stem, rows, 2)

    palette, wizard = wizard_art()
    write(os.path.join(bitmaps, "wizard.bmp"), bmp8(wizard, palette))
    show("wizard", wizard, 2)

    palette, line_rows = dial_line()
    write(os.path.join(bitmaps, "dial_line.bmp"), bmp8(line_rows, palette))
    show("dial_line", line_rows, 2)

    palette, pictures = dial_pictures()
    for stem, big, small in pictures:
        write(os.path.join(bitmaps, stem + ".bmp"), bmp8(big, palette))
        write(os.path.join(icons, stem + ".ico"), icon_file([small]))
        show(stem, big, 2)
        show(stem + "_icon", small, 4)

    for (resource_id, stem), name in zip(PAGE_ICONS, TREE_MOTIFS):
        large, small = motif32(name), motif16(name)
        write(os.path.join(icons, stem + ".ico"), icon_file([small, large]))
        show(stem + "_32", large, 4)
        show(stem + "_16", small, 8)

    write(os.path.join(RES, "cursors", "link_hand.cur"), cursor_file())
    return 0


if __name__ == "__main__":
    sys.exit(main())
