#!/usr/bin/env python3
"""Writes the shipped A4 layouts data/Dat/Fmt/見積書_A4.fmt and 注文書_A4.fmt.

The layouts are plain format files and may be edited by hand; this script is
the easier way to move boxes around consistently. Units are tenths of a
millimetre from the sheet's top left corner. Output is Shift-JIS with CR LF.

Drawing order: the static frame (boxes, shading, labels) comes first in one
[Script] section that ends by selecting the document font again; the slip
values follow; the last section prints with the document font, so every copy
starts with the renderer and the generator agreeing on the current font.
"""
import os
import sys

GOTHIC = "ＭＳ ゴシック"
MINCHO = "ＭＳ 明朝"
DOC_FONT = (GOTHIC, 28, 0, 0)          # face, cell height, style, colour
SHADE = 0xEEEEEE                       # label cells
DARK = 0x7F4F1F                        # headings: deep blue (0x00BBGGRR)
LEFT, RIGHT = 100, 2000


class Layout:
    def __init__(self, kind, name):
        self.kind, self.name = kind, name
        self.script = []
        self.items = []

    # -- static frame -------------------------------------------------
    def cmd(self, *fields):
        self.script.append(",".join(str(f) for f in fields))

    def font(self, face=GOTHIC, size=28, style=0, colour=0):
        self.cmd("font", face, size, style, colour)

    def pen(self, width=2, style=0, colour=0):
        self.cmd("pen", width, style, colour)

    def shade(self, x1, y1, x2, y2, colour=SHADE):
        self.cmd("brush", 0, colour)
        self.cmd("fill", x1, y1, x2, y2)

    def box(self, x1, y1, x2, y2):
        self.cmd("lbox", x1, y1, x2, y2)

    def hline(self, x1, x2, y):
        self.cmd("line", x1, y, x2, y)

    def vline(self, x, y1, y2):
        self.cmd("line", x, y1, x, y2)

    def label(self, text, x, y, align=0):
        self.cmd({0: "text", 1: "rtext", 2: "ctext"}[align], text, x, y)

    def heading(self, text, x1, y1, x2, height=44):
        """A dark band with a white caption, the top of a table."""
        self.shade(x1, y1, x2, y1 + height, DARK)
        self.font(GOTHIC, 28, 1, 0xFFFFFF)
        self.label(text, x1 + 15, y1 + 8)
        self.font()

    # -- slip values --------------------------------------------------
    def item(self, section, key, kind, x, y, align=0, digit=None, date=None,
             font=None, zero=0, alias=None):
        # A value printed twice needs a second section name: a third name part
        # is ignored when the value is looked up but keeps the sections apart.
        name = f"{section},{key}" + (f",{alias}" if alias else "")
        lines = [f"[{name}]", f"Type={kind}", f"Left={x}", f"Top={y}"]
        if align:
            lines.append(f"Align={align}")
        if digit:
            lines.append(f"Digit={digit}")
        if date:
            lines.append(f"DateFormat={date}")
        if zero:
            lines.append("ZeroDisp=1")
        if font:
            face, size, style, colour = font
            lines += [f"FontName={face}", f"FontSize={size}",
                      f"FontStyle={style}", f"FontColor={colour}"]
        self.items.append(lines)

    def rows(self, section, prefix, top, height, name_x, amount_x):
        self.items.append([f"[{section},{prefix}]", "Type=LINE", "Column=2",
                           f"LineHeight={height}",
                           "Type1=STRING", f"Left1={name_x}", f"Top1={top}",
                           "Type2=CURRENCY", f"Left2={amount_x}", f"Top2={top}",
                           "Align2=1", "Digit2=%.0n"])

    def raw(self, lines):
        self.items.append(lines)

    def write(self, path):
        out = ["; " + self.name + " A4 縦。単位は 0.1mm、用紙の左上が原点です。",
               "[Global]", f"FormatType={self.kind}", f"FormatName={self.name}",
               f"FontName={DOC_FONT[0]}", f"FontSize={DOC_FONT[1]}",
               f"FontStyle={DOC_FONT[2]}", f"FontColor={DOC_FONT[3]}",
               "BrushStyle=0", "BrushColor=16777215", "", "[Script]"]
        # The frame starts and ends in the document font.
        self.script.insert(0, ",".join(str(f) for f in ("font",) + DOC_FONT))
        self.font(*DOC_FONT)
        out += [f"{i + 1}={line}" for i, line in enumerate(self.script)]
        for lines in self.items:
            out.append("")
            out += lines
        data = ("\r\n".join(out) + "\r\n").encode("cp932")
        with open(path, "wb") as f:
            f.write(data)


