#!/usr/bin/env python3
"""Checks every picture that res/Images.rc declares against what the program expects of it.

    res/art/check_images.py [--sheet DIR]

For each declared bitmap, icon and cursor: the file exists and is a plain Windows file of
the right kind (BITMAPINFOHEADER, uncompressed; icons and cursors with BMP entries, never
PNG), the size and colour depth the windows are laid out for, and the transparency rule
(the key colour only where transparent, no opaque pixel near it, nor one that a 16-colour
image list would turn into the red key; icon masks neither empty
nor full). Every id of ImageIds.h is declared once. With --sheet, PNG contact sheets of
what the files really hold (each icon entry as Windows would draw it on grey) are written
for looking at. Exits 1 and names each fault when anything is wrong. Python 3 only;
ImageMagick is needed for --sheet alone.
"""

import argparse
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import winformats  # noqa: E402

RES = os.path.dirname(HERE)
RED, WHITE, GREY = (255, 0, 0), (255, 255, 255), (192, 192, 192)
KEY_DISTANCE = 8

# id name -> (width, height, bits or None for any, key colour or None)
BITMAPS = {
    "IDB_TOOLBAR": (32, 15, 8, None),
    "IDB_TREE_IMAGES": (224, 16, None, RED),
    "IDB_SPLASH_TITLE": (248, 64, 8, WHITE),
    "IDB_SPLASH_PICTURE": (360, 150, 8, WHITE),
    "IDB_SPLASH_EMBLEM": (64, 64, 8, WHITE),
    "IDB_WIZARD_ART": (120, 220, 8, RED),
    "IDB_DIAL_LINE": (236, 48, 8, WHITE),
}
DIAL_BITMAP = (64, 64, 8, None)
PAGE_ICON_SIZES = {16, 32}


def parse_ids():
    ids = {}
    with open(os.path.join(RES, "ImageIds.h")) as header:
        for match in re.finditer(r"^#define\s+(\w+)\s+(\d+)\s*$", header.read(), re.M):
            ids[match.group(1)] = int(match.group(2))
    return ids


def parse_declarations(ids):
    """(id number, id text, kind, file) for every line of Images.rc."""
    declared = []
    pattern = re.compile(r'^\s*(\(?\s*(\w+)\s*(?:\+\s*(\d+)\s*)?\)?)\s+(BITMAP|ICON|CURSOR)\s+"([^"]+)"', re.M)
    with open(os.path.join(RES, "Images.rc")) as rc:
        for match in pattern.finditer(rc.read()):
            name, offset = match.group(2), int(match.group(3) or 0)
            declared.append((ids.get(name, -1) + offset, match.group(1).strip(), name,
                             match.group(4), match.group(5)))
    return declared


class Checker:
    def __init__(self):
        self.faults = []

    def fault(self, where, text):
        self.faults.append("%s: %s" % (where, text))

    def key_rule(self, where, rows, key, transparent=None):
        """key only where transparent; nothing opaque within KEY_DISTANCE of it."""
        keyed = near = 0
        for row in rows:
            for colour in row:
                if colour == key:
                    keyed += 1
                elif all(abs(c - k) < KEY_DISTANCE for c, k in zip(colour, key)):
                    near += 1
        if near:
            self.fault(where, "%d opaque pixels within %d levels of the key %s"
                       % (near, KEY_DISTANCE, key))
        if key == RED:
            reds = sum(1 for row in rows for colour in row
                       if colour != RED and winformats.nearest_vga(colour) == RED)
            if reds:
                self.fault(where, "%d opaque pixels turn pure red in 16 colours" % reds)
        if keyed == 0:
            self.fault(where, "no transparent pixel at all")
        total = sum(len(row) for row in rows)
        if keyed * 10 > total * 9:
            self.fault(where, "almost entirely transparent (%d of %d)" % (keyed, total))

    def bitmap(self, where, path, expected):
        width, height, bits, key = expected
        try:
            image = winformats.read_bmp(open(path, "rb").read())
        except (OSError, ValueError) as error:
            self.fault(where, str(error))
            return None
        if (image["width"], image["height"]) != (width, height):
            self.fault(where, "%dx%d, expected %dx%d"
                       % (image["width"], image["height"], width, height))
        if bits is not None and image["bits"] != bits:
            self.fault(where, "%d bits per pixel, expected %d" % (image["bits"], bits))
        if image["bits"] == 8 and len(image["palette"]) != 256:
            self.fault(where, "colour table of %d entries, expected 256" % len(image["palette"]))
        if key is not None:
            self.key_rule(where, image["rows"], key)
        if where.startswith("IDB_TOOLBAR") and GREY not in image["palette"]:
            self.fault(where, "no button-face grey in the colour table for the bar to map")
        return image

    def icon(self, where, path, sizes, cursor=False):
        try:
            kind, entries = winformats.read_icon_file(open(path, "rb").read())
        except (OSError, ValueError) as error:
            self.fault(where, str(error))
            return []
        if kind != (2 if cursor else 1):
            self.fault(where, "resource type %d" % kind)
        found = {entry["width"] for entry in entries}
        if found != sizes:
            self.fault(where, "sizes %s, expected %s" % (sorted(found), sorted(sizes)))
        for entry in entries:
            image = entry["image"]
            label = "%s %dx%d %d-bit" % (where, entry["width"], entry["height"], image["bits"])
            if image["width"] != entry["width"] or image["height"] != entry["height"]:
                self.fault(label, "directory and bitmap sizes differ")
            if not cursor and entry["field_b"] != image["bits"]:
                self.fault(label, "directory bit count %d" % entry["field_b"])
            mask = [bit for row in image["mask"] for bit in row]
            if all(mask) or not any(mask):
                self.fault(label, "mask is %s" % ("empty" if all(mask) else "full"))
        if cursor:
            entry = entries[0]
            hot_x, hot_y = entry["field_a"], entry["field_b"]
            image = entry["image"]
            if not (0 <= hot_x < image["width"] and 0 <= hot_y < image["height"]):
                self.fault(where, "hot spot (%d,%d) outside the cursor" % (hot_x, hot_y))
            elif image["mask"][hot_y][hot_x] != 0:
                self.fault(where, "hot spot (%d,%d) is not on the hand" % (hot_x, hot_y))
        return entries


