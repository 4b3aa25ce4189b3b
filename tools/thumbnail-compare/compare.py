#!/usr/bin/env python3
"""Sets the palette's thumbnails of a folder of drawings (or of a catalogue) beside pictures of
the same files drawn by an independent renderer (ezdxf's drawing add-on with matplotlib), in
one side-by-side sheet, and scores every pair so that a rendering regression shows as a number.

The palette's side comes from the catalogue tool's contact sheet under Wine
(scripts/contact-sheet.sh with --each), or from a folder of its pictures made before
(--palette-dir). The score of a pair:
the drawn (non-background) pixels of each picture, cropped to their bounding box, scaled to fit
a common square keeping their proportions, then compared with a tolerance of a pixel or two
(each side's pixels count as matched when the other side, thickened, covers them): precision,
recall and their harmonic mean F1. Two empty pictures agree (1.0); one empty picture scores 0.

  tools/thumbnail-compare/compare.py <folder> --sheet out.png --table out.txt
      [--scale A|B|C] [--cell N] [--palette-dir DIR] [--columns N]

Exit status: 0 when the sheet and the table are written, 2 on bad arguments, 77 when
matplotlib or ezdxf is not in reach.
"""
import argparse
import io
import logging
import os
import statistics
import subprocess
import sys
import tempfile

SKIP = 77
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def reexec_with_libraries():
    """Runs this script with another python3 on PATH that has the libraries, if there is one."""
    if os.environ.get("ZR_COMPARE_REEXEC"):
        return None
    here = os.path.realpath(sys.executable)
    probe_code = "import ezdxf, matplotlib, numpy, PIL"
    for folder in os.get_exec_path():
        candidate = os.path.join(folder, "python3")
        if not os.access(candidate, os.X_OK) or os.path.realpath(candidate) == here:
            continue
        if subprocess.run([candidate, "-c", probe_code], capture_output=True).returncode == 0:
            env = dict(os.environ, ZR_COMPARE_REEXEC="1")
            return subprocess.run([candidate, *sys.argv], env=env).returncode
    return None


try:
    import ezdxf
    import matplotlib
    import numpy as np
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    code = reexec_with_libraries()
    if code is None:
        print("ezdxf, matplotlib, numpy or PIL is not installed: nothing compared")
        sys.exit(SKIP)
    sys.exit(code)

matplotlib.use("Agg")
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)  # fonts a drawing names
import matplotlib.pyplot as plt  # noqa: E402  (after the backend is chosen)
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.config import Configuration  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402

NORMAL = 64  # side of the common square the drawn pixels are scaled into
TOLERANCE = 2  # pixels of thickening before the overlap is counted
OVERSAMPLE = 4  # the other renderer draws this many times larger, then is taken down
INK_LEVEL = 96  # an anti-aliased pixel of the other renderer counts as drawn from this level
# The palette's base-point mark (red, or yellow for a drawing of another scale), a filled
# square of 2k + 1 pixels, k = 1 per 53 pixels of picture: no part of the drawing.
MARK_COLOURS = ((255, 0, 0), (255, 255, 0))
SLOT_SIDE = 53


# --- the two renderers ------------------------------------------------------------------------

def palette_pictures(folder, scale, cell, out_dir):
    """Runs the contact sheet with --each; returns {drawing file name: picture path}."""
    sheet = os.path.join(out_dir, "palette-sheet.png")
    each = os.path.join(out_dir, "each")
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "contact-sheet.sh"), folder, sheet,
                    "--cell", str(cell), "--scale", scale, "--each", each], check=True)
    return pictures_in(each)


def pictures_in(folder):
    return {name[:-4]: os.path.join(folder, name)
            for name in os.listdir(folder) if name.lower().endswith((".png", ".bmp"))}


def drawing_of(folder, name):
    """The DXF file a picture stands for: in the catalogue's DXF folder, or in the folder."""
    if os.path.isfile(os.path.join(folder, "BlockList.txt")):
        return os.path.join(folder, "DXF", name)
    return os.path.join(folder, name)


def read_with_ezdxf(path):
    try:
        return ezdxf.readfile(path)
    except Exception:  # a damaged file: the library's recovering reader
        from ezdxf import recover
        doc, _ = recover.readfile(path)
        return doc


