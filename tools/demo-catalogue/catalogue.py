"""The demo catalogue: categories, blocks and the drawing of every symbol.

Symbols follow the plan symbols of electrical and mechanical building-services drawings
(the JIS C 0303 wiring symbols and the public-works standard drawings). Each drawing
function draws in paper millimetres of the 1/100 drawing; the base point (0, 0) is where the
symbol is inserted: its centre, or the wall side for wall-mounted boards and units.
"""
from dataclasses import dataclass
from typing import Callable

from sketch import Sketch, disc_segment, TOP_LEFT, MIDDLE_LEFT, MIDDLE_CENTER, BOTTOM_LEFT

R = 1.5     # radius of the common round symbol
T = 1.6     # height of the letters written beside a symbol (傍記)
SW = 0.9    # radius of the switch dot


@dataclass(frozen=True)
class Category:
    name: str
    tag: str


@dataclass(frozen=True)
class Block:
    number: str
    name: str
    jis: bool
    kok: bool
    comment: str
    draw: Callable[[Sketch], None]
    scales: str = "ABC"          # the drawings delivered: A 1/200, B 1/100, C 1/50
    quoted: bool = False         # name and comment written in double quotes


# Paper size of a drawing relative to the 1/100 one. A coarser scale gets a smaller symbol
# on paper, a finer one a larger; the ratios are those by which the insertion corrects the
# scale factor when it falls back to the 1/100 drawing, so a block looks the same size in
# the model whichever of its drawings is inserted.
SCALE_FACTORS = {"A": 2.3 / 3.0, "B": 1.0, "C": 4.0 / 3.0}


# ---------------------------------------------------------------------------------------
# 照明器具
# ---------------------------------------------------------------------------------------
def lt_lamp(s):
    s.circle(0, 0, R)


def lt_ceiling(s):
    s.circle(0, 0, R)
    s.text("CL", R + 0.4, 0, T, "MIDDLE_LEFT")


def lt_downlight(s):
    s.circle(0, 0, R)
    s.circle(0, 0, 0.9)
    s.text("DL", R + 0.2, R - 0.3, T, "BOTTOM_LEFT")


def lt_pendant(s):
    s.circle(0, 0, R)
    s.line(-R, 0, R, 0)


def lt_chandelier(s):
    s.circle(0, 0, R)
    s.text("CH", 0, R + 0.5, T, "BOTTOM_CENTER")


def lt_hook_square(s):
    s.circle(0, 0, R)
    s.rect(-0.7, -0.7, 0.7, 0.7)


def lt_hook_round(s):
    s.circle(0, 0, R)
    s.circle(0, 0, 0.7)


def lt_bracket(s):
    # Wall bracket: the wall-side half shaded.
    s.circle(0, 0, R)
    s.line(0, -R, 0, R)
    s.hatch(disc_segment(0, 0, R, 90, 270), 0.45, 45)


def _fluorescent_bar(s, half_w):
    s.rect(-6.0, -half_w, 6.0, half_w)
    s.circle(0, 0, max(1.0, half_w))


def lt_fl1(s):
    _fluorescent_bar(s, 0.75)
    s.text("FL40×1", 0, 1.5, T, "BOTTOM_CENTER")


def lt_fl2(s):
    _fluorescent_bar(s, 1.2)
    s.line(-6.0, 0, -1.2, 0)
    s.line(1.2, 0, 6.0, 0)
    s.text("FL40×2", 0, 1.7, T, "BOTTOM_CENTER")


def lt_led_base(s):
    s.rect(-6.25, -1.5, 6.25, 1.5)
    s.rect(-5.85, -1.1, 5.85, 1.1, as_lines=True)
    s.circle(0, 0, 1.0)
    s.mtext("LED\\P\\W0.8;40形", 6.7, 1.5, 1.3, TOP_LEFT)


def lt_led_square(s):
    s.rect(-3.0, -3.0, 3.0, 3.0)
    s.rect(-2.4, -2.4, 2.4, 2.4, as_lines=True)
    s.circle(0, 0, 1.0)
    s.text("LED", -2.0, -4.5, 1.4, "ALIGNED", end=(2.0, -4.5))


def lt_emergency(s):
    s.dot(0, 0, R)
    s.text("LED", R + 0.4, -R, 1.3, "LEFT")


def lt_emergency_fl(s):
    s.rect(-6.0, -0.75, 6.0, 0.75)
    s.dot(0, 0, 1.1)
    s.text("FL20×1", 0, -1.6, T, "TOP_CENTER")