def composed(image, background=GREY):
    """An icon entry as Windows draws it: background AND mask, then XOR colour."""
    rows = []
    for colour_row, mask_row in zip(image["rows"], image["mask"]):
        row = []
        for colour, bit in zip(colour_row, mask_row):
            base = background if bit else (0, 0, 0)
            row.append(tuple(b ^ c for b, c in zip(base, colour)))
        rows.append(row)
    return rows


def write_png(path, rows, zoom):
    height, width = len(rows), len(rows[0])
    raw = bytes(v for row in rows for px in row for v in px)
    subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8", "rgb:-",
                    "-scale", "%d%%" % (zoom * 100), path], input=raw, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sheet", metavar="DIR", help="write PNGs of the files' contents here")
    args = parser.parse_args()
    ids = parse_ids()
    declared = parse_declarations(ids)
    check = Checker()
    numbers = {}
    for number, text, name, _kind, _file in declared:
        if name not in ids:
            check.fault(text, "not defined in ImageIds.h")
        if number in numbers:
            check.fault(text, "id %d declared twice (also %s)" % (number, numbers[number]))
        numbers[number] = text
    declared_names = {name for _n, _t, name, _k, _f in declared}
    for name in ids:
        if name.startswith(("IDB_", "IDI_", "IDCUR_")) and name not in declared_names:
            check.fault(name, "defined in ImageIds.h but no picture declared")
    for required in (128, 130, 250, 252, 254, 342, 264, 265, 271, 272, 273, 274, 275, 276):
        if required not in numbers:
            check.fault(str(required), "no picture under this id")

    sheets = []
    for number, text, name, kind, relative in declared:
        path = os.path.join(RES, relative)
        where = "%s (%d, %s)" % (text, number, relative)
        if kind == "BITMAP":
            expected = BITMAPS.get(name, DIAL_BITMAP)
            image = check.bitmap(where, path, expected)
            if image:
                sheets.append((relative, image["rows"], 4 if image["width"] <= 64 else 2))
        elif kind == "ICON":
            sizes = PAGE_ICON_SIZES if name in ("IDI_VELOTUNE",) or name.startswith("IDI_PAGE_") else {32}
            for entry in check.icon(where, path, sizes):
                sheets.append(("%s %dpx %d-bit" % (relative, entry["width"], entry["image"]["bits"]),
                               composed(entry["image"]), 8 if entry["width"] == 16 else 4))
        else:
            for entry in check.icon(where, path, {32}, cursor=True):
                sheets.append((relative, composed(entry["image"]), 8))

    if args.sheet:
        os.makedirs(args.sheet, exist_ok=True)
        for index, (label, rows, zoom) in enumerate(sheets):
            stem = "%03d_%s" % (index, re.sub(r"[^\w.-]+", "_", label))
            write_png(os.path.join(args.sheet, stem + ".png"), rows, zoom)
    for fault in check.faults:
        print("FAULT", fault)
    print("%d pictures declared, %d faults" % (len(declared), len(check.faults)))
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main())
