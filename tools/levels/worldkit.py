"""Building blocks for the level files in data/saves.

The level files are plain JSON that players may edit by hand; these helpers only
spare us writing thousands of lines of tile entries. Every piece follows the same
rules so the levels stay fair and cheap to draw:

- textures keep their natural aspect: rows are composed of tiles, each tile a
  whole multiple of the art's size (twelve art pixels per world unit);
- collision is one long body under a row of decorative tiles, so the player
  never snags on the seams between them;
- every block lists all of its members, because a member missing on load reads
  as 0 rather than as the component's own default.
"""

import json

# Natural size of each level texture in world units (art pixels / 12).
TEXTURE_SIZE = {
    "ground-grass": (2, 2), "ground-dirt": (2, 2), "stone-block": (2, 2),
    "platform": (2, 1), "spikes": (2, 1), "saw": (2, 2), "crate": (2, 2),
    "cloud": (4, 2), "exit": (3, 4), "signpost": (2, 2), "hill": (8, 4),
    "hill-far": (8, 4), "tree": (3, 5), "bush": (3, 1.5), "grass": (2, 1),
    "player": (1, 2), "container2": (4 / 3, 4 / 3),
    "tutorial1": (20, 26 / 3), "tutorial2": (20, 26 / 3), "winscreen": (64 / 3, 12),
    "splash": (16, 9), "credits": (20, 60), "tumbrix-logo": (22, 11 / 3),
}

# Depths: smaller is nearer. Particles sit at 0.02, menus at 0.01.
Z_PLAYER = 0.1
Z_ACTOR = 0.15
Z_HAZARD = 0.3
Z_TUFTS = 0.35
Z_GROUND = 0.5
Z_SIGN = 0.6
Z_PROP = 0.7
Z_TREE = 0.8
Z_HILL = 0.9
Z_CLOUD = 0.93
Z_HILL_FAR = 0.96
Z_BACKDROP = 0.99

WHITE = (1.0, 1.0, 1.0)
DIRT = (0.42, 0.25, 0.16)
DEEP = -70.0  # how far down ground and walls reach, below anything the camera shows


def _xy(x, y):
    return {"X": float(x), "Y": float(y)}


def _rgb(c):
    return {"R": float(c[0]), "G": float(c[1]), "B": float(c[2])}


