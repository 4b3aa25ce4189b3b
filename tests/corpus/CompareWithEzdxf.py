#!/usr/bin/env python3
"""Sets the palette reader's records on every corpus file against what the ezdxf library
finds, for the entity kinds the reader takes: the number of records of each kind, and their
values (colours after layer resolution, points, radii, angles, polyline vertices with bulges,
text heights and contents, insertion points, scales and rotations, face corners) within a
small tolerance. Records are compared as sorted lists, so the order of model and paper space
entities does not matter.

Differences that belong to the reader and are accounted for here:
- texts (TEXT, ATTRIB, MTEXT) without content are dropped, so only non-empty texts count;
- 3DFACE inside block definitions is not taken;
- the layout blocks *Model_Space and *Paper_Space hold nothing in the BLOCKS section (their
  entities are those of the ENTITIES section);
- blocks that the library adds to old files (arrow heads) are not in the file;
- a file whose reading stopped at a pair that could not be converted is not compared;
- text contents that neither UTF-8 (from AC1021 on) nor a code page the file declares decode
  are not compared (the reader then uses the system's code page, the library its own default).

Exit status: 0 all compared files agree, 1 some differ, 77 nothing to compare (no corpus
folder, or no ezdxf in reach).
"""
import argparse
import json
import os
import subprocess
import sys

SKIP = 77


def reexec_with_ezdxf():
    """Runs this script with another python3 on PATH that has ezdxf, if there is one."""
    if os.environ.get("ZR_EZDXF_REEXEC"):
        return None
    here = os.path.realpath(sys.executable)
    for folder in os.get_exec_path():
        candidate = os.path.join(folder, "python3")
        if not os.access(candidate, os.X_OK) or os.path.realpath(candidate) == here:
            continue
        probe = subprocess.run([candidate, "-c", "import ezdxf"], capture_output=True)
        if probe.returncode == 0:
            env = dict(os.environ, ZR_EZDXF_REEXEC="1")
            return subprocess.run([candidate, *sys.argv], env=env).returncode
    return None


try:
    import ezdxf
except ImportError:
    code = reexec_with_ezdxf()
    if code is None:
        print("ezdxf is not installed: nothing compared")
        sys.exit(SKIP)
    sys.exit(code)

LAYOUT_BLOCKS = {"*model_space", "*paper_space"}
# Windows's ANSI code pages, named in $DWGCODEPAGE as ANSI_<number> (or another prefix).
ANSI_CODE_PAGES = {"874", "932", "936", "949", "950", "1250", "1251", "1252", "1253", "1254",
                   "1255", "1256", "1257", "1258"}
TOLERANCE = 1e-9


def text_of(e):
    if e.dxftype() == "MTEXT":
        return e.text
    return e.dxf.get("text", "")