def _guide_box(s):
    s.rect(-3.0, -1.5, 3.0, 1.5)
    s.line(0, -1.5, 0, 1.5)
    s.hatch([(-3.0, -1.5), (0, -1.5), (0, 1.5), (-3.0, 1.5)], 0.5, 45)


def lt_exit_sign(s):
    _guide_box(s)
    s.text("避難口", 0, -2.0, T, "TOP_CENTER")


def lt_aisle_sign(s):
    _guide_box(s)
    s.line(0.6, 0, 2.0, 0)
    s.arrow_head(2.6, 0, 0, 0.7, 0.35)
    s.text("通路", 0, 2.0, T, "BOTTOM_CENTER")


def lt_spot(s):
    s.circle(0, 0, R)
    s.line(R, 0, 3.3, 0)
    s.arrow_head(4.1, 0, 0)


def lt_flood(s):
    s.circle(0, 0, R)
    d = R * 0.7071
    s.line(-d, -d, d, d)
    s.line(-d, d, d, -d)
    s.line(R, 0, 3.3, 0)
    s.arrow_head(4.1, 0, 0)


def lt_garden(s):
    s.circle(0, 0, R)
    s.dot(0, 0, 0.6)
    s.line(0, -R, 0, -2.6)
    s.line(-0.8, -2.6, 0.8, -2.6)


def lt_pole(s):
    s.circle(0, 0, R)
    s.line(-2.2, 0, 2.2, 0)
    s.line(0, -2.2, 0, 2.2)
    s.text("H=4.5m", -2.4, -3.8, 1.4, "FIT", end=(2.4, -3.8))


def lt_foot(s):
    s.circle(0, 0, 1.2)
    s.hatch(disc_segment(0, 0, 1.2, 180, 360), 0.4, 0)
    s.text("FT", 1.6, 0, T, "MIDDLE_LEFT", width=0.8)


# ---------------------------------------------------------------------------------------
# コンセント: a circle with the two parallel lines of the plug
# ---------------------------------------------------------------------------------------
def _outlet(s):
    s.circle(0, 0, R)
    s.line(-0.5, -0.8, -0.5, 0.8)
    s.line(0.5, -0.8, 0.5, 0.8)


def _outlet_with(label, align="BOTTOM_LEFT", x=R + 0.1, y=R - 0.4):
    def draw(s):
        _outlet(s)
        s.text(label, x, y, T, align)
    return draw


def ot_floor(s):
    s.rect(-2.3, -2.3, 2.3, 2.3)
    _outlet(s)
    s.text("2", 2.7, 0, T, "MIDDLE_LEFT")


def ot_waterproof(s):
    _outlet(s)
    s.mtext("E\\PWP", R + 0.3, R + 0.6, 1.4, TOP_LEFT)


def ot_200v(s):
    _outlet(s)
    s.mtext("\\fMS Gothic|b0;E\\P\\W0.9;250V 20A", R + 0.3, 0, 1.3, MIDDLE_LEFT)


def ot_ceiling(s):
    _outlet(s)
    s.line(-R - 0.8, R + 0.4, R + 0.8, R + 0.4)
    s.text("天井", 0, R + 0.8, T, "BOTTOM_CENTER")


# ---------------------------------------------------------------------------------------
# スイッチ: the small filled circle and its letters
# ---------------------------------------------------------------------------------------
def _switch_with(label, align="BOTTOM_LEFT"):
    def draw(s):
        s.dot(0, 0, SW)
        if label:
            s.text(label, SW + 0.3, SW - 0.3, T, align)
    return draw


def sw_dimmer(s):
    s.dot(0, 0, SW)
    s.line(-1.6, -1.6, 1.3, 1.3)
    s.arrow_head(1.9, 1.9, 45, 0.85, 0.35)


def sw_sensor(s):
    s.dot(0, 0, SW)
    s.arc(0, 0, 1.6, 20, 160)
    s.arc(0, 0, 2.2, 30, 150)
    s.text("RAS", SW + 0.3, -SW, T, "LEFT", width=0.8)


# ---------------------------------------------------------------------------------------
# 分電盤・制御盤: wall-mounted, base point on the wall line (bottom centre)
# ---------------------------------------------------------------------------------------
def _board(s, w=8.0, h=3.0):
    s.rect(-w / 2, 0, w / 2, h)