class Level:
    def __init__(self, gravity=-30.0):
        self.gravity = gravity
        self.objects = []

    # -- raw entries ---------------------------------------------------------
    def add(self, name, pos, scale, z, texture=None, color=WHITE, alpha=1.0,
            body=None, **scripts):
        entry = {"Name": name,
                 "Transform": {"Position": _xy(*pos), "Scale": _xy(*scale),
                               "Rotation": 0.0, "ZLayer": float(z)}}
        # An invisible collision body carries no sprite at all.
        if texture is not None or color is not WHITE or alpha != 1.0 or body is None:
            entry["Sprite"] = {"Filename": texture or "", "Color": _rgb(color),
                               "Alfa": float(alpha)}
        if body is not None:
            entry["Body"] = body
        for key, value in scripts.items():
            entry[key] = value
        self.objects.append(entry)
        return entry

    @staticmethod
    def body(static=True, ghost=False, friction=(0.99, 0.9, 0.99), bounce=(0.0, 0.0)):
        return {"Friction": {"X": friction[0], "XG": friction[1], "Y": friction[2]},
                "IsStatic": static, "IsCollidable": True, "IsGhost": ghost,
                "Bounce": _xy(*bounce)}

    def quad(self, name, x0, y0, x1, y1, color, z=Z_BACKDROP):
        """An untextured rectangle from corner (x0, y0) to (x1, y1)."""
        return self.add(name, ((x0 + x1) / 2, (y0 + y1) / 2), (x1 - x0, y1 - y0), z,
                        color=color)

    def sprite(self, name, texture, x, bottom, size=1.0, z=Z_PROP, **scripts):
        """A textured sprite standing on `bottom`, scaled uniformly by `size`."""
        w, h = TEXTURE_SIZE[texture]
        return self.add(name, (x, bottom + h * size / 2), (w * size, h * size), z,
                        texture=texture, **scripts)

    def solid(self, name, x0, y0, x1, y1, static=True):
        """An invisible collision box; the tiles over it are drawn separately."""
        return self.add(name, ((x0 + x1) / 2, (y0 + y1) / 2), (x1 - x0, y1 - y0), Z_GROUND,
                        body=self.body(static=static))

    def tiles(self, texture, x0, x1, top, rows=1, size=1.0, z=Z_GROUND):
        """A row (or rows) of tiles from x0 to x1 hanging down from `top`."""
        w, h = TEXTURE_SIZE[texture]
        w, h = w * size, h * size
        count = max(1, int((x1 - x0) / w + 0.999))
        for row in range(rows):
            y = top - h / 2 - row * h
            for i in range(count):
                # A span that is not a whole number of tiles ends on a tile
                # flush with x1, overlapping its neighbour, never overhanging.
                x = min(x0 + w / 2 + i * w, x1 - w / 2) if count > 1 else (x0 + x1) / 2
                self.add(texture, (x, y), (w, h), z, texture=texture)

    # -- level pieces --------------------------------------------------------
    def light(self, direction=(-0.3, -0.5, -1.0), color=(0.9, 0.9, 0.85)):
        # Lights are collected from drawn objects only, so it carries a sprite
        # with no opacity.
        self.add("Sun", (0, 0), (0, 0), Z_BACKDROP, alpha=0.0,
                 DirLight={"Color": _rgb(color),
                           "Direction": {"X": direction[0], "Y": direction[1], "Z": direction[2]}})

    def ground(self, x0, x1, top=0.0, tufts=True):
        """Grass on dirt from x0 to x1 (both even) with its top at `top`."""
        self.solid("Ground", x0, DEEP, x1, top)
        self.tiles("ground-grass", x0, x1, top)
        self.tiles("ground-dirt", x0, x1, top - 2, rows=2, size=2)
        self.quad("Deep dirt", x0, DEEP, x1, top - 10, DIRT, z=Z_GROUND + 0.01)
        if tufts:
            for x in range(int(x0) + 3, int(x1) - 2, 11):
                self.sprite("Tufts", "grass", x, top - 0.1, z=Z_TUFTS)

    def wall(self, x0, x1, y0, y1, size=1.0, shown_from=None):
        """A stone column or block from (x0, y0) to (x1, y1), on whole tiles of
        2 x `size` units; tiles are drawn only from `shown_from` up (deep rock
        below is one plain quad)."""
        self.solid("Wall", x0, y0, x1, y1)
        low = y0 if shown_from is None else max(y0, shown_from)
        rows = round((y1 - low) / (2 * size))
        self.tiles("stone-block", x0, x1, y1, rows=rows, size=size)
        if low > y0:
            self.quad("Deep rock", x0, y0, x1, low, (0.35, 0.42, 0.5), z=Z_GROUND + 0.01)

    def ledge(self, x0, x1, top):
        """A wooden ledge one unit thick: land on it, jump through nothing."""
        self.solid("Ledge", x0, top - 1, x1, top)
        self.tiles("platform", x0, x1, top)

    def spikes(self, x0, x1, bottom):
        """A row of spikes standing on `bottom`; one hazard body along the row."""
        self.add("Spikes", ((x0 + x1) / 2, bottom + 0.4), (x1 - x0, 0.8), Z_HAZARD,
                 body=self.body(), StaticHazardScript="")
        self.tiles("spikes", x0, x1, bottom + 1, z=Z_HAZARD)

    def pit(self, x0, x1, top=0.0, depth=8.0):
        """A gap in the ground from x0 to x1 with spikes at its bottom."""
        floor = top - depth
        self.solid("Pit floor", x0, DEEP, x1, floor)
        self.spikes(x0, x1, floor)
        self.quad("Pit shade", x0, DEEP, x1, floor, DIRT, z=Z_GROUND + 0.01)

    def saw(self, x, y, rate, lo, hi, size=1.5):
        """A saw blade bouncing inside the box lo..hi at `rate` units per second."""
        self.add("Saw", (x, y), (2 * size, 2 * size), Z_HAZARD, texture="saw",
                 body=self.body(ghost=True),
                 DynamicHazardScript={"Rate": _xy(*rate), "Max": _xy(*hi), "Min": _xy(*lo),
                                      "Delay": 0.0, "Delay_Radius": 0.0})

    def crate(self, x, bottom, size=1.0):
        self.add("Crate", (x, bottom + size), (2 * size, 2 * size), Z_ACTOR, texture="crate",
                 body=self.body(static=False, friction=(0.99, 0.9, 0.99)),
                 BoomReactScript="")

    def enemy(self, x, bottom):
        s = 4 / 3 * 1.5
        self.add("Enemy", (x, bottom + s / 2), (s, s), Z_ACTOR, texture="container2",
                 body=self.body(static=False),
                 EnemyScript="", EnemyTriggerScript="", PlayerAnimationScript="",
                 BoomReactScript="")

    def pusher(self, x, bottom):
        self.add("Pusher", (x, bottom + 0.75), (1.5, 1.5), Z_ACTOR, color=(0.95, 0.55, 0.2),
                 PusherScript="")

    def platform(self, p1, p2, speed, delay, width=6.0):
        """A moving platform riding between p1 and p2 (its centre); its top is
        a quarter of its width above the centre."""
        h = width / 2
        self.add("Moving platform", p1, (width, h), Z_GROUND, texture="platform",
                 body=self.body(),
                 MovingPlatformScript={"Speed": float(speed), "Delay": float(delay),
                                       "Point1": _xy(*p1), "Point2": _xy(*p2)})

    def player(self, x, bottom):
        self.add("Player", (x, bottom + 1), (1, 2), Z_PLAYER, texture="player",
                 body=self.body(static=False, friction=(0.9, 0.9, 0.99)),
                 Player_Controller="", PlayerAnimationScript="", BoomReactScript="")

    def exit(self, x, bottom):
        self.add("Exit", (x, bottom + 2), (3, 4), Z_PROP, texture="exit",
                 body=self.body(ghost=True), WinTriggerScript="")

    def cloud(self, x, y, size=2.0):
        self.sprite("Cloud", "cloud", x, y, size=size, z=Z_CLOUD, CloudScript="")

    def scenery(self, x0, x1, top=0.0, seed=1, hills=True):
        """Hills, trees and bushes behind a stretch of ground; a fixed pattern per seed."""
        k = seed * 7
        if hills:
            for x in range(int(x0), int(x1), 44):
                self.sprite("Far hill", "hill-far", x + (k * 3) % 17, top - 2, size=4, z=Z_HILL_FAR)
            for x in range(int(x0) + 20, int(x1), 58):
                self.sprite("Hill", "hill", x + (k * 5) % 13, top - 1, size=2.5, z=Z_HILL)
        for x in range(int(x0) + 8, int(x1) - 4, 37):
            self.sprite("Tree", "tree", x + (k * 11) % 9, top - 0.1, size=1.6, z=Z_TREE)
        for x in range(int(x0) + 25, int(x1) - 4, 41):
            self.sprite("Bush", "bush", x + (k * 13) % 7, top - 0.1, size=1.0, z=Z_TREE - 0.01)

    def bounds(self, x0, x1, top=60.0):
        """Walls at both ends so nobody walks or flies out of the world."""
        self.wall(x0 - 8, x0, DEEP, top, size=2, shown_from=-14)
        self.wall(x1, x1 + 8, DEEP, top, size=2, shown_from=-14)

    # -- output ----------------------------------------------------------------
    def write(self, path, comment):
        doc = {"Physics": {"Gravity": self.gravity},
               "Factory": {"Game_Objects": self.objects}}
        with open(path, "w", encoding="utf-8") as f:
            for line in comment.strip().splitlines():
                f.write("// " + line + "\n")
            json.dump(doc, f, indent="\t", sort_keys=True)
            f.write("\n")
