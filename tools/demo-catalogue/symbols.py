"""How every demo symbol is drawn.

Symbols follow the plan symbols of electrical and mechanical building-services drawings
(the JIS C 0303 wiring symbols and the public-works standard drawings). Each function draws
in paper millimetres of the 1/100 drawing; the base point (0, 0) is where the symbol is
inserted: its centre, or the wall side for wall-mounted boards and units.
"""
from sketch import disc_segment, TOP_LEFT, MIDDLE_LEFT, MIDDLE_CENTER, BOTTOM_LEFT

R = 1.5     # radius of the common round symbol
T = 1.6     # height of the letters written beside a symbol (傍記)
SW = 0.9    # radius of the switch dot

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
    # Wall bracket: the wall-side half filled (a solid hatch bounded by a bulged outline).
    s.circle(0, 0, R)
    s.line(0, -R, 0, R)
    s.fill([(0, R, 1.0), (0, -R)])


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
    s.disc(0, 0, R)
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
def outlet(s):
    s.circle(0, 0, R)
    s.line(-0.5, -0.8, -0.5, 0.8)
    s.line(0.5, -0.8, 0.5, 0.8)


def outlet_with(label, align="BOTTOM_LEFT", x=R + 0.1, y=R - 0.4):
    def draw(s):
        outlet(s)
        s.text(label, x, y, T, align)
    return draw


# Letters left of the symbol, or in the middle of its right side.
ot_locking = outlet_with("LK", "RIGHT", -R - 0.2, R - 0.4)
ot_earth_terminal = outlet_with("EET", "MIDDLE_LEFT", R + 0.3, 0)


def ot_floor(s):
    s.rect(-2.3, -2.3, 2.3, 2.3)
    outlet(s)
    s.text("2", 2.7, 0, T, "MIDDLE_LEFT")


def ot_waterproof(s):
    outlet(s)
    s.mtext("E\\PWP", R + 0.3, R + 0.6, 1.4, TOP_LEFT)


def ot_200v(s):
    outlet(s)
    s.mtext("\\fMS Gothic|b0;E\\P\\W0.9;250V 20A", R + 0.3, 0, 1.3, MIDDLE_LEFT)


def ot_ceiling(s):
    outlet(s)
    s.line(-R - 0.8, R + 0.4, R + 0.8, R + 0.4)
    s.text("天井", 0, R + 0.8, T, "BOTTOM_CENTER")


# ---------------------------------------------------------------------------------------
# スイッチ: the small filled circle and its letters
# ---------------------------------------------------------------------------------------
def switch_with(label, align="BOTTOM_LEFT"):
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
    # Distribution board: the diagonal, the half below it filled.
    _board(s)
    s.line(-4.0, 0, 4.0, 3.0)
    s.fill([(-4.0, 0), (4.0, 0), (4.0, 3.0)])
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
    s.fill([(-4.0, 0), (4.0, 0), (4.0, 3.0)])
    s.rect(-4.4, 0, 4.4, 3.4, as_lines=True)
    s.text("EL-1", 0, 3.9, T, "BOTTOM_CENTER")
    s.mtext("耐火\\P形", 4.9, 3.4, 1.4, TOP_LEFT)


def small_box(label):
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


def circle_letter(letter):
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
    # The box holds the call point, the bell and the lamp: each one a block of its own
    # symbol, inserted at the size of the box.
    s.rect(-3.6, -1.4, 3.6, 1.4)
    for x, name, draw in ((-2.3, "発信機", _cabinet_device("P")), (0.0, "ベル", _cabinet_device("B")),
                          (2.3, "表示灯", fa_lamp)):
        s.insert(name, draw, x, 0, 0.95 / R)


def _cabinet_device(letter):
    def draw(s):
        s.circle(0, 0, R)
        s.text(letter, 0, 0, 1.2 * R / 0.95, "MIDDLE_CENTER")
    return draw


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
    s.solid([(-1.5, 0.9), (0, 0), (-1.5, -0.9)])
    s.line(-0.6, 1.5, 0.6, 1.5)
    s.arrow_head(1.2, 1.5, 0, 0.6, 0.25, filled=True)


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
    # Two elliptic blades meeting at the hub.
    for sign in (1, -1):
        s.ellipse(sign * r / 2, sign * r * 0.225, (r / 2, r * 0.225), 0.4)


def ac_fan_ceiling(s):
    s.rect(-2.2, -2.2, 2.2, 2.2)
    s.circle(0, 0, 1.7)
    _propeller(s, 1.4)


def ac_fan_wall(s):
    s.circle(0, 0, 1.7)
    _propeller(s, 1.4)
    s.line(-2.3, -2.0, -2.3, 2.0)


def damper(label):
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