def ezdxf_picture(path, cell):
    """The model space drawn by ezdxf on black, cell x cell pixels, as an RGB array: drawn at
    OVERSAMPLE times the size with the thinnest lines, then every block of pixels taken down
    to its brightest, so that lines stay one pixel wide and unbroken."""
    doc = read_with_ezdxf(path)
    dpi = 100
    side = cell * OVERSAMPLE
    fig = plt.figure(figsize=(side / dpi, side / dpi), dpi=dpi)
    try:
        ax = fig.add_axes((0, 0, 1, 1))
        config = Configuration.defaults().with_changes(lineweight_scaling=0.0,
                                                       min_lineweight=300 / dpi)
        ctx = RenderContext(doc)
        ctx.set_current_layout(doc.modelspace())
        # The figure keeps its square shape (the back end would fit it to the drawing's
        # proportions, and the picture would come out stretched).
        backend = MatplotlibBackend(ax, adjust_figure=False)
        Frontend(ctx, backend, config).draw_layout(doc.modelspace(), finalize=True)
        ax.set_facecolor("black")
        buffer = io.BytesIO()
        fig.savefig(buffer, dpi=dpi, facecolor="black", format="png")
    finally:
        plt.close(fig)
    buffer.seek(0)
    big = np.zeros((side, side, 3), dtype=np.uint8)
    drawn = np.asarray(Image.open(buffer).convert("RGB"))[:side, :side]
    big[:drawn.shape[0], :drawn.shape[1]] = drawn
    return big.reshape(cell, OVERSAMPLE, cell, OVERSAMPLE, 3).max(axis=(1, 3))


