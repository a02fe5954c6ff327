#!/usr/bin/env python3
"""Converts the flag pictures of the country list into the program's flag bitmaps.

Each line of the list holds an alpha-2 code (the name of a 4:3 SVG flag of the flag-icons
package) and the flag's name in the program; the bitmap "<name>.bmp" is a small uncompressed
24-bit BMP, which the program loads and stretches to the size each window draws it at.
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys


def convert(rsvg, magick, svg, bmp, width, height):
    png = subprocess.run([rsvg, "-w", str(width), "-h", str(height), "-b", "white", svg],
                         check=True, capture_output=True).stdout
    # BMP3 with true colour and no alpha: the plain 24-bit form that every loader reads.
    subprocess.run([magick, "png:-", "-alpha", "off", "-type", "TrueColor", "BMP3:" + bmp],
                   input=png, check=True, capture_output=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--list", required=True, help="lines of 'alpha-2 code TAB flag name'")
    parser.add_argument("--svg-dir", required=True, help="the 4x3 folder of flag-icons")
    parser.add_argument("--out", required=True, help="the folder of the bitmaps")
    parser.add_argument("--rsvg-convert", required=True)
    parser.add_argument("--convert", required=True, help="ImageMagick's convert")
    parser.add_argument("--width", type=int, default=40)
    parser.add_argument("--height", type=int, default=30)
    args = parser.parse_args()

    jobs = []
    with open(args.list, encoding="ascii") as f:
        for line in f:
            alpha2, name = line.rstrip("\n").split("\t")
            svg = os.path.join(args.svg_dir, alpha2 + ".svg")
            if not os.path.isfile(svg):
                sys.exit(f"flags: flag-icons has no {alpha2}.svg")
            jobs.append((svg, os.path.join(args.out, name + ".bmp")))
    os.makedirs(args.out, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
        futures = [pool.submit(convert, args.rsvg_convert, args.convert, svg, bmp, args.width,
                               args.height) for svg, bmp in jobs]
        for future in futures:
            future.result()


if __name__ == "__main__":
    main()
