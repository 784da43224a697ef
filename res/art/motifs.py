"""The drawings: one palette and one style for every image of the program.

Every motif draws into a 32 x 32 unit square (or states its own box) with a dark navy
outline, a light-from-the-top gradient body and an orange or green accent. `lw` is the
outline width in units: callers pass a heavier line for 16-pixel images so the outline
stays one full pixel wide, and `small` drops details that would turn into mush.
"""

import math

from scene import circle, ellipse, line, paint, path, poly, polyline, rect, rrect

# The palette.
OUTLINE = "#18233d"
NAVY = "#1d4b8f"
BLUE = "#3479d1"
SKY = "#9fcbf7"
PALE = "#eaf3ff"
ORANGE = "#f0841c"
AMBER = "#ffc847"
GREEN = "#2b9a4a"
LIME = "#8ee08f"
CRIMSON = "#c9302a"
ROSE = "#f0837c"
STEEL = "#7d8aa3"
SILVER = "#d3dae6"
CREAM = "#fff6dc"
SCREEN_OFF = "#2b3446"


def _polar(cx, cy, r, degrees):
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy - r * math.sin(a)


def _arc_band(cx, cy, r_out, r_in, start, end):
    """A ring segment from start to end degrees (counter-clockwise, 0 = east)."""
    x0, y0 = _polar(cx, cy, r_out, start)
    x1, y1 = _polar(cx, cy, r_out, end)
    x2, y2 = _polar(cx, cy, r_in, end)
    x3, y3 = _polar(cx, cy, r_in, start)
    large = 1 if (end - start) % 360 > 180 else 0
    return path("M %.3f,%.3f A %.3f,%.3f 0 %d,0 %.3f,%.3f L %.3f,%.3f "
                "A %.3f,%.3f 0 %d,1 %.3f,%.3f Z"
                % (x0, y0, r_out, r_out, large, x1, y1, x2, y2, r_in, r_in, large, x3, y3))


# ---- the product: a speed gauge ----

def gauge(s, lw, small=False, needle_degrees=35):
    cx, cy = 16, 17
    s.radial(circle(cx, cy, 14.5), BLUE, NAVY, 12, 10, 20)
    s.draw(paint(stroke=OUTLINE, width=lw) + circle(cx, cy, 14.5))
    s.linear(circle(cx, cy, 11), "#ffffff", SKY, 0, 6, 0, 28)
    # scale band: green to amber to orange, from lower left over the top to lower right
    band_in = 7.5 if small else 8.5
    s.draw(paint(fill=GREEN) + _arc_band(cx, cy, 11, band_in, 130, 210))
    s.draw(paint(fill=AMBER) + _arc_band(cx, cy, 11, band_in, 60, 130))
    s.draw(paint(fill=ORANGE) + _arc_band(cx, cy, 11, band_in, -30, 60))
    if not small:
        ticks = ""
        for d in range(210, -31, -30):
            ticks += line(*_polar(cx, cy, 8.3, d), *_polar(cx, cy, 6.6, d))
        s.draw(paint(stroke=NAVY, width=0.8) + ticks)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.8) + circle(cx, cy, 11))
    tip = _polar(cx, cy, 10.5 if small else 10, needle_degrees)
    left = _polar(cx, cy, 2.2, needle_degrees + 90)
    right = _polar(cx, cy, 2.2, needle_degrees - 90)
    s.draw(paint(fill=CRIMSON, stroke=OUTLINE, width=lw * 0.5) + poly(tip, left, right))
    s.draw(paint(fill=OUTLINE) + circle(cx, cy, 2.8 if small else 2.4))


# ---- Auto Tune-Up: a gear with a play mark ----

def gear_outline(cx, cy, r_out, r_in, teeth):
    points = []
    step = 360.0 / teeth
    for i in range(teeth):
        base = i * step
        for offset, radius in ((-0.32, r_in), (-0.2, r_out), (0.2, r_out), (0.32, r_in)):
            points.append(_polar(cx, cy, radius, base + offset * step))
    return poly(*points)


