#!/usr/bin/env python3
"""Draws a contact sheet of the demo drawings with ezdxf's matplotlib back end, for people to
check that every symbol looks like what its name says (needs python3-matplotlib).

Usage: preview_demo_symbols.py <demo folder> <output.png> [scale letter, default B]
"""
import os
import sys

import ezdxf
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib import font_manager  # noqa: E402
from matplotlib.font_manager import FontProperties  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.tools import fonts  # noqa: E402

from audit_demo_dxf import read_catalogue  # noqa: E402
from sketch import TEXT_FONT  # noqa: E402

COLUMNS = 10


def _japanese_font():
    """A gothic CJK font of this machine, so that the preview shows the Japanese texts."""
    installed = {f.name for f in font_manager.fontManager.ttflist}
    for family in ("IPAGothic", "IPAexGothic", "Noto Sans CJK JP"):
        if family in installed:
            # The drawings name the Windows gothic font; let this machine's stand in for it.
            fonts.font_face_cache[fonts.cache_key(TEXT_FONT)] = fonts.FontFace(TEXT_FONT, family)
            return FontProperties(family=family)
    return FontProperties()


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    demo, out = argv[1], argv[2]
    letter = argv[3] if len(argv) > 3 else "B"
    font = _japanese_font()
    plt.rcParams["font.family"] = font.get_family()
    blocks = read_catalogue(demo)
    rows = (len(blocks) + COLUMNS - 1) // COLUMNS
    fig, axes = plt.subplots(rows, COLUMNS, figsize=(COLUMNS * 1.9, rows * 2.1))
    for ax in axes.flat:
        ax.set_xticks([])
        ax.set_yticks([])
    for ax, (number, name) in zip(axes.flat, blocks):
        path = os.path.join(demo, "DXF", f"{number}{letter}.dxf")
        if not os.path.exists(path):
            path = os.path.join(demo, "DXF", f"{number}B.dxf")
        doc = ezdxf.readfile(path)
        backend = MatplotlibBackend(ax, adjust_figure=False, font=font)
        Frontend(RenderContext(doc), backend).draw_layout(doc.modelspace())
        ax.set_facecolor("black")
        ax.margins(0.15)
        ax.plot([0], [0], marker="+", color="red", markersize=8)
        ax.set_title(f"{number}\n{name}", fontsize=7)
        ax.set_aspect("equal")
    fig.tight_layout()
    fig.savefig(out, dpi=90, facecolor="white")
    return 0


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(sys.argv))
