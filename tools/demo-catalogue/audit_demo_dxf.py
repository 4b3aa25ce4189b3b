#!/usr/bin/env python3
"""Checks a demo catalogue folder: every drawing in DXF/ passes ezdxf's recovery read and
audit without errors and holds what the palette draws, and every block of BlockList.txt has
its 1/100 ("B") drawing, which the palette falls back to when another scale is missing.

Usage: audit_demo_dxf.py <demo folder> [--compare-with-generator]

With --compare-with-generator the catalogue is also generated afresh into a temporary
folder and must equal the folder byte for byte (skipped when the installed ezdxf is not
the release the drawings were written with).
Exit status 0 when every check passes, 1 otherwise.
"""
import filecmp
import math
import os
import re
import sys
import tempfile

import ezdxf
import ezdxf.bbox
from ezdxf import recover

# Entities that the palette's reader and renderer draw; anything else would not show in a
# thumbnail.
DRAWN_KINDS = {"LINE", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "SPLINE", "POINT",
               "SOLID", "TRACE", "HATCH", "LEADER", "DIMENSION", "INSERT", "TEXT", "MTEXT"}
TEXT_KINDS = {"TEXT", "MTEXT"}
# Size of the 1/200 and 1/50 drawings relative to the 1/100 one.
SIZE_RATIOS = {"A": 2.3 / 3.0, "C": 4.0 / 3.0}
FILE_NAME = re.compile(r"^(?P<number>.+)(?P<letter>[ABC])\.dxf$")


def read_catalogue(demo):
    """(number, name) of every block line of BlockList.txt, in file order."""
    with open(os.path.join(demo, "BlockList.txt"), "rb") as f:
        text = f.read().decode("cp932")
    blocks = []
    for line in text.splitlines():
        fields = line.split("\t")
        if len(fields) >= 2 and fields[0]:
            name = fields[1][1:-1] if fields[1].startswith('"') else fields[1]
            blocks.append((fields[0], name))
    return blocks


def geometry_box(msp):
    """Bounding box of the drawing without its texts (their size depends on fonts)."""
    shapes = [e for e in msp if e.dxftype() not in TEXT_KINDS]
    return ezdxf.bbox.extents(shapes, fast=True) if shapes else None


def audit_file(path):
    """Error texts for one drawing, and its geometry box (or None)."""
    errors = []
    try:
        doc, auditor = recover.readfile(path)
    except (IOError, ezdxf.DXFStructureError) as e:
        return [f"cannot be read: {e}"], None
    errors += [f"recover: {err.message}" for err in auditor.errors]
    audit = doc.audit()
    errors += [f"audit: {err.message}" for err in audit.errors]
    if doc.dxfversion != "AC1015":
        errors.append(f"version {doc.dxfversion}, expected AC1015")
    if doc.header.get("$DWGCODEPAGE") != "ANSI_932":
        errors.append(f"code page {doc.header.get('$DWGCODEPAGE')}, expected ANSI_932")
    msp = doc.modelspace()
    kinds = {e.dxftype() for e in msp}
    if not kinds:
        errors.append("model space is empty")
    errors += undrawn_kinds(doc, msp)
    box = geometry_box(msp)
    if box is None or not box.has_data:
        errors.append("no geometry besides texts")
        return errors, None
    margin = 0.1 * max(box.size.x, box.size.y)
    if not (box.extmin.x - margin <= 0 <= box.extmax.x + margin
            and box.extmin.y - margin <= 0 <= box.extmax.y + margin):
        errors.append(f"base point (0, 0) lies outside the symbol {box.extmin} - {box.extmax}")
    return errors, box


def undrawn_kinds(doc, msp):
    """Errors for entities the palette would not draw, in model space and in the blocks that
    its inserts name, however deep."""
    errors, seen, layouts = [], set(), [("model space", msp)]
    while layouts:
        where, layout = layouts.pop()
        kinds = {e.dxftype() for e in layout}
        if kinds - DRAWN_KINDS:
            errors.append(f"{where}: entities the palette does not draw: "
                          f"{sorted(kinds - DRAWN_KINDS)}")
        for insert in layout.query("INSERT"):
            name = insert.dxf.name
            if name in seen:
                continue
            seen.add(name)
            if name not in doc.blocks:
                errors.append(f"{where}: insert of the undefined block {name}")
            else:
                layouts.append((f"block {name}", doc.blocks.get(name)))
    return errors


def check_sizes(number, boxes):
    """The 1/200 and 1/50 drawings must be the 1/100 one scaled by their paper ratio."""
    errors = []
    base = boxes.get("B")
    if base is None:
        return errors
    for letter, ratio in SIZE_RATIOS.items():
        box = boxes.get(letter)
        if box is None:
            continue
        for axis in ("x", "y"):
            want = getattr(base.size, axis) * ratio
            got = getattr(box.size, axis)
            if not math.isclose(got, want, rel_tol=1e-3, abs_tol=1e-6):
                errors.append(f"{number}{letter}: {axis} size {got:.4f}, expected {want:.4f}")
    return errors


def compare_with_generator(demo):
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import make_demo_catalogue as generator
    if ezdxf.__version__ != generator.EZDXF_VERSION:
        print(f"skipped the comparison with the generator: ezdxf {ezdxf.__version__}, the "
              f"drawings were written with {generator.EZDXF_VERSION}")
        return []
    with tempfile.TemporaryDirectory() as fresh:
        names = generator.generate(fresh)
        errors = [f"{n}: differs from what the generator writes" for n in names
                  if not os.path.exists(os.path.join(demo, n))
                  or not filecmp.cmp(os.path.join(demo, n), os.path.join(fresh, n),
                                     shallow=False)]
        extra = generator.stale_files(demo, names)
    return errors + [f"{n}: not made by the generator" for n in extra]


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    demo = args[0]
    errors = []
    numbers = [n for n, _ in read_catalogue(demo)]
    known = set(numbers)
    boxes = {}
    dxf_dir = os.path.join(demo, "DXF")
    files = sorted(n for n in os.listdir(dxf_dir) if n.lower().endswith(".dxf"))
    failed_files = 0
    for name in files:
        match = FILE_NAME.match(name)
        file_errors = []
        if not match or match["number"] not in known:
            file_errors.append("no block of BlockList.txt has this file name")
        found, box = audit_file(os.path.join(dxf_dir, name))
        file_errors += found
        if match and box is not None:
            boxes.setdefault(match["number"], {})[match["letter"]] = box
        failed_files += bool(file_errors)
        errors += [f"{name}: {e}" for e in file_errors]
    for number in numbers:
        if not os.path.exists(os.path.join(dxf_dir, f"{number}B.dxf")):
            errors.append(f"{number}: no 1/100 drawing {number}B.dxf")
        errors += check_sizes(number, boxes.get(number, {}))
    if "--compare-with-generator" in argv:
        errors += compare_with_generator(demo)
    for e in errors:
        print(e)
    print(f"{len(files)} drawings of {len(numbers)} blocks audited")
    print(f"{len(files) - failed_files} passed, {failed_files} failed")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
