# Draws VENTAKAR's application icon: a small wheeled chassis with its propeller on a round
# blue tile. Writes packaging/icons/ventakar.svg, the PNG sizes the desktop uses and the Windows
# icon (ventakar.ico, every size in one file).
# Run with /usr/bin/python3 (needs python3-pil).
import os
import sys
from PIL import Image, ImageDraw

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging", "icons")

# The drawing on a 256-unit square: (kind, parameters, colour).
SHAPES = [
    ("circle", (128, 128, 120), "#1f5fa8"),
    ("circle", (128, 128, 108), "#e8f1fb"),
    ("rect", (52, 132, 204, 150), "#c8894a"),    # chassis
    ("rect", (150, 104, 186, 132), "#5a6470"),   # motor
    ("rect", (186, 114, 196, 122), "#5a6470"),   # shaft
    ("ellipse", (192, 70, 208, 166), "#2d2d2d"), # propeller disc, seen from the side
    ("circle", (200, 118, 7), "#d33a2c"),        # hub
    ("circle", (86, 170, 24), "#2d2d2d"),        # rear wheel
    ("circle", (86, 170, 10), "#bfc6ce"),
    ("circle", (170, 170, 24), "#2d2d2d"),       # front wheel
    ("circle", (170, 170, 10), "#bfc6ce"),
    ("rect", (40, 196, 216, 202), "#3c8d3c"),    # ground
]


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">']
    for kind, p, colour in SHAPES:
        if kind == "circle":
            parts.append(f'  <circle cx="{p[0]}" cy="{p[1]}" r="{p[2]}" fill="{colour}"/>')
        elif kind == "rect":
            parts.append(f'  <rect x="{p[0]}" y="{p[1]}" width="{p[2] - p[0]}" height="{p[3] - p[1]}" fill="{colour}"/>')
        else:
            cx, cy = (p[0] + p[2]) / 2, (p[1] + p[3]) / 2
            parts.append(f'  <ellipse cx="{cx}" cy="{cy}" rx="{(p[2] - p[0]) / 2}" ry="{(p[3] - p[1]) / 2}" fill="{colour}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def png(size):
    scale = 4  # drawn large, then reduced, for smooth edges
    big = Image.new("RGBA", (256 * scale, 256 * scale), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    for kind, p, colour in SHAPES:
        q = [v * scale for v in p]
        if kind == "circle":
            d.ellipse([q[0] - q[2], q[1] - q[2], q[0] + q[2], q[1] + q[2]], fill=colour)
        elif kind == "rect":
            d.rectangle(q, fill=colour)
        else:
            d.ellipse(q, fill=colour)
    return big.resize((size, size), Image.LANCZOS)


def main():
    os.makedirs(ROOT, exist_ok=True)
    with open(os.path.join(ROOT, "ventakar.svg"), "w") as f:
        f.write(svg())
    for size in (16, 32, 48, 64, 128, 256):
        png(size).save(os.path.join(ROOT, f"ventakar-{size}.png"))
    png(256).save(os.path.join(ROOT, "ventakar.ico"),
                  sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (64, 64), (128, 128), (256, 256)])


if __name__ == "__main__":
    sys.exit(main())
