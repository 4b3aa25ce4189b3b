#!/usr/bin/env python3
"""Sets the palette reader's record counts on every corpus file against the counts that the
ezdxf library finds, for the entity kinds the reader takes.

Differences that belong to the reader and are accounted for here:
- texts (TEXT, ATTRIB, MTEXT) without content are dropped, so only non-empty texts count;
- INSERT and 3DFACE inside block definitions are not taken;
- the layout blocks *Model_Space and *Paper_Space hold nothing in the BLOCKS section (their
  entities are those of the ENTITIES section);
- blocks that the library adds to old files (arrow heads) are not in the file;
- a file whose reading stopped at a pair that could not be converted is not compared.

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


def text_of(e):
    if e.dxftype() == "MTEXT":
        return e.text
    return e.dxf.get("text", "")


def model_texts(entities):
    """The non-empty texts of the model set, ATTRIBs after their INSERT."""
    texts = []
    for e in entities:
        if e.dxftype() in ("TEXT", "MTEXT", "ATTRIB"):
            texts.append(text_of(e))
        elif e.dxftype() == "INSERT":
            texts.extend(text_of(a) for a in e.attribs)
    return [t for t in texts if t]


def count(entities, in_block):
    c = {"LINE": 0, "CIRCLE": 0, "ARC": 0, "POLYLINE": 0, "VERTEX": 0, "TEXT": 0,
         "ELLIPSE": 0}
    if not in_block:
        c.update({"INSERT": 0, "3DFACE": 0})
    for e in entities:
        kind = e.dxftype()
        if kind in ("LINE", "CIRCLE", "ARC", "ELLIPSE"):
            c[kind] += 1
        elif kind in ("INSERT", "3DFACE"):
            if not in_block:
                c[kind] += 1
            if kind == "INSERT":
                c["TEXT"] += sum(1 for a in e.attribs if text_of(a))
        elif kind == "LWPOLYLINE":
            c["POLYLINE"] += 1
            c["VERTEX"] += len(e)
        elif kind == "POLYLINE":
            c["POLYLINE"] += 1
            c["VERTEX"] += len(e.vertices)
        elif kind in ("TEXT", "MTEXT", "ATTRIB"):
            c["TEXT"] += 1 if text_of(e) else 0
    return c


def library_counts(path):
    doc = ezdxf.readfile(path)
    with open(path, "rb") as f:
        lines = set(f.read().replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n"))
    entities = list(doc.modelspace()) + list(doc.layouts.active_layout())
    model = count(entities, False)
    block = count([], True)
    for b in doc.blocks:
        if b.name.lower() in LAYOUT_BLOCKS:
            continue
        if b.name.encode("utf-8", "replace") not in lines:
            continue  # made by the library when it upgrades an old file (arrow heads)
        for kind, n in count(b, True).items():
            block[kind] += n
    return model, block, model_texts(entities)


def reader_counts(dump, path):
    out = subprocess.run([dump, path], capture_output=True, check=True, text=True).stdout
    r = json.loads(out)
    r["model"]["TEXT"] = r["nonEmptyTexts"]["model"]
    r["block"]["TEXT"] = r["nonEmptyTexts"]["block"]
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
            model, block, texts = library_counts(path)
        except Exception as error:  # the library cannot read it: nothing to set against
            print(f"{name}: not compared, ezdxf: {type(error).__name__}")
            continue
        compared += 1
        diffs = [f"{where} {kind}: reader {ours[where][kind]}, ezdxf {n}"
                 for where, theirs in (("model", model), ("block", block))
                 for kind, n in theirs.items() if ours[where][kind] != n]
        # Contents: from AC1021 on both decode UTF-8; before, the reader uses the system's code
        # page whatever the file declares, so only ASCII texts are set against each other.
        utf8 = ours["ver"] >= "AC1021"
        mine = sorted(t for t in ours["texts"] if utf8 or t.isascii())
        theirs = sorted(t for t in texts if utf8 or t.isascii())
        if mine != theirs:
            only_mine = [t for t in mine if t not in theirs][:3]
            only_theirs = [t for t in theirs if t not in mine][:3]
            diffs.append(f"texts: reader only {only_mine!r}, ezdxf only {only_theirs!r}")
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