def pb_lighting(s):
    _board(s)
    s.line(-4.0, 0, 4.0, 3.0)
    s.hatch([(-4.0, 0), (4.0, 0), (4.0, 3.0)], 0.5, 90)
    s.text("L-1", 0, 3.5, T, "BOTTOM_CENTER")


def pb_power(s):
    _board(s)
    s.line(0, 0, 0, 3.0)
    s.hatch([(-4.0, 0), (0, 0), (0, 3.0), (-4.0, 3.0)], 0.5, 45)
    s.text("P-1", 0, 3.5, T, "BOTTOM_CENTER")


def pb_switchboard(s):
    _board(s)
    s.line(-4.0, 0, 4.0, 3.0)
    s.line(-4.0, 3.0, 4.0, 0)
    s.text("配電盤", 0, 3.5, T, "BOTTOM_CENTER")


def pb_emergency(s):
    _board(s)
    s.line(-4.0, 0, 4.0, 3.0)
    s.hatch([(-4.0, 0), (4.0, 0), (4.0, 3.0)], 0.5, 90)
    s.rect(-4.4, 0, 4.4, 3.4, as_lines=True)
    s.text("EL-1", 0, 3.9, T, "BOTTOM_CENTER")
    s.mtext("耐火\\P形", 4.9, 3.4, 1.4, TOP_LEFT)


def _small_box(label):
    def draw(s):
        s.rect(-1.6, 0, 1.6, 3.2, as_lines=True)
        s.text(label, 0, 1.6, T, "MIDDLE_CENTER")
    return draw


# ---------------------------------------------------------------------------------------
# 弱電・通信
# ---------------------------------------------------------------------------------------
def tl_phone(s):
    s.circle(0, 0, R)
    s.line(-R, 0, R, 0)
    s.hatch(disc_segment(0, 0, R, 180, 360), 0.42, 0)


def tl_lan(s):
    s.circle(0, 0, R)
    s.rect(-0.7, -0.7, 0.7, 0.7, as_lines=True)
    s.text("LAN", R + 0.2, R - 0.3, T, "BOTTOM_LEFT", width=0.8)


def tl_tv(s):
    s.circle(0, 0, R)
    s.circle(0, 0, 0.9)
    s.text("TV", R + 0.2, R - 0.3, T, "BOTTOM_LEFT")


def _speaker_shape(s):
    s.rect(-1.4, -0.5, -0.5, 0.5)
    s.poly([(-0.5, -0.5), (0.9, -1.3), (0.9, 1.3), (-0.5, 0.5)])


def tl_speaker_ceiling(s):
    s.circle(0, 0, 2.0)
    _speaker_shape(s)


def tl_speaker_wall(s):
    _speaker_shape(s)
    s.line(-1.9, -1.5, -1.9, 1.5)
    s.text("W", 1.4, 0, T, "MIDDLE_LEFT")


def tl_interphone_master(s):
    s.rect(-R, -R, R, R, as_lines=True)
    s.circle(0, 0, 0.9)
    s.text("親", 0, R + 0.4, T, "BOTTOM_CENTER")


def tl_interphone_slave(s):
    s.circle(0, 0, R)
    s.circle(0, 0, 0.9)
    s.text("子", 0, R + 0.4, T, "BOTTOM_CENTER")


def tl_bell(s):
    # Bell: a dome on its base line, bulged polyline.
    s.poly([(-R, 0, -1.0), (R, 0)], closed=True)
    s.line(-2.0, 0, 2.0, 0)
    s.circle(0, -0.45, 0.35)


def tl_buzzer(s):
    s.poly2d([(-R, -0.8), (-R, 0, -1.0), (R, 0), (R, -0.8)], closed=True)


def tl_chime(s):
    s.poly([(-R, -0.5, -1.0), (R, -0.5)], closed=True)
    s.arc(0, -0.5, 2.2, 35, 145)
    s.arc(0, -0.5, 2.9, 40, 140)


def tl_terminal(s):
    _board(s, 6.0, 3.0)
    s.line(-3.0, 0, 3.0, 3.0)
    s.line(-3.0, 3.0, 3.0, 0)
    s.text("T-1", 0, 3.5, T, "BOTTOM_CENTER")


def tl_push_button(s):
    s.circle(0, 0, R)
    s.dot(0, 0, 0.6)


