#!/usr/bin/env python3
"""Draws the program's icon, animation clips and About pictures.

Each picture is written as SVG and turned into PNG or GIF with ImageMagick's
`convert` (SVG through rsvg-convert). The clips and About pictures also get a
twice as large "@2x" copy, drawn from the same SVG, which the program shows on
screens of device pixel ratio above 1. The results are committed, so this only
runs when the art changes:

    cd resources && python3 make_art.py          # everything
    cd resources && python3 make_art.py icons    # only the menu icons

The menu icons of icons/ (the hicolor theme sizes and the scalable SVG) are
drawn from the same shapes at each size, never scaled up from a small one.
"""
import math
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

RED = "#d02020"
DARK_RED = "#801010"
BLUE = "#2050d0"
DARK_BLUE = "#10287a"
POLE = "#6b4a2b"
STEEL = "#9aa4ad"
FLAME = "#ffb020"
FLAME_CORE = "#fff2a0"
SKY = "#1c2230"
GROUND = "#3d3326"


def svg(width, height, body, scale=1):
    """An SVG of the drawing `body` laid out on width x height, rendered at
    `scale` times that size: the renderer draws the shapes at the final size."""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width * scale:g}" '
            f'height="{height * scale:g}" viewBox="0 0 {width} {height}">{body}</svg>')


# Pixels per drawing unit of the clips and About pictures: 1, then 2 for "@2x".
SCALES = ((1, ""), (2, "@2x"))


def art(name, suffix):
    """The path of picture `name` ("flag_run.gif") with the scale's suffix."""
    stem, ext = os.path.splitext(name)
    return os.path.join(HERE, stem + suffix + ext)


def waving_flag(x, y, width, height, phase, colour, edge):
    """A flag fixed at x, rippling to the right; phase in [0, 1)."""
    steps = 10
    top, bottom = [], []
    for i in range(steps + 1):
        t = i / steps
        dy = math.sin(2 * math.pi * (t * 1.2 - phase)) * height * 0.12 * t
        top.append((x + t * width, y + dy))
        bottom.append((x + t * width, y + height + dy))
    points = top + bottom[::-1]
    text = " ".join(f"{px:.1f},{py:.1f}" for px, py in points)
    return f'<polygon points="{text}" fill="{colour}" stroke="{edge}" stroke-width="1.5"/>'


def pole(x, top, bottom):
    return (f'<rect x="{x - 2}" y="{top}" width="4" height="{bottom - top}" fill="{POLE}"/>'
            f'<circle cx="{x}" cy="{top}" r="3.5" fill="#e0c040"/>')


def rocket(cx, cy, length, angle, flicker):
    """A rocket centred at cx,cy pointing `angle` degrees clockwise from up.

    The points are turned here rather than with an SVG transform, which
    ImageMagick's own SVG renderer does not place reliably."""
    half = length / 2
    w = length * 0.22
    flame = length * (0.35 + 0.15 * flicker)
    a = math.radians(angle)

    def shape(points, fill, stroke=""):
        turned = []
        for px, py in points:
            turned.append((cx + px * math.cos(a) - py * math.sin(a),
                           cy + px * math.sin(a) + py * math.cos(a)))
        text = " ".join(f"{x:.1f},{y:.1f}" for x, y in turned)
        return f'<polygon points="{text}" fill="{fill}" {stroke}/>'

    return (shape([(0, half + flame), (-w * 0.45, half), (w * 0.45, half)], FLAME)
            + shape([(0, half + flame * 0.6), (-w * 0.22, half), (w * 0.22, half)], FLAME_CORE)
            + shape([(-w / 2, half * 0.45), (-w, half), (-w / 2, half)], DARK_RED)
            + shape([(w / 2, half * 0.45), (w, half), (w / 2, half)], DARK_RED)
            + shape([(-w / 2, -half * 0.55), (w / 2, -half * 0.55), (w / 2, half), (-w / 2, half)],
                    STEEL, 'stroke="#50585f" stroke-width="1"')
            + shape([(0, -half), (-w / 2, -half * 0.55), (w / 2, -half * 0.55)], RED))


def smoke(puffs):
    return "".join(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r:.1f}" fill="#b8b8b8" '
                   f'fill-opacity="{o:.2f}"/>' for x, y, r, o in puffs)


def render(svg_text, out, size=None, options=()):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg_text)
        name = f.name
    try:
        cmd = ["convert", "-background", "none", name]
        if size:
            cmd += ["-resize", f"{size}x{size}"]
        subprocess.run(cmd + list(options) + [out], check=True)
    finally:
        os.unlink(name)


def render_clip(frames, out, delay):
    with tempfile.TemporaryDirectory() as tmp:
        pngs = []
        for i, frame in enumerate(frames):
            png = os.path.join(tmp, f"f{i:02d}.png")
            render(frame, png)
            pngs.append(png)
        subprocess.run(["convert", "-delay", str(delay), "-loop", "0", "-dispose", "background",
                        *pngs, "-layers", "Optimize", out], check=True)


