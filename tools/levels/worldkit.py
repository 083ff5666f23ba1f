"""Building blocks for the level files in data/saves.

The level files are plain JSON that players may edit by hand; these helpers only
spare us writing thousands of lines of tile entries. Every piece follows the same
rules so the levels stay fair and cheap to draw:

- textures keep their natural aspect: rows are composed of tiles, each tile a
  whole multiple of the art's size (twelve art pixels per world unit);
- collision is one long body under a row of decorative tiles, so the player
  never snags on the seams between them;
- every block lists all of its members, because a member missing on load reads
  as 0 rather than as the component's own default;
- scenery stands on ground or clearly in the distance: a tree, bush or near
  hill is only placed where ground runs under all of it, a distant hill only
  where something nearer hides its flat foot, and every pit has a dark back
  wall, so no sky and no cut-off picture shows inside it;
- clouds float well above the highest ground near them.
"""

import json
import math

# Natural size of each level texture in world units (art pixels / 12).
TEXTURE_SIZE = {
    "ground-grass": (2, 2), "ground-dirt": (2, 2), "stone-block": (2, 2),
    "platform": (2, 1), "spikes": (2, 1), "saw": (2, 2), "crate": (2, 2),
    "cloud": (4, 2), "exit": (3, 4), "signpost": (2, 2), "hill": (8, 4),
    "hill-far": (8, 4), "hill-pale": (8, 4), "tree": (3, 5), "bush": (3, 1.5), "grass": (2, 1),
    "player": (1, 2), "container2": (4 / 3, 4 / 3),
    "tutorial1": (20, 26 / 3), "tutorial2": (20, 26 / 3), "winscreen": (64 / 3, 12),
    "splash": (16, 9), "credits": (20, 60), "tumbrix-logo": (22, 11 / 3),
    "warning": (2, 3), "pine": (3, 6), "moon": (2, 2), "sun": (3, 3), "lantern": (2, 4),
}

# Depths: smaller is nearer. Particles sit at 0.02, menus at 0.01.
Z_PLAYER = 0.1
Z_ACTOR = 0.15
Z_HAZARD = 0.3
Z_TUFTS = 0.35
Z_GROUND = 0.5
Z_PIT_WALL = 0.55
Z_SIGN = 0.6
Z_PROP = 0.7
Z_TREE = 0.8
Z_HILL = 0.9
Z_CLOUD = 0.93
Z_HILL_FAR = 0.96
Z_SKY_LIGHTS = 0.98
Z_BACKDROP = 0.99

WHITE = (1.0, 1.0, 1.0)
DAY = None  # the renderer's own sky, untinted scenery
DIRT = (0.42, 0.25, 0.16)
DEEP = -70.0  # how far down ground and walls reach, below anything the camera shows
PIT_WALL = (0.2, 0.12, 0.09)
CLOUD_CLEARANCE = 14.0  # a cloud's foot above the highest ground within CLOUD_NEAR units
CLOUD_NEAR = 30.0


class Look:
    """A level's time of day: sky bands from the horizon up, tints for the
    distant hills, the near scenery and the ground, and what hangs in the sky.
    Hazards are never tinted, so they read the same in every light."""

    def __init__(self, name, sky, far=(1.0, 1.0, 1.0), near=(1.0, 1.0, 1.0),
                 ground=(1.0, 1.0, 1.0), tree="tree", stars=0, moon=None, sun=None,
                 light=(0.9, 0.9, 0.85), clouds=(1.0, 1.0, 1.0)):
        self.name = name
        self.sky = sky          # [(height above the level's floor where the band starts, colour)]
        self.far = far
        self.near = near
        self.ground = ground
        self.tree = tree
        self.stars = stars
        self.moon = moon        # (x offset from the level's middle, height) or None
        self.sun = sun
        self.light = light
        self.clouds = clouds


def _xy(x, y):
    return {"X": float(x), "Y": float(y)}