def tl_clock(s):
    s.circle(0, 0, R)
    for x0, y0, x1, y1 in ((0, 1.1, 0, R), (1.1, 0, R, 0), (0, -1.1, 0, -R), (-1.1, 0, -R, 0)):
        s.line(x0, y0, x1, y1)
    s.line(0, 0, 0, 0.9)
    s.line(0, 0, 0.55, 0.3)


# ---------------------------------------------------------------------------------------
# 消防・防災
# ---------------------------------------------------------------------------------------
def fa_rate_of_rise(s):
    # 差動式: a dome on its base line; the base point is the middle of that line.
    s.arc(0, 0, R, 0, 180)
    s.line(-R, 0, R, 0)


def fa_fixed_temp(s):
    fa_rate_of_rise(s)
    s.line(-1.3748, 0.6, 1.3748, 0.6)


def fa_smoke(s):
    s.rect(-R, -R, R, R, as_lines=True)
    s.text("S", 0, 0, 2.0, "MIDDLE_CENTER")


def fa_combined(s):
    s.rect(-R, -R, R, R, as_lines=True)
    s.arc(0, -R, 1.0, 0, 180)
    s.text("S", 0, 0.6, 1.4, "MIDDLE_CENTER")


def _circle_letter(letter):
    def draw(s):
        s.circle(0, 0, R)
        s.text(letter, 0, 0, 1.8, "MIDDLE")
    return draw


def fa_lamp(s):
    s.circle(0, 0, R)
    d = R * 0.7071
    s.line(-d, -d, d, d)
    s.line(-d, d, d, -d)


def fa_cabinet(s):
    s.rect(-3.6, -1.4, 3.6, 1.4)
    for x, letter in ((-2.3, "P"), (0.0, "B")):
        s.circle(x, 0, 0.95)
        s.text(letter, x, 0, 1.2, "MIDDLE_CENTER")
    s.circle(2.3, 0, 0.95)
    s.line(1.63, -0.67, 2.97, 0.67)
    s.line(1.63, 0.67, 2.97, -0.67)


def fa_panel(s):
    _board(s, 7.0, 3.0)
    s.rect(-3.1, 0.4, 3.1, 2.6, as_lines=True)
    s.hatch([(-3.1, 0.4), (3.1, 0.4), (3.1, 2.6), (-3.1, 2.6)], 0.55, 45)
    s.text("受信機", 0, 3.5, T, "BOTTOM_CENTER")
    s.mtext("P型1級\\P10回線", 4.0, 0.0, 1.3, BOTTOM_LEFT)


def fa_sprinkler_down(s):
    s.circle(0, 0, 1.2)
    s.line(-1.9, 0, 1.9, 0)
    s.line(0, -1.9, 0, 1.9)


def fa_sprinkler_up(s):
    fa_sprinkler_down(s)
    s.circle(0, 0, 0.5)


def fa_hydrant(s):
    _board(s, 6.0, 2.4)
    s.line(-3.0, 0, 3.0, 2.4)
    s.hatch([(-3.0, 0), (3.0, 2.4), (-3.0, 2.4)], 0.5, 90)
    s.text("1号", 0, 2.9, T, "BOTTOM_CENTER")


# ---------------------------------------------------------------------------------------
# 給排水衛生: valves drawn on the pipe line, base point at the valve centre
# ---------------------------------------------------------------------------------------
def _pipe_stubs(s):
    s.line(-2.6, 0, -1.5, 0)
    s.line(1.5, 0, 2.6, 0)


def _bow_tie(s):
    s.poly([(-1.5, 0.9), (1.5, -0.9), (1.5, 0.9), (-1.5, -0.9)], closed=True)


def pl_gate(s):
    _pipe_stubs(s)
    _bow_tie(s)


def pl_globe(s):
    pl_gate(s)
    s.dot(0, 0, 0.4)


def pl_check(s):
    _pipe_stubs(s)
    s.lines((-1.5, 0.9), (1.5, -0.9), (1.5, 0.9), (-1.5, -0.9), (-1.5, 0.9))
    s.hatch([(-1.5, 0.9), (0, 0), (-1.5, -0.9)], 0.3, 90)
    s.line(-0.6, 1.5, 0.6, 1.5)
    s.arrow_head(1.2, 1.5, 0, 0.6, 0.25)


def pl_ball(s):
    pl_gate(s)
    s.circle(0, 0, 0.55)