ICON_SIZES = (16, 32, 48, 64, 128, 256)


def icon_body():
    return (f'<rect x="0" y="0" width="64" height="64" rx="10" fill="{SKY}"/>'
            + pole(20, 8, 58) + waving_flag(22, 10, 32, 20, 0.15, RED, DARK_RED)
            + rocket(46, 46, 18, 45, 1.0))


def icon():
    text = svg(64, 64, icon_body())
    render(text, os.path.join(HERE, "icon.png"))
    render(text, os.path.join(HERE, "icon16.png"), 16)


def menu_icons():
    """The desktop menu's icons: icons/icon.svg, icons/icon-<size>.png and,
    for Windows, icons/mctfutil.ico."""
    folder = os.path.join(HERE, "icons")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "icon.svg"), "w", encoding="ascii") as f:
        f.write(svg(64, 64, icon_body()) + "\n")
    for size in ICON_SIZES:
        # No time stamps: drawing them again gives the same bytes.
        render(svg(64, 64, icon_body(), size / 64), os.path.join(folder, f"icon-{size}.png"),
               options=["-define", "png:exclude-chunks=date,time"])
    # Windows takes a program's icon as one .ico that holds every size.
    subprocess.run(["convert"] + [os.path.join(folder, f"icon-{size}.png") for size in ICON_SIZES]
                   + [os.path.join(folder, "mctfutil.ico")], check=True)


def flag_run_clip(scale, suffix):
    """Clip 151: a red flag rippling on its pole above a base."""
    frames = []
    for i in range(12):
        phase = i / 12
        body = (f'<rect x="0" y="0" width="80" height="110" fill="{SKY}"/>'
                f'<rect x="0" y="96" width="80" height="14" fill="{GROUND}"/>'
                f'<ellipse cx="22" cy="97" rx="16" ry="4" fill="{DARK_RED}"/>'
                + pole(22, 14, 97) + waving_flag(24, 16, 44, 28, phase, RED, DARK_RED))
        frames.append(svg(80, 110, body, scale))
    render_clip(frames, art("flag_run.gif", suffix), 8)


def rocket_jump_clip(scale, suffix):
    """Clip 153: a rocket climbing out of view, trailing smoke."""
    frames = []
    count = 24
    for i in range(count):
        t = i / count
        y = 118 - t * 150
        x = 40 + math.sin(t * 2 * math.pi) * 6
        puffs = []
        for k in range(1, 5):
            py = y + 26 + k * 11
            if py < 108:
                puffs.append((x + math.sin(k + t * 5) * 3, py, 3 + k * 1.6, 0.75 - k * 0.14))
        body = (f'<rect x="0" y="0" width="80" height="110" fill="{SKY}"/>'
                f'<rect x="0" y="96" width="80" height="14" fill="{GROUND}"/>'
                + smoke(puffs) + rocket(x, y, 36, math.sin(t * 2 * math.pi) * 10, i % 2))
        frames.append(svg(80, 110, body, scale))
    render_clip(frames, art("rocket_jump.gif", suffix), 6)


def about_pictures(scale, suffix):
    flag = (f'<rect x="0" y="0" width="120" height="90" fill="{SKY}"/>'
            f'<rect x="0" y="72" width="120" height="18" fill="{GROUND}"/>'
            f'<ellipse cx="30" cy="74" rx="20" ry="5" fill="{DARK_RED}"/>'
            f'<ellipse cx="90" cy="74" rx="20" ry="5" fill="{DARK_BLUE}"/>'
            + pole(30, 14, 74) + waving_flag(32, 16, 26, 18, 0.3, RED, DARK_RED)
            + pole(90, 14, 74) + waving_flag(92, 16, 26, 18, 0.6, BLUE, DARK_BLUE))
    render(svg(120, 90, flag, scale), art("about_flag.png", suffix))
    blast = (f'<rect x="0" y="0" width="120" height="90" fill="{SKY}"/>'
             f'<rect x="0" y="72" width="120" height="18" fill="{GROUND}"/>'
             f'<circle cx="96" cy="62" r="16" fill="{FLAME}" fill-opacity="0.8"/>'
             f'<circle cx="96" cy="62" r="8" fill="{FLAME_CORE}"/>'
             + smoke([(16, 40, 5, 0.4), (28, 42, 6, 0.5), (42, 46, 6, 0.6)])
             + rocket(64, 52, 30, 110, 1.0))
    render(svg(120, 90, blast, scale), art("about_rocket.png", suffix))


if __name__ == "__main__":
    if sys.argv[1:] == ["icons"]:
        menu_icons()
        sys.exit(0)
    icon()
    menu_icons()
    for scale, suffix in SCALES:
        flag_run_clip(scale, suffix)
        rocket_jump_clip(scale, suffix)
        about_pictures(scale, suffix)
