#!/usr/bin/python3
"""Pixel checks on screenshots, exact to the pixel (reads pictures through ImageMagick).

  screen_check.py locate SHOT BACKGROUND        prints "X Y": where the window whose
                                                 background picture is BACKGROUND lies
  screen_check.py same SHOT X Y PICTURE          the area at X, Y shows PICTURE
  screen_check.py focus-mark SHOT X Y PICTURE    ... with the focus mark over it: a dotted
                                                 frame two pixels inside the edge, its dots
                                                 alternately white and black
  screen_check.py count SHOT X Y W H R,G,B       prints how many pixels of the area have
                                                 that colour

Exit status 0 when the check holds (or the count was printed), 1 when not (with the reason
on stderr), 2 for usage errors.
"""

import subprocess
import sys

FOCUS_MARK_INSET = 2


class Picture:
    def __init__(self, path):
        size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], check=True,
                              capture_output=True, text=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.rgb = subprocess.run(["convert", path + "[0]", "-alpha", "off", "-depth", "8",
                                   "rgb:-"], check=True, capture_output=True).stdout
        if len(self.rgb) != self.width * self.height * 3:
            raise SystemExit("cannot read %s" % path)

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.rgb[at:at + 3])

    def row(self, y, x=0, width=None):
        width = self.width - x if width is None else width
        at = (y * self.width + x) * 3
        return self.rgb[at:at + width * 3]


def locate(shot, background):
    # The background's top rows are unlikely to appear anywhere else on the screen. (The
    # window may show a little less than the whole picture: compare what it surely shows.)
    width = background.width - 8
    key, below = background.row(0, 0, width), background.row(1, 0, width)
    for y in range(shot.height - 1):
        line = shot.row(y)
        start = line.find(key)
        while start >= 0:
            if start % 3 == 0 and shot.row(y + 1, start // 3, width) == below:
                return start // 3, y
            start = line.find(key, start + 1)
    return None


def differences(shot, left, top, expected):
    """Pixels of the area that differ from `expected(x, y)`, as (x, y, seen, wanted)."""
    found = []
    for y in range(expected.height):
        for x in range(expected.width):
            seen = shot.pixel(left + x, top + y)
            wanted = expected(x, y)
            if seen != wanted:
                found.append((x, y, seen, wanted))
    return found


class Shows:
    """The picture as it is."""

    def __init__(self, picture):
        self.picture = picture
        self.width, self.height = picture.width, picture.height

    def __call__(self, x, y):
        return self.picture.pixel(x, y)


class ShowsWithFocusMark(Shows):
    """The picture with the focus mark over it."""

    def __call__(self, x, y):
        left, top = FOCUS_MARK_INSET, FOCUS_MARK_INSET
        right, bottom = self.width - 1 - FOCUS_MARK_INSET, self.height - 1 - FOCUS_MARK_INSET
        on_frame = ((x in (left, right) and top <= y <= bottom) or
                    (y in (top, bottom) and left <= x <= right))
        if on_frame:
            return (255, 255, 255) if (x + y) % 2 == 0 else (0, 0, 0)
        return self.picture.pixel(x, y)


def check_area(shot, left, top, expected, what):
    if left < 0 or top < 0 or left + expected.width > shot.width or \
            top + expected.height > shot.height:
        print("%s: the area at %d,%d lies off the screenshot" % (what, left, top),
              file=sys.stderr)
        return 1
    found = differences(shot, left, top, expected)
    if found:
        x, y, seen, wanted = found[0]
        print("%s: %d pixels differ; first at %d,%d: %s instead of %s"
              % (what, len(found), x, y, seen, wanted), file=sys.stderr)
        return 1
    return 0


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    command, shot = argv[1], Picture(argv[2])
    if command == "locate" and len(argv) == 4:
        where = locate(shot, Picture(argv[3]))
        if where is None:
            print("the window is not on the screenshot", file=sys.stderr)
            return 1
        print("%d %d" % where)
        return 0
    if command in ("same", "focus-mark") and len(argv) == 6:
        picture = Picture(argv[5])
        expected = Shows(picture) if command == "same" else ShowsWithFocusMark(picture)
        return check_area(shot, int(argv[3]), int(argv[4]), expected, argv[5])
    if command == "count" and len(argv) == 8:
        left, top, width, height = (int(value) for value in argv[3:7])
        colour = tuple(int(value) for value in argv[7].split(","))
        print(sum(1 for y in range(top, top + height) for x in range(left, left + width)
                  if shot.pixel(x, y) == colour))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