def auto(s, lw, small=False):
    cx, cy = 16, 16
    teeth = 8
    shape = gear_outline(cx, cy, 15, 11.8, teeth)
    s.linear(shape, SILVER, STEEL, 0, 2, 0, 30)
    s.draw(paint(stroke=OUTLINE, width=lw) + shape)
    s.linear(circle(cx, cy, 8.6), "#5fbf6f", GREEN, 0, 8, 0, 24)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.9) + circle(cx, cy, 8.6))
    s.draw(paint(fill="#ffffff", stroke=OUTLINE, width=lw * 0.45)
           + poly((cx - 2.6, cy - 5), (cx + 5.2, cy), (cx - 2.6, cy + 5)))


# ---- Manual Tune-Up: three sliders ----

def manual(s, lw, small=False):
    s.linear(rrect(2.5, 3, 29.5, 29, 3), PALE, SKY, 0, 3, 0, 29)
    s.draw(paint(stroke=OUTLINE, width=lw) + rrect(2.5, 3, 29.5, 29, 3))
    knobs = (11, 20, 14) if not small else (10, 21, 15)
    for i, knob_y in enumerate(knobs):
        x = 9 + 7 * i
        s.draw(paint(stroke=NAVY, width=lw * (1.1 if small else 1.3)) + line(x, 7, x, 25))
        knob = rrect(x - 3.4, knob_y - 2.4, x + 3.4, knob_y + 2.4, 1.2)
        s.linear(knob, AMBER, ORANGE, 0, knob_y - 2.4, 0, knob_y + 2.4)
        s.draw(paint(stroke=OUTLINE, width=lw * 0.7) + knob)


# ---- MTU: a packet with its size marked ----

def packet_block(s, lw, x0, y0, x1, y1, small=False, colours=(SKY, BLUE)):
    depth = (y1 - y0) * 0.35
    front = rect(x0, y0 + depth, x1 - depth, y1)
    top = poly((x0, y0 + depth), (x0 + depth, y0), (x1, y0), (x1 - depth, y0 + depth))
    side = poly((x1 - depth, y0 + depth), (x1, y0), (x1, y1 - depth), (x1 - depth, y1))
    s.linear(front, colours[0], colours[1], 0, y0 + depth, 0, y1)
    s.draw(paint(fill=PALE) + top)
    s.draw(paint(fill=NAVY) + side)
    if not small:
        stripes = ""
        for i in range(3):
            yy = y0 + depth + (y1 - y0 - depth) * (0.3 + 0.22 * i)
            stripes += line(x0 + 2.5, yy, x1 - depth - 2.5 - (4 if i == 2 else 0), yy)
        s.draw(paint(stroke="#ffffff", width=lw * 0.8) + stripes)
    s.draw(paint(stroke=OUTLINE, width=lw) + front + top + side)


def mtu(s, lw, small=False):
    packet_block(s, lw, 3, 3, 29, 20, small)
    y = 26
    arrow = (line(4.5, y, 27.5, y)
             + poly((3, y), (7.5, y - 3.4), (7.5, y + 3.4))
             + poly((29, y), (24.5, y - 3.4), (24.5, y + 3.4)))
    s.draw(paint(fill=ORANGE, stroke=ORANGE, width=lw * 1.2) + arrow)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.9)
           + line(2, y - 4.5, 2, y + 4.5) + line(30, y - 4.5, 30, y + 4.5))


# ---- RWIN: a window taking in data ----

def rwin(s, lw, small=False):
    frame = rect(3, 8, 27, 29)
    s.linear(frame, PALE, SKY, 0, 8, 0, 29)
    s.draw(paint(fill=NAVY) + rect(3, 8, 27, 11.5))
    s.draw(paint(stroke=OUTLINE, width=lw) + frame + line(3, 11.5, 27, 11.5))
    if not small:
        s.draw(paint(stroke=NAVY, width=lw * 0.6) + line(15, 11.5, 15, 29) + line(3, 20, 27, 20))
    # packets arriving in the window, and the arrow that brings them
    for i, (px, py) in enumerate(((6, 22.5), (10.5, 22.5), (6, 17.5)) if not small
                                 else ((6, 21.5), (12, 21.5))):
        size = 3.8 if not small else 5
        block = rect(px, py, px + size, py + size)
        s.draw(paint(fill=ORANGE if i != 2 else AMBER, stroke=OUTLINE, width=lw * 0.5) + block)
    arrow = poly((22, 2), (28, 2), (28, 11), (31, 11), (25, 18), (19, 11), (22, 11))
    s.linear(arrow, LIME, GREEN, 0, 2, 0, 18)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.8) + arrow)


