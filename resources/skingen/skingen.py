#!/usr/bin/env python3
"""Renders the program's skin: the window bitmaps, the icons and the skins folder.

  skingen.py --out DIR --skins-src DIR --skins-out DIR   render everything
  skingen.py --list --out DIR --skins-src DIR --skins-out DIR
                                                      print the files it makes
  skingen.py --check --out DIR                        verify rendered looks

Window bitmaps are built from the tables in windows.py: one SVG per look,
rendered with rsvg-convert and stored as 24-bit BMP with ImageMagick. Icons
come from resources/icons/*.svg. Every "NAME.EXT.svg" under the skins source
folder becomes "NAME.EXT" in the same place under the skins output folder
(a .BMP becomes a 24-bit bitmap, anything else a PNG).

Only the standard library and the two Debian tools are used.
"""

import argparse
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source tree clean

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import windows  # noqa: E402

ICON_DIR = os.path.join(os.path.dirname(HERE), "icons")
# Icon resources: file name -> (source SVG, pixel sizes). The program icon has
# a separate drawing for the smallest size, where the big one turns to mush.
ICONS = {
    "q7tmouse.ico": [("app-16.svg", 16), ("app.svg", 24), ("app.svg", 32), ("app.svg", 48),
                     ("app.svg", 256)],
    "tray-exit.ico": [("exit.svg", 16)],
    "tray-show.ico": [("show.svg", 16)],
}


def run(cmd):
    subprocess.run(cmd, check=True)


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def to_bmp(png, bmp):
    # BMP3 with TrueColor: a plain 24-bit BITMAPINFOHEADER bitmap, no alpha.
    run(["convert", png, "-background", "#000000", "-alpha", "remove", "-alpha", "off",
         "-type", "TrueColor", "BMP3:" + bmp])


def window_outputs(out):
    files = []
    for win in windows.all_windows():
        for look in windows.LOOKS:
            files.append(os.path.join(out, f"{win.name}-{look}.bmp"))
    return files


def icon_outputs(out):
    return [os.path.join(out, name) for name in ICONS]


def skins_sources(src):
    found = []
    for root, _dirs, names in os.walk(src):
        for name in sorted(names):
            if name.endswith(".svg") and "." in name[:-4]:
                found.append(os.path.relpath(os.path.join(root, name), src))
    return sorted(found)


def skins_outputs(src, out):
    return [os.path.join(out, rel[:-4]) for rel in skins_sources(src)]


def render_windows(out):
    os.makedirs(out, exist_ok=True)
    for win in windows.all_windows():
        for look in windows.LOOKS:
            base = os.path.join(out, f"{win.name}-{look}")
            write_if_changed(base + ".svg", win.svg(look))
            run(["rsvg-convert", "-o", base + ".png", base + ".svg"])
            to_bmp(base + ".png", base + ".bmp")


def render_icons(out):
    tmp = os.path.join(out, "icons")
    os.makedirs(tmp, exist_ok=True)
    for name, images in ICONS.items():
        pngs = []
        for svg_name, size in images:
            png = os.path.join(tmp, f"{os.path.splitext(name)[0]}-{size}.png")
            run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png,
                 os.path.join(ICON_DIR, svg_name)])
            pngs.append(png)
        run(["convert", *pngs, os.path.join(out, name)])


def render_skins(src, out):
    for rel in skins_sources(src):
        target = os.path.join(out, rel[:-4])
        os.makedirs(os.path.dirname(target), exist_ok=True)
        source = os.path.join(src, rel)
        if target.lower().endswith(".bmp"):
            png = target + ".tmp.png"
            run(["rsvg-convert", "-o", png, source])
            to_bmp(png, target)
            os.remove(png)
        else:
            run(["rsvg-convert", "-o", target, source])


# --- checks ----------------------------------------------------------------

def read_rgb(path):
    """Size and raw RGB bytes of an image, through ImageMagick."""
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    w, h = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return w, h, raw


def differences_outside(win, images):
    """Pixels that differ between the looks outside every control rectangle."""
    w, h = win.size
    inside = [bytearray(w) for _ in range(h)]
    for c in win.controls:
        x0, y0, x1, y1 = c.r
        for y in range(max(y0, 0), min(y1, h)):
            row = inside[y]
            for x in range(max(x0, 0), min(x1, w)):
                row[x] = 1
    bad = []
    ref = images[0]
    for other in images[1:]:
        for y in range(h):
            a = ref[y * w * 3:(y + 1) * w * 3]
            b = other[y * w * 3:(y + 1) * w * 3]
            if a == b:
                continue
            for x in range(w):
                if not inside[y][x] and a[3 * x:3 * x + 3] != b[3 * x:3 * x + 3]:
                    bad.append((x, y))
                    break
    return bad


def same_inside(win, r, a, b):
    w, h = win.size
    x0, y0, x1, y1 = r
    for y in range(max(y0, 0), min(y1, h)):
        start = (y * w + max(x0, 0)) * 3
        end = (y * w + min(x1, w)) * 3
        if a[start:end] != b[start:end]:
            return False
    return True


def check(out):
    problems = []
    for win in windows.all_windows():
        images = []
        for look in windows.LOOKS:
            path = os.path.join(out, f"{win.name}-{look}.bmp")
            w, h, raw = read_rgb(path)
            if (w, h) != win.size:
                problems.append(f"{path}: {w}x{h}, expected {win.size[0]}x{win.size[1]}")
            images.append(raw)
        for x, y in differences_outside(win, images)[:5]:
            problems.append(f"{win.name}: looks differ at ({x}, {y}), outside every control")
        # Where a control is meant to change between two bitmaps, its
        # rectangle must really differ between them, or its hover or press
        # would not show.
        for c in win.controls:
            for i, la in enumerate(windows.LOOKS):
                for j in range(i + 1, len(windows.LOOKS)):
                    lb = windows.LOOKS[j]
                    if c.looks[la] == c.looks[lb]:
                        continue
                    if same_inside(win, c.r, images[i], images[j]):
                        problems.append(f"{win.name}: control {c.id} looks the same in the "
                                        f"{la} and {lb} bitmaps")
    for p in problems:
        print("skingen check:", p, file=sys.stderr)
    return not problems


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", required=True, help="folder for window bitmaps and icons")
    ap.add_argument("--skins-src", help="folder of the skins folder's SVG sources")
    ap.add_argument("--skins-out", help="the skins folder to fill")
    ap.add_argument("--list", action="store_true", help="print the files that would be made")
    ap.add_argument("--check", action="store_true", help="verify rendered window bitmaps")
    ap.add_argument("--windows-only", action="store_true", help="render window bitmaps only")
    args = ap.parse_args()

    if args.check:
        return 0 if check(args.out) else 1
    if args.list:
        files = window_outputs(args.out) + icon_outputs(args.out)
        if args.skins_src and args.skins_out:
            files += skins_outputs(args.skins_src, args.skins_out)
        print(";".join(f.replace(os.sep, "/") for f in files))
        return 0
    render_windows(args.out)
    if args.windows_only:
        return 0
    render_icons(args.out)
    if args.skins_src and args.skins_out:
        render_skins(args.skins_src, args.skins_out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