def pl_butterfly(s):
    s.line(-2.6, 0, -1.0, 0)
    s.line(1.0, 0, 2.6, 0)
    s.line(-1.0, -1.0, -1.0, 1.0)
    s.line(1.0, -1.0, 1.0, 1.0)
    s.line(-0.7, -0.9, 0.7, 0.9)
    s.circle(0, 0, 0.3)


def pl_reducing(s):
    pl_gate(s)
    s.line(0, 0, 0, 1.6)
    s.poly([(-0.6, 1.6), (0.6, 1.6), (0, 2.4)], closed=True)
    s.text("PRV", 0.9, 1.7, 1.3, "LEFT")


def pl_faucet(s):
    s.line(-2.6, 0, 0, 0)
    s.poly([(0, 0, -1.0), (0, -1.4)])
    s.line(-0.6, 0, -0.6, 0.9)
    s.line(-1.2, 0.9, 0, 0.9)


def pl_floor_drain(s):
    s.circle(0, 0, R)
    s.circle(0, 0, 1.0)
    for y in (-0.5, 0.0, 0.5):
        half = (1.0 - y * y) ** 0.5
        s.line(-half, y, half, y)
    s.text("FD", R + 0.2, -R, T, "LEFT")


def pl_cleanout(s):
    s.circle(0, 0, 1.2)
    s.dot(0, 0, 0.5)
    s.text("CO", 1.5, 0, T, "MIDDLE_LEFT")


def pl_meter(s):
    s.line(-2.8, 0, -R, 0)
    s.line(R, 0, 2.8, 0)
    s.circle(0, 0, R)
    s.text("M", 0, 0, 1.8, "MIDDLE_CENTER")


def pl_strainer(s):
    s.line(-2.6, 0, 2.6, 0)
    s.line(-0.9, 0, 0.3, -1.2)
    s.poly([(0.3, -1.2), (0.9, -1.8), (1.5, -1.2), (0.9, -0.6)], closed=True)
    s.text("Y", -1.6, 0.4, T, "BOTTOM_LEFT")


# ---------------------------------------------------------------------------------------
# 空調・換気
# ---------------------------------------------------------------------------------------
def _propeller(s, r):
    # Two lens-shaped blades: closed polylines of two bulged segments each.
    s.poly([(0, 0, 0.35), (r, r * 0.45, 0.35)], closed=True)
    s.poly([(0, 0, 0.35), (-r, -r * 0.45, 0.35)], closed=True)


def ac_fan_ceiling(s):
    s.rect(-2.2, -2.2, 2.2, 2.2)
    s.circle(0, 0, 1.7)
    _propeller(s, 1.4)


def ac_fan_wall(s):
    s.circle(0, 0, 1.7)
    _propeller(s, 1.4)
    s.line(-2.3, -2.0, -2.3, 2.0)


def _damper(label):
    def draw(s):
        s.line(-2.6, 1.5, 2.6, 1.5)
        s.line(-2.6, -1.5, 2.6, -1.5)
        s.line(-0.9, -1.5, 0.9, 1.5)
        s.circle(0, 0, 0.35)
        s.text(label, 0, 2.0, T, "BOTTOM_CENTER")
    return draw


def ac_anemostat(s):
    for r in (1.9, 1.3, 0.7):
        s.circle(0, 0, r)
    d = 1.9 * 0.7071
    s.line(-d, -d, d, d)
    s.line(-d, d, d, -d)


def ac_grille(s):
    s.rect(-1.8, -1.8, 1.8, 1.8)
    s.hatch([(-1.8, -1.8), (1.8, -1.8), (1.8, 1.8), (-1.8, 1.8)], 0.6, 0)
    s.text("RA", 2.2, -1.8, T, "LEFT")


def ac_cassette(s):
    s.rect(-4.0, -4.0, 4.0, 4.0)
    s.rect(-3.2, -3.2, 3.2, 3.2, as_lines=True)
    for x0, y0, x1, y1 in ((-2.2, 2.3, 2.2, 2.7), (-2.2, -2.7, 2.2, -2.3),
                           (-2.7, -2.2, -2.3, 2.2), (2.3, -2.2, 2.7, 2.2)):
        s.rect(x0, y0, x1, y1, as_lines=True)
    s.circle(0, 0, 1.0)
    s.mtext("AC-1\\P\\W0.8;4方向", 0, 0, 1.1, MIDDLE_CENTER, width=4.0)


