"""The demo catalogue: categories, blocks with their catalogue fields and drawings, and the
list of target CAD programs."""
from dataclasses import dataclass
from typing import Callable

import symbols as sym
from sketch import Sketch


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
    Block("LT001", "一般照明（白熱灯・LED電球）", J, K, "天井直付 傍記なし", sym.lt_lamp),
    Block("LT002", "シーリングライト", J, K, "傍記 CL", sym.lt_ceiling),
    Block("LT003", "ダウンライト", J, K, "天井埋込 傍記 DL", sym.lt_downlight, quoted=True),
    Block("LT004", "ペンダント", J, K, "コード吊・パイプ吊", sym.lt_pendant),
    Block("LT005", "シャンデリヤ", J, N, "傍記 CH", sym.lt_chandelier, scales="B"),
    Block("LT006", "引掛シーリング（角）", J, K, "器具は別途", sym.lt_hook_square),
    Block("LT007", "引掛シーリング（丸）", J, K, "器具は別途", sym.lt_hook_round),
    Block("LT008", "ブラケット", J, K, "壁付 壁側を塗る", sym.lt_bracket),
    Block("LT009", "蛍光灯（直付・1灯）", J, K, "FL40×1 傍記は形式", sym.lt_fl1),
    Block("LT010", "蛍光灯（直付・2灯）", J, K, "FL40×2", sym.lt_fl2),
    Block("LT011", "LEDベースライト（埋込）", N, K, "40形 下面開放", sym.lt_led_base),
    Block("LT012", "LEDスクエアライト（埋込）", N, K, "□600 グリッド天井用", sym.lt_led_square),
    Block("LT013", "非常用照明（LED・直付）", J, K, "電池内蔵形 30分", sym.lt_emergency, scales="B"),
    Block("LT014", "非常用照明（蛍光灯形）", J, K, "FL20×1 電池内蔵形", sym.lt_emergency_fl),
    Block("LT015", "誘導灯（避難口）", J, K, "B級BH形 壁付", sym.lt_exit_sign, quoted=True),
    Block("LT016", "誘導灯（通路）", J, K, "C級 天井直付 矢印は避難方向", sym.lt_aisle_sign),
    Block("LT017", "スポットライト", N, N, "矢印は照射方向", sym.lt_spot),
    Block("LT018", "投光器", J, N, "屋外用 矢印は照射方向", sym.lt_flood),
    Block("LT019", "庭園灯", J, K, "ポール H=1.0m", sym.lt_garden),
    Block("LT020", "ポール灯", N, K, "屋外 H=4.5m", sym.lt_pole),
    Block("LT021", "足元灯", N, N, "壁埋込 傍記 FT", sym.lt_foot),

    Block("OT001", "コンセント（2口）", J, K, "壁付 15A 125V", sym.outlet_with("2")),
    Block("OT002", "コンセント（1口）", J, K, "壁付 口数1は傍記しない", sym.outlet),
    Block("OT003", "コンセント（3口）", J, N, "壁付", sym.outlet_with("3")),
    Block("OT004", "コンセント（接地極付）", J, K, "2口 傍記 E", sym.outlet_with("2E")),
    Block("OT005", "コンセント（接地端子付）", J, K, "傍記 ET", sym.outlet_with("ET")),
    Block("OT006", "コンセント（接地極付接地端子付）", J, K, "傍記 EET", sym.ot_earth_terminal,
          quoted=True),
    Block("OT007", "コンセント（防水形）", J, K, "接地極付 傍記 WP", sym.ot_waterproof),
    Block("OT008", "コンセント（抜け止め形）", J, N, "傍記 LK", sym.ot_locking),
    Block("OT009", "コンセント（200V）", J, K, "接地極付 250V 20A", sym.ot_200v),
    Block("OT010", "床付コンセント", J, K, "フロアコンセント 2口", sym.ot_floor, scales="B"),
    Block("OT011", "天井付コンセント", N, N, "天井面取付", sym.ot_ceiling),

    Block("SW001", "点滅器（片切）", J, K, "15A 傍記なし", sym.switch_with("")),
    Block("SW002", "点滅器（3路）", J, K, "傍記 3", sym.switch_with("3")),
    Block("SW003", "点滅器（4路）", J, K, "傍記 4", sym.switch_with("4")),
    Block("SW004", "点滅器（パイロットランプ付）", J, K, "確認表示灯 傍記 L", sym.switch_with("L")),
    Block("SW005", "点滅器（位置表示灯内蔵）", J, K, "ほたる 傍記 H", sym.switch_with("H")),
    Block("SW006", "点滅器（両切）", J, N, "傍記 2P", sym.switch_with("2P")),
    Block("SW007", "調光器", J, K, "矢印付", sym.sw_dimmer),
    Block("SW008", "リモコンスイッチ", J, K, "傍記 R", sym.switch_with("R"), quoted=True),
    Block("SW009", "タイムスイッチ", J, N, "傍記 TS", sym.switch_with("TS", "MIDDLE_LEFT")),
    Block("SW010", "自動点滅器", J, K, "屋外用 3A", sym.switch_with("A(3A)")),
    Block("SW011", "熱線式自動スイッチ", J, K, "人感センサ 傍記 RAS", sym.sw_sensor),

    Block("PB001", "電灯分電盤", J, K, "壁掛 基点は壁面", sym.pb_lighting),
    Block("PB002", "動力制御盤", J, K, "壁掛 基点は壁面", sym.pb_power),
    Block("PB003", "配電盤", J, K, "自立形", sym.pb_switchboard),
    Block("PB004", "分電盤（非常用）", N, K, "耐火形 壁掛", sym.pb_emergency, quoted=True),
    Block("PB005", "開閉器", J, K, "箱入 傍記 S", sym.small_box("S")),
    Block("PB006", "電力量計", J, N, "箱入 傍記 Wh", sym.small_box("Wh"), scales="B"),
    Block("PB007", "配線用遮断器", J, K, "箱入 傍記 B", sym.small_box("B")),
    Block("PB008", "漏電遮断器", J, K, "箱入 傍記 E", sym.small_box("E")),

    Block("TL001", "電話用アウトレット", J, K, "壁付", sym.tl_phone),
    Block("TL002", "情報用アウトレット", J, K, "LAN Cat6", sym.tl_lan),
    Block("TL003", "テレビ用アウトレット", J, K, "直列ユニット", sym.tl_tv),
    Block("TL004", "スピーカ（天井埋込）", J, K, "非常放送兼用", sym.tl_speaker_ceiling),
    Block("TL005", "スピーカ（壁掛）", J, N, "傍記 W", sym.tl_speaker_wall),
    Block("TL006", "インターホン（親機）", J, K, "傍記 親", sym.tl_interphone_master),
    Block("TL007", "インターホン（子機）", J, K, "傍記 子", sym.tl_interphone_slave),
    Block("TL008", "ベル", J, K, "呼出用", sym.tl_bell),
    Block("TL009", "ブザー", J, K, "呼出用", sym.tl_buzzer),
    Block("TL010", "チャイム", J, N, "", sym.tl_chime),
    Block("TL011", "端子盤", J, K, "電話用 壁掛", sym.tl_terminal, quoted=True),
    Block("TL012", "押しボタン", J, K, "壁付", sym.tl_push_button),
    Block("TL013", "子時計", J, N, "壁掛", sym.tl_clock),

    Block("FA001", "差動式スポット型感知器", J, K, "2種 基点は底辺の中央", sym.fa_rate_of_rise),
    Block("FA002", "定温式スポット型感知器", J, K, "特種 防水型", sym.fa_fixed_temp),
    Block("FA003", "煙感知器（光電式スポット型）", J, K, "2種 傍記 S", sym.fa_smoke),
    Block("FA004", "熱煙複合式スポット型感知器", N, K, "", sym.fa_combined),
    Block("FA005", "P型発信機", J, K, "1級", sym.circle_letter("P")),
    Block("FA006", "表示灯", J, K, "赤色 AC24V", sym.fa_lamp),
    Block("FA007", "地区音響装置（ベル）", J, K, "150φ", sym.circle_letter("B"), quoted=True),
    Block("FA008", "機器収容箱", N, K, "発信機・ベル・表示灯", sym.fa_cabinet, scales="B"),
    Block("FA009", "受信機", J, K, "P型1級 10回線", sym.fa_panel),
    Block("FA010", "スプリンクラーヘッド（下向）", N, K, "閉鎖型 72℃", sym.fa_sprinkler_down),
    Block("FA011", "スプリンクラーヘッド（上向）", N, K, "閉鎖型 72℃", sym.fa_sprinkler_up),
    Block("FA012", "屋内消火栓箱", J, K, "1号消火栓 壁付", sym.fa_hydrant),

    Block("PL001", "仕切弁", N, K, "青銅 10K", sym.pl_gate),
    Block("PL002", "玉形弁", N, K, "青銅 10K", sym.pl_globe),
    Block("PL003", "逆止弁", N, K, "スイング式 矢印は流れ方向", sym.pl_check),
    Block("PL004", "ボール弁", N, K, "", sym.pl_ball),
    Block("PL005", "バタフライ弁", N, K, "ウェハー形", sym.pl_butterfly),
    Block("PL006", "減圧弁", N, K, "傍記 PRV", sym.pl_reducing, quoted=True),
    Block("PL007", "給水栓", N, K, "横水栓", sym.pl_faucet),
    Block("PL008", "床排水金物", N, K, "トラップ付", sym.pl_floor_drain),
    Block("PL009", "掃除口", N, K, "床上掃除口", sym.pl_cleanout),
    Block("PL010", "量水器", N, K, "φ20", sym.pl_meter),
    Block("PL011", "ストレーナ", N, K, "Y形", sym.pl_strainer),

    Block("AC001", "換気扇（天井埋込）", J, K, "天井扇", sym.ac_fan_ceiling),
    Block("AC002", "換気扇（壁付）", J, K, "パイプファン", sym.ac_fan_wall),
    Block("AC003", "防火ダンパー", N, K, "温度ヒューズ 72℃", sym.damper("FD")),
    Block("AC004", "防火防煙ダンパー", N, K, "煙感知器連動", sym.damper("SFD"), quoted=True),
    Block("AC005", "風量調節ダンパー", N, K, "手動", sym.damper("VD")),
    Block("AC006", "吹出口（アネモ形）", N, K, "C2 #25", sym.ac_anemostat),
    Block("AC007", "吸込口（グリル）", N, K, "傍記 RA", sym.ac_grille),
    Block("AC008", "天井カセット形室内機", N, N, "4方向吹出", sym.ac_cassette),
    Block("AC009", "壁掛形室内機", N, N, "基点は壁面", sym.ac_wall_unit),
    Block("AC010", "屋外機", N, N, "空冷 ヒートポンプ", sym.ac_outdoor, scales="B"),
    Block("AC011", "リモコン", N, N, "空調用 壁付", sym.ac_remote),
    Block("AC012", "ファンコイルユニット", N, K, "床置形", sym.ac_fan_coil),
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
    # The same ProgID (Windows does not tell the letter case of ProgIDs apart), written so that
    # the line-by-line LISP load, which looks for "Gcad" in this letter case, is offered.
    ("IJCAD LT", "Gcad.Application"),
    ("GstarCAD 2024", "GCAD.Application.24"),
    ("ZWCAD", "ZWCAD.Application"),
    ("ZWCAD 2024", "ZWCAD.Application.2024"),
]
