#!/usr/bin/env python3
"""Writes the Japanese DXF fixtures of the reader tests: one drawing as an R2000 file in code
page 932 and as an R2018 file in UTF-8. The characters chosen have a second byte of 0x5C (the
backslash) in code page 932 (表 ソ 能 十), or a second byte that is an ASCII lower-case letter
(ビ: 0x83 0x72), and stand next to MTEXT paragraph codes.

Run from this folder: python3 MakeFixtures.py
"""

LAYER = "設備"
LTYPE = "破線ビ"
TEXT = "分電盤 表示"
MTEXT = "電灯\\P能力表\\Pソケット十"
ATTRIB = "ソ"


def drawing(version):
    pairs = [
        (0, "SECTION"), (2, "HEADER"),
        (9, "$ACADVER"), (1, version),
        (9, "$DWGCODEPAGE"), (3, "ANSI_932"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "TABLES"),
        (0, "TABLE"), (2, "LAYER"), (70, 2),
        (0, "LAYER"), (2, "0"), (70, 0), (62, 7), (6, "Continuous"),
        (0, "LAYER"), (2, LAYER), (70, 0), (62, 3), (6, LTYPE),
        (0, "ENDTAB"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "BLOCKS"),
        (0, "BLOCK"), (2, "記号"), (8, "0"), (10, 0.0), (20, 0.0), (30, 0.0),
        (0, "TEXT"), (8, LAYER), (10, 0.0), (20, 0.0), (40, 2.5), (1, "能"),
        (0, "ENDBLK"), (8, "0"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "ENTITIES"),
        (0, "LWPOLYLINE"), (8, LAYER), (6, LTYPE), (90, 4), (70, 1),
        (10, 0.0), (20, 0.0), (10, 40.0), (20, 0.0), (10, 40.0), (20, 20.0),
        (10, 0.0), (20, 20.0),
        (0, "TEXT"), (8, LAYER), (10, 20.0), (20, 5.0), (40, 3.5), (1, TEXT),
        (72, 1), (11, 20.0), (21, 5.0),
        (0, "MTEXT"), (8, "0"), (10, 2.0), (20, 18.0), (40, 2.5), (71, 1), (1, MTEXT),
        (0, "INSERT"), (2, "記号"), (8, LAYER), (10, 5.0), (20, 5.0), (66, 1),
        (0, "ATTRIB"), (8, LAYER), (10, 5.0), (20, 5.0), (40, 2.0), (1, ATTRIB),
        (2, "TAG"),
        (0, "SEQEND"),
        (0, "LINE"), (8, LAYER), (10, 0.0), (20, 10.0), (11, 40.0), (21, 10.0),
        (0, "ENDSEC"),
        (0, "EOF"),
    ]
    lines = []
    for code, value in pairs:
        lines.append(f"{code:>3}")
        lines.append(str(value))
    return "\r\n".join(lines) + "\r\n"


def main():
    with open("cp932-symbols-r2000.dxf", "wb") as f:
        f.write(drawing("AC1015").encode("cp932"))
    with open("utf8-symbols-r2018.dxf", "wb") as f:
        f.write(drawing("AC1032").encode("utf-8"))


if __name__ == "__main__":
    main()