class Values:
    """The records of one set as lists of the reader's dump layout: [block name, colour, ...]."""

    def __init__(self, doc):
        self.doc = doc
        self.kinds = {k: [] for k in ("LINE", "CIRCLE", "ARC", "POLYLINE", "TEXT", "ELLIPSE",
                                      "INSERT", "3DFACE", "SOLID", "POINT", "HATCH", "SPLINE",
                                      "LEADER", "DIMENSION")}

    def color(self, e):
        c = e.dxf.get("color", 256)
        if c != 256:
            return c
        name = e.dxf.get("layer", "0")
        if not self.doc.layers.has_entry(name):
            return 7
        return self.doc.layers.get(name).dxf.get("color", 7)

    def add_text(self, bname, e, height):
        text = text_of(e)
        if text:
            self.kinds["TEXT"].append([bname, self.color(e), *e.dxf.insert, height, text])

    def add(self, bname, e, in_block):
        kind, color = e.dxftype(), self.color
        if kind == "LINE":
            self.kinds[kind].append([bname, color(e), *e.dxf.start, *e.dxf.end])
        elif kind == "CIRCLE":
            self.kinds[kind].append([bname, color(e), *e.dxf.center, e.dxf.radius])
        elif kind == "ARC":
            self.kinds[kind].append([bname, color(e), *e.dxf.center, e.dxf.radius,
                                     e.dxf.start_angle, e.dxf.end_angle])
        elif kind == "ELLIPSE":
            self.kinds[kind].append([bname, color(e), *e.dxf.center, *e.dxf.major_axis,
                                     e.dxf.get("ratio", 0.0), e.dxf.get("start_param", 0.0),
                                     e.dxf.get("end_param", 0.0)])
        elif kind == "LWPOLYLINE":
            points = [v for x, y, b in e.get_points("xyb") for v in (x, y, b)]
            self.kinds["POLYLINE"].append([bname, color(e), *points])
        elif kind == "POLYLINE":
            points = [v for x in e.vertices for v in (x.dxf.location[0], x.dxf.location[1],
                                                      x.dxf.get("bulge", 0.0))]
            self.kinds["POLYLINE"].append([bname, color(e), *points])
        elif kind in ("TEXT", "ATTRIB"):
            self.add_text(bname, e, e.dxf.get("height", 0.0))
        elif kind == "MTEXT":
            self.add_text(bname, e, e.dxf.get("char_height", 0.0))
        elif kind in ("INSERT", "MINSERT"):
            self.kinds["INSERT"].append([bname, color(e), e.dxf.name, *e.dxf.insert,
                                         e.dxf.get("xscale", 1.0), e.dxf.get("yscale", 1.0),
                                         e.dxf.get("zscale", 1.0), e.dxf.get("rotation", 0.0)])
            for a in e.attribs:
                self.add_text(bname, a, a.dxf.get("height", 0.0))
        elif kind in ("SOLID", "TRACE"):
            last = e.dxf.vtx3 if e.dxf.hasattr("vtx3") else e.dxf.vtx2
            self.kinds["SOLID"].append([bname, color(e), *e.dxf.vtx0, *e.dxf.vtx1, *e.dxf.vtx2,
                                        *last])
        elif kind == "POINT":
            self.kinds[kind].append([bname, color(e), *e.dxf.location])
        elif kind == "HATCH":
            self.kinds[kind].append([bname, color(e), int(e.dxf.solid_fill == 1),
                                     len(e.paths)])
        elif kind == "SPLINE":
            self.kinds[kind].append([bname, color(e), e.dxf.degree, len(e.knots),
                                     len(e.control_points), len(e.fit_points)])
        elif kind == "LEADER":
            self.kinds[kind].append([bname, color(e), len(e.vertices)])
        elif kind == "DIMENSION":
            self.kinds[kind].append([bname, color(e), e.dxf.get("geometry", "")])
        elif kind == "3DFACE" and not in_block:
            last = e.dxf.vtx3 if e.dxf.hasattr("vtx3") else (0.0, 0.0, 0.0)
            self.kinds[kind].append([bname, color(e), *e.dxf.vtx0, *e.dxf.vtx1, *e.dxf.vtx2,
                                     *last])