def without_mark(picture):
    """The palette's picture as drawn pixels, the base-point mark taken out (it is drawn last,
    so whole unless the picture's edge cuts it)."""
    ink = picture.max(axis=2) > 0
    k = max(1, (min(picture.shape[:2]) + SLOT_SIDE // 2) // SLOT_SIDE)
    side = 2 * k + 1
    for colour in MARK_COLOURS:
        match = np.pad((picture == colour).all(axis=2), side - 1, constant_values=True)
        ys, xs = np.nonzero(match)
        for y, x in zip(ys, xs):
            if match[y:y + side, x:x + side].all():
                top, left = y - (side - 1), x - (side - 1)
                ink[max(0, top):max(0, top + side), max(0, left):max(0, left + side)] = False
    return ink


# --- the score --------------------------------------------------------------------------------

def normalise(mask):
    """The drawn pixels cropped to their box and scaled to fit NORMAL x NORMAL, centred."""
    rows = np.flatnonzero(mask.any(axis=1))
    cols = np.flatnonzero(mask.any(axis=0))
    out = np.zeros((NORMAL, NORMAL), dtype=bool)
    if rows.size == 0:
        return out
    crop = mask[rows[0]:rows[-1] + 1, cols[0]:cols[-1] + 1]
    h, w = crop.shape
    factor = (NORMAL - 1) / max(h, w)
    nh, nw = max(1, round(h * factor)), max(1, round(w * factor))
    # Any coverage of a target pixel keeps it drawn: thin lines survive the scaling down.
    scaled = Image.fromarray(crop.astype(np.uint8) * 255).resize((nw, nh), Image.BOX)
    top, left = (NORMAL - nh) // 2, (NORMAL - nw) // 2
    out[top:top + nh, left:left + nw] = np.asarray(scaled) > 0
    return out


def thicken(mask, r):
    out = mask.copy()
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            out |= np.roll(np.roll(mask, dy, axis=0), dx, axis=1)
    return out


def score(a, b):
    """(precision, recall, F1) of b's pixels against a's, each with a tolerance."""
    na, nb = int(a.sum()), int(b.sum())
    if na == 0 and nb == 0:
        return 1.0, 1.0, 1.0
    if na == 0 or nb == 0:
        return 0.0, 0.0, 0.0
    precision = float((b & thicken(a, TOLERANCE)).sum()) / nb
    recall = float((a & thicken(b, TOLERANCE)).sum()) / na
    f1 = 0.0 if precision + recall == 0 else 2 * precision * recall / (precision + recall)
    return precision, recall, f1


# --- the sheet and the table ------------------------------------------------------------------

def label_font():
    from matplotlib import font_manager
    for family in ("Noto Sans CJK JP", "IPAGothic", "DejaVu Sans"):
        path = font_manager.findfont(family, fallback_to_default=False)
        if path:
            try:
                return ImageFont.truetype(path, 11)
            except OSError:
                continue
    return ImageFont.load_default()


def write_sheet(results, cell, columns, path):
    font = label_font()
    pair_w, pair_h = 2 * cell + 6, cell + 30
    rows = (len(results) + columns - 1) // columns
    sheet = Image.new("RGB", (columns * (pair_w + 8) + 8, rows * (pair_h + 8) + 8), (48, 32, 32))
    draw = ImageDraw.Draw(sheet)
    for i, r in enumerate(results):
        x = 8 + (i % columns) * (pair_w + 8)
        y = 8 + (i // columns) * (pair_h + 8)
        sheet.paste(Image.fromarray(r["palette"]), (x, y))
        sheet.paste(Image.fromarray(r["ezdxf"]), (x + cell + 6, y))
        colour = (120, 220, 120) if r["f1"] >= 0.8 else (240, 200, 80) if r["f1"] >= 0.5 \
            else (255, 110, 110)
        draw.text((x, y + cell + 2), r["label"][:40], fill=(200, 200, 200), font=font)
        draw.text((x, y + cell + 15), "F1 %.2f  %s" % (r["f1"], r["note"]), fill=colour,
                  font=font)
    sheet.save(path)


def write_table(results, path):
    scored = [r["f1"] for r in results if not r["note"]]
    lines = ["%-6s %-6s %-6s %7s %7s  %s" % ("F1", "prec", "recall", "palette", "ezdxf", "file")]
    for r in sorted(results, key=lambda r: (r["f1"], r["label"])):
        lines.append("%-6.3f %-6.3f %-6.3f %7d %7d  %s%s" % (
            r["f1"], r["precision"], r["recall"], r["ink_palette"], r["ink_ezdxf"], r["label"],
            "  (" + r["note"] + ")" if r["note"] else ""))
    summary = "%d files, %d scored: mean F1 %.3f, median %.3f, below 0.5: %d, below 0.8: %d" % (
        len(results), len(scored), statistics.mean(scored) if scored else 0.0,
        statistics.median(scored) if scored else 0.0,
        sum(f < 0.5 for f in scored), sum(f < 0.8 for f in scored))
    with open(path, "w", encoding="utf-8") as f:
        f.write(summary + "\n\n" + "\n".join(lines) + "\n")
    return summary


def compare_one(label, picture_path, drawing, cell):
    palette = np.asarray(Image.open(picture_path).convert("RGB").resize((cell, cell)))
    note = ""
    try:
        other = ezdxf_picture(drawing, cell)
    except Exception as e:  # the library could not read or draw it: shown, not scored
        other = np.zeros_like(palette)
        note = "ezdxf: " + type(e).__name__
    ink_palette = without_mark(palette)
    ink_other = other.max(axis=2) >= INK_LEVEL
    precision, recall, f1 = score(normalise(ink_palette), normalise(ink_other))
    return dict(label=label, palette=palette, ezdxf=other, precision=precision, recall=recall,
                f1=f1, note=note, ink_palette=int(ink_palette.sum()),
                ink_ezdxf=int(ink_other.sum()))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", help="a folder of DXF files or a catalogue folder")
    parser.add_argument("--sheet", required=True, help="side-by-side sheet to write (PNG)")
    parser.add_argument("--table", required=True, help="score table to write (text)")
    parser.add_argument("--scale", default="B", help="the catalogue drawings' scale letter")
    parser.add_argument("--cell", type=int, default=106, help="picture side in pixels")
    parser.add_argument("--columns", type=int, default=5, help="pairs per row of the sheet")
    parser.add_argument("--palette-dir",
                        help="the palette's pictures made before (<drawing file>.png)")
    args = parser.parse_args()
    folder = os.path.abspath(args.folder)
    if not os.path.isdir(folder):
        parser.error("not a folder: " + folder)
    with tempfile.TemporaryDirectory() as work:
        pictures = pictures_in(args.palette_dir) if args.palette_dir else \
            palette_pictures(folder, args.scale, args.cell, work)
        results = []
        for label in sorted(pictures):
            results.append(compare_one(label, pictures[label], drawing_of(folder, label),
                                       args.cell))
    for path in (args.sheet, args.table):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    write_sheet(results, args.cell, args.columns, args.sheet)
    print(write_table(results, args.table))
    print("sheet: %s\ntable: %s" % (args.sheet, args.table))
    return 0


if __name__ == "__main__":
    sys.exit(main())