def ac_wall_unit(s):
    # Wall-mounted unit: the back on the wall line (y = 0), the curved front into the room.
    s.poly([(-4.0, 0), (4.0, 0), (4.0, -1.6, -0.08), (-4.0, -1.6)], closed=True)
    s.line(-3.4, -1.0, 3.4, -1.0)
    s.text("AC-2", 0, 0.5, T, "BOTTOM_CENTER")


def ac_outdoor(s):
    s.rect(-4.0, -3.0, 4.0, 3.0, as_lines=True)
    s.circle(-0.8, 0, 2.2)
    for x in (-2.2, -1.5, -0.8, -0.1, 0.6):
        half = (2.2 ** 2 - (x + 0.8) ** 2) ** 0.5
        s.line(x, -half, x, half)
    s.text("OU", 2.6, 0, T, "MIDDLE")


def ac_remote(s):
    s.rect(-1.2, -1.2, 1.2, 1.2, as_lines=True)
    s.text("R", 0, 0, 1.6, "MIDDLE_CENTER")


def ac_fan_coil(s):
    s.rect(-5.0, 0, 5.0, 2.2)
    s.circle(-2.4, 1.1, 0.7)
    s.circle(2.4, 1.1, 0.7)
    s.text("FCU", 0, 1.1, 1.4, "MIDDLE_CENTER")


# ---------------------------------------------------------------------------------------
# The catalogue
# ---------------------------------------------------------------------------------------
CATEGORIES = [
    Category("照明器具", "LT"),
    Category("コンセント", "OT"),
    Category("スイッチ", "SW"),
    Category("分電盤・制御盤", "PB"),
    Category("弱電・通信", "TL"),
    Category("消防・防災", "FA"),
    Category("給排水衛生", "PL"),
    Category("空調・換気", "AC"),
]

J, K, N = True, True, False

