#!/usr/bin/python3
"""Draws every picture VENTAKAR shows: the step and component pictures of Data/ and the
window's own design-time pictures (src/qt/resources/). Run with /usr/bin/python3 (python3-pil).

    tools/make_pictures.py            # writes into Data/ and src/qt/resources/
"""
import csv
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "Data")
RES = os.path.join(ROOT, "src", "qt", "resources")

INK = (30, 30, 40)
STEEL = (150, 155, 165)
RUBBER = (45, 45, 50)
WOOD = (205, 160, 100)
SKY = (225, 236, 250)
BLUE = (40, 90, 170)
RED = (200, 40, 40)
GREEN = (20, 150, 40)
YELLOW = (250, 215, 60)
WHITE = (255, 255, 255)


def font(size, bold=False):
    names = ["DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"]
    for folder in ("/usr/share/fonts/truetype/dejavu",):
        for name in names:
            path = os.path.join(folder, name)
            if os.path.exists(path):
                return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def text_centre(d, xy, text, size=9, fill=INK, bold=False):
    f = font(size, bold)
    box = d.textbbox((0, 0), text, font=f)
    d.text((xy[0] - (box[2] - box[0]) / 2, xy[1] - (box[3] - box[1]) / 2 - box[1]), text, font=f, fill=fill)


def canvas(w, h, bg=WHITE, mode="RGB"):
    img = Image.new(mode, (w, h), bg)
    return img, ImageDraw.Draw(img)


def save_jpg(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, "JPEG", quality=90)