# ---- TTL: a stopwatch ----

def ttl(s, lw, small=False):
    cx, cy, r = 16, 18, 12.5
    s.draw(paint(fill=STEEL, stroke=OUTLINE, width=lw * 0.8) + rect(13.5, 1.5, 18.5, 4.5))
    s.draw(paint(fill=STEEL, stroke=OUTLINE, width=lw * 0.8) + rect(15, 4, 17, 6.5))
    if not small:
        s.draw(paint(fill=STEEL, stroke=OUTLINE, width=lw * 0.7)
               + poly(*[_polar(25, 7, 2, d) for d in (0, 90, 180, 270)]))
    s.radial(circle(cx, cy, r + 1.6), BLUE, NAVY, 12, 12, 16)
    s.draw(paint(stroke=OUTLINE, width=lw) + circle(cx, cy, r + 1.6))
    s.linear(circle(cx, cy, r - 0.8), "#ffffff", PALE, 0, 6, 0, 30)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.6) + circle(cx, cy, r - 0.8))
    if not small:
        # a sector of elapsed time
        s.draw(paint(fill="#ffe0b8") + path(
            "M %.3f,%.3f L %.3f,%.3f A %.3f,%.3f 0 0,1 %.3f,%.3f Z"
            % (cx, cy, *_polar(cx, cy, r - 1.6, 90), r - 1.6, r - 1.6,
               *_polar(cx, cy, r - 1.6, -30))))
        ticks = ""
        for d in range(0, 360, 30):
            inner = r - 3.6 if d % 90 == 0 else r - 2.7
            ticks += line(*_polar(cx, cy, r - 1.5, d), *_polar(cx, cy, inner, d))
        s.draw(paint(stroke=NAVY, width=0.8) + ticks)
    hand = line(cx, cy, *_polar(cx, cy, r - 3.2, -30))
    s.draw(paint(stroke=CRIMSON, width=lw * (1.0 if small else 0.9)) + hand)
    s.draw(paint(stroke=OUTLINE, width=lw * 1.0) + line(cx, cy, cx, cy - (r - 4.5)))
    s.draw(paint(fill=OUTLINE) + circle(cx, cy, 1.8))


# ---- Cache size: a disk stack ----

def cache(s, lw, small=False):
    x0, x1 = 5, 27
    cx, rx, ry = 16, 11, 4
    top, bottom = 7, 26
    body = path("M %g,%g L %g,%g A %g,%g 0 0,0 %g,%g L %g,%g Z"
                % (x0, top, x0, bottom, rx, ry, x1, bottom, x1, top))
    s.linear(body, BLUE, NAVY, x0, 0, x1, 0)
    s.linear(body, "rgba(255,255,255,0.45)", "rgba(255,255,255,0)", x0, 0, x0 + 10, 0)
    if not small:
        bands = ""
        for yy in (13.5, 20):
            bands += path("M %g,%g A %g,%g 0 0,0 %g,%g" % (x0, yy, rx, ry, x1, yy))
        s.draw(paint(stroke=SKY, width=lw * 0.7) + bands)
    else:
        s.draw(paint(stroke=SKY, width=lw * 0.55)
               + path("M %g,%g A %g,%g 0 0,0 %g,%g" % (x0, 16.5, rx, ry, x1, 16.5)))
    s.linear(ellipse(cx, top, rx, ry), PALE, SKY, 0, top - ry, 0, top + ry)
    s.draw(paint(stroke=OUTLINE, width=lw) + body + ellipse(cx, top, rx, ry))
    # activity light
    s.draw(paint(fill=LIME, stroke=OUTLINE, width=lw * 0.4)
           + circle(22.5, 23.5 if not small else 22.5, 1.9 if not small else 2.4))