def amount(lay, section, key, x, y, zero=0):
    lay.item(section, key, "CURRENCY", x, y, align=1, digit="%.0n", zero=zero)


def table(lay, x1, x2, top, rows, height, label_w):
    """Ruled rows with a shaded label column; returns the y of each row."""
    ys = [top + i * height for i in range(rows)]
    lay.shade(x1, top, x1 + label_w, top + rows * height)
    lay.pen(1)
    for y in ys[1:]:
        lay.hline(x1, x2, y)
    lay.vline(x1 + label_w, top, top + rows * height)
    lay.pen(4)
    lay.box(x1, top, x2, top + rows * height)
    lay.pen(1)
    return ys


def list_box(lay, title, x1, x2, top, rows, section, prefix):
    """A headed box of ruled rows printing a LINE list: name and amount."""
    lay.heading(title, x1, top, x2)
    lay.pen(1)
    for i in range(1, rows):
        lay.hline(x1, x2, top + 44 + i * 40)
    lay.vline(x2 - 260, top + 44, top + 44 + rows * 40)
    lay.pen(4)
    lay.box(x1, top, x2, top + 44 + rows * 40)
    lay.pen(1)
    lay.rows(section, prefix, top + 44 + 7, 40, x1 + 15, x2 - 15)


def build(kind, name, greeting, amount_caption):
    lay = Layout(kind, name)
    era_day = "GGEE年MM月DD日"
    era_month = "GGEE年MM月"

    # Title with a double rule below it.
    lay.raw(["[SLIPTITLE]", "Left=1050", "Top=110", "Align=2",
             f"FontName={MINCHO}", "FontSize=80", "FontStyle=1", "FontColor=0"])
    lay.pen(4)
    lay.hline(700, 1400, 210)
    lay.pen(1)
    lay.hline(700, 1400, 220)

    # Slip number and date, top right.
    lay.label("No.", 1560, 120)
    lay.hline(1560, RIGHT, 160)
    lay.label("発行日", 1560, 175)
    lay.hline(1560, RIGHT, 215)
    lay.item("No", "SlipCode", "STRING", RIGHT, 120, align=1)
    lay.item("No", "SlipDate", "DATE", RIGHT, 175, align=1, date=era_day)

    # Customer.
    lay.pen(3)
    lay.hline(LEFT, 1050, 340)
    lay.pen(1)
    lay.item("Cust", "Name", "STRING", LEFT + 10, 275, font=(MINCHO, 50, 0, 0))
    lay.item("Cust", "Title", "STRING", 1040, 285, align=1, font=(MINCHO, 40, 0, 0))
    lay.label("〒", LEFT + 10, 360)
    lay.item("Cust", "Zip1", "STRING", LEFT + 50, 360)
    lay.item("Cust", "Zip2", "STRING", LEFT + 108, 360)
    lay.label("-", LEFT + 92, 360)
    lay.item("Cust", "City_Add1", "STRING", LEFT + 10, 400)
    lay.item("Cust", "Add2", "STRING", LEFT + 10, 440)
    lay.label("TEL", LEFT + 10, 480)
    lay.item("Cust", "Tel", "STRING", LEFT + 80, 480)
    lay.label(greeting, LEFT + 10, 535)

    # Total to pay, in a framed box.
    lay.shade(LEFT, 590, 420, 690)
    lay.pen(5)
    lay.box(LEFT, 590, 1050, 690)
    lay.pen(1)
    lay.vline(420, 590, 690)
    lay.item("Print", "PriceTitle", "STRING", 260, 622, align=2, font=(GOTHIC, 36, 1, 0))
    lay.item("Price", "Last", "CURRENCY", 1030, 607, align=1, digit="￥%.0n－",
             font=(GOTHIC, 60, 1, 0), zero=1)
    lay.label("(消費税込み)", 440, 655)

    # Company block and the member of staff.
    lay.raw(["[LogoImage]", "Left=1250", "Top=260", "Width=750", "Height=312"])
    lay.pen(1)
    lay.box(1560, 600, RIGHT, 690)
    lay.shade(1560, 600, 1680, 690)
    lay.box(1560, 600, RIGHT, 690)
    lay.vline(1680, 600, 690)
    lay.label("担当", 1590, 630)
    lay.item("No", "Charge", "STRING", 1700, 630)

    # Vehicle sold.
    top = 720
    lay.heading("販売車両", LEFT, top, RIGHT)
    ys = table(lay, LEFT, RIGHT, top + 44, 6, 48, 200)
    lay.shade(1050, top + 44, 1250, top + 44 + 5 * 48)
    lay.vline(1050, top + 44, top + 44 + 5 * 48)
    lay.vline(1250, top + 44, top + 44 + 5 * 48)
    labels = [("車名", "グレード"), ("型式", "排気量"), ("外装色", "内装色"),
              ("初度登録", "車検満了"), ("走行距離", "装備"), ("備考", None)]
    for (a, b), y in zip(labels, ys):
        lay.label(a, LEFT + 100, y + 10, align=2)
        if b:
            lay.label(b, 1150, y + 10, align=2)
    v1, v2 = LEFT + 215, 1265
    lay.item("Car", "Name", "STRING", v1, ys[0] + 10)
    lay.item("Car", "Grade", "STRING", v2, ys[0] + 10)
    lay.item("Car", "TypeCode", "STRING", v1, ys[1] + 10)
    lay.item("Car", "ESize", "CURRENCY", v2, ys[1] + 10, digit="%.0ncc")
    lay.item("Car", "Outer", "STRING", v1, ys[2] + 10)
    lay.item("Car", "Inner", "STRING", v2, ys[2] + 10)
    lay.item("Print", "CarFirst", "DATE", v1, ys[3] + 10, date=era_month)
    lay.item("Print", "CarCheck", "DATE", v2, ys[3] + 10, date=era_day)
    lay.item("Car", "Kiro", "CURRENCY", v1, ys[4] + 10, digit="%.0nkm")
    lay.item("Car", "Accessory", "STRING", v2, ys[4] + 10)
    lay.item("Car", "Memo1", "STRING", v1, ys[5] + 10)
    lay.item("Car", "Memo2", "STRING", v2 - 200, ys[5] + 10)

    # Accessories and special equipment, side by side.
    top = 1080
    mid = 1050
    list_box(lay, "① 付属品", LEFT, mid - 20, top, 9, "Car", "LineA")
    list_box(lay, "② 特別仕様", mid + 20, RIGHT, top, 9, "Car", "LineB")

    # Taxes and fees, sales costs, other costs.
    top = 1540
    x1, x2 = LEFT, mid - 20
    lay.heading("③ 税金等諸費用(非課税)", x1, top, x2)
    ys = table(lay, x1, x2, top + 44, 4, 40, 0)
    lay.vline(x2 - 260, top + 44, top + 44 + 4 * 40)
    for (text, key), y in zip((("自動車税(種別割)", "Tax"), ("自動車重量税", "WTax"),
                               ("自賠責保険料", "Ins"), ("自動車取得税", "GTax")), ys):
        lay.label(text, x1 + 15, y + 7)
        amount(lay, "Cost", key, x2 - 15, y + 7)
    list_box(lay, "④ 販売諸費用(課税)", x1, x2, top + 44 + 4 * 40 + 20, 7, "Cost", "LineA")
    list_box(lay, "⑤ その他諸費用(非課税)", mid + 20, RIGHT, top, 9, "Cost", "LineB")

    # Totals.
    top = 2070
    x1, x2 = LEFT, mid - 20
    lay.heading("合計金額", x1, top, x2)
    lay.font(GOTHIC, 24, 0, 0xFFFFFF)
    lay.label("金額", x2 - 310, top + 12, align=2)
    lay.label("消費税", x2 - 100, top + 12, align=2)
    lay.font()
    rows = [("車両本体価格", "Car", None), (None, "Dis", None),
            ("本体課税額", "Obj", "ObjTx"), ("① 付属品価格", "Acc", "AccTx"),
            ("② 特別仕様価格", "Spc", "SpcTx"), ("販売価格合計", "Prc", "PrcTx"),
            ("③ 税金等諸費用", "TxCst", None), ("④ 販売諸費用", "PrCst", "PrCstTx"),
            ("⑤ その他諸費用", "ExCst", None), ("諸費用合計", "Cost", "CostTx"),
            ("車両合計", "CarAmt", "CarAmtTx")]
    ys = table(lay, x1, x2, top + 44, len(rows), 38, 330)
    lay.vline(x2 - 200, top + 44, top + 44 + len(rows) * 38)
    for (text, key, tax), y in zip(rows, ys):
        if text:
            lay.label(text, x1 + 15, y + 6)
        else:
            lay.item("Print", "DisTitle", "STRING", x1 + 15, y + 6)
        amount(lay, "Price", key, x2 - 215, y + 6)
        if tax:
            amount(lay, "Price", tax, x2 - 15, y + 6)
    y = top + 44 + len(rows) * 38 + 14
    ys = table(lay, x1, x2, y, 3, 44, 330)
    lay.label("税込み合計", x1 + 15, ys[0] + 8)
    amount(lay, "Price", "TaxInc", x2 - 15, ys[0] + 8, zero=1)
    lay.label("下取り額", x1 + 15, ys[1] + 8)
    amount(lay, "Trade", "Trade", x2 - 15, ys[1] + 8)
    lay.shade(x1, ys[2], x2, ys[2] + 44, 0xDDDDDD)
    lay.box(x1, ys[2], x2, ys[2] + 44)
    lay.font(GOTHIC, 28, 1, 0)
    lay.label("総お支払い額", x1 + 15, ys[2] + 8)
    lay.font()
    lay.item("Price", "Last", "CURRENCY", x2 - 15, ys[2] + 6, align=1, digit="%.0n",
             font=(GOTHIC, 32, 1, 0), zero=1, alias="総額")
    lay.label("消費税率", x1 + 345, ys[0] + 8)
    lay.item("Tax", "Rate", "CURRENCY", x1 + 560, ys[0] + 8, align=1, digit="%.0f%%")

    # Trade-in vehicle.
    x1, x2 = mid + 20, RIGHT
    lay.heading("下取車", x1, top, x2)
    ys = table(lay, x1, x2, top + 44, 6, 40, 170)
    for text, y in zip(("車名", "型式", "初度登録", "走行距離", "査定額", "残債"), ys):
        lay.label(text, x1 + 85, y + 7, align=2)
    v = x1 + 185
    lay.item("Trade", "Name", "STRING", v, ys[0] + 7)
    lay.item("Trade", "TypeCode", "STRING", v, ys[1] + 7)
    lay.item("Print", "TrCarFirst", "DATE", v, ys[2] + 7, date=era_month)
    lay.item("Trade", "Kiro", "CURRENCY", v, ys[3] + 7, digit="%.0nkm")
    amount(lay, "Trade", "Price", x2 - 15, ys[4] + 7)
    amount(lay, "Trade", "Deb", x2 - 15, ys[5] + 7)

    # Payment plan.
    top = 2400
    lay.heading("お支払い方法", x1, top, x2)
    lay.item("Print", "PayMethod", "STRING", x2 - 15, top + 8, align=1, font=(GOTHIC, 28, 1, 0xFFFFFF))
    plan = [("頭金", "Head"), ("割賦元金", "All"), ("割賦手数料", "Int"),
            ("初回", "First"), ("毎月", "Month"), ("ボーナス月", "Bonus2"),
            ("総支払額", "Total")]
    ys = table(lay, x1, x2, top + 44, len(plan), 34, 300)
    for (text, key), y in zip(plan, ys):
        lay.label(text, x1 + 15, y + 4)
        amount(lay, "Pay", key, x2 - 15, y + 4)
    lay.label("年率", x1 + 320, ys[2] + 4)
    lay.item("Pay", "Rate", "CURRENCY", x1 + 540, ys[2] + 4, align=1, digit="%.2f%%")
    lay.label("回数", x1 + 320, ys[4] + 4)
    lay.item("Pay", "Time", "CURRENCY", x1 + 540, ys[4] + 4, align=1, digit="%.0f回")
    lay.label("加算額", x1 + 320, ys[5] + 4)
    lay.item("Pay", "BPlus", "CURRENCY", x1 + 640, ys[5] + 4, align=1, digit="%.0n")

    # Notes.
    top = 2700
    lay.heading("備考", LEFT, top, RIGHT)
    lay.pen(1)
    for i in range(1, 3):
        lay.hline(LEFT, RIGHT, top + 44 + i * 40)
    lay.pen(4)
    lay.box(LEFT, top, RIGHT, top + 44 + 3 * 40)
    lay.pen(1)
    for i in range(3):
        lay.item("Note", f"Memo{i + 1}", "STRING", LEFT + 15, top + 44 + 7 + i * 40)

    lay.font(GOTHIC, 22, 0, 0x404040)
    lay.label(amount_caption, LEFT, 2885)
    return lay


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "Dat", "Fmt")
    est = build("見積書", "見積書_A4", "下記の通りお見積り申し上げます。",
                "本見積書の有効期限は発行日より30日間です。諸費用は登録時期等により変動することがあります。")
    est.write(os.path.join(root, "見積書_A4.fmt"))
    order = build("注文書", "注文書_A4", "下記の通り注文いたします。",
                  "上記の条件にて注文いたします。登録諸費用は登録時の税率により精算いたします。")
    order.write(os.path.join(root, "注文書_A4.fmt"))


if __name__ == "__main__":
    main()
