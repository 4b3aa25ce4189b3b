"""Drawing primitives for the demo symbols.

A symbol is drawn once, in paper millimetres of its 1/100 drawing, through a Sketch that
multiplies every coordinate and text height by the factor of the drawing scale it writes.
The sketch also keeps the bounding box of what it drew, for the header extents.
"""
import math

import ezdxf
from ezdxf.enums import TextEntityAlignment

GEOMETRY_LAYER = "0"
TEXT_LAYER = "文字"
TEXT_STYLE = "GOTHIC"
TEXT_FONT = "msgothic.ttc"

# DXF alignment names used by the symbol table -> ezdxf alignment (groups 72 and 73).
ALIGNMENTS = {
    "LEFT": TextEntityAlignment.LEFT,                  # 72=0 73=0, placed by group 10
    "CENTER": TextEntityAlignment.CENTER,              # 72=1 73=0
    "RIGHT": TextEntityAlignment.RIGHT,                # 72=2 73=0
    "ALIGNED": TextEntityAlignment.ALIGNED,            # 72=3, base line from 10 to 11
    "MIDDLE": TextEntityAlignment.MIDDLE,              # 72=4
    "FIT": TextEntityAlignment.FIT,                    # 72=5, base line from 10 to 11
    "BOTTOM_LEFT": TextEntityAlignment.BOTTOM_LEFT,    # 72=0 73=1
    "BOTTOM_CENTER": TextEntityAlignment.BOTTOM_CENTER,
    "MIDDLE_LEFT": TextEntityAlignment.MIDDLE_LEFT,    # 73=2
    "MIDDLE_CENTER": TextEntityAlignment.MIDDLE_CENTER,
    "MIDDLE_RIGHT": TextEntityAlignment.MIDDLE_RIGHT,
    "TOP_LEFT": TextEntityAlignment.TOP_LEFT,          # 73=3
    "TOP_CENTER": TextEntityAlignment.TOP_CENTER,
}

# MTEXT attachment points (group 71).
TOP_LEFT, TOP_CENTER, MIDDLE_LEFT, MIDDLE_CENTER, BOTTOM_LEFT = 1, 2, 4, 5, 7

# Character width of the gothic font relative to the text height, for the extents only.
_CHAR_WIDTH = 0.9


def _r(value):
    """Coordinates are kept to a micrometre so that the files stay tidy and stable."""
    v = round(value, 6)
    return 0.0 if v == 0 else v