# ---- 16-pixel drawings ----
# At 16 pixels the 32-unit drawings blur: these are drawn on the pixel grid itself
# (16 units, one-unit outlines centred on half units) with fewer details.

def gauge16(s):
    cx, cy = 8, 8.5
    s.linear(circle(cx, cy, 7), "#ffffff", SKY, 0, 2, 0, 15)
    s.draw(paint(fill=GREEN) + _arc_band(cx, cy, 6.6, 5.0, 130, 215))
    s.draw(paint(fill=AMBER) + _arc_band(cx, cy, 6.6, 5.0, 60, 130))
    s.draw(paint(fill=ORANGE) + _arc_band(cx, cy, 6.6, 5.0, -35, 60))
    s.draw(paint(stroke=OUTLINE, width=1) + circle(cx, cy, 7))
    tip = _polar(cx, cy, 5.6, 45)
    s.draw(paint(stroke=CRIMSON, width=1.5) + line(cx, cy, *tip))
    s.draw(paint(fill=OUTLINE) + circle(cx, cy, 1.7))


def auto16(s):
    shape = gear_outline(8, 8, 7.6, 5.9, 8)
    s.linear(shape, SILVER, STEEL, 0, 1, 0, 15)
    s.draw(paint(stroke=OUTLINE, width=0.9) + shape)
    s.draw(paint(fill=GREEN, stroke=OUTLINE, width=0.8) + circle(8, 8, 4.2))
    s.draw(paint(fill="#ffffff") + poly((6.6, 5.5), (10.8, 8), (6.6, 10.5)))


def manual16(s):
    s.linear(rect(0.5, 0.5, 15.5, 15.5), PALE, SKY, 0, 0, 0, 16)
    s.draw(paint(stroke=OUTLINE, width=1) + rrect(0.5, 0.5, 15.5, 15.5, 1.5))
    for x, knob_y in ((4, 5), (8, 10), (12, 7)):
        s.draw(paint(fill=NAVY) + rect(x - 0.5, 3, x + 0.5, 13))
        s.draw(paint(fill=ORANGE, stroke=OUTLINE, width=0.8)
               + rect(x - 1.6, knob_y - 1.1, x + 1.6, knob_y + 1.1))


def mtu16(s):
    s.draw(paint(fill=PALE, stroke=OUTLINE, width=1)
           + poly((1.5, 4.5), (4.5, 1.5), (14.5, 1.5), (11.5, 4.5)))
    s.draw(paint(fill=NAVY, stroke=OUTLINE, width=1)
           + poly((11.5, 4.5), (14.5, 1.5), (14.5, 7.5), (11.5, 10.5)))
    front = rect(1.5, 4.5, 11.5, 10.5)
    s.linear(front, SKY, BLUE, 0, 4.5, 0, 10.5)
    s.draw(paint(stroke=OUTLINE, width=1) + front)
    s.draw(paint(fill="#ffffff") + rect(3, 6.5, 9, 7.3) + rect(3, 8.2, 7, 9))
    s.draw(paint(fill=ORANGE) + rect(2, 13, 14, 14)
           + poly((0.2, 13.5), (4.2, 10.6), (4.2, 16))
           + poly((15.8, 13.5), (11.8, 10.6), (11.8, 16)))


def rwin16(s):
    frame = rect(0.5, 4.5, 12.5, 15.5)
    s.linear(frame, PALE, SKY, 0, 5, 0, 15)
    s.draw(paint(fill=NAVY) + rect(0.5, 4.5, 12.5, 7))
    s.draw(paint(stroke=OUTLINE, width=1) + frame)
    s.draw(paint(fill=ORANGE, stroke=OUTLINE, width=0.7) + rect(2.5, 11.5, 5.5, 14) + rect(6.5, 11.5, 9.5, 14))
    arrow = poly((11, 0.2), (14, 0.2), (14, 5), (15.9, 5), (12.5, 9), (9.1, 5), (11, 5))
    s.draw(paint(fill=GREEN, stroke=OUTLINE, width=0.8) + arrow)
    s.draw(paint(fill=LIME) + rect(11.8, 1, 13.2, 5.5))


