#!/usr/bin/env python3
"""Cuts a part out of an editor picture, enlarges it and writes labels beside it with a
leader line to each control: the labelled crops of docs/guide.md.

    label-picture.py IN OUT X Y W H LABEL...

X Y W H is the part to cut, in pixels of IN. Each LABEL is "x,y,side,text": the point of the
control in IN's pixels, the side the text goes ("l" or "r") and the text. Labels on a side
keep the order of their points from top to bottom and are spread apart where they would
overlap. The drawing is done by ImageMagick's convert (Liberation Sans for the text).
"""
import subprocess
import sys

SCALE = 2
CHAR_WIDTH = 8.2      # a generous average width of one character of the text
BARE = 16             # margin of a side without labels
LINE_HEIGHT = 22      # least distance between two labels on one side
TOP = 14              # room above and below the picture
FONT = "Liberation-Sans"
POINT_SIZE = 15
INK = "#2b2b2b"
LEADER = "#e0661c"


def parse_label(text):
    x, y, side, words = text.split(",", 3)
    if side not in ("l", "r"):
        raise SystemExit("label-picture: side must be l or r in '%s'" % text)
    return float(x), float(y), side, words


def spread(wanted, low, high):
    """Moves the wanted heights apart by LINE_HEIGHT at least, inside low..high."""
    placed = []
    for y in wanted:
        y = max(y, low if not placed else placed[-1] + LINE_HEIGHT)
        placed.append(y)
    overflow = placed[-1] - high if placed else 0
    if overflow > 0:
        placed = [y - overflow for y in placed]
        for i in range(len(placed) - 2, -1, -1):
            placed[i] = min(placed[i], placed[i + 1] - LINE_HEIGHT)
    return placed


def main(argv):
    if len(argv) < 7:
        raise SystemExit(__doc__)
    source, target = argv[0], argv[1]
    cx, cy, cw, ch = (int(v) for v in argv[2:6])
    labels = [parse_label(a) for a in argv[6:]]

    def margin(side):
        texts = [l[3] for l in labels if l[2] == side]
        return int(max(len(t) for t in texts) * CHAR_WIDTH) + 30 if texts else BARE

    left, right = margin("l"), margin("r")
    width = left + cw * SCALE + right
    height = ch * SCALE + 2 * TOP
    command = ["convert", source, "-crop", "%dx%d+%d+%d" % (cw, ch, cx, cy), "+repage",
               "-filter", "Catrom", "-resize", "%d%%" % (SCALE * 100),
               "-background", "white", "-gravity", "NorthWest",
               "-splice", "%dx%d" % (left, TOP), "-gravity", "SouthEast", "-splice", "%dx%d" % (right, TOP),
               "-gravity", "NorthWest", "-font", FONT, "-pointsize", str(POINT_SIZE)]

    def to_output(x, y):
        return left + (x - cx) * SCALE, TOP + (y - cy) * SCALE

    for side in ("l", "r"):
        mine = sorted((l for l in labels if l[2] == side), key=lambda l: l[1])
        if not mine:
            continue
        heights = spread([to_output(x, y)[1] for x, y, _, _ in mine], TOP, height - TOP)
        for (x, y, _, words), text_y in zip(mine, heights):
            px, py = to_output(x, y)
            edge = left - 10 if side == "l" else width - right + 10
            command += ["-stroke", LEADER, "-strokewidth", "2", "-fill", "none",
                        "-draw", "line %d,%d %d,%d" % (edge, text_y, px, py),
                        "-fill", LEADER, "-draw", "circle %d,%d %d,%d" % (px, py, px + 3, py),
                        "-stroke", "none", "-fill", INK]
            baseline = text_y - POINT_SIZE * 0.6
            if side == "l":
                # Right-aligned against the picture: measured from the right edge.
                command += ["-gravity", "NorthEast",
                            "-annotate", "+%d+%d" % (width - edge + 6, baseline), words,
                            "-gravity", "NorthWest"]
            else:
                command += ["-annotate", "+%d+%d" % (edge + 6, baseline), words]

    command += ["-strip", "-define", "png:exclude-chunks=date,time", target]
    subprocess.run(command, check=True)


if __name__ == "__main__":
    main(sys.argv[1:])
