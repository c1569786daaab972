#!/usr/bin/python3
"""Draws the program's pictures as SVG: one 48 x 48 toolbar icon per command (icons/<id>.svg),
the program icon (icons/dalmora.svg) and the opening picture (bitmaps/IDB_OPNING.svg).

All icons share one look: a rounded square in the colour of the command's kind (file, edit,
input, view, help, set-up) with a white line drawing or a white kanji. Kanji and Latin letters
are taken from the IPAex Gothic font and written as outlines, so the pictures do not depend on
the fonts of the machine that shows them.

Needs python3 with fontTools (Debian: python3-fonttools) and fonts-ipaexfont-gothic.
Run from anywhere: ./make-icons.py
"""

import os

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = TTFont("/usr/share/fonts/opentype/ipaexfont-gothic/ipaexg.ttf")
GLYPHS = FONT.getGlyphSet()
CMAP = FONT.getBestCmap()
UPM = FONT["head"].unitsPerEm

# Kinds of commands: top and bottom colour of the background.
FILE = ("#5b9be0", "#1d5ba3")
EDIT = ("#62b872", "#2b7a3b")
INPUT = ("#f2a750", "#c2641b")
VIEW = ("#a07bcf", "#5c3b8c")
PERIOD = ("#e4819f", "#a63d5d")
HELP = ("#4dbcbc", "#1d7b7b")
SETUP = ("#8a9aad", "#4a5869")



def line(width=3):
    """Attributes of a white line of width pixels."""
    return f'fill="none" stroke="#ffffff" stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"'


LINE = line()
FILL = 'fill="#ffffff"'


def glyph_outline(text, size):
    """The outline of text at a font size of size pixels, with its ink box."""
    commands = []
    x = 0.0
    bounds = None
    scale = size / UPM
    for ch in text:
        name = CMAP[ord(ch)]
        glyph = GLYPHS[name]
        pen = SVGPathPen(GLYPHS)
        glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, x, 0)))
        commands.append(pen.getCommands())
        bp = BoundsPen(GLYPHS)
        glyph.draw(bp)
        if bp.bounds:
            x0, y0, x1, y1 = bp.bounds
            b = (x + x0 * scale, -y1 * scale, x + x1 * scale, -y0 * scale)
            bounds = b if bounds is None else (min(bounds[0], b[0]), min(bounds[1], b[1]),
                                               max(bounds[2], b[2]), max(bounds[3], b[3]))
        x += glyph.width * scale
    return " ".join(commands), bounds


def text_centered(text, size, cx, cy, fill="#ffffff", extra=""):
    """text as a filled path whose ink is centred on (cx, cy)."""
    path, (x0, y0, x1, y1) = glyph_outline(text, size)
    dx = cx - (x0 + x1) / 2
    dy = cy - (y0 + y1) / 2
    return f'<path transform="translate({dx:.2f} {dy:.2f})" fill="{fill}" {extra} d="{path}"/>'


def icon(colours, body):
    top, bottom = colours
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
    <linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{top}"/>
      <stop offset="1" stop-color="{bottom}"/>
    </linearGradient>
  </defs>
  <rect x="2.5" y="2.5" width="43" height="43" rx="9" fill="url(#bg)" stroke="{bottom}" stroke-width="1"/>
  <rect x="4" y="4" width="40" height="20" rx="8" fill="#ffffff" opacity="0.12"/>
  {body}