def ttl16(s):
    cx, cy = 8, 9
    s.draw(paint(fill=STEEL, stroke=OUTLINE, width=0.8) + rect(6, 0.5, 10, 2.2) + rect(7.3, 2, 8.7, 3))
    s.draw(paint(fill=NAVY, stroke=OUTLINE, width=1) + circle(cx, cy, 6.5))
    s.linear(circle(cx, cy, 5.2), "#ffffff", PALE, 0, 4, 0, 15)
    s.draw(paint(fill="#ffe0b8") + path(
        "M %.3f,%.3f L %.3f,%.3f A 4.7,4.7 0 0,1 %.3f,%.3f Z"
        % (cx, cy, *_polar(cx, cy, 4.7, 90), *_polar(cx, cy, 4.7, -30))))
    s.draw(paint(stroke=OUTLINE, width=1.1) + line(cx, cy, cx, cy - 4))
    s.draw(paint(stroke=CRIMSON, width=1.1) + line(cx, cy, *_polar(cx, cy, 4.3, -30)))
    s.draw(paint(fill=OUTLINE) + circle(cx, cy, 1))


def cache16(s):
    x0, x1, rx, ry, top, bottom = 2.5, 13.5, 5.5, 2.2, 3.5, 12.5
    body = path("M %g,%g L %g,%g A %g,%g 0 0,0 %g,%g L %g,%g Z"
                % (x0, top, x0, bottom, rx, ry, x1, bottom, x1, top))
    s.linear(body, BLUE, NAVY, x0, 0, x1, 0)
    s.draw(paint(stroke=SKY, width=0.8)
           + path("M %g,%g A %g,%g 0 0,0 %g,%g" % (x0, 8.3, rx, ry, x1, 8.3)))
    s.linear(ellipse(8, top, rx, ry), "#ffffff", SKY, 0, 1, 0, 6)
    s.draw(paint(stroke=OUTLINE, width=1) + body + ellipse(8, top, rx, ry))
    s.draw(paint(fill=LIME) + rect(10, 11.5, 12, 13))


SMALL = {"gauge": gauge16, "auto": auto16, "manual": manual16, "mtu": mtu16,
         "rwin": rwin16, "ttl": ttl16, "cache": cache16}


# ---- the dial pictures: the user's computer and the Internet ----

FRAMES = 7


def _signal_arcs(s, lw, cx, cy, facing_right, lit, colour_on, colour_off):
    """Three arcs of a radio-style signal; lit is a set of arc numbers (0 = innermost)."""
    for i, radius in enumerate((3.2, 5.9, 8.6)):
        a0, a1 = (-40, 40) if facing_right else (140, 220)
        p0 = _polar(cx, cy, radius, a0)
        p1 = _polar(cx, cy, radius, a1)
        arc = path("M %.3f,%.3f A %.3f,%.3f 0 0,0 %.3f,%.3f" % (*p0, radius, radius, *p1))
        colour = colour_on if i in lit else colour_off
        s.draw(paint(stroke=OUTLINE, width=lw * 2.1) + arc)
        s.draw(paint(stroke=colour, width=lw * 1.1) + arc)