def save_gif(img, path, transparent=False):
    """Saves a GIF; white becomes transparent when asked (the sketch draws pictures over others)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    pal = img.convert("RGB").quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    if transparent:
        palette = pal.getpalette()[: 64 * 3]
        white = min(range(len(palette) // 3),
                    key=lambda i: sum(abs(palette[3 * i + k] - 255) for k in range(3)))
        pal.save(path, "GIF", transparency=white)
    else:
        pal.save(path, "GIF")


# --- drawing pieces -------------------------------------------------------------------------

def wheel(d, cx, cy, r, spokes=5):
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=RUBBER)
    ri = r * 0.62
    d.ellipse([cx - ri, cy - ri, cx + ri, cy + ri], fill=STEEL)
    for k in range(spokes):
        a = 2 * math.pi * k / spokes
        d.line([cx, cy, cx + ri * math.cos(a), cy + ri * math.sin(a)], fill=INK, width=max(1, int(r / 12)))
    hub = max(2, r * 0.14)
    d.ellipse([cx - hub, cy - hub, cx + hub, cy + hub], fill=INK)


def propeller_front(d, cx, cy, r, blades=2, ring=False, colour=BLUE):
    """A propeller seen along its axis: blades as long ellipses around the hub."""
    for k in range(blades):
        a = -math.pi / 2 + 2 * math.pi * k / blades
        tip = (cx + r * math.cos(a), cy + r * math.sin(a))
        side = a + math.pi / 2
        w = r * 0.16
        pts = [(cx + w * 0.5 * math.cos(side), cy + w * 0.5 * math.sin(side)),
               (tip[0] + w * math.cos(side), tip[1] + w * math.sin(side)),
               tip,
               (tip[0] - w * 0.4 * math.cos(side), tip[1] - w * 0.4 * math.sin(side)),
               (cx - w * 0.5 * math.cos(side), cy - w * 0.5 * math.sin(side))]
        d.polygon(pts, fill=colour, outline=INK)
    if ring:
        d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=colour, width=max(2, int(r / 25)))
    h = max(3, r * 0.12)
    d.ellipse([cx - h, cy - h, cx + h, cy + h], fill=INK)


def propeller_side(d, x, cy, r, colour=BLUE):
    """A propeller seen from the side: a thin vertical blade across the axis."""
    w = max(2, r * 0.12)
    d.ellipse([x - w, cy - r, x + w, cy + r], fill=colour, outline=INK)
    d.ellipse([x - w * 1.6, cy - w * 1.6, x + w * 1.6, cy + w * 1.6], fill=INK)


def motor(d, x0, cy, length, radius, shaft_to=None):
    d.rounded_rectangle([x0, cy - radius, x0 + length, cy + radius], radius=radius * 0.3, fill=STEEL, outline=INK)
    d.rectangle([x0 + length * 0.15, cy - radius, x0 + length * 0.3, cy + radius], fill=(120, 125, 135))
    if shaft_to is not None:
        d.line([shaft_to, cy, x0, cy] if shaft_to < x0 else [x0 + length, cy, shaft_to, cy], fill=INK, width=2)


def vehicle(d, box, front, rear, front_r, rear_r, prop="front", ground=True, label=None):
    """Side view, front on the left. front/rear: 'above' or 'between' (chassis against wheels)."""
    x0, y0, x1, y1 = box
    ground_y = y1 - 4
    if ground:
        d.line([x0, ground_y, x1, ground_y], fill=(110, 90, 60), width=2)
    fx = x0 + (x1 - x0) * 0.22
    rx = x0 + (x1 - x0) * 0.78
    fcy = ground_y - front_r
    rcy = ground_y - rear_r
    thick = max(3, (y1 - y0) // 22)

    def chassis_y(position, cy, r):
        return cy - r - thick * 1.4 if position == "above" else cy - thick / 2

    fy = chassis_y(front, fcy, front_r)
    ry = chassis_y(rear, rcy, rear_r)
    left, right = fx - front_r * 1.1, rx + rear_r * 1.1
    d.polygon([(left, fy), (right, ry), (right, ry + thick), (left, fy + thick)], fill=WOOD, outline=INK)
    for position, cx, cy, r, top in (("f", fx, fcy, front_r, fy), ("r", rx, rcy, rear_r, ry)):
        wheel(d, cx, cy, r)
        pos = front if position == "f" else rear
        if pos == "above":
            d.line([cx, top + thick, cx, cy], fill=INK, width=max(2, thick // 2))
    if prop:
        end_x = left if prop == "front" else right
        top = fy if prop == "front" else ry
        mr = max(4, thick * 1.2)
        my = top - mr - 2
        if prop == "front":
            motor(d, end_x + 4, my, mr * 3.2, mr)
            d.line([end_x - 4, my, end_x + 4, my], fill=INK, width=2)
            propeller_side(d, end_x - 5, my, mr * 3.2)
        else:
            motor(d, end_x - 4 - mr * 3.2, my, mr * 3.2, mr)
            d.line([end_x - 4, my, end_x + 4, my], fill=INK, width=2)
            propeller_side(d, end_x + 5, my, mr * 3.2)
    if label:
        text_centre(d, ((x0 + x1) / 2, y0 + 8), label, size=10, bold=True)


def framed_icon(title, draw, size=75, bg=SKY):
    img, d = canvas(size, size, bg)
    draw(d, size)
    if title:
        d.rectangle([0, size - 14, size, size], fill=WHITE)
        text_centre(d, (size / 2, size - 7), title, size=9, bold=True)
    d.rectangle([0, 0, size - 1, size - 1], outline=INK)
    return img


# --- catalogue pictures -----------------------------------------------------------------------

def read_catalogue(stem):
    with open(os.path.join(DATA, stem + ".txt"), encoding="cp1252", newline="") as f:
        return [row for row in csv.reader(f, skipinitialspace=True) if row]


def number(text):
    try:
        return float(text.replace(",", "."))
    except ValueError:
        return 0.0


def component_pictures():
    for row in read_catalogue("Helice"):
        name, dia, blades, flag = row[0], number(row[1]), int(number(row[7])), row[8].strip()
        r = 14 + min(dia, 250) / 250 * 16
        img = framed_icon(f"Ø {dia:g} mm", lambda d, s: propeller_front(d, s / 2, 31, r, blades, flag == "o"))
        save_jpg(img, os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Moteur"):
        name, dia = row[0], number(row[1])
        rr = 6 + dia / 32 * 8
        img = framed_icon(f"Ø {dia:g} mm", lambda d, s: motor(d, 14, 31, 40, rr, shaft_to=6))
        save_jpg(img, os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Berceau"):
        name, dia = row[0], number(row[1])

        def cradle(d, s, dia=dia):
            rr = 6 + dia / 32 * 8
            d.rectangle([12, 44, 63, 52], fill=WOOD, outline=INK)
            d.polygon([(20, 44), (24, 31 + rr), (51, 31 + rr), (55, 44)], fill=(230, 230, 235), outline=INK)
            d.arc([37 - rr - 3, 31 - rr - 3, 37 + rr + 3, 31 + rr + 3], 150, 390, fill=INK, width=3)
            d.ellipse([37 - rr, 31 - rr, 37 + rr, 31 + rr], outline=STEEL, width=2)
        save_jpg(framed_icon(f"Ø {dia:g} mm", cradle), os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Energie"):
        name, kind, count = row[0], row[1].strip(), int(number(row[6]))

        def supply(d, s, kind=kind, count=count):
            if count > 0:
                w = 56 / count
                d.rectangle([8, 20, 67, 46], fill=(60, 60, 60), outline=INK)
                for k in range(count):
                    x = 10 + k * w
                    d.rectangle([x + 1, 23, x + w - 2, 43], fill=YELLOW, outline=INK)
                    d.rectangle([x + w / 2 - 3, 21, x + w / 2 + 2, 23], fill=STEEL)
            else:
                d.polygon([(10, 46), (20, 16), (65, 16), (55, 46)], fill=BLUE, outline=INK)
                for k in range(1, 4):
                    d.line([(10 + 10 * k / 4 * 1 + 45 * k / 4, 46), (20 + 45 * k / 4, 16)], fill=SKY)
                d.line([(15, 31), (60, 31)], fill=SKY)
        title = f"{count} piles" if count else kind
        save_jpg(framed_icon(title, supply), os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Interrupteur"):
        name, kind = row[0], row[1].strip()

        def switch(d, s, kind=kind):
            d.rounded_rectangle([16, 26, 59, 46], radius=4, fill=(60, 60, 60), outline=INK)
            if kind.startswith("Gliss"):
                d.rectangle([24, 31, 51, 41], fill=INK)
                d.rectangle([26, 32, 36, 40], fill=WHITE)
            else:
                d.line([(37, 36), (30 if kind == "Levier" else 44, 12)], fill=STEEL, width=5)
                if kind != "Levier":
                    d.line([(37, 36), (30, 12)], fill=STEEL, width=5)
            for x in (22, 37, 52):
                d.line([(x, 46), (x, 54)], fill=(200, 160, 60), width=2)
        save_jpg(framed_icon(kind, switch), os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Roue"):
        name, dia = row[0], number(row[1])
        r = 10 + min(dia, 80) / 80 * 18
        img = framed_icon(f"Ø {dia:g} mm", lambda d, s: wheel(d, s / 2, 31, r, 6 if "cran" in name else 5))
        save_jpg(img, os.path.join(DATA, name + ".jpg"))
    for row in read_catalogue("Train"):
        picture, code = row[5].strip(), row[1].strip()
        img, d = canvas(209, 153)
        mounting_drawing(d, 0, 0, 209, 153, int(number(code)))
        text_centre(d, (104, 10), row[0].strip(), size=11, bold=True)
        save_gif(img, os.path.join(DATA, picture + ".gif"))
        photo = framed_icon(row[0].strip().replace("Support ", ""),
                            lambda d, s, c=int(number(code)): mounting_drawing(d, 2, 2, s - 4, s - 18, c))
        save_jpg(photo, os.path.join(DATA, picture + ".jpg"))


def mounting_drawing(d, x, y, w, h, code):
    """A wheel support under a chassis plate, one shape per mounting code."""
    cx, cy, r = x + w * 0.5, y + h * 0.68, h * 0.24
    plate_y = y + h * 0.22
    d.rectangle([x + w * 0.08, plate_y, x + w * 0.92, plate_y + h * 0.07], fill=WOOD, outline=INK)
    lw = max(2, int(w / 60))
    if code == 1:  # U bent from a strip
        d.line([cx - r * 0.5, plate_y + h * 0.07, cx - r * 0.5, cy], fill=STEEL, width=lw * 2)
        d.line([cx + r * 0.5, plate_y + h * 0.07, cx + r * 0.5, cy], fill=STEEL, width=lw * 2)
    elif code == 2:  # two bearings glued under the plate
        for dx in (-r * 0.45, r * 0.45):
            d.rectangle([cx + dx - r * 0.15, plate_y + h * 0.07, cx + dx + r * 0.15, cy + r * 0.15], fill=(230, 230, 235), outline=INK)
    elif code == 3:  # screwed brackets
        d.polygon([(cx - r * 0.7, plate_y + h * 0.07), (cx - r * 0.3, plate_y + h * 0.07), (cx - r * 0.3, cy + r * 0.2), (cx - r * 0.5, cy + r * 0.2)], fill=STEEL, outline=INK)
        d.ellipse([cx - r * 0.6, plate_y + h * 0.08, cx - r * 0.45, plate_y + h * 0.14], fill=INK)
    else:  # tabs cut from the chassis
        d.polygon([(cx - r * 0.8, plate_y + h * 0.07), (cx + r * 0.8, plate_y + h * 0.07), (cx + r * 0.2, cy), (cx - r * 0.2, cy)], fill=WOOD, outline=INK)
    wheel(d, cx, cy, r)
    d.line([cx - r * 0.9, cy, cx + r * 0.9, cy], fill=INK, width=lw)


# --- sketch pictures of step 14 ---------------------------------------------------------------

def sketch_mounting(code, between):
    """The propeller's end of the vehicle drawn to the sketch's fixed positions (350 x 383 px).
    Image origin is the frame point (1440, 2400) twips; 15 twips a pixel."""
    img, d = canvas(350, 383)
    px = lambda twips_y: (twips_y - 2400) / 15
    wheel_cx, wheel_r = 192, 112  # wheel from y 4800 to 8160 twips, right edge near x 6000
    wheel_cy = px(6480)
    if between:
        axis, base, plate_bottom = px(4320), px(5640), px(5880)
    else:
        axis, base, plate_bottom = px(3000), px(4320), px(4440)
    if between:
        d.rectangle([4, base, 346, plate_bottom], fill=WOOD, outline=INK)
        wheel(d, wheel_cx, wheel_cy, wheel_r, spokes=6)
        d.rectangle([wheel_cx - 10, plate_bottom, wheel_cx + 10, wheel_cy], fill=STEEL, outline=INK)
    else:
        wheel(d, wheel_cx, wheel_cy, wheel_r, spokes=6)
        d.rectangle([4, base, 346, plate_bottom], fill=WOOD, outline=INK)
        style = {1: STEEL, 2: (230, 230, 235), 3: STEEL, 4: WOOD}.get(code, STEEL)
        d.rectangle([wheel_cx - 12, plate_bottom, wheel_cx + 12, wheel_cy], fill=style, outline=INK)
    d.ellipse([wheel_cx - 6, wheel_cy - 6, wheel_cx + 6, wheel_cy + 6], fill=INK)
    # Cradle from the base up to the motor, motor body along the axis.
    mr = 22
    d.polygon([(40, base), (56, axis + mr - 4), (220, axis + mr - 4), (236, base)], fill=(230, 230, 235), outline=INK)
    motor(d, 30, axis, 218, mr)
    d.line([10, axis, 30, axis], fill=INK, width=3)
    text_centre(d, (300, 20), ("Me" if between else "Md") + str(code), size=14, bold=True, fill=(120, 120, 120))
    return img


def sketch_propeller(blades, ring):
    img, d = canvas(300, 300)
    d.ellipse([138, 138, 162, 162], fill=INK)
    propeller_front(d, 150, 150, 140 if ring else 120, blades, ring)
    return img


# --- step, case and window pictures -----------------------------------------------------------

def case_pictures():
    rows = {1: ("above", "above"), 2: ("between", "between"), 3: ("between", "above"), 4: ("above", "between")}
    sizes = {1: (22, 22), 2: (16, 26), 3: (26, 16)}
    for size_digit, (fr, rr) in sizes.items():
        for row, (front, rear) in rows.items():
            code = row
            if size_digit == 3 and row in (3, 4):
                code = 7 - row  # front wheels larger: "Cas34" is between/above, "Cas33" above/between
            img, d = canvas(187, 100)
            vehicle(d, (6, 14, 181, 98), front, rear, fr, rr, prop=None)
            text_centre(d, (93, 8), f"Cas{size_digit}{code}", size=10, bold=True)
            save_gif(img, os.path.join(DATA, f"Cas{size_digit}{code}.gif"))


STEP_TITLES = ["Hélice", "Moteur", "Berceau", "Alim.", "Interrupt.", "Roues AV", "Roues AR",
               "Pos. AV", "Pos. AR", "Hélice", "Mont. AV", "Mont. AR", "Matériau", "Bilan"]


def step_pictures():
    draws = [
        lambda d, s: propeller_front(d, 37, 30, 24, 2),
        lambda d, s: motor(d, 15, 30, 42, 12, shaft_to=6),
        lambda d, s: (d.rectangle([12, 40, 62, 48], fill=WOOD, outline=INK), d.arc([22, 14, 52, 44], 150, 390, fill=INK, width=4)),
        lambda d, s: (d.rectangle([10, 20, 64, 44], fill=(60, 60, 60)), [d.rectangle([13 + 13 * k, 23, 23 + 13 * k, 41], fill=YELLOW) for k in range(4)]),
        lambda d, s: (d.rounded_rectangle([18, 28, 57, 46], radius=4, fill=(60, 60, 60)), d.line([(37, 37), (30, 12)], fill=STEEL, width=5)),
        lambda d, s: (wheel(d, 37, 30, 22), text_centre(d, (12, 10), "AV", size=9, bold=True)),
        lambda d, s: (wheel(d, 37, 30, 22), text_centre(d, (12, 10), "AR", size=9, bold=True)),
        lambda d, s: vehicle(d, (2, 4, 73, 60), "above", "above", 10, 10, prop=None),
        lambda d, s: vehicle(d, (2, 4, 73, 60), "between", "between", 10, 10, prop=None),
        lambda d, s: vehicle(d, (6, 4, 69, 60), "above", "above", 9, 9, prop="front"),
        lambda d, s: mounting_drawing(d, 4, 2, 67, 56, 1),
        lambda d, s: mounting_drawing(d, 4, 2, 67, 56, 2),
        lambda d, s: (d.rectangle([8, 14, 66, 24], fill=WOOD, outline=INK), d.rectangle([8, 32, 66, 40], fill=(200, 200, 210), outline=INK), d.rectangle([8, 46, 66, 52], fill=(240, 240, 240), outline=INK)),
        lambda d, s: (vehicle(d, (4, 8, 60, 60), "above", "above", 8, 8, prop="front"), d.line([(66, 8), (66, 56)], fill=RED, width=2), d.line([(62, 12), (66, 8), (70, 12)], fill=RED, width=2), d.line([(62, 52), (66, 56), (70, 52)], fill=RED, width=2)),
    ]
    for k, draw in enumerate(draws, start=1):
        img = framed_icon(f"{k}. {STEP_TITLES[k - 1]}", draw)
        save_jpg(img, os.path.join(DATA, f"Choix{k}.jpg"))

    def apercu(d, s):
        d.ellipse([14, 10, 46, 42], outline=INK, width=4)
        d.line([(42, 38), (60, 56)], fill=INK, width=6)
    save_jpg(framed_icon("Aperçu", apercu, bg=(240, 240, 240)), os.path.join(DATA, "Apercu.jpg"))
    save_jpg(framed_icon("Hélice", lambda d, s: propeller_front(d, 37, 30, 24, 3, True)), os.path.join(DATA, "Helice.jpg"))
    save_jpg(framed_icon("Au-dessus", lambda d, s: vehicle(d, (2, 4, 73, 60), "above", "above", 10, 10, prop=None)),
             os.path.join(DATA, "Montage1mini.jpg"))
    save_jpg(framed_icon("Entre", lambda d, s: vehicle(d, (2, 4, 73, 60), "between", "between", 10, 10, prop=None)),
             os.path.join(DATA, "Montage2mini.jpg"))

    def materials(d, s):
        for k, colour in enumerate((WOOD, (200, 200, 210), (240, 240, 240), (120, 170, 220))):
            d.rectangle([8, 6 + 13 * k, 66, 15 + 13 * k], fill=colour, outline=INK)
    save_jpg(framed_icon("Matériaux", materials), os.path.join(DATA, "Materiau.jpg"))

    def yes(d, s):
        d.ellipse([8, 4, 66, 58], fill=GREEN)
        d.line([(20, 32), (33, 45), (55, 17)], fill=WHITE, width=7)

    def no(d, s):
        d.ellipse([8, 4, 66, 58], fill=RED)
        d.line([(23, 15), (51, 47)], fill=WHITE, width=7)
        d.line([(51, 15), (23, 47)], fill=WHITE, width=7)
    save_jpg(framed_icon("Conforme", yes, bg=WHITE), os.path.join(DATA, "Oui.jpg"))
    save_jpg(framed_icon("Non conforme", no, bg=WHITE), os.path.join(DATA, "Non.jpg"))

    save_gif(sketch_propeller(2, False), os.path.join(DATA, "Bipale.gif"), transparent=True)
    save_gif(sketch_propeller(3, False), os.path.join(DATA, "Tripale.gif"), transparent=True)
    save_gif(sketch_propeller(3, True), os.path.join(DATA, "Tripale_c.gif"), transparent=True)
    codes = sorted({row[1].strip() for row in read_catalogue("Train")})
    for code in codes:
        save_gif(sketch_mounting(int(number(code)), False), os.path.join(DATA, f"Md{code}.gif"))
        save_gif(sketch_mounting(int(number(code)), True), os.path.join(DATA, f"Me{code}.gif"))


def design_pictures():
    for name, side in (("Image4", "front"), ("Image5", "rear")):
        img, d = canvas(49, 100)
        propeller_side(d, 24, 40, 34)
        text_centre(d, (24, 90), "AV" if side == "front" else "AR", size=10, bold=True)
        save_gif(img, os.path.join(RES, name + ".gif"))
    for name, pos, h in (("Image7", "above", 151), ("Image8", "between", 151), ("Image9", "above", 152), ("Image10", "between", 152)):
        img, d = canvas(180, h)
        end = "avant" if name in ("Image7", "Image8") else "arrière"
        if end == "avant":
            vehicle(d, (4, 24, 176, h - 2), pos, "above", 26, 26, prop=None)
        else:
            vehicle(d, (4, 24, 176, h - 2), "above", pos, 26, 26, prop=None)
        text_centre(d, (90, 10), ("Au-dessus" if pos == "above" else "Entre") + " des roues " + end, size=10, bold=True)
        save_gif(img, os.path.join(RES, name + ".gif"))
    img, d = canvas(187, 100, SKY)
    text_centre(d, (93, 50), "Profil du châssis", size=11, bold=True)
    save_gif(img, os.path.join(RES, "Image17.gif"))
    img, d = canvas(350, 383)
    text_centre(d, (175, 190), "Montage", size=16, bold=True, fill=STEEL)
    save_gif(img, os.path.join(RES, "Image11.gif"))
    save_gif(sketch_propeller(2, False), os.path.join(RES, "Image13.gif"), transparent=True)
    img, d = canvas(80, 27)
    d.rectangle([2, 8, 77, 18], fill=WOOD, outline=INK)
    save_gif(img, os.path.join(RES, "Image15.gif"))
    img, d = canvas(60, 58)
    mounting_drawing(d, 0, 0, 60, 58, 1)
    save_gif(img, os.path.join(RES, "Image16.gif"))
    img, d = canvas(379, 265, SKY)
    d.rectangle([0, 200, 379, 265], fill=(190, 215, 160))
    vehicle(d, (40, 90, 340, 205), "above", "above", 34, 34, prop="rear")
    text_centre(d, (190, 40), "VENTAKAR", size=42, bold=True, fill=BLUE)
    text_centre(d, (190, 78), "Concevoir un véhicule à hélice", size=14, fill=INK)
    save_jpg(img, os.path.join(RES, "Image12.jpg"))
    img, d = canvas(75, 75, (235, 235, 235))
    d.rectangle([0, 0, 74, 74], outline=STEEL)
    text_centre(d, (37, 37), "?", size=28, bold=True, fill=STEEL)
    save_jpg(img, os.path.join(RES, "PictureBox.jpg"))


def main():
    component_pictures()
    case_pictures()
    step_pictures()
    design_pictures()
    print("pictures written to", DATA, "and", RES)


if __name__ == "__main__":
    sys.exit(main())