class Sketch:
    def __init__(self, msp, factor, blocks=None):
        self.msp = msp              # the layout drawn into: model space or a block
        self.k = factor
        self._xs = []
        self._ys = []
        self._blocks = {} if blocks is None else blocks   # name -> extents, per drawing

    # -- bookkeeping -------------------------------------------------------------------
    def _p(self, x, y):
        return (_r(x * self.k), _r(y * self.k))

    def _grow(self, x0, y0, x1, y1):
        self._xs += [x0 * self.k, x1 * self.k]
        self._ys += [y0 * self.k, y1 * self.k]

    def extents(self):
        """Lower-left and upper-right corner of everything drawn, in drawing units."""
        return (_r(min(self._xs)), _r(min(self._ys))), (_r(max(self._xs)), _r(max(self._ys)))

    @staticmethod
    def _check_text(text):
        # The drawing is stored in code page 932: every character must have a byte form
        # there, or a CAD would show an escape instead of the character.
        text.encode("cp932")

    # -- geometry ----------------------------------------------------------------------
    def line(self, x0, y0, x1, y1):
        self.msp.add_line(self._p(x0, y0), self._p(x1, y1),
                          dxfattribs={"layer": GEOMETRY_LAYER})
        self._grow(min(x0, x1), min(y0, y1), max(x0, x1), max(y0, y1))

    def lines(self, *points):
        """A chain of separate LINE entities through the points."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1)

    def circle(self, x, y, r):
        self.msp.add_circle(self._p(x, y), _r(r * self.k), dxfattribs={"layer": GEOMETRY_LAYER})
        self._grow(x - r, y - r, x + r, y + r)

    def arc(self, x, y, r, start, end):
        """Counter-clockwise arc from `start` to `end` degrees."""
        self.msp.add_arc(self._p(x, y), _r(r * self.k), start, end,
                         dxfattribs={"layer": GEOMETRY_LAYER})
        self._grow_arc(x, y, r, start, end)

    def _grow_arc(self, x, y, r, start, end):
        span = (end - start) % 360 or 360
        angles = [start, start + span] + [q for q in range(0, 721, 90) if start < q < start + span]
        for a in angles:
            px, py = x + r * math.cos(math.radians(a)), y + r * math.sin(math.radians(a))
            self._grow(px, py, px, py)

    def poly(self, points, closed=False, width=0.0):
        """LWPOLYLINE through (x, y) or (x, y, bulge) vertices; `width` is a constant width."""
        verts = [(*self._p(p[0], p[1]), 0, 0, p[2] if len(p) > 2 else 0) for p in points]
        attribs = {"layer": GEOMETRY_LAYER}
        if width:
            attribs["const_width"] = _r(width * self.k)
        self.msp.add_lwpolyline(verts, format="xyseb", close=closed, dxfattribs=attribs)
        self._grow_bulged(points, closed)

    def poly2d(self, points, closed=False):
        """Old-style POLYLINE with VERTEX records, (x, y) or (x, y, bulge) vertices."""
        verts = [(*self._p(p[0], p[1]), p[2] if len(p) > 2 else 0) for p in points]
        self.msp.add_polyline2d(verts, format="xyb", close=closed,
                                dxfattribs={"layer": GEOMETRY_LAYER})
        self._grow_bulged(points, closed)

    def _grow_bulged(self, points, closed):
        pts = [(p[0], p[1], p[2] if len(p) > 2 else 0) for p in points]
        if closed:
            pts.append(pts[0])
        for (x0, y0, b), (x1, y1, _) in zip(pts, pts[1:]):
            self._grow(x0, y0, x0, y0)
            self._grow(x1, y1, x1, y1)
            if b:
                theta = 4 * math.atan(b)
                d = math.hypot(x1 - x0, y1 - y0) / 2
                r = d / math.sin(theta / 2)
                a = math.atan2(y1 - y0, x1 - x0) + math.pi / 2 - theta / 2
                cx, cy = x0 + r * math.cos(a), y0 + r * math.sin(a)
                s = math.degrees(math.atan2(y0 - cy, x0 - cx))
                e = math.degrees(math.atan2(y1 - cy, x1 - cx))
                if b < 0:
                    s, e = e, s
                self._grow_arc(cx, cy, abs(r), s, e)

    def rect(self, x0, y0, x1, y1, as_lines=False):
        """Rectangle as one closed LWPOLYLINE, or as four LINEs."""
        if as_lines:
            self.lines((x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0))
        else:
            self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], closed=True)

    def dot(self, x, y, r):
        """A filled dot: its outline circle and a donut (a closed two-arc polyline whose width
        equals the radius), which a CAD shows filled."""
        self.circle(x, y, r)
        self.poly([(x - r / 2, y, 1), (x + r / 2, y, 1)], closed=True, width=r)

    def hatch(self, polygon, spacing, angle=45.0):
        """Parallel hatching lines clipped to a convex polygon."""
        ux, uy = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        nx, ny = -uy, ux
        offsets = [px * nx + py * ny for px, py in polygon]
        lo, hi = min(offsets), max(offsets)
        count = int((hi - lo) / spacing)
        first = lo + ((hi - lo) - (count - 1) * spacing) / 2 if count > 0 else lo
        for i in range(count):
            self._hatch_line(polygon, (nx, ny), (ux, uy), first + i * spacing)

    def _hatch_line(self, polygon, normal, direction, offset):
        hits = []
        edges = list(zip(polygon, polygon[1:] + polygon[:1]))
        for (x0, y0), (x1, y1) in edges:
            d0 = x0 * normal[0] + y0 * normal[1] - offset
            d1 = x1 * normal[0] + y1 * normal[1] - offset
            if (d0 < 0) != (d1 < 0):
                t = d0 / (d0 - d1)
                hits.append((x0 + t * (x1 - x0), y0 + t * (y1 - y0)))
        if len(hits) >= 2:
            hits.sort(key=lambda p: p[0] * direction[0] + p[1] * direction[1])
            (ax, ay), (bx, by) = hits[0], hits[-1]
            if math.hypot(bx - ax, by - ay) > 1e-6:
                self.line(ax, ay, bx, by)

    def arrow_head(self, x, y, angle, length=0.8, half_width=0.3, filled=False):
        """Triangular arrow head with its tip at (x, y), pointing at `angle` degrees: a closed
        polyline, or a SOLID when `filled`."""
        a = math.radians(angle)
        bx, by = x - length * math.cos(a), y - length * math.sin(a)
        ox, oy = -half_width * math.sin(a), half_width * math.cos(a)
        corners = [(x, y), (bx + ox, by + oy), (bx - ox, by - oy)]
        if filled:
            self.solid(corners)
        else:
            self.poly(corners, closed=True)

    def solid(self, corners):
        """A filled SOLID triangle (three corners) or quadrilateral (corners in DXF order
        1, 2, 4, 3: the third lies diagonally from the second)."""
        self.msp.add_solid([self._p(x, y) for x, y in corners],
                           dxfattribs={"layer": GEOMETRY_LAYER})
        for x, y in corners:
            self._grow(x, y, x, y)

    def fill(self, points):
        """A solid HATCH inside the closed outline through (x, y) or (x, y, bulge) vertices."""
        hatch = self.msp.add_hatch(color=256, dxfattribs={"layer": GEOMETRY_LAYER})
        hatch.paths.add_polyline_path(
            [(*self._p(p[0], p[1]), p[2] if len(p) > 2 else 0) for p in points],
            is_closed=True)
        self._grow_bulged(points, True)

    def disc(self, x, y, r):
        """A filled disc: its outline circle and a solid HATCH bounded by a full-circle arc."""
        self.circle(x, y, r)
        hatch = self.msp.add_hatch(color=256, dxfattribs={"layer": GEOMETRY_LAYER})
        hatch.paths.add_edge_path().add_arc(self._p(x, y), _r(r * self.k), 0, 360)

    def ellipse(self, x, y, major, ratio):
        """A full ELLIPSE centred at (x, y); `major` is the vector from the centre to the end
        of its major axis, `ratio` the minor axis relative to the major one."""
        mx, my = major
        self.msp.add_ellipse(self._p(x, y), major_axis=(*self._p(mx, my), 0.0), ratio=ratio,
                             dxfattribs={"layer": GEOMETRY_LAYER})
        ex, ey = math.hypot(mx, ratio * my), math.hypot(my, ratio * mx)
        self._grow(x - ex, y - ey, x + ex, y + ey)

    # -- blocks ------------------------------------------------------------------------
    def insert(self, name, draw, x, y, scale=1.0):
        """An INSERT of block `name` at (x, y). The block is defined in this drawing on its
        first use, drawn by `draw` in millimetres of the 1/100 drawing; the insert scales it
        by `scale` and the factor of the drawing scale."""
        if name not in self._blocks:
            block = self.msp.doc.blocks.new(name, base_point=(0.0, 0.0))
            inner = Sketch(block, 1.0, self._blocks)
            draw(inner)
            self._blocks[name] = inner.extents()
        (x0, y0), (x1, y1) = self._blocks[name]
        attribs = {"layer": GEOMETRY_LAYER}
        if _r(scale * self.k) != 1.0:
            attribs["xscale"] = attribs["yscale"] = _r(scale * self.k)
        self.msp.add_blockref(name, self._p(x, y), dxfattribs=attribs)
        self._grow(x + x0 * scale, y + y0 * scale, x + x1 * scale, y + y1 * scale)

    # -- texts -------------------------------------------------------------------------
    def text(self, content, x, y, height, align="LEFT", end=None, width=1.0, rotation=0.0):
        """TEXT placed by `align` at (x, y); ALIGNED and FIT run from (x, y) to `end`."""
        self._check_text(content)
        attribs = {"layer": TEXT_LAYER, "style": TEXT_STYLE, "height": _r(height * self.k)}
        if width != 1.0:
            attribs["width"] = width
        if rotation:
            attribs["rotation"] = rotation
        entity = self.msp.add_text(content, dxfattribs=attribs)
        p2 = self._p(*end) if end else None
        entity.set_placement(self._p(x, y), p2, ALIGNMENTS[align])
        self._grow_text(content, x, y, height * width, height, align, end)

    def _grow_text(self, content, x, y, char_w, h, align, end):
        w = len(content) * char_w * _CHAR_WIDTH
        if end:
            self._grow(min(x, end[0]), y, max(x, end[0]), y + h)
            return
        horizontal = align.split("_")[-1]
        x0 = {"CENTER": x - w / 2, "MIDDLE": x - w / 2, "RIGHT": x - w}.get(horizontal, x)
        if align.startswith("TOP"):
            y0 = y - h
        elif align.startswith("MIDDLE"):
            y0 = y - h / 2
        else:
            y0 = y
        self._grow(x0, y0, x0 + w, y0 + h)

    def mtext(self, content, x, y, height, attachment=TOP_LEFT, width=0.0):
        """MTEXT: lines separated by \\P, inline codes allowed; `width` is the column width."""
        self._check_text(content)
        attribs = {"layer": TEXT_LAYER, "style": TEXT_STYLE, "char_height": _r(height * self.k),
                   "insert": self._p(x, y), "attachment_point": attachment}
        if width:
            attribs["width"] = _r(width * self.k)
        self.msp.add_mtext(content, dxfattribs=attribs)
        lines = content.split("\\P")
        longest = max(len(_strip_codes(line)) for line in lines)
        w = max(width, longest * height * _CHAR_WIDTH)
        h = len(lines) * height * 1.6
        x0 = {2: x - w / 2, 5: x - w / 2, 8: x - w / 2}.get(attachment, x)
        y1 = {4: y + h / 2, 5: y + h / 2, 7: y + h}.get(attachment, y)
        self._grow(x0, y1 - h, x0 + w, y1)


def disc_segment(cx, cy, r, start, end, steps=36):
    """Convex polygon of the circle segment from `start` to `end` degrees (closed by its
    chord), for hatching a part of a round symbol."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def _strip_codes(line):
    out, i = [], 0
    while i < len(line):
        if line[i] == "\\" and ";" in line[i:]:
            i = line.index(";", i) + 1
        else:
            out.append(line[i])
            i += 1
    return "".join(out)


def new_document():
    """An empty R2000 drawing in code page 932, millimetres, with the layers and text style
    the symbols use."""
    doc = ezdxf.new("R2000", setup=False)
    doc.encoding = "cp932"
    doc.header["$INSUNITS"] = 4          # millimetres
    doc.header["$MEASUREMENT"] = 1       # metric
    doc.header["$LUNITS"] = 2
    doc.header["$INSBASE"] = (0.0, 0.0, 0.0)
    doc.layers.add(TEXT_LAYER, color=2)
    doc.styles.new(TEXT_STYLE, dxfattribs={"font": TEXT_FONT, "width": 1.0})
    return doc