def computer(s, lw, screen="dial", step=0, arcs=(), arc_colour=ORANGE):
    """A monitor and keyboard at the left of the square with a signal going right.
    screen: "dial" (progress dots up to step), "on" (connected), "flash", "off"."""
    bezel = rrect(1.5, 5, 21, 20.5, 1.8)
    s.linear(bezel, SILVER, STEEL, 0, 5, 0, 21)
    s.draw(paint(stroke=OUTLINE, width=lw) + bezel)
    glass = rect(4, 7.5, 18.5, 17.5)
    if screen == "off":
        s.draw(paint(fill=SCREEN_OFF) + glass)
    elif screen in ("on", "flash"):
        s.linear(glass, LIME if screen == "flash" else "#c9f3c8", GREEN, 0, 7.5, 0, 17.5)
    else:
        s.linear(glass, "#4f95e6", NAVY, 0, 7.5, 0, 17.5)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.6) + glass)
    if screen == "dial":
        dots = ""
        for i in range(FRAMES):
            x = 5.5 + i * 1.9
            dots += rect(x, 14.2, x + 1.3, 15.6)
        s.draw(paint(fill="#2a5da8") + dots)
        lit = "".join(rect(5.5 + i * 1.9, 14.2, 5.5 + i * 1.9 + 1.3, 15.6) for i in range(step + 1))
        s.draw(paint(fill=AMBER) + lit)
        s.draw(paint(fill="#ffffff") + rect(5.5, 9.5, 13, 10.6) + rect(5.5, 11.6, 10, 12.7))
    elif screen in ("on", "flash"):
        s.draw(paint(stroke="#ffffff" if screen == "on" else OUTLINE, width=lw * 1.5)
               + polyline((7.5, 12.5), (10, 15), (15, 9.5)))
    s.draw(paint(fill=STEEL, stroke=OUTLINE, width=lw * 0.8) + poly((9, 20.5), (13.5, 20.5), (14.5, 23.5), (8, 23.5)))
    keyboard = poly((2, 29.5), (4.5, 24.5), (19, 24.5), (21.5, 29.5))
    s.linear(keyboard, SILVER, STEEL, 0, 24.5, 0, 29.5)
    s.draw(paint(stroke=OUTLINE, width=lw * 0.8) + keyboard)
    s.draw(paint(stroke=STEEL, width=lw * 0.5) + line(5, 27, 18.5, 27))
    _signal_arcs(s, lw, 21.5, 13, True, set(arcs), arc_colour, SILVER)


def globe(s, lw, phase=0.0, arcs=(), arc_colour=ORANGE, lit=True):
    """The Internet: a globe at the right of the square, turning with phase (0..1),
    with the signal arriving from the left."""
    cx, cy, r = 20, 16, 10.5
    sea_top, sea_bottom = (SKY, BLUE) if lit else (SILVER, STEEL)
    land = "#4caf50" if lit else "#a7b0bf"
    s.radial(circle(cx, cy, r), sea_top, sea_bottom, cx - 3, cy - 4, r * 1.6)
    # land masses drift with the phase and wrap around the back of the globe
    blobs = ""
    for base, lat, size in ((0.0, -3.5, 3.2), (0.35, 3.5, 2.8), (0.62, -1.0, 2.3), (0.82, 5.5, 1.8)):
        u = (base + phase) % 1.0
        if 0.08 < u < 0.92:
            x = cx - r * math.cos(math.pi * u) * 0.85
            w = size * math.sin(math.pi * u) + 0.6
            blobs += ellipse(x, cy + lat, w, size * 0.8)
    s.draw(paint(fill=land) + blobs)
    grid = ""
    for lat in (-5.5, 0, 5.5):
        half = math.sqrt(r * r - lat * lat)
        grid += line(cx - half, cy + lat, cx + half, cy + lat)
    for j in range(3):
        u = (phase + j / 3.0) % 1.0
        rx = abs(math.cos(math.pi * u)) * r
        grid += ellipse(cx, cy, max(rx, 0.3), r)
    s.draw(paint(stroke="rgba(255,255,255,0.55)", width=lw * 0.5) + grid)
    s.draw(paint(stroke=OUTLINE, width=lw) + circle(cx, cy, r))
    s.draw(paint(fill="rgba(255,255,255,0.5)") + ellipse(cx - 4, cy - 6, 3.2, 1.6))
    _signal_arcs(s, lw, 10.3, 16, False, set(arcs), arc_colour, SILVER)


def dial_left(s, lw, frame):
    """Dialing frame of the left picture: the screen counts up, the signal moves out."""
    computer(s, lw, "dial", frame, arcs={frame % 3})


def dial_right(s, lw, frame):
    globe(s, lw, phase=frame / FRAMES, arcs={2 - frame % 3})


def connected_left(s, lw, pair):
    computer(s, lw, "on" if pair == 1 else "flash", arcs={0, 1, 2},
             arc_colour=GREEN if pair == 1 else LIME)


