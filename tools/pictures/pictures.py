#!/usr/bin/env python3
"""Draws the program's pictures: the icons and bitmaps of its resources and the bitmaps of its
data folder ("images/" and "Images/").

Every picture is a small SVG written here, rendered by rsvg-convert and turned by ImageMagick
into an uncompressed BMP (24-bit, or 256 colours where the resource asks for it) or a
multi-size ICO with alpha.

    pictures.py resources OUT   icon 1 (app.ico), tree icons 26 to 36, bitmaps 2 to 21, 24, 25
    pictures.py data OUT        images/*.bmp and Images/*.bmp of the data folder
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys

# The face of buttons, menus and dialogs: what a bitmap without transparency stands on.
FACE = "#f0f0f0"

BLUE = "#1f4e9c"
LIGHT_BLUE = "#4a7ac4"
GREEN = "#2e9e44"
RED = "#c8281e"
AMBER = "#e08a00"
GOLD = "#e3b21b"
GREY = "#6b7280"
DARK = "#2b2f36"
WHITE = "#ffffff"

FONT = "font-family='Liberation Sans, DejaVu Sans, sans-serif' font-weight='bold'"


def svg(view_w, view_h, body):
    return (f"<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 {view_w} {view_h}' "
            f"width='{view_w}' height='{view_h}'>{body}</svg>")


# Motifs, each drawn in a 32 x 32 box.

def stopwatch(colour):
    return (f"<rect x='13' y='1' width='6' height='4' rx='1' fill='{DARK}'/>"
            f"<circle cx='16' cy='18' r='12' fill='{colour}'/>"
            f"<circle cx='16' cy='18' r='9' fill='{WHITE}'/>"
            f"<path d='M16 18 L16 11' stroke='{DARK}' stroke-width='2.5' stroke-linecap='round'/>"
            f"<path d='M16 18 L21 21' stroke='{RED}' stroke-width='2' stroke-linecap='round'/>")


def chequered_flag():
    squares = "".join(
        f"<rect x='{6 + 5 * c}' y='{4 + 4 * r}' width='5' height='4' fill='{DARK}'/>"
        for r in range(4) for c in range(4) if (r + c) % 2 == 0)
    return (f"<rect x='3' y='2' width='2.5' height='28' rx='1' fill='{GREY}'/>"
            f"<rect x='6' y='4' width='20' height='16' fill='{WHITE}' stroke='{DARK}' "
            f"stroke-width='1'/>{squares}")


def person(x, y, scale, colour):
    return (f"<g transform='translate({x} {y}) scale({scale})'>"
            f"<circle cx='16' cy='9' r='6.5' fill='{colour}'/>"
            f"<path d='M4 30 C4 20 10 17 16 17 C22 17 28 20 28 30 Z' fill='{colour}'/></g>")


def gear(colour):
    teeth = "".join(
        f"<rect x='13.5' y='2' width='5' height='7' rx='1' fill='{colour}' "
        f"transform='rotate({a} 16 16)'/>" for a in range(0, 360, 45))
    return (f"{teeth}<circle cx='16' cy='16' r='10' fill='{colour}'/>"
            f"<circle cx='16' cy='16' r='4' fill='{WHITE}'/>")


def podium():
    return (f"<rect x='11' y='10' width='10' height='20' fill='{GOLD}'/>"
            f"<rect x='2' y='16' width='9' height='14' fill='#aab2bd'/>"
            f"<rect x='21' y='20' width='9' height='10' fill='#c07a3a'/>"
            f"<text x='16' y='22' {FONT} font-size='9' fill='{WHITE}' "
            f"text-anchor='middle'>1</text>")


def globe(colour):
    return (f"<circle cx='16' cy='16' r='13' fill='{colour}'/>"
            f"<ellipse cx='16' cy='16' rx='6' ry='13' fill='none' stroke='{WHITE}' "
            f"stroke-width='1.6'/>"
            f"<path d='M3 16 H29 M5.5 9 H26.5 M5.5 23 H26.5' stroke='{WHITE}' "
            f"stroke-width='1.6'/>")


def speaker(colour, waves=2):
    arcs = "".join(
        f"<path d='M{20 + 4 * i} {11 - 3 * i} Q{25 + 5 * i} 16 {20 + 4 * i} {21 + 3 * i}' "
        f"fill='none' stroke='{colour}' stroke-width='2.2' stroke-linecap='round'/>"
        for i in range(waves))
    return (f"<path d='M4 12 H10 L18 5 V27 L10 20 H4 Z' fill='{colour}'/>{arcs}")


def printer():
    return (f"<rect x='9' y='3' width='14' height='9' fill='{WHITE}' stroke='{DARK}' "
            f"stroke-width='1.5'/>"
            f"<rect x='3' y='11' width='26' height='12' rx='2' fill='{GREY}'/>"
            f"<circle cx='25' cy='15' r='1.5' fill='{GREEN}'/>"
            f"<rect x='9' y='19' width='14' height='10' fill='{WHITE}' stroke='{DARK}' "
            f"stroke-width='1.5'/>"
            f"<path d='M12 23 H20 M12 26 H18' stroke='{GREY}' stroke-width='1.2'/>")


def wifi(colour):
    arcs = "".join(
        f"<path d='M{16 - r} {24 - r * 0.55} A{r} {r} 0 0 1 {16 + r} {24 - r * 0.55}' "
        f"fill='none' stroke='{colour}' stroke-width='3' stroke-linecap='round'/>"
        for r in (6, 11, 16))
    return f"{arcs}<circle cx='16' cy='26' r='2.8' fill='{colour}'/>"


def arrow(up, colour):
    path = "M16 5 L28 20 H20 V28 H12 V20 H4 Z" if up else "M16 27 L28 12 H20 V4 H12 V12 H4 Z"
    return f"<path d='{path}' fill='{colour}'/>"


def light(colour):
    return (f"<circle cx='16' cy='16' r='13' fill='{DARK}'/>"
            f"<circle cx='16' cy='16' r='11' fill='{colour}'/>"
            f"<ellipse cx='12' cy='11' rx='4.5' ry='3' fill='{WHITE}' opacity='0.55'/>")


def scan_indicator(lit):
    """A transponder with four waves, the first lit ones green."""
    arcs = ""
    for i in range(4):
        r = 8 + 4 * i
        x, dy = 7 + r * 0.643, r * 0.766
        colour = GREEN if i < lit else "#c9ced6"
        arcs += (f"<path d='M{x:.2f} {16 - dy:.2f} A{r} {r} 0 0 1 {x:.2f} {16 + dy:.2f}' "
                 f"fill='none' stroke='{colour}' stroke-width='2.2' stroke-linecap='round'/>")
    return (f"<rect x='2' y='10' width='9' height='12' rx='2' fill='{DARK}'/>"
            f"<circle cx='6.5' cy='16' r='2' fill='{GREEN if lit else GREY}'/>{arcs}")


def frame(body, view_w=32, view_h=32):
    """A 32 x 32 motif fitted into a view of another size, centred."""
    scale = min(view_w, view_h) / 32
    dx = (view_w - 32 * scale) / 2
    dy = (view_h - 32 * scale) / 2
    return f"<g transform='translate({dx} {dy}) scale({scale})'>{body}</g>"


# The resources: (file, width, height, body in a width x height view, colours).

def round_button(colour, symbol):
    return (f"<circle cx='20' cy='19.5' r='17' fill='{colour}' stroke='{DARK}' "
            f"stroke-width='1' stroke-opacity='0.4'/>{symbol}")


RESOURCE_BITMAPS = [
    # The series buttons (40 x 39); 2 is also every menu item's checked picture.
    ("bitmap2.bmp", 40, 39, round_button(GREEN, f"<path d='M15 10 L29 19.5 L15 29 Z' "
                                                f"fill='{WHITE}'/>"), 0),
    ("bitmap3.bmp", 40, 39, round_button(RED, f"<rect x='13' y='12.5' width='14' height='14' "
                                              f"rx='1.5' fill='{WHITE}'/>"), 0),
    ("bitmap4.bmp", 40, 39, round_button(
        AMBER, f"<path d='M27 15 A8.5 8.5 0 1 0 28 22' fill='none' stroke='{WHITE}' "
               f"stroke-width='3' stroke-linecap='round'/>"
               f"<path d='M29.5 8.5 L29 17 L21 15 Z' fill='{WHITE}'/>"), 0),
    # Menu pictures, in the sizes the menu bar was designed with.
    ("bitmap5.bmp", 24, 24, frame(
        f"<path d='M6 2 H20 L26 8 V30 H6 Z' fill='{WHITE}' stroke='{GREY}' stroke-width='1.5'/>"
        f"<path d='M20 2 V8 H26' fill='none' stroke='{GREY}' stroke-width='1.5'/>"
        f"<circle cx='22' cy='24' r='7' fill='{GREEN}'/>"
        f"<path d='M22 20 V28 M18 24 H26' stroke='{WHITE}' stroke-width='2.4'/>", 24, 24), 256),
    ("bitmap6.bmp", 20, 20, frame(
        f"<path d='M3 3 H25 L29 7 V29 H3 Z' fill='{BLUE}'/>"
        f"<rect x='8' y='3' width='14' height='9' fill='#d8e2f2'/>"
        f"<rect x='17' y='4.5' width='3' height='6' fill='{BLUE}'/>"
        f"<rect x='7' y='17' width='18' height='12' fill='{WHITE}'/>", 20, 20), 0),
    ("bitmap7.bmp", 16, 16, frame(
        f"<rect x='4' y='3' width='15' height='26' fill='{RED}'/>"
        f"<circle cx='15' cy='16' r='1.5' fill='{WHITE}'/>"
        f"<path d='M19 16 H30 M25 11 L30 16 L25 21' fill='none' stroke='{DARK}' "
        f"stroke-width='3' stroke-linecap='round' stroke-linejoin='round'/>", 16, 16), 0),
    ("bitmap8.bmp", 42, 26,
     f"<path d='M3 17 L6 11 L14 9 L19 4 H29 L35 10 L40 11 V18 H3 Z' fill='{BLUE}'/>"
     f"<path d='M20 6 H28 L32 10 H17 Z' fill='#bcd0ee'/>"
     f"<circle cx='11' cy='19' r='4.5' fill='{DARK}'/><circle cx='11' cy='19' r='1.8' "
     f"fill='{WHITE}'/><circle cx='32' cy='19' r='4.5' fill='{DARK}'/>"
     f"<circle cx='32' cy='19' r='1.8' fill='{WHITE}'/>", 0),
    ("bitmap9.bmp", 30, 29, frame(person(6, -2, 0.75, LIGHT_BLUE) + person(-2, 4, 0.85, BLUE),
                                  30, 29), 0),
    ("bitmap10.bmp", 30, 30, frame(
        f"<rect x='3' y='5' width='26' height='24' rx='2' fill='{WHITE}' stroke='{GREY}' "
        f"stroke-width='1.5'/><rect x='3' y='5' width='26' height='7' rx='2' fill='{RED}'/>"
        f"<path d='M9 2 V8 M23 2 V8' stroke='{DARK}' stroke-width='2.5' "
        f"stroke-linecap='round'/>"
        f"<text x='16' y='26' {FONT} font-size='12' fill='{DARK}' text-anchor='middle'>18"
        f"</text>", 30, 30), 0),
    ("bitmap11.bmp", 30, 30, frame(
        f"<path d='M9 3 H23 V12 A7 7 0 0 1 9 12 Z' fill='{GOLD}'/>"
        f"<path d='M9 6 H4 V9 A5 5 0 0 0 10 14 M23 6 H28 V9 A5 5 0 0 1 22 14' fill='none' "
        f"stroke='{GOLD}' stroke-width='2.2'/>"
        f"<rect x='14' y='18' width='4' height='6' fill='{GOLD}'/>"
        f"<rect x='9' y='24' width='14' height='5' rx='1' fill='#8a6a10'/>", 30, 30), 0),
    ("bitmap12.bmp", 30, 26, frame(scan_indicator(3), 30, 26), 0),
    ("bitmap13.bmp", 30, 36, frame(
        f"<path d='M16 12 L10 31 M16 12 L22 31 M12 25 H20' stroke='{GREY}' stroke-width='2' "
        f"fill='none'/><circle cx='16' cy='11' r='2.5' fill='{RED}'/>"
        f"<path d='M10 5 A8 8 0 0 0 10 17 M22 5 A8 8 0 0 1 22 17 M6 2 A13 13 0 0 0 6 20 "
        f"M26 2 A13 13 0 0 1 26 20' fill='none' stroke='{BLUE}' stroke-width='2' "
        f"stroke-linecap='round'/>", 30, 36), 0),
    ("bitmap14.bmp", 30, 30, frame(
        f"<rect x='5' y='5' width='13' height='19' rx='1.5' fill='#f5d000' stroke='{DARK}' "
        f"stroke-width='1' transform='rotate(-12 11 14)'/>"
        f"<rect x='14' y='8' width='13' height='19' rx='1.5' fill='{RED}' stroke='{DARK}' "
        f"stroke-width='1' transform='rotate(10 20 17)'/>", 30, 30), 0),
    ("bitmap15.bmp", 30, 25, frame(
        f"<rect x='2' y='3' width='28' height='19' rx='2' fill='{DARK}'/>"
        f"<rect x='4' y='5' width='24' height='15' fill='{LIGHT_BLUE}'/>"
        f"<path d='M6 9 H26 M6 13 H26 M6 17 H20' stroke='{WHITE}' stroke-width='1.6'/>"
        f"<path d='M12 29 H20 M16 22 V29' stroke='{DARK}' stroke-width='2.5'/>", 30, 25), 0),
    ("bitmap16.bmp", 35, 24,
     f"<path d='M2 2 H19 V14 H9 L5 18 V14 H2 Z' fill='{BLUE}'/>"
     f"<text x='10.5' y='12' {FONT} font-size='10' fill='{WHITE}' text-anchor='middle'>A</text>"
     f"<path d='M15 8 H33 V20 H30 V23 L26 20 H15 Z' fill='{AMBER}'/>"
     f"<text x='24' y='18' {FONT} font-size='10' fill='{WHITE}' text-anchor='middle'>Z</text>",
     0),
    ("bitmap17.bmp", 30, 32, frame(speaker(BLUE, 2), 30, 32), 0),
    ("bitmap18.bmp", 35, 32, frame(
        f"<rect x='1' y='3' width='30' height='22' rx='2' fill='{DARK}'/>"
        f"<rect x='3' y='5' width='26' height='4' fill='{BLUE}'/>"
        f"<rect x='3' y='9' width='26' height='4' fill='{WHITE}'/>"
        f"<rect x='3' y='13' width='26' height='4' fill='#e2ecfa'/>"
        f"<rect x='3' y='17' width='26' height='6' fill='{WHITE}'/>"
        f"<rect x='3' y='13' width='8' height='4' fill='#ffd600'/>"
        f"<path d='M12 30 H20 M16 25 V30' stroke='{DARK}' stroke-width='2.5'/>", 35, 32), 0),
    ("bitmap19.bmp", 30, 25, frame(
        f"<rect x='2' y='11' width='8' height='10' fill='{GREY}'/>"
        f"<rect x='10' y='9' width='14' height='14' rx='2' fill='{DARK}'/>"
        f"<path d='M24 16 H31' stroke='{DARK}' stroke-width='3'/>"
        f"<rect x='4' y='13' width='2' height='2' fill='{WHITE}'/>"
        f"<rect x='4' y='17' width='2' height='2' fill='{WHITE}'/>", 30, 25), 0),
    ("bitmap20.bmp", 30, 30, frame(
        globe(GREY) + f"<path d='M6 26 L26 6' stroke='{RED}' stroke-width='4' "
                      f"stroke-linecap='round'/>", 30, 30), 0),
    ("bitmap21.bmp", 30, 30, frame(globe(GREEN), 30, 30), 0),
    # The results and print buttons (40 x 40 buttons).
    ("bitmap24.bmp", 32, 32,
     f"<rect x='5' y='3' width='22' height='27' rx='2' fill='{WHITE}' stroke='{GREY}' "
     f"stroke-width='1.5'/><rect x='11' y='1' width='10' height='5' rx='1' fill='{GREY}'/>"
     f"<path d='M9 11 H23 M9 16 H23 M9 21 H23 M9 26 H18' stroke='{BLUE}' stroke-width='2'/>"
     f"<circle cx='10' cy='11' r='1.3' fill='{GOLD}'/>", 0),
    ("bitmap25.bmp", 32, 32, printer(), 0),
]

# Icons: (file, sizes, body in a 32 x 32 view).
RESOURCE_ICONS = [
    ("app.ico", (16, 32, 48),
     f"<rect x='1' y='1' width='30' height='30' rx='6' fill='{BLUE}'/>"
     f"<g transform='translate(3 4) scale(0.85)'>{stopwatch(WHITE)}</g>"
     f"<g transform='translate(15 1) scale(0.5)'>{chequered_flag()}</g>"),
    ("tree26.ico", (16, 32),
     f"<circle cx='16' cy='16' r='14' fill='{BLUE}'/>"
     f"<rect x='13.5' y='13' width='5' height='13' rx='1' fill='{WHITE}'/>"
     f"<circle cx='16' cy='8.5' r='3' fill='{WHITE}'/>"),
    ("tree27.ico", (16, 32),
     f"<rect x='2' y='7' width='28' height='18' rx='9' fill='none' stroke='{GREY}' "
     f"stroke-width='5'/><rect x='2' y='7' width='28' height='18' rx='9' fill='none' "
     f"stroke='{WHITE}' stroke-width='1' stroke-dasharray='3 3'/>"),
    ("tree28.ico", (16, 32), chequered_flag()),
    ("tree29.ico", (16, 32), stopwatch(AMBER)),
    ("tree30.ico", (16, 32), person(0, 0, 1, BLUE)),
    ("tree31.ico", (16, 32), gear(GREY)),
    ("tree32.ico", (16, 32),
     "".join(f"<rect x='3' y='{4 + 9 * i}' width='6' height='6' rx='1' fill='{GREEN}'/>"
             f"<rect x='12' y='{5 + 9 * i}' width='17' height='4' rx='1' fill='{GREY}'/>"
             for i in range(3))),
    ("tree33.ico", (16, 32),
     f"<circle cx='16' cy='16' r='12' fill='{WHITE}' stroke='{GREY}' stroke-width='3'/>"),
    ("tree34.ico", (16, 32),
     f"<circle cx='16' cy='16' r='14' fill='{GREEN}'/>"
     f"<path d='M9 16.5 L14 21.5 L23 11' fill='none' stroke='{WHITE}' stroke-width='3.5' "
     f"stroke-linecap='round' stroke-linejoin='round'/>"),
    ("tree35.ico", (16, 32), f"<rect x='10' y='10' width='12' height='12' fill='{GREY}' "
                             f"transform='rotate(45 16 16)'/>"),
    ("tree36.ico", (16, 32), podium()),
]

# The data folder's bitmaps: (path, width, height, body in a 32 x 32 view).
DATA_BITMAPS = [
    ("images/drapeauArrivee.bmp", 32, 20, None),
    ("images/impression.bmp", 32, 32, printer()),
    ("images/wifiVert.bmp", 32, 32, wifi(GREEN)),
    ("images/wifiRouge.bmp", 32, 32, wifi(RED)),
    ("images/voyantScanPuce1.bmp", 40, 40, scan_indicator(1)),
    ("images/voyantScanPuce2.bmp", 40, 40, scan_indicator(2)),
    ("images/voyantScanPuce3.bmp", 40, 40, scan_indicator(3)),
    ("images/voyantScanPuce4.bmp", 40, 40, scan_indicator(4)),
    ("images/FlecheHaut.bmp", 12, 12, arrow(True, BLUE)),
    ("images/FlecheBas.bmp", 12, 12, arrow(False, BLUE)),
    ("images/FlecheHautG.bmp", 12, 12, arrow(True, "#9aa1ab")),
    ("images/FlecheBasG.bmp", 12, 12, arrow(False, "#9aa1ab")),
    ("images/chargercourse.bmp", 20, 20,
     f"<path d='M2 8 H12 L15 11 H30 V28 H2 Z' fill='{GOLD}'/>"
     f"<path d='M16 13 V24 M11 19 L16 24 L21 19' fill='none' stroke='{DARK}' stroke-width='3' "
     f"stroke-linecap='round' stroke-linejoin='round'/>"),
    ("images/Sons2.bmp", 20, 20, speaker(GREEN, 2)),
    ("Images/voyantRouge.bmp", 24, 24, light(RED)),
    ("Images/voyantVert.bmp", 24, 24, light("#31c24d")),
]


def chequered_strip(width, height):
    """The finish flag of the status cells: a plain chequer, 8 x 5 squares."""
    cw, ch = width / 8, height / 5
    squares = "".join(
        f"<rect x='{c * cw}' y='{r * ch}' width='{cw}' height='{ch}' fill='{DARK}'/>"
        for r in range(5) for c in range(8) if (r + c) % 2 == 0)
    return svg(width, height, f"<rect width='{width}' height='{height}' fill='{WHITE}'/>"
                              f"{squares}")


def render(rsvg, document, width, height, background=None):
    command = [rsvg, "-w", str(width), "-h", str(height)]
    if background:
        command += ["-b", background]
    return subprocess.run(command, input=document.encode(), check=True,
                          capture_output=True).stdout


def write_bmp(tools, document, width, height, path, colours=0):
    rsvg, magick = tools
    png = render(rsvg, document, width, height, FACE)
    depth = ["-colors", str(colours), "-type", "Palette"] if colours else ["-type", "TrueColor"]
    subprocess.run([magick, "png:-", "-alpha", "off", *depth, "-compress", "none",
                    "BMP3:" + path], input=png,
                   check=True, capture_output=True)


def write_ico(tools, body, sizes, path, workdir):
    rsvg, magick = tools
    pngs = []
    for size in sizes:
        png = os.path.join(workdir, f"{os.path.basename(path)}.{size}.png")
        with open(png, "wb") as f:
            f.write(render(rsvg, svg(32, 32, body), size, size))
        pngs.append(png)
    subprocess.run([magick, *pngs, "ICO:" + path], check=True, capture_output=True)
    for png in pngs:
        os.remove(png)


def jobs_for(kind, out):
    jobs = []
    if kind == "resources":
        for name, w, h, body, colours in RESOURCE_BITMAPS:
            jobs.append((write_bmp, svg(w, h, body), w, h, os.path.join(out, name), colours))
        for name, sizes, body in RESOURCE_ICONS:
            jobs.append((write_ico, body, sizes, os.path.join(out, name), out))
    else:
        for path, w, h, body in DATA_BITMAPS:
            target = os.path.join(out, *path.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            document = chequered_strip(w, h) if body is None else svg(32, 32, frame(body))
            jobs.append((write_bmp, document, w, h, target, 0))
    return jobs


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("kind", choices=["resources", "data"])
    parser.add_argument("out")
    parser.add_argument("--rsvg-convert", default="rsvg-convert")
    parser.add_argument("--convert", default="convert", help="ImageMagick's convert")
    parser.add_argument("--stamp", help="touched once every picture is written")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    tools = (args.rsvg_convert, args.convert)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
        futures = [pool.submit(job[0], tools, *job[1:]) for job in jobs_for(args.kind, args.out)]
        for future in futures:
            try:
                future.result()
            except subprocess.CalledProcessError as error:
                sys.exit(f"pictures: {' '.join(error.cmd)} failed: {error.stderr.decode()}")
    if args.stamp:
        with open(args.stamp, "w"):
            pass


if __name__ == "__main__":
    main()