def counts(kinds, in_block):
    """The number of records of each kind, and of polyline vertices (three values each)."""
    c = {kind: len(records) for kind, records in kinds.items()}
    c["VERTEX"] = sum((len(r) - 2) // 3 for r in kinds["POLYLINE"])
    if in_block:
        del c["3DFACE"]  # not taken inside block definitions
    return c


def comparable(records, known):
    """Sorted records; texts that cannot be compared lose their contents."""
    out = []
    for r in records:
        r = list(r)
        if isinstance(r[-1], str) and not (known or r[-1].isascii()):
            r[-1] = "(not compared)"
        out.append(r)
    # Block name and values first, the colour last: a wrong colour leaves the order alone.
    return sorted(out, key=lambda r: [round(v, 6) if isinstance(v, float) else v
                                      for v in [r[0], *r[2:], r[1]]])


def same(a, b):
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if isinstance(x, str) or isinstance(y, str):
            if x != y:
                return False
        elif abs(float(x) - float(y)) > TOLERANCE * max(1.0, abs(float(x)), abs(float(y))):
            return False
    return True


def value_diffs(where, ours, theirs, known):
    diffs = []
    for kind, records in theirs.items():
        mine = comparable(ours.get(kind, []), known)
        other = comparable(records, known)
        if len(mine) != len(other):
            continue  # the count comparison reports it
        bad = [(m, o) for m, o in zip(mine, other) if not same(m, o)]
        if bad:
            m, o = bad[0]
            diffs.append(f"{where} {kind} values: {len(bad)} differ, e.g. reader {m}, ezdxf {o}")
    return diffs


def texts_known(path, version):
    """True when the reader decodes the file's texts as the file declares: UTF-8 from AC1021
    on, else a $DWGCODEPAGE in the file (not the library's default) naming an ANSI code page."""
    if version >= "AC1021":
        return True
    with open(path, "rb") as f:
        lines = [l.strip() for l in f.read().replace(b"\r", b"\n").split(b"\n") if l.strip()]
    if b"$DWGCODEPAGE" not in lines:
        return False
    at = lines.index(b"$DWGCODEPAGE")
    name = lines[at + 2].decode("ascii", "replace") if at + 2 < len(lines) else ""
    digits = name[len(name.rstrip("0123456789")):]
    return digits in ANSI_CODE_PAGES


def library_values(doc, entities):
    model = Values(doc)
    for e in entities:
        model.add("", e, False)
    block = Values(doc)
    for b in library_blocks(doc):
        for e in b:
            block.add(b.name, e, True)
    return model.kinds, block.kinds


def library_blocks(doc):
    """The block definitions that are in the file, without the layout blocks."""
    with open(doc.filename, "rb") as f:
        lines = set(f.read().replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n"))
    for b in doc.blocks:
        if b.name.lower() in LAYOUT_BLOCKS:
            continue
        if b.name.encode("utf-8", "replace") not in lines:
            continue  # made by the library when it upgrades an old file (arrow heads)
        yield b


def library_records(path, version):
    """The library's values of the model and block sets, and whether texts compare."""
    try:
        doc = ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        from ezdxf import recover  # damaged files: the library's repairing loader
        doc, _ = recover.readfile(path)
        doc.filename = path
    entities = list(doc.modelspace()) + list(doc.layouts.active_layout())
    return library_values(doc, entities), texts_known(path, version)


def reader_counts(dump, path):
    out = subprocess.run([dump, path], capture_output=True, check=True, text=True).stdout
    r = json.loads(out)
    # Texts without content are dropped: count the non-empty ones, which the values hold.
    r["model"]["TEXT"] = len(r["values"]["model"]["TEXT"])
    r["block"]["TEXT"] = len(r["values"]["block"]["TEXT"])
    return r


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dump", required=True)
    parser.add_argument("--corpus", required=True)
    args = parser.parse_args()
    if not os.path.isdir(args.corpus):
        print(f"no corpus folder at {args.corpus}: nothing compared")
        return SKIP
    files = sorted(f for f in os.listdir(args.corpus) if f.lower().endswith(".dxf"))
    compared = differing = 0
    for name in files:
        path = os.path.join(args.corpus, name)
        ours = reader_counts(args.dump, path)
        if ours["err"]:
            print(f"{name}: not compared, the reader stopped at {ours['err'][:40]!r}")
            continue
        try:
            (model_values, block_values), known = library_records(path, ours["ver"])
        except Exception as error:  # the library cannot read it: nothing to set against
            print(f"{name}: not compared, ezdxf: {type(error).__name__}")
            continue
        compared += 1
        model, block = counts(model_values, False), counts(block_values, True)
        diffs = [f"{where} {kind}: reader {ours[where][kind]}, ezdxf {n}"
                 for where, theirs in (("model", model), ("block", block))
                 for kind, n in theirs.items() if ours[where][kind] != n]
        diffs += value_diffs("model", ours["values"]["model"], model_values, known)
        diffs += value_diffs("block", ours["values"]["block"], block_values, known)
        if diffs:
            differing += 1
            print(f"{name}: DIFFERS\n  " + "\n  ".join(diffs))
        else:
            print(f"{name}: agrees ({sum(model.values())} model, {sum(block.values())} block)")
    print(f"{compared} files compared, {differing} differ")
    if compared == 0:
        return SKIP
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