def connected_right(s, lw, pair):
    globe(s, lw, phase=0.15, arcs={0, 1, 2}, arc_colour=GREEN if pair == 1 else LIME)
    if pair == 1:
        s.draw(paint(stroke=LIME, width=lw * 1.1) + circle(20, 16, 12.2))


def _red_cross(s, lw, cx, cy):
    s.draw(paint(fill=CRIMSON, stroke=OUTLINE, width=lw * 0.8) + circle(cx, cy, 5))
    s.draw(paint(stroke="#ffffff", width=lw * 1.5)
           + line(cx - 2.2, cy - 2.2, cx + 2.2, cy + 2.2) + line(cx - 2.2, cy + 2.2, cx + 2.2, cy - 2.2))


def hung_up_left(s, lw):
    computer(s, lw, "off")
    _red_cross(s, lw, 25.5, 13)


def hung_up_right(s, lw):
    globe(s, lw, phase=0.15, lit=False)
    _red_cross(s, lw, 6.5, 16)


# ---- the modem and its line (dial view, splash) ----

def modem(s, lw, lights=(GREEN, AMBER, GREEN, "#5d6b80", GREEN)):
    """An external modem in a 40 x 16 unit box."""
    top = poly((3, 4), (37, 4), (39.5, 8), (0.5, 8))
    front = rrect(0.5, 8, 39.5, 15, 1.2)
    s.linear(top, "#ffffff", SILVER, 0, 4, 0, 8)
    s.linear(front, SILVER, STEEL, 0, 8, 0, 15)
    s.draw(paint(stroke=OUTLINE, width=lw) + top + front)
    for i, colour in enumerate(lights):
        s.draw(paint(fill=colour, stroke=OUTLINE, width=lw * 0.4) + circle(17 + i * 4.2, 11.5, 1.2))
    s.draw(paint(stroke=NAVY, width=lw * 0.8) + line(4, 11.5, 11, 11.5))


def dial_line(s, lw, width, height):
    """The dial view's fixed picture, in pixels: a modem in the middle whose cords rise at
    either end towards the two pictures above it, with packets riding the line."""
    mid = width / 2.0
    k = 1.6
    cord_y = 12 + 11.5 * k
    cord = path("M 6,0 C 6,%g %g,%g %g,%g" % (cord_y, mid * 0.5, cord_y, mid - 20 * k, cord_y)) + \
        path("M %g,%g C %g,%g %g,%g %g,0" % (mid + 20 * k, cord_y, mid * 1.5, cord_y,
                                                width - 6, cord_y, width - 6))
    s.draw(paint(stroke=OUTLINE, width=lw * 3.4) + cord)
    s.draw(paint(stroke=STEEL, width=lw * 1.6) + cord)
    for x in (mid * 0.42, mid * 0.7, mid * 1.3, mid * 1.58):
        s.draw(paint(fill=ORANGE, stroke=OUTLINE, width=lw) + rect(x - 4, cord_y - 12, x + 4, cord_y - 4))
    old = s.place(mid - 20 * k, 12, k)
    modem(s, lw / k)
    s.restore(old)


# ---- tool bar buttons (16 x 15, drawn on the pixel grid) ----

def start_button(s):
    s.draw(paint(fill=GREEN, stroke=OUTLINE, width=1) + circle(8, 7.5, 6.5))
    s.linear(circle(8, 7.5, 5.6), LIME, GREEN, 0, 1.5, 0, 12)
    s.draw(paint(fill="#ffffff", stroke=OUTLINE, width=0.6) + poly((6.2, 4.2), (11.3, 7.5), (6.2, 10.8)))


def stop_button(s):
    octagon = poly(*[_polar(8, 7.5, 6.9, 22.5 + 45 * i) for i in range(8)])
    s.linear(octagon, ROSE, CRIMSON, 0, 1, 0, 14)
    s.draw(paint(stroke=OUTLINE, width=1) + octagon)
    s.draw(paint(fill="#ffffff") + rect(5, 6.4, 11, 8.6))


# ---- splash and About pictures, wizard art ----

FONT_TITLE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"
FONT_TEXT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def _text(font, size, x, y, words):
    return "font '%s'\nfont-size %g\ntext %g,%g '%s'\n" % (font, size, x, y, words)