def _rgb(c):
    return {"R": float(c[0]), "G": float(c[1]), "B": float(c[2])}


# Decimals kept in the written files: a ten-thousandth of a unit is far below an
# art pixel (1/12 unit), and it keeps sums like 0.36 * 0.86 from showing their
# binary noise in the files.
DECIMALS = 4


def _rounded(value):
    """`value` with every float rounded to DECIMALS (and -0.0 written as 0.0)."""
    if isinstance(value, float):
        return round(value, DECIMALS) + 0.0
    if isinstance(value, dict):
        return {k: _rounded(v) for k, v in value.items()}
    if isinstance(value, list):
        return [_rounded(v) for v in value]
    return value


def shade(c, tint):
    return (c[0] * tint[0], c[1] * tint[1], c[2] * tint[2])


class Level:
    def __init__(self, gravity=-30.0, look=DAY):
        self.gravity = gravity
        self.objects = []
        self.look = look
        # Where things may stand: (x0, x1, top) of every ground, wall and ledge.
        self.floors = []
        self.grounds = []  # (x0, x1, top) of the ground only: where scenery grows
        # What hides the feet of distant scenery: (x0, x1, top) of everything
        # drawn from DEEP up to `top` in front of it (ground, walls, pit walls).
        self.covers = []
        self.pits = []  # (x0, x1) of every pit: no ground may be laid over one

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

    def sprite(self, name, texture, x, bottom, size=1.0, z=Z_PROP, color=WHITE, **scripts):
        """A textured sprite standing on `bottom`, scaled uniformly by `size`."""
        w, h = TEXTURE_SIZE[texture]
        return self.add(name, (x, bottom + h * size / 2), (w * size, h * size), z,
                        texture=texture, color=color, **scripts)

    def solid(self, name, x0, y0, x1, y1, static=True):
        """An invisible collision box; the tiles over it are drawn separately."""
        return self.add(name, ((x0 + x1) / 2, (y0 + y1) / 2), (x1 - x0, y1 - y0), Z_GROUND,
                        body=self.body(static=static))

    def tiles(self, texture, x0, x1, top, rows=1, size=1.0, z=Z_GROUND, color=WHITE):
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
                self.add(texture, (x, y), (w, h), z, texture=texture, color=color)

    # -- level pieces --------------------------------------------------------
    def tint(self, part):
        """The look's tint for `part` ("ground", "near", "far", "clouds")."""
        return WHITE if self.look is None else getattr(self.look, part)

    def stands(self, x0, x1, top):
        """Whether one floor with its top at `top` runs under all of x0..x1."""
        return any(abs(t - top) < 0.01 and a <= x0 + 1e-6 and x1 <= b + 1e-6 for a, b, t in self.floors)

    def hidden(self, x0, x1, y):
        """Whether something nearer than the scenery covers height `y` all the way
        from x0 to x1 (the flat foot of a distant picture)."""
        x = x0
        while x <= x1:
            if not any(a <= x <= b and t >= y for a, b, t in self.covers):
                return False
            x += 0.5
        return True

    def ground_under(self, x):
        """The top of the ground at x, or None over a pit."""
        return max((t for a, b, t in self.grounds if a <= x <= b), default=None)

    def ground_top_near(self, x, reach):
        """The highest floor within `reach` units of x."""
        return max((t for a, b, t in self.floors if a - reach <= x <= b + reach), default=0.0)

    def light(self, direction=(-0.3, -0.5, -1.0), color=(0.9, 0.9, 0.85)):
        # Lights are collected from drawn objects only, so it carries a sprite
        # with no opacity.
        self.add("Sun", (0, 0), (0, 0), Z_BACKDROP, alpha=0.0,
                 DirLight={"Color": _rgb(color),
                           "Direction": {"X": direction[0], "Y": direction[1], "Z": direction[2]}})

    def ground(self, x0, x1, top=0.0, tufts=True):
        """Grass on dirt from x0 to x1 (both even) with its top at `top`."""
        self.solid("Ground", x0, DEEP, x1, top)
        tint = self.tint("ground")
        self.tiles("ground-grass", x0, x1, top, color=tint)
        self.tiles("ground-dirt", x0, x1, top - 2, rows=2, size=2, color=tint)
        self.quad("Deep dirt", x0, DEEP, x1, top - 10, shade(DIRT, tint), z=Z_GROUND + 0.01)
        self.floors.append((x0, x1, top))
        self.grounds.append((x0, x1, top))
        self.covers.append((x0, x1, top))
        if tufts:
            for x in range(int(x0) + 3, int(x1) - 2, 11):
                self.sprite("Tufts", "grass", x, top - 0.1, z=Z_TUFTS, color=tint)

    def wall(self, x0, x1, y0, y1, size=1.0, shown_from=None):
        """A stone column or block from (x0, y0) to (x1, y1), on whole tiles of
        2 x `size` units; tiles are drawn only from `shown_from` up (deep rock
        below is one plain quad)."""
        self.solid("Wall", x0, y0, x1, y1)
        low = y0 if shown_from is None else max(y0, shown_from)
        # Whole rows down to `low` or just past it: no strip of sky between
        # the tiles and the deep rock.
        rows = math.ceil((y1 - low) / (2 * size) - 1e-6)
        self.tiles("stone-block", x0, x1, y1, rows=rows, size=size, color=self.tint("ground"))
        if low > y0:
            self.quad("Deep rock", x0, y0, x1, low, shade((0.35, 0.42, 0.5), self.tint("ground")),
                      z=Z_GROUND + 0.01)
        self.floors.append((x0, x1, y1))
        if y0 <= DEEP:
            self.covers.append((x0, x1, y1))

    def ledge(self, x0, x1, top):
        """A wooden ledge one unit thick: land on it, jump through nothing."""
        self.solid("Ledge", x0, top - 1, x1, top)
        self.tiles("platform", x0, x1, top)
        self.floors.append((x0, x1, top))

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
        self.quad("Pit shade", x0, DEEP, x1, floor, shade(DIRT, self.tint("ground")), z=Z_GROUND + 0.01)
        # The pit's far wall, up to the ground beside it: no sky, and no foot of
        # a hill or a tree, shows inside a pit.
        self.quad("Pit wall", x0, floor, x1, top, shade(PIT_WALL, self.tint("ground")), z=Z_PIT_WALL)
        self.covers.append((x0, x1, top))
        self.pits.append((x0, x1))

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
        # A platform turns back `delay` seconds after setting off, arrived or not.
        travel = ((p2[0] - p1[0]) ** 2 + (p2[1] - p1[1]) ** 2) ** 0.5 / speed
        assert delay > travel, f"platform at {p1} turns back before it arrives"
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
        """A drifting cloud at height `y` or, where the ground rises near it,
        high enough above that ground to stay clear of it while it drifts."""
        y = max(y, self.ground_top_near(x, CLOUD_NEAR) + CLOUD_CLEARANCE)
        self.sprite("Cloud", "cloud", x, y, size=size, z=Z_CLOUD, color=self.tint("clouds"),
                    CloudScript="")

    def scenery(self, x0, x1, seed=1, hills=True):
        """Hills, trees and bushes behind the ground from x0 to x1, each on the
        ground where it stands; a fixed pattern per seed. A piece whose ground
        is missing or uneven (a pit, a step, a cliff edge) is left out, so call
        this after the ground, walls and pits it stands among."""
        k = seed * 7
        near, far = self.tint("near"), self.tint("far")
        tree = "tree" if self.look is None else self.look.tree
        far_hill = "hill-far" if self.look is None else "hill-pale"

        def place(name, texture, cx, size, sink, z, color, whole):
            top = self.ground_under(cx)
            if top is None:
                return
            w = TEXTURE_SIZE[texture][0] * size
            half = w / 2 if whole else w / 6
            if texture in ("hill-far", "hill-pale"):
                if not self.hidden(cx - half, cx + half, top - sink):
                    return
            elif not self.stands(cx - half, cx + half, top):
                return
            self.sprite(name, texture, cx, top - sink, size=size, z=z, color=color)

        if hills:
            for x in range(int(x0), int(x1), 44):
                place("Far hill", far_hill, x + (k * 3) % 17, 4, 2, Z_HILL_FAR, far, True)
            for x in range(int(x0) + 20, int(x1), 58):
                place("Hill", "hill", x + (k * 5) % 13, 2.5, 1, Z_HILL, near, True)
        # A trunk on the ground is enough; the crown may reach over an edge.
        for x in range(int(x0) + 8, int(x1) - 4, 37):
            place("Tree", tree, x + (k * 11) % 9, 1.6, 0.1, Z_TREE, near, False)
        for x in range(int(x0) + 25, int(x1) - 4, 41):
            place("Bush", "bush", x + (k * 13) % 7, 1.0, 0.1, Z_TREE - 0.01, near, True)

    def warning(self, x, bottom):
        """A hazard post: stands before every pit and hazard, where the camera,
        which trails a running player, shows it before the danger itself."""
        self.sprite("Warning", "warning", x, bottom - 0.1, z=Z_SIGN)

    def sky(self, x0, x1, floor=0.0):
        """The look's sky from x0 to x1: bands from the horizon up, stars, a
        moon or a low sun. Nothing for the renderer's own daytime sky."""
        look = self.look
        if look is None:
            return
        bands = look.sky
        for i, (start, colour) in enumerate(bands):
            lo = DEEP if i == 0 else floor + start
            hi = floor + bands[i + 1][0] if i + 1 < len(bands) else 140.0
            self.quad("Sky", x0 - 40, lo, x1 + 40, hi, colour)
        for i in range(look.stars):
            x = x0 + (i * 53.7) % (x1 - x0)
            y = floor + 14 + (i * 37.3) % 40
            self.quad("Star", x - 0.15, y - 0.15, x + 0.15, y + 0.15, (1.0, 0.95, 0.75), z=Z_SKY_LIGHTS)
        if look.moon is not None:
            self.sprite("Moon", "moon", (x0 + x1) / 2 + look.moon[0], floor + look.moon[1], size=1.5,
                        z=Z_SKY_LIGHTS)
        if look.sun is not None:
            self.sprite("Low sun", "sun", (x0 + x1) / 2 + look.sun[0], floor + look.sun[1], size=2.0,
                        z=Z_SKY_LIGHTS)

    def bounds(self, x0, x1, top=60.0):
        """Walls at both ends so nobody walks or flies out of the world."""
        self.wall(x0 - 8, x0, DEEP, top, size=2, shown_from=-14)
        self.wall(x1, x1 + 8, DEEP, top, size=2, shown_from=-14)

    def outside(self, x0, x1, left_top, right_top, reach=30):
        """Ground beyond the end walls, which wide windows show: the level's
        sky must not reach down where the earth should be."""
        self.ground(x0 - 8 - reach, x0 - 8, left_top, tufts=False)
        self.ground(x1 + 8, x1 + 8 + reach, right_top, tufts=False)

    # -- output ----------------------------------------------------------------
    def write(self, path, comment):
        # Ground laid across a pit buries its spikes under solid grass: the
        # warning post before it then announces nothing.
        for p0, p1 in self.pits:
            for g0, g1, _ in self.grounds:
                assert g1 <= p0 or g0 >= p1, f"ground {g0}..{g1} covers the pit {p0}..{p1}"
        doc = _rounded({"Physics": {"Gravity": self.gravity},
                        "Factory": {"Game_Objects": self.objects}})
        with open(path, "w", encoding="utf-8") as f:
            for line in comment.strip().splitlines():
                f.write("// " + line + "\n")
            json.dump(doc, f, indent="\t", sort_keys=True)
            f.write("\n")