</svg>
'''


def kanji(ch, badge=""):
    return text_centered(ch, 30, 24, 24.5) + badge


# Line drawings, each in the 48 x 48 box.
def person(cx=24, cy=24, s=1.0):
    return (f'<circle cx="{cx}" cy="{cy - 7 * s}" r="{5.5 * s}" {FILL}/>'
            f'<path {FILL} d="M{cx - 11 * s} {cy + 12 * s} q0 -12 {11 * s} -12 q{11 * s} 0 {11 * s} {12 * s} z"/>')


def plus_badge(x=35, y=35):
    return (f'<circle cx="{x}" cy="{y}" r="7" fill="#ffffff"/>'
            f'<path stroke="#2b7a3b" stroke-width="2.5" stroke-linecap="round" d="M{x - 3.5} {y} h7 M{x} {y - 3.5} v7"/>')


def cross_badge(x=35, y=35):
    return (f'<circle cx="{x}" cy="{y}" r="7" fill="#ffffff"/>'
            f'<path stroke="#c0392b" stroke-width="2.5" stroke-linecap="round" '
            f'd="M{x - 3} {y - 3} l6 6 M{x + 3} {y - 3} l-6 6"/>')


def floppy(x=12, y=11, s=24):
    k = s / 24
    return (f'<path {LINE} d="M{x} {y} h{19 * k} l{5 * k} {5 * k} v{19 * k} h{-24 * k} z"/>'
            f'<rect x="{x + 5 * k}" y="{y}" width="{12 * k}" height="{7 * k}" {FILL}/>'
            f'<rect x="{x + 4 * k}" y="{y + 13 * k}" width="{16 * k}" height="{9 * k}" rx="1" {FILL}/>')


def floppy_badge():
    return ('<rect x="28" y="28" width="15" height="15" rx="3" fill="#ffffff"/>'
            '<path fill="none" stroke="#1d5ba3" stroke-width="1.6" stroke-linejoin="round" '
            'd="M31 31 h7 l2 2 v7 h-9 z M33 31 v3 h4 v-3"/>')


def folder():
    return (f'<path {LINE} d="M9 15 h10 l3 3 h15 v5"/>'
            f'<path {LINE} d="M9 15 v20 h27 l5 -12 h-27 l-5 12"/>')


def trash():
    return (f'<path {LINE} d="M13 15 h22 M20 15 v-3 h8 v3 M15 15 l2 21 h14 l2 -21 M21 20 v12 M27 20 v12"/>')


def printer():
    return (f'<path {LINE} d="M16 18 v-7 h16 v7"/>'
            f'<rect x="10" y="18" width="28" height="13" rx="3" {FILL}/>'
            f'<path {LINE} d="M16 27 v10 h16 v-10 z M19 31 h10 M19 34 h7"/>'
            '<circle cx="34" cy="22" r="1.6" fill="#1d5ba3"/>')


def scissors():
    return (f'<circle cx="16" cy="32" r="5" {LINE}/><circle cx="32" cy="32" r="5" {LINE}/>'
            f'<path {LINE} d="M19.5 28.5 L33 10 M28.5 28.5 L15 10"/>')


def page(x, y, w=16, h=20, lines=True):
    d = f"M{x} {y} h{w - 5} l5 5 v{h - 5} h{-w} z"
    out = f'<path {LINE} d="{d}"/>'
    if lines:
        out += f'<path {line(2)} d="M{x + 4} {y + 9} h{w - 8} M{x + 4} {y + 13} h{w - 8}"/>'
    return out


def copy_pages():
    return (f'<path {LINE} d="M13 31 v-20 h13"/>' + page(19, 16, 17, 22))


def copy_stack():
    return (f'<path {LINE} d="M10 29 v-19 h12 M14 33 v-19 h12"/>' + page(19, 18, 17, 21))


def clipboard(stack=False):
    out = (f'<path {LINE} d="M17 12 h-5 v27 h24 v-27 h-5"/>'
           f'<rect x="18" y="9" width="12" height="6" rx="2" {FILL}/>')
    if stack:
        out += f'<path {line(2.4)} d="M17 22 h14 M17 27 h14 M17 32 h14"/>'
    else:
        out += f'<path {line(2.4)} d="M17 24 h14 M17 30 h9"/>'
    return out


def undo(mirror=False):
    body = f'<path {LINE} d="M14 18 h14 a8 8 0 0 1 0 16 h-9"/><path {FILL} d="M8 18 l9 -7 v14 z"/>'
    return f'<g transform="translate(48 0) scale(-1 1)">{body}</g>' if mirror else body


def pencil():
    return (f'<path {LINE} d="M13 35 l2 -8 l16 -16 l6 6 l-16 16 z M28 14 l6 6"/>'
            f'<path {FILL} d="M13 35 l2 -8 l6 6 z"/>')


def add_row():
    return page(11, 10, 20, 26) + plus_badge(34, 34)


def gear():
    teeth = "".join(
        f'<rect x="21.5" y="7" width="5" height="8" rx="1" {FILL} transform="rotate({a} 24 24)"/>'
        for a in range(0, 360, 45))
    return teeth + f'<circle cx="24" cy="24" r="10" {FILL}/><circle cx="24" cy="24" r="4" fill="#4a5869"/>'


def database():
    return (f'<ellipse cx="24" cy="13" rx="12" ry="4.5" {LINE}/>'
            f'<path {LINE} d="M12 13 v22 a12 4.5 0 0 0 24 0 v-22 M12 21 a12 4.5 0 0 0 24 0 M12 28 a12 4.5 0 0 0 24 0"/>')


def calculator():
    keys = "".join(f'<rect x="{15 + 6.5 * (i % 3)}" y="{22 + 5.5 * (i // 3)}" width="4.5" height="3.5" rx="0.8" '
                   f'fill="#4a5869"/>' for i in range(9))
    return (f'<rect x="12" y="8" width="24" height="33" rx="3" {FILL}/>'
            '<rect x="15" y="11" width="18" height="7" rx="1" fill="#4a5869"/>' + keys)


def question():
    return text_centered("?", 32, 24, 24)


def table():
    return (f'<rect x="10" y="11" width="28" height="26" rx="2" {LINE}/>'
            f'<path {line(2)} d="M10 19 h28 M10 25 h28 M10 31 h28 M20 11 v26"/>')


def bar_chart():
    return (f'<path {LINE} d="M10 10 v28 h28"/>'
            f'<rect x="14" y="24" width="5" height="11" {FILL}/><rect x="22" y="16" width="5" height="19" {FILL}/>'
            f'<rect x="30" y="20" width="5" height="15" {FILL}/>')


def line_chart():
    return (f'<path {LINE} d="M10 10 v28 h28"/><path {LINE} d="M13 31 l7 -8 l6 4 l9 -13"/>'
            f'<circle cx="20" cy="23" r="2.3" {FILL}/><circle cx="26" cy="27" r="2.3" {FILL}/>'
            f'<circle cx="35" cy="14" r="2.3" {FILL}/>')


def speech():
    return (f'<path {LINE} d="M10 12 h28 v18 h-16 l-7 7 v-7 h-5 z"/>'
            f'<path {line(2.2)} d="M15 19 h18 M15 24 h12"/>')


def checklist():
    rows = ""
    for i, y in enumerate((13, 23, 33)):
        rows += f'<path {line(2.4)} d="M10 {y} l2.5 2.5 l4.5 -5 M21 {y} h16"/>' if i != 1 else \
            f'<rect x="10" y="{y - 3}" width="6" height="6" rx="1" {line(2)}/>' \
            f'<path {line(2.4)} d="M21 {y} h16"/>'
    return rows


def memo():
    return (f'<path {LINE} d="M12 9 h24 v22 l-8 8 h-16 z M28 39 v-8 h8"/>'
            f'<path {line(2.2)} d="M17 17 h14 M17 23 h14 M17 29 h7"/>')


def target():
    return (f'<circle cx="24" cy="24" r="14" {LINE}/><circle cx="24" cy="24" r="8" {LINE}/>'
            f'<circle cx="24" cy="24" r="3" {FILL}/>')


def bowl(cx=24, cy=24, s=1.0, fill="#ffffff", rice="#ffffff"):
    return (f'<path fill="{fill}" d="M{cx - 15 * s} {cy - 1 * s} h{30 * s} a{15 * s} {13 * s} 0 0 1 {-30 * s} 0 z"/>'
            f'<path fill="{rice}" d="M{cx - 13 * s} {cy - 2 * s} a{13 * s} {7 * s} 0 0 1 {26 * s} 0 z"/>'
            f'<rect x="{cx - 6 * s}" y="{cy + 11 * s}" width="{12 * s}" height="{3 * s}" rx="{1 * s}" fill="{fill}"/>')


ICONS = {
    # User screen.
    57600: (FILE, person(22, 23) + plus_badge()),
    57601: (FILE, folder()),
    57603: (FILE, floppy()),
    32774: (FILE, person(22, 23) + cross_badge()),
    32838: (FILE, printer()),
    32885: (SETUP, database()),
    32819: (SETUP, gear()),
    57670: (HELP, question()),
    # Menu screen.
    32867: (FILE, folder()),
    32783: (FILE, kanji("料") + floppy_badge()),
    32839: (FILE, printer()),
    32785: (EDIT, scissors()),
    32786: (EDIT, copy_pages()),
    32787: (EDIT, clipboard()),
    32788: (EDIT, undo()),
    32878: (EDIT, undo(mirror=True)),
    32779: (INPUT, kanji("食")),
    32780: (INPUT, kanji("料")),
    32781: (INPUT, kanji("名")),
    32784: (EDIT, pencil()),
    32789: (EDIT, trash()),
    32845: (INPUT, kanji("量")),
    32846: (INPUT, memo()),
    32880: (SETUP, calculator()),
    # Exercise screen.
    32868: (FILE, folder()),
    32840: (FILE, printer()),
    32843: (EDIT, copy_stack()),
    32876: (EDIT, clipboard(stack=True)),
    32797: (INPUT, add_row()),
    32798: (EDIT, pencil()),
    32799: (EDIT, trash()),
    32883: (INPUT, kanji("基")),
    # Weight screen.
    32841: (FILE, printer()),
    32844: (EDIT, copy_stack()),
    32795: (INPUT, add_row()),
    32794: (EDIT, pencil()),
    32796: (EDIT, trash()),
    32848: (INPUT, target()),
    # Analysis screen.
    32812: (FILE, floppy()),
    32815: (FILE, printer()),
    32814: (EDIT, copy_pages()),
    32809: (VIEW, table()),
    32810: (VIEW, bar_chart()),
    32851: (VIEW, kanji("交")),
    32850: (VIEW, kanji("群")),
    32811: (VIEW, line_chart()),
    32805: (PERIOD, kanji("日")),
    32806: (PERIOD, kanji("月")),
    32807: (PERIOD, kanji("年")),
    32808: (PERIOD, kanji("選")),
    32877: (INPUT, speech()),
    40004: (VIEW, checklist()),
}


def opening_picture():
    title = text_centered("Dalmora", 64, 225, 300, fill="#2b6e3a")
    subtitle = text_centered("栄養価計算", 30, 225, 350, fill="#4a5869")
    note = text_centered("家族の食事・運動・体重を記録して分析します", 16, 225, 405, fill="#6a7685")
    steam = "".join(f'<path fill="none" stroke="#b9c6d3" stroke-width="6" stroke-linecap="round" '
                    f'd="M{x} 112 q-12 -16 0 -32 q12 -16 0 -32"/>' for x in (190, 225, 260))
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="450" height="450" viewBox="0 0 450 450">
  <defs>
    <linearGradient id="paper" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#fffdf6"/>
      <stop offset="1" stop-color="#f3efe2"/>
    </linearGradient>
    <linearGradient id="bowl" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#d9534f"/>
      <stop offset="1" stop-color="#8e2b28"/>
    </linearGradient>
  </defs>
  <rect width="450" height="450" fill="url(#paper)"/>
  {steam}
  <g transform="translate(225 170) scale(4.2) translate(-24 -24)">
    {bowl(fill="url(#bowl)", rice="#ffffff")}
  </g>
  <path stroke="#6b4a2b" stroke-width="7" stroke-linecap="round" d="M300 96 L372 182 M318 90 L382 176"/>
  <circle cx="98" cy="214" r="24" fill="#e2502f"/>
  <path fill="#3d9a4a" d="M98 190 q-16 -10 -22 -2 q10 8 22 2 q10 -12 22 -6 q-8 10 -22 6 z"/>
  <ellipse cx="356" cy="226" rx="28" ry="17" fill="#f2c14e"/>
  <ellipse cx="346" cy="222" rx="6" ry="3" fill="#fff3c4"/>
  {title}
  {subtitle}
  <rect x="105" y="380" width="240" height="2" fill="#d6cfb8"/>
  {note}
</svg>
'''


def program_icon():
    return icon(EDIT, bowl(24, 25, 0.95) +
                '<path stroke="#ffffff" stroke-width="2.5" stroke-linecap="round" d="M30 6 L38 19 M34 5 L41 17"/>')


def write(path, text):
    with open(os.path.join(HERE, path), "w", encoding="utf-8") as f:
        f.write(text)


def main():
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "bitmaps"), exist_ok=True)
    for command, (colours, body) in ICONS.items():
        write(f"icons/{command}.svg", icon(colours, body))
    write("icons/dalmora.svg", program_icon())
    write("bitmaps/IDB_OPNING.svg", opening_picture())


if __name__ == "__main__":
    main()
