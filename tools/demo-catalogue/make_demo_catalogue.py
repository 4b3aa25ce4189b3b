#!/usr/bin/env python3
"""Writes the demo catalogue that is laid beside the palette's executable:

    MenuList.txt               categories: name <TAB> tag
    BlockList.txt              blocks: number <TAB> name <TAB> JIS <TAB> ministry <TAB> comment
    TargetCAD_APIVersion.txt   target CAD programs: display name <TAB> ProgID
    DXF/<number><A|B|C>.dxf    one drawing per block and scale (A 1/200, B 1/100, C 1/50)

The text files are in code page 932 without byte-order mark and with CR LF line ends, as
the catalogues made on Japanese Windows are. The drawings are R2000 (AC1015) DXF in code
page 932. The output is deterministic: running the tool again gives identical bytes.

Usage: make_demo_catalogue.py [output folder]   (default: data/demo of this source tree)
"""
import io
import os
import sys

import ezdxf
import ezdxf.bbox

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from catalogue import BLOCKS, CATEGORIES, SCALE_FACTORS, TARGETS  # noqa: E402
from sketch import Sketch, new_document  # noqa: E402

# The ezdxf release the committed drawings were written with; another release may write
# the same drawings with other bytes.
EZDXF_VERSION = "0.18.1"

DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                              "..", "..", "data", "demo")


def _fixed_metadata():
    # No creation time, update time or random GUIDs in the header: identical bytes per run.
    ezdxf.options.write_fixed_meta_data_for_testing = True


def encode_lines(lines):
    """CP932 text, every line ended by CR LF; fails on characters CP932 cannot hold."""
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def _quoted(text, quoted):
    return f'"{text}"' if quoted and text else text


def menu_lines():
    return [f"{c.name}\t{c.tag}" for c in CATEGORIES]


def block_lines():
    lines = []
    for b in BLOCKS:
        fields = [b.number, _quoted(b.name, b.quoted), "*" if b.jis else "",
                  "*" if b.kok else "", _quoted(b.comment, b.quoted)]
        lines.append("\t".join(fields))
    return lines


def target_lines():
    return [f"{name}\t{prog_id}" for name, prog_id in TARGETS]


def drawing_bytes(block, letter):
    """The DXF file of one block at the scale of `letter`, as bytes."""
    doc = new_document()
    msp = doc.modelspace()
    sketch = Sketch(msp, SCALE_FACTORS[letter])
    block.draw(sketch)
    (x0, y0), (x1, y1) = sketch.extents()
    msp.dxf.extmin = (x0, y0, 0.0)
    msp.dxf.extmax = (x1, y1, 0.0)
    margin = max(x1 - x0, y1 - y0) * 0.1
    msp.dxf.limmin = (x0 - margin, y0 - margin)
    msp.dxf.limmax = (x1 + margin, y1 + margin)
    stream = io.StringIO()
    doc.write(stream)
    return doc.encode(stream.getvalue()).replace(b"\n", b"\r\n")


def write_if_changed(path, data):
    """Writes only when the content differs, so that file times show what changed."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return False
    except FileNotFoundError:
        pass
    with open(path, "wb") as f:
        f.write(data)
    return True


def generate(output):
    """Writes every file of the catalogue into `output`; returns the relative file names."""
    _fixed_metadata()
    dxf_dir = os.path.join(output, "DXF")
    os.makedirs(dxf_dir, exist_ok=True)
    files = {
        "MenuList.txt": encode_lines(menu_lines()),
        "BlockList.txt": encode_lines(block_lines()),
        "TargetCAD_APIVersion.txt": encode_lines(target_lines()),
    }
    for block in BLOCKS:
        for letter in block.scales:
            files[f"DXF/{block.number}{letter}.dxf"] = drawing_bytes(block, letter)
    for name, data in files.items():
        write_if_changed(os.path.join(output, *name.split("/")), data)
    return sorted(files)


def stale_files(output, expected):
    """Drawings in the output's DXF folder that the catalogue no longer makes."""
    dxf_dir = os.path.join(output, "DXF")
    present = {f"DXF/{n}" for n in os.listdir(dxf_dir) if n.lower().endswith(".dxf")}
    return sorted(present - set(expected))


def main(argv):
    output = os.path.abspath(argv[1] if len(argv) > 1 else DEFAULT_OUTPUT)
    if ezdxf.__version__ != EZDXF_VERSION:
        print(f"note: ezdxf {ezdxf.__version__} in use; the committed drawings were written "
              f"with {EZDXF_VERSION}, so their bytes may change", file=sys.stderr)
    written = generate(output)
    for name in stale_files(output, written):
        os.remove(os.path.join(output, *name.split("/")))
        print(f"removed {name}")
    print(f"{len(written)} files in {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