def splash_title(s):
    """The name as a word mark, 248 x 64 units, with speed lines before it."""
    streaks = ""
    for i, (y, length) in enumerate(((17, 30), (26, 40), (35, 24))):
        streaks += rrect(4 + (40 - length), y, 44, y + 4, 2)
    s.linear(streaks, "rgba(240,132,28,0)", ORANGE, 4, 0, 44, 0)
    word = _text(FONT_TITLE, 42, 34, 44, "Velotune")
    s.draw(paint(stroke=OUTLINE, width=3.2) + word)
    s.linear(word, BLUE, NAVY, 0, 12, 0, 44)
    s.draw(paint(fill=NAVY) + _text(FONT_TEXT, 10.5, 48, 60, "DIAL-UP PERFORMANCE TUNING"))


def splash_picture(s):
    """The computer, the modem, the line with packets and the Internet, 360 x 150 units."""
    panel = rrect(1.5, 1.5, 358.5, 148.5, 12)
    s.linear(panel, "#cfe5ff", "#f7fbff", 0, 0, 0, 150)
    s.linear(rect(1.5, 100, 358.5, 148.5), "rgba(159,203,247,0)", "rgba(159,203,247,0.9)",
             0, 100, 0, 148)
    old = s.place(14, 22, 3.3)
    computer(s, 0.42, "on", arcs={0, 1, 2}, arc_colour=ORANGE)
    s.restore(old)
    old = s.place(360 - 14 - 105, 20, 3.3)
    globe(s, 0.42, phase=0.3, arcs={0, 1, 2}, arc_colour=ORANGE)
    s.restore(old)
    wire = path("M 116,66 C 150,40 210,40 244,66")
    s.draw(paint(stroke=OUTLINE, width=4) + wire)
    s.draw(paint(stroke=AMBER, width=2) + wire)
    for x, y, colours in ((140, 40, (AMBER, ORANGE)), (170, 30, (SKY, BLUE)),
                          (200, 30, (AMBER, ORANGE)), (228, 42, (SKY, BLUE))):
        packet_block(s, 0.9, x - 9, y - 6, x + 9, y + 7, small=True, colours=colours)
    cords = path("M 142,124 C 120,124 110,128 84,118") + path("M 218,124 C 260,124 280,140 318,140")
    s.draw(paint(stroke=OUTLINE, width=3.4) + cords)
    s.draw(paint(stroke=STEEL, width=1.6) + cords)
    s.draw(paint(fill=SILVER, stroke=OUTLINE, width=1.2) + rrect(316, 132, 330, 146, 2))
    s.draw(paint(fill=OUTLINE) + rect(320, 137, 326, 141))
    old = s.place(140, 100, 2.0)
    modem(s, 0.6)
    s.restore(old)
    s.draw(paint(stroke=OUTLINE, width=2) + panel)


def wizard_panel(s):
    """Art for every page of the configuration wizard, 120 x 220 units."""
    panel = rrect(1.5, 1.5, 118.5, 218.5, 10)
    s.linear(panel, "#163b74", BLUE, 0, 0, 0, 220)
    s.draw(paint(fill="rgba(255,255,255,0.10)") + gear_outline(96, 30, 44, 35, 10))
    s.draw(paint(fill="rgba(255,255,255,0.10)") + circle(96, 30, 22))
    old = s.place(12, 18, 3.0)
    gauge(s, 0.45)
    s.restore(old)
    streaks = ""
    for y, x0 in ((124, 16), (131, 28), (138, 22)):
        streaks += rrect(x0, y, 104, y + 3, 1.5)
    s.linear(streaks, "rgba(255,200,71,0)", AMBER, 10, 0, 104, 0)
    old = s.place(10, 150, 2.2)
    computer(s, 0.6, "on", arcs={0, 1, 2}, arc_colour=AMBER)
    s.restore(old)
    old = s.place(70, 188, 1.1)
    modem(s, 0.9)
    s.restore(old)
    s.draw(paint(stroke=OUTLINE, width=2) + panel)