BLOCKS = [
    # number, name, JIS, ministry, comment, drawing[, scales, quoted]
    Block("LT001", "一般照明（白熱灯・LED電球）", J, K, "天井直付 傍記なし", lt_lamp),
    Block("LT002", "シーリングライト", J, K, "傍記 CL", lt_ceiling),
    Block("LT003", "ダウンライト", J, K, "天井埋込 傍記 DL", lt_downlight, quoted=True),
    Block("LT004", "ペンダント", J, K, "コード吊・パイプ吊", lt_pendant),
    Block("LT005", "シャンデリヤ", J, N, "傍記 CH", lt_chandelier, scales="B"),
    Block("LT006", "引掛シーリング（角）", J, K, "器具は別途", lt_hook_square),
    Block("LT007", "引掛シーリング（丸）", J, K, "器具は別途", lt_hook_round),
    Block("LT008", "ブラケット", J, K, "壁付 壁側を塗る", lt_bracket),
    Block("LT009", "蛍光灯（直付・1灯）", J, K, "FL40×1 傍記は形式", lt_fl1),
    Block("LT010", "蛍光灯（直付・2灯）", J, K, "FL40×2", lt_fl2),
    Block("LT011", "LEDベースライト（埋込）", N, K, "40形 下面開放", lt_led_base),
    Block("LT012", "LEDスクエアライト（埋込）", N, K, "□600 グリッド天井用", lt_led_square),
    Block("LT013", "非常用照明（LED・直付）", J, K, "電池内蔵形 30分", lt_emergency, scales="B"),
    Block("LT014", "非常用照明（蛍光灯形）", J, K, "FL20×1 電池内蔵形", lt_emergency_fl),
    Block("LT015", "誘導灯（避難口）", J, K, "B級BH形 壁付", lt_exit_sign, quoted=True),
    Block("LT016", "誘導灯（通路）", J, K, "C級 天井直付 矢印は避難方向", lt_aisle_sign),
    Block("LT017", "スポットライト", N, N, "矢印は照射方向", lt_spot),
    Block("LT018", "投光器", J, N, "屋外用 矢印は照射方向", lt_flood),
    Block("LT019", "庭園灯", J, K, "ポール H=1.0m", lt_garden),
    Block("LT020", "ポール灯", N, K, "屋外 H=4.5m", lt_pole),
    Block("LT021", "足元灯", N, N, "壁埋込 傍記 FT", lt_foot),

    Block("OT001", "コンセント（2口）", J, K, "壁付 15A 125V", _outlet_with("2")),
    Block("OT002", "コンセント（1口）", J, K, "壁付 口数1は傍記しない", _outlet),
    Block("OT003", "コンセント（3口）", J, N, "壁付", _outlet_with("3")),
    Block("OT004", "コンセント（接地極付）", J, K, "2口 傍記 E", _outlet_with("2E")),
    Block("OT005", "コンセント（接地端子付）", J, K, "傍記 ET", _outlet_with("ET")),
    Block("OT006", "コンセント（接地極付接地端子付）", J, K, "傍記 EET",
          _outlet_with("EET", "MIDDLE_LEFT", R + 0.3, 0), quoted=True),
    Block("OT007", "コンセント（防水形）", J, K, "接地極付 傍記 WP", ot_waterproof),
    Block("OT008", "コンセント（抜け止め形）", J, N, "傍記 LK", _outlet_with("LK", "RIGHT", -R - 0.2, R - 0.4)),
    Block("OT009", "コンセント（200V）", J, K, "接地極付 250V 20A", ot_200v),
    Block("OT010", "床付コンセント", J, K, "フロアコンセント 2口", ot_floor, scales="B"),
    Block("OT011", "天井付コンセント", N, N, "天井面取付", ot_ceiling),

    Block("SW001", "点滅器（片切）", J, K, "15A 傍記なし", _switch_with("")),
    Block("SW002", "点滅器（3路）", J, K, "傍記 3", _switch_with("3")),
    Block("SW003", "点滅器（4路）", J, K, "傍記 4", _switch_with("4")),
    Block("SW004", "点滅器（パイロットランプ付）", J, K, "確認表示灯 傍記 L", _switch_with("L")),
    Block("SW005", "点滅器（位置表示灯内蔵）", J, K, "ほたる 傍記 H", _switch_with("H")),
    Block("SW006", "点滅器（両切）", J, N, "傍記 2P", _switch_with("2P")),
    Block("SW007", "調光器", J, K, "矢印付", sw_dimmer),
    Block("SW008", "リモコンスイッチ", J, K, "傍記 R", _switch_with("R"), quoted=True),
    Block("SW009", "タイムスイッチ", J, N, "傍記 TS", _switch_with("TS", "MIDDLE_LEFT")),
    Block("SW010", "自動点滅器", J, K, "屋外用 3A", _switch_with("A(3A)")),
    Block("SW011", "熱線式自動スイッチ", J, K, "人感センサ 傍記 RAS", sw_sensor),

    Block("PB001", "電灯分電盤", J, K, "壁掛 基点は壁面", pb_lighting),
    Block("PB002", "動力制御盤", J, K, "壁掛 基点は壁面", pb_power),
    Block("PB003", "配電盤", J, K, "自立形", pb_switchboard),
    Block("PB004", "分電盤（非常用）", N, K, "耐火形 壁掛", pb_emergency, quoted=True),
    Block("PB005", "開閉器", J, K, "箱入 傍記 S", _small_box("S")),
    Block("PB006", "電力量計", J, N, "箱入 傍記 Wh", _small_box("Wh"), scales="B"),
    Block("PB007", "配線用遮断器", J, K, "箱入 傍記 B", _small_box("B")),
    Block("PB008", "漏電遮断器", J, K, "箱入 傍記 E", _small_box("E")),

    Block("TL001", "電話用アウトレット", J, K, "壁付", tl_phone),
    Block("TL002", "情報用アウトレット", J, K, "LAN Cat6", tl_lan),
    Block("TL003", "テレビ用アウトレット", J, K, "直列ユニット", tl_tv),
    Block("TL004", "スピーカ（天井埋込）", J, K, "非常放送兼用", tl_speaker_ceiling),
    Block("TL005", "スピーカ（壁掛）", J, N, "傍記 W", tl_speaker_wall),
    Block("TL006", "インターホン（親機）", J, K, "傍記 親", tl_interphone_master),
    Block("TL007", "インターホン（子機）", J, K, "傍記 子", tl_interphone_slave),
    Block("TL008", "ベル", J, K, "呼出用", tl_bell),
    Block("TL009", "ブザー", J, K, "呼出用", tl_buzzer),
    Block("TL010", "チャイム", J, N, "", tl_chime),
    Block("TL011", "端子盤", J, K, "電話用 壁掛", tl_terminal, quoted=True),
    Block("TL012", "押しボタン", J, K, "壁付", tl_push_button),
    Block("TL013", "子時計", J, N, "壁掛", tl_clock),

    Block("FA001", "差動式スポット型感知器", J, K, "2種 基点は底辺の中央", fa_rate_of_rise),
    Block("FA002", "定温式スポット型感知器", J, K, "特種 防水型", fa_fixed_temp),
    Block("FA003", "煙感知器（光電式スポット型）", J, K, "2種 傍記 S", fa_smoke),
    Block("FA004", "熱煙複合式スポット型感知器", N, K, "", fa_combined),
    Block("FA005", "P型発信機", J, K, "1級", _circle_letter("P")),
    Block("FA006", "表示灯", J, K, "赤色 AC24V", fa_lamp),
    Block("FA007", "地区音響装置（ベル）", J, K, "150φ", _circle_letter("B"), quoted=True),
    Block("FA008", "機器収容箱", N, K, "発信機・ベル・表示灯", fa_cabinet, scales="B"),
    Block("FA009", "受信機", J, K, "P型1級 10回線", fa_panel),
    Block("FA010", "スプリンクラーヘッド（下向）", N, K, "閉鎖型 72℃", fa_sprinkler_down),
    Block("FA011", "スプリンクラーヘッド（上向）", N, K, "閉鎖型 72℃", fa_sprinkler_up),
    Block("FA012", "屋内消火栓箱", J, K, "1号消火栓 壁付", fa_hydrant),

    Block("PL001", "仕切弁", N, K, "青銅 10K", pl_gate),
    Block("PL002", "玉形弁", N, K, "青銅 10K", pl_globe),
    Block("PL003", "逆止弁", N, K, "スイング式 矢印は流れ方向", pl_check),
    Block("PL004", "ボール弁", N, K, "", pl_ball),
    Block("PL005", "バタフライ弁", N, K, "ウェハー形", pl_butterfly),
    Block("PL006", "減圧弁", N, K, "傍記 PRV", pl_reducing, quoted=True),
    Block("PL007", "給水栓", N, K, "横水栓", pl_faucet),
    Block("PL008", "床排水金物", N, K, "トラップ付", pl_floor_drain),
    Block("PL009", "掃除口", N, K, "床上掃除口", pl_cleanout),
    Block("PL010", "量水器", N, K, "φ20", pl_meter),
    Block("PL011", "ストレーナ", N, K, "Y形", pl_strainer),

    Block("AC001", "換気扇（天井埋込）", J, K, "天井扇", ac_fan_ceiling),
    Block("AC002", "換気扇（壁付）", J, K, "パイプファン", ac_fan_wall),
    Block("AC003", "防火ダンパー", N, K, "温度ヒューズ 72℃", _damper("FD")),
    Block("AC004", "防火防煙ダンパー", N, K, "煙感知器連動", _damper("SFD"), quoted=True),
    Block("AC005", "風量調節ダンパー", N, K, "手動", _damper("VD")),
    Block("AC006", "吹出口（アネモ形）", N, K, "C2 #25", ac_anemostat),
    Block("AC007", "吸込口（グリル）", N, K, "傍記 RA", ac_grille),
    Block("AC008", "天井カセット形室内機", N, N, "4方向吹出", ac_cassette),
    Block("AC009", "壁掛形室内機", N, N, "基点は壁面", ac_wall_unit),
    Block("AC010", "屋外機", N, N, "空冷 ヒートポンプ", ac_outdoor, scales="B"),
    Block("AC011", "リモコン", N, N, "空調用 壁付", ac_remote),
    Block("AC012", "ファンコイルユニット", N, K, "床置形", ac_fan_coil),
]

# Target CAD programs: display name and the ProgID of their automation object. A plain
# ProgID stands before its versioned variants, so that the first line that names a ProgID
# is the plain entry. "AutoCAD LT" in the ProgID position is no ProgID: it marks the
# program reached through its command window.
TARGETS = [
    ("AutoCAD", "AutoCAD.Application"),
    ("AutoCAD 2025", "AutoCAD.Application.25"),
    ("AutoCAD 2024", "AutoCAD.Application.24.3"),
    ("AutoCAD LT", "AutoCAD LT"),
    ("BricsCAD", "BricscadApp.AcadApplication"),
    ("BricsCAD V24", "BricscadApp.AcadApplication.24.0"),
    ("IJCAD", "GCAD.Application"),
    ("GstarCAD 2024", "GCAD.Application.24"),
    ("ZWCAD", "ZWCAD.Application"),
    ("ZWCAD 2024", "ZWCAD.Application.2024"),
]
