#!/usr/bin/env python3
"""Writes the game's worlds into data/saves: the start-up screens, the main-menu
world, the credits world, the eight play levels and the finale.

Run from the repository root after changing a layout:
    python3 tools/levels/build_levels.py
then look at the previews (tools/preview) and play the level.

Design figures (docs/level-design.md): gravity -30, a plain jump rises about
7.7 units and clears gaps up to about 20 with a run-up, a bomb-boosted jump
rises about 29. The camera lags behind a running player, so nothing asks for a
long run straight into an unseen landing.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from worldkit import (Level, Look, PIT_WALL, Z_SIGN, Z_PROP, Z_HILL, Z_HILL_FAR, Z_TREE, Z_PIT_WALL,  # noqa: E402
                      shade)

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "data", "saves")

# A full-screen picture is 16:9 at 32 units high; the widest window we support
# (21:9) is 74.7 units wide, the narrowest (4:3) 42.7.
PICTURE_W = 32 * 16 / 9
WIDEST_HALF = 32 * 21 / 9 / 2 + 2
# Headroom under a rock arch: the player (2 high) walks through, but not over a
# crate (2 high) standing in the way.
ARCH_CLEARANCE = 3.5


def save(level, slot, comment):
    level.write(os.path.join(OUT, f"Save{slot}.json"), comment)


def splash_sides(lv):
    """Continues the splash picture's ground beyond its edges, so windows wider
    than 16:9 see grass and hills rather than bare sky at the sides."""
    art = 32 / 360  # one art pixel of the picture in world units
    tile = 24 * art
    ground_top = 16 - 300 * art
    half = PICTURE_W / 2
    for side in (-1, 1):
        x = half
        while x < WIDEST_HALF:
            cx = side * (x + tile / 2)
            lv.add("Side grass", (cx, ground_top - tile / 2), (tile, tile), 0.6, texture="ground-grass")
            y = ground_top - tile
            while y > -17:
                lv.add("Side dirt", (cx, y - tile / 2), (tile, tile), 0.6, texture="ground-dirt")
                y -= tile
            x += tile
        lv.sprite("Side hill", "hill-far", side * (half + 7), ground_top - 1, size=96 * art / 8 * 1.6,
                  z=0.62)
        lv.sprite("Side tree", "tree", side * (half + 4), ground_top, size=36 * art / 3, z=0.61)


def slot0():
    lv = Level(gravity=0.0)
    lv.add("SplashScreen", (0, 0), (PICTURE_W, 32), 0.5, texture="splash", SplashScript="")
    splash_sides(lv)
    save(lv, 0, "Start-up screen: the title picture. Its ground continues past the\n"
                "picture's edges for windows wider than 16:9.")


def slot1():
    lv = Level(gravity=0.0)
    # The controls card: the logo over the two teaching signs, in the meadow.
    lv.add("Logo", (0, 9.5), (22 * 1.2, 11 / 3 * 1.2), 0.4, texture="tumbrix-logo", SplashScript="")
    lv.sprite("Walk and jump", "tutorial1", -10, -9.2, size=0.95, z=Z_SIGN)
    lv.sprite("Throw and blast", "tutorial2", 10, -9.2, size=0.95, z=Z_SIGN)
    lv.ground(-44, 44, top=-9)
    for x in (-34, -2, 30):
        lv.sprite("Far hill", "hill-far", x, -11, size=4, z=Z_HILL_FAR)
    for x in (-26, 24):
        lv.sprite("Hill", "hill", x, -10, size=2.5, z=Z_HILL)
    for x in (-30, 30):
        lv.sprite("Tree", "tree", x, -9.1, size=1.6, z=Z_TREE)
    for x, y in ((-30, 10), (28, 12), (-16, 13.5)):
        lv.sprite("Cloud", "cloud", x, y, size=1.5, z=0.93)
    save(lv, 1, "Second start-up screen: the controls card.")


def island(lv, x0, x1, top):
    """A floating slab of meadow: one row of grass tiles, two units thick, so
    that from the views below (whose top edge is y = 16) none of it shows."""
    lv.tiles("ground-grass", x0, x1, top, z=0.5)


def slot2():
    lv = Level(gravity=0.0)
    lv.light()
    # The menus stand at (0, 0), one view W to the left, one view up, and up to
    # both sides, where W, the view's width, runs from 42.7 (4:3) to 74.7 (21:9):
    # the meadow runs 130 units each way. What the world shows behind a menu must
    # stand where that menu has no button at any window shape (the menus' test
    # checks it): for the views left and right that is between x = 37 and 64 on
    # either side, for the views up top below y = 21.5, under the buttons.
    top = -9
    lv.ground(-132, 132, top=top)
    lv.scenery(-132, 132, seed=3)
    # Main menu: the hero by his crates and an enemy close by, in the gap the
    # arc of buttons leaves in the middle, under the title.
    lv.sprite("Enemy", "container2", -4.5, top, size=1.5, z=0.2)
    lv.sprite("Hero", "player", -1, top, z=0.2)
    for x in (2.5, 4.5):
        lv.sprite("Crate", "crate", x, top, z=0.3)
    # The quit confirmation, one view left: the saw over its spikes, the
    # signpost and an enemy on its way, all below the two buttons.
    lv.sprite("Sign", "signpost", -26, top, size=1.2, z=0.3)
    lv.tiles("spikes", -60, -52, top + 1, z=0.3)
    lv.sprite("Saw", "saw", -56, top + 3, size=1.5, z=0.25)
    lv.sprite("Enemy", "container2", -45, top, size=1.5, z=0.2)
    lv.sprite("Crate", "crate", -40, top, z=0.3)
    # One view right (seen from the widest windows): the exit and a ledge.
    lv.sprite("Exit", "exit", 60, top, z=0.3)
    lv.tiles("platform", 40, 48, top + 6, z=0.3)
    lv.sprite("Crate", "crate", 44, top + 6, z=0.3)
    # The sky above, where the how-to-play, options and level-select menus stand:
    # islands of meadow low in each view, below the buttons.
    sky = 19
    island(lv, -18, -8, sky + 1)  # how to play, left of its BACK button
    lv.sprite("Hero", "player", -14, sky + 1, z=0.2)
    lv.sprite("Crate", "crate", -10.5, sky + 1, z=0.3)
    island(lv, 8, 18, sky + 1)  # and right of it
    lv.sprite("Enemy", "container2", 11, sky + 1, size=1.5, z=0.2)
    lv.sprite("Crate", "crate", 15, sky + 1, z=0.3)
    island(lv, -62, -40, sky)  # options
    lv.sprite("Crate", "crate", -58, sky, z=0.3)
    lv.sprite("Crate", "crate", -56, sky, z=0.3)
    lv.sprite("Saw", "saw", -47, sky + 0.3, size=1.2, z=0.25)
    lv.sprite("Enemy", "container2", -43, sky, size=1.5, z=0.2)
    island(lv, 57, 71, sky)  # level select, right of its MAIN MENU button
    lv.sprite("Crate", "crate", 59, sky, z=0.3)
    lv.sprite("Hero", "player", 62.5, sky, z=0.2)
    for i, (x, y) in enumerate(((-100, 14), (-70, 38), (-30, 44), (-12, 40), (26, 42), (40, 34),
                               (72, 40), (100, 38), (-95, 46), (60, 48), (0, 56), (-50, 54))):
        lv.sprite("Cloud", "cloud", x, y, size=1.5 + (i % 3) * 0.5, z=0.93)
    save(lv, 2, "The main-menu world: a meadow wide enough for every menu's view at\n"
                "21:9, islands of meadow one view up, and something alive behind every menu.")


def slot3():
    lv = Level(gravity=0.0)
    lv.light(direction=(0.2, -0.4, -1.0), color=(0.55, 0.6, 0.85))
    # An evening sky the credits scroll over, wide enough for 21:9.
    lv.quad("Evening sky", -45, -20, 45, 20, (0.16, 0.2, 0.42))
    lv.quad("Glow", -45, -20, 45, -6, (0.42, 0.3, 0.45), z=0.98)
    stars = [(-40, 14), (-33, 7), (-27, 17), (-21, 11), (-16, 4), (-19, 18), (19, 15), (24, 8),
             (29, 18), (34, 12), (39, 5), (16, 3), (-37, 1), (37, -1), (-24, -2), (26, 1)]
    for x, y in stars:
        lv.quad("Star", x - 0.2, y - 0.2, x + 0.2, y + 0.2, (1.0, 0.95, 0.7), z=0.97)
    lv.quad("Moon", 18, 9, 21, 12, (0.98, 0.96, 0.82), z=0.97)
    for x in (-36, -12, 12, 36):
        lv.add("Hill", (x, -13), (32, 16), 0.9, texture="hill-far", color=(0.35, 0.35, 0.55))
    lv.add("Credits", (0, -16 - 42), (28, 84), 0.5, texture="credits", CreditsScript="")
    save(lv, 3, "The credits world: the credits picture starts below the view and\n"
                "scrolls up over an evening sky.")


# Each play level has a time of day of its own. The firefly levels (1, 2, 7, 8
# and the finale) are at dusk or night, where the fireflies' glow shows; the
# others run from morning to a grey afternoon. Sky bands start at heights above
# the level's floor: the view shows from 11 below the player to 21 above.
GOLDEN_EVENING = Look(
    "golden evening",
    [(0, (0.99, 0.78, 0.5)), (7, (0.96, 0.64, 0.5)), (14, (0.78, 0.52, 0.6)), (22, (0.5, 0.44, 0.66)),
     (32, (0.32, 0.34, 0.6))],
    far=(0.85, 0.6, 0.7), near=(0.95, 0.82, 0.7), ground=(0.98, 0.86, 0.78), sun=(-60, 4),
    clouds=(1.0, 0.8, 0.7))
DUSK = Look(
    "dusk",
    [(0, (0.62, 0.42, 0.6)), (8, (0.44, 0.36, 0.6)), (16, (0.3, 0.3, 0.55)), (26, (0.2, 0.22, 0.45))],
    far=(0.53, 0.45, 0.7), near=(0.62, 0.6, 0.78), ground=(0.8, 0.74, 0.86), stars=24, moon=(40, 22),
    clouds=(0.7, 0.65, 0.85))
MORNING = Look(
    "morning",
    [(0, (0.93, 0.93, 0.82)), (6, (0.78, 0.9, 0.93)), (16, (0.58, 0.83, 0.95))],
    far=(0.72, 0.93, 0.8), sun=(-40, 10), tree="pine")
NOON_DRY = Look(
    "noon in the dry hills",
    [(0, (0.98, 0.9, 0.7)), (5, (0.62, 0.84, 0.96)), (18, (0.42, 0.72, 0.96))],
    far=(1.0, 0.85, 0.6), near=(1.0, 0.9, 0.55), ground=(1.0, 0.88, 0.62), sun=(30, 18))
OVERCAST = Look(
    "grey afternoon on the cliffs",
    [(0, (0.78, 0.82, 0.84)), (10, (0.68, 0.74, 0.8)), (22, (0.58, 0.64, 0.72))],
    far=(0.73, 0.82, 0.84), near=(0.8, 0.9, 0.9), ground=(0.88, 0.92, 0.92), tree="pine",
    clouds=(0.86, 0.88, 0.92))
AFTERNOON = Look(
    "warm afternoon",
    [(0, (1.0, 0.88, 0.62)), (6, (0.8, 0.86, 0.78)), (16, (0.5, 0.78, 0.92))],
    far=(0.87, 0.95, 0.7), near=(1.0, 0.95, 0.82), sun=(50, 16))
NIGHT = Look(
    "night",
    [(0, (0.2, 0.24, 0.42)), (10, (0.13, 0.16, 0.34)), (22, (0.08, 0.1, 0.25))],
    far=(0.29, 0.33, 0.56), near=(0.45, 0.5, 0.7), ground=(0.62, 0.64, 0.8), stars=40, moon=(-30, 20),
    tree="pine", clouds=(0.45, 0.5, 0.7))
RED_DUSK = Look(
    "red dusk",
    [(0, (0.85, 0.42, 0.36)), (8, (0.6, 0.3, 0.4)), (18, (0.36, 0.22, 0.4)), (30, (0.2, 0.16, 0.34))],
    far=(0.45, 0.25, 0.38), near=(0.7, 0.55, 0.6), ground=(0.86, 0.7, 0.72), stars=16, sun=(-80, 2),
    clouds=(0.9, 0.6, 0.6))
STARRY = Look(
    "starry night",
    [(0, (0.24, 0.22, 0.46)), (8, (0.14, 0.15, 0.36)), (20, (0.08, 0.09, 0.24))],
    far=(0.3, 0.31, 0.54), near=(0.5, 0.5, 0.72), ground=(0.66, 0.66, 0.82), stars=30, moon=(10, 18),
    clouds=(0.45, 0.45, 0.7))


def start(lv, x0, x1, walls=60.0):
    light = (0.9, 0.9, 0.85) if lv.look is None else lv.look.light
    lv.light(color=light)
    lv.bounds(x0, x1, top=walls)
    lv.player(0, 0)


def finish(lv, x0, x1, seed, clouds=6):
    """The sky, the clouds and the scenery, once the ground is laid."""
    if lv.look is not None:
        lv.outside(x0, x1, lv.ground_under(x0 + 1), lv.ground_under(x1 - 1))
    lv.sky(x0, x1)
    for i in range(clouds):
        x = x0 + 20 + (x1 - x0 - 40) * i / max(1, clouds - 1)
        lv.cloud(x + (seed * 7 + i * 13) % 11, 14 + (seed + i * 5) % 9)
    lv.scenery(x0, x1, seed=seed)


def lantern(lv, x, top):
    """A lit lamp on a post; its glow falls on the sky and the earth behind it."""
    lv.sprite("Lantern", "lantern", x, top - 0.1, z=Z_PROP,
              PointLight={"Color": {"R": 0.9, "G": 0.75, "B": 0.4}, "Offset": {"X": 0.0, "Y": 1.3, "Z": 0.0},
                          "Radius": 7.0})


def great_tree(lv, x, top, texture="tree", size=3.4):
    """A landmark: one tree twice the size of the others."""
    lv.sprite("Great tree", texture, x, top - 0.1, size=size, z=Z_TREE - 0.02, color=lv.tint("near"))


def tower(lv, x, top, storeys, name="Tower"):
    """A landmark: a stone tower behind the path, four units wide, with
    battlements; drawn only, nothing to collide with."""
    tint = tuple(c * 0.85 for c in lv.tint("ground"))
    h = 2 * storeys
    lv.tiles("stone-block", x - 2, x + 2, top + h, rows=storeys, z=Z_PROP + 0.01, color=tint)
    for bx in (x - 2, x + 2 - 1.0):
        lv.add(name, (bx + 0.5, top + h + 0.5), (1, 1), Z_PROP + 0.01, texture="stone-block", color=tint)


def bridge(lv, x0, x1, top, depth=6.0):
    """A plank bridge over a spike trench: the spikes are seen from above, where
    they cannot hurt, before the first pit that has no bridge."""
    lv.pit(x0, x1, top=top, depth=depth)
    lv.ledge(x0, x1, top)


def pen(lv, x0, x1, top, depth=8.0):
    """A sunken pen under a plank bridge: whatever hops in it is seen from
    above, and its hops fall short of the planks."""
    floor = top - depth
    lv.ground(x0, x1, floor, tufts=False)
    lv.grounds.pop()  # nothing grows in the pen
    lv.quad("Pen wall", x0, floor, x1, top, shade(PIT_WALL, lv.tint("ground")), z=Z_PIT_WALL)
    lv.ledge(x0, x1, top)
    return floor


def arch(lv, x0, x1, floor, top):
    """A stone gate: a lintel from ARCH_CLEARANCE over `floor` up to `top` on two
    posts drawn behind the path, so the way under it stays open."""
    lv.wall(x0, x1, floor + ARCH_CLEARANCE, top)
    tint = tuple(c * 0.7 for c in lv.tint("ground"))
    for post in (x0, x1 - 2):
        lv.tiles("stone-block", post, post + 2, floor + ARCH_CLEARANCE, rows=2, z=Z_PROP, color=tint)


def level1():
    lv = Level(look=GOLDEN_EVENING)
    # Each obstacle is followed by more ground than a running jump covers (about
    # 26 units) plus the landing squash, so a jump up a step or over a pit never
    # lands the player at the edge of the next one. The first spikes lie under a
    # bridge; the first pit is narrow, its far side in view at take-off.
    start(lv, -24, 280)
    lv.sprite("Walk and jump", "tutorial1", 14, 0, size=0.9, z=Z_SIGN)
    lv.ground(-24, 40, 0)
    lv.ground(40, 60, 2)
    lv.ground(60, 68, 5)
    lv.warning(63, 5)
    bridge(lv, 68, 80, 5)
    lv.ground(80, 96, 5)
    lv.warning(91, 5)
    lv.pit(96, 102, top=5)
    # A climb to the hilltop where the great oak stands, and down the far side.
    lv.ground(102, 126, 5)
    lv.ground(126, 140, 9)
    lv.ground(140, 166, 13)
    great_tree(lv, 153, 13)
    lv.ground(166, 178, 9)
    lv.ground(178, 196, 5)
    lv.warning(191, 5)
    lv.pit(196, 204, top=5)
    lv.ground(204, 226, 5)
    # A ledge over the last pit: a hop onto it, a hop off, each landing in view.
    lv.warning(221, 5)
    lv.pit(226, 244, top=5)
    lv.ledge(232, 238, 8)
    lv.ground(244, 280, 5)
    lv.sprite("Sign", "signpost", 260, 5, z=Z_PROP)
    lv.exit(270, 5)
    finish(lv, -24, 280, seed=1)
    save(lv, 10, "Level 1 (golden evening): walking and jumping. Steps, spikes under a\n"
                 "bridge, a narrow pit, a climb over the hill of the great oak, a ledge over\n"
                 "the last pit.")


def level2():
    lv = Level(look=DUSK)
    # As in level 1, the ground after each jump is longer than a running jump
    # and its landing squash, so every gap can be taken from a fresh run-up.
    # The wider gaps are jumped from higher ground than they land on, so the far
    # side shows below the player before the jump.
    start(lv, -24, 344)
    lv.ground(-24, 30)
    lv.warning(25, 0)
    lv.pit(30, 40)
    lv.ground(40, 66)
    lv.ground(66, 92, 4)
    lv.warning(86, 4)
    lv.pit(92, 106)
    lv.ground(106, 138)
    # The ledges over the long pit are short hops, each next one in view from
    # the last (the camera trails the player): a stair up to the high bank.
    lv.warning(133, 0)
    lv.pit(138, 198)
    lv.ledge(141, 149, 2)
    lv.ledge(155, 163, 5)
    lv.ledge(169, 177, 8)
    lv.ledge(183, 191, 8)
    lantern(lv, 145, 2)
    lantern(lv, 173, 8)
    lv.ground(198, 238, 8)
    # The post stands close to this pit: a player who stops by it sees the far
    # bank, 18 units on and lower, at the edge of the view.
    lv.warning(234, 8)
    lv.pit(238, 256, top=4)
    lv.ground(256, 296, 4)
    lv.ground(296, 344, 10)
    # The landmark: the old watchtower over the last rise, by the exit.
    tower(lv, 318, 10, 7)
    lv.exit(334, 10)
    finish(lv, -24, 344, seed=2)
    save(lv, 11, "Level 2 (dusk): gaps and ledges. Wider pits need a run-up; a stair of\n"
                 "lantern-lit ledges up over a spike pit to the high bank; the old watchtower\n"
                 "at the end.")


def level3():
    lv = Level(look=MORNING)
    # The cliff's plateau stands higher than any other level's ground: the end
    # walls rise with it, out of reach of a bomb-boosted jump from the top.
    start(lv, -24, 240, walls=72)
    lv.sprite("Throw and blast", "tutorial2", 14, 0, size=0.9, z=Z_SIGN)
    lv.ground(-24, 60)
    lv.crate(48, 0)
    lv.ground(60, 108, 8)
    # The second crate stands just past where the climb lands; a jump over it
    # comes down well short of the next wall.
    lv.crate(80, 8)
    # The first bomb-boosted jump has the cliff's own shape, a gap and then a
    # wall too high to jump, but the gap is a grassy hollow a plain jump climbs
    # out of: a bomb that rolls off the edge or a blast at the wrong moment
    # costs a walk back, not a life. The same jump then comes up the cliff over
    # a spike pit.
    lv.ground(108, 116, 4)
    lv.ground(116, 170, 20)
    lv.warning(164, 20)
    lv.pit(170, 178, top=20)
    lv.ground(178, 240, 36)
    # The landmark: a watchtower on the high plateau, seen from below the cliff.
    tower(lv, 208, 36, 6)
    lv.exit(230, 36)
    finish(lv, -24, 240, seed=3)
    save(lv, 12, "Level 3 (morning, pines): bombs. Blast the crate to the wall and climb it;\n"
                 "a bomb-boosted jump over a safe hollow up a wall too high to jump, then the\n"
                 "same jump up a cliff over a spike pit to the watchtower.")


def level4():
    lv = Level(look=NOON_DRY)
    # Hazards on the ground stand more than a running jump apart, so a jump over
    # one never comes down on the next. The spikes grow: a single tile, then a
    # hollow full of them crossed on planks, then rows to jump from a shelf and
    # from flat ground, then ledges over a spike floor.
    start(lv, -24, 412)
    lv.ground(-24, 36, 0)
    lv.warning(19, 0)
    lv.spikes(24, 26, 0)
    lv.ground(36, 50, 4)
    lv.warning(45, 4)
    bridge(lv, 50, 74, 4, depth=4)
    lv.ground(74, 118, 4)
    lv.warning(87, 4)
    lv.spikes(92, 98, 4)
    lv.ground(118, 170, 0)
    lv.warning(135, 0)
    lv.spikes(140, 148, 0)
    lv.warning(165, 0)
    lv.pit(170, 220, depth=6)
    lv.ledge(176, 183, 1)
    lv.ledge(190, 197, 3)
    lv.ledge(204, 211, 1)
    lv.ground(220, 380, 0)
    lv.warning(251, 0)
    lv.spikes(256, 262, 0)
    # The landmark: a lone rock pillar in the dry hills.
    tower(lv, 272, 0, 5, name="Rock")
    lv.warning(291, 0)
    lv.wall(296, 300, 0, 4)
    lv.spikes(296, 300, 4)
    # Last, a bed of spikes longer than any jump runs up to the bank of the
    # exit: the way on is an old stone span over it, reached with the
    # bomb-boosted jump of level 3. It starts a few units out, so the climb
    # clears its edge and a boost that falls short lands on bare ground.
    lv.warning(334, 0)
    lv.wall(336, 380, 10, 12)
    lv.spikes(340, 380, 0)
    lv.ground(380, 412, 10)
    lv.exit(398, 10)
    finish(lv, -24, 412, seed=4)
    save(lv, 13, "Level 4 (noon in the dry hills): spikes. A single tile, a hollow of them\n"
                 "crossed on planks, rows to jump, ledges over a spike floor, a spiked block,\n"
                 "a rock pillar, and a stone span over a spike bed too long to jump, reached\n"
                 "with a bomb-boosted jump.")


def level5():
    lv = Level(look=OVERCAST)
    start(lv, -24, 226)
    # The platforms run fast and rest a few seconds at each end (a platform's
    # delay is its trip plus its rest), so a player who just missed one waits a
    # moment, not half a minute, for its return.
    # First a lift in a safe hollow: the player meets a moving platform where
    # missing it costs nothing (a jump gets out), before the ferries over spikes.
    lv.ground(-24, 8)
    lv.ground(8, 16, -9)
    lv.ground(16, 30)
    lv.warning(25, 0)
    # The pit is short enough that a player waiting at its edge sees the ferry's
    # far end and the bank it stops at; that bank stands higher than a running
    # jump from the edge reaches, so the ferry is still the way over.
    lv.pit(30, 52)
    # The first ferry sets off from the far side, so it comes to meet a player
    # arriving from the lift, and rests there 3.5 s. At this end it waits a
    # unit from the edge and a little below it, so the player walks on at once
    # instead of jumping for a ride that may leave while the jump is in the air.
    lv.platform((46, -1.8), (34, -1.8), speed=12, delay=4.5)
    lv.ground(52, 80, 5)
    lv.ground(80, 100)
    lv.warning(95, 0)
    lv.pit(100, 108)
    lv.platform((104, -1.5), (104, 14.5), speed=8, delay=4)
    lv.ground(108, 150, 16)
    lv.warning(145, 16)
    lv.pit(150, 190, top=16)
    # The second ferry's trip is long, so its delay is too: it still rests
    # long enough at each end to be boarded, and like the first it waits a
    # step below the near edge.
    lv.platform((154, 14.2), (184, 14.2), speed=12, delay=5)
    lv.ground(190, 226, 16)
    # The landmark: a giant pine at the top of the lift.
    great_tree(lv, 124, 16, texture="pine", size=3.0)
    lv.exit(216, 16)
    # The hollow's lift comes last, so the ferries keep their places in the file.
    # At rest it stands on the hollow's floor, in sight; the hollow is deeper
    # than a jump, so a player who drops in rides it out.
    lv.platform((12, -7), (12, -2), speed=4, delay=2.5, width=8)
    finish(lv, -24, 226, seed=5)
    save(lv, 14, "Level 5 (grey afternoon on the cliffs): moving platforms. A lift in a safe\n"
                 "hollow, a ferry over a spike pit, a lift up the cliff to a giant pine and a\n"
                 "second ferry.")


def level6():
    lv = Level(look=AFTERNOON)
    # The pusher comes before the trench: a right click anywhere arms every
    # pusher, and one armed by an earlier blast shoves the approaching player
    # away and is gone.
    start(lv, -24, 302)
    # The first enemy hops in a pen under the path. Nothing on the path asks
    # for a blast before the pusher: one armed early swells until it hides the
    # wall and everything near it by the time the player gets there.
    lv.ground(-24, 20)
    lv.enemy(28, pen(lv, 20, 36, 0))
    lv.ground(36, 76)
    lv.pusher(70, 0)
    # The trench is short enough that its far side shows from its near edge,
    # where a bomb-boosted jump over its two enemies takes off.
    lv.ground(76, 110, 11)
    lv.ground(110, 130, 8)
    lv.enemy(116, 8)
    lv.enemy(124, 8)
    lv.ground(130, 256, 11)
    lv.enemy(176, 11)
    # A stone gate too tall for a plain jump, its way through blocked by a
    # crate: a blast from this side shoves the crate out of the far end (a
    # bomb-boosted jump over the top also does).
    arch(lv, 204, 216, 11, 26)
    lv.crate(210, 11)
    lv.warning(251, 11)
    lv.pit(256, 268, top=11)
    lv.ground(268, 302, 11)
    # The landmark: a great oak over the wall the pusher throws the player up.
    great_tree(lv, 92, 11)
    lv.exit(292, 11)
    finish(lv, -24, 302, seed=6)
    save(lv, 15, "Level 6 (warm afternoon): hopping enemies and a pusher. One in a pen under\n"
                 "the path; right-click beside the pusher to be thrown up the wall by the\n"
                 "great oak; jump or blast the enemies aside; blast the crate out from under\n"
                 "the rock arch.")


def level7():
    lv = Level(look=NIGHT)
    # Between two saws' sweeps there is always ground no saw reaches, where the
    # player can stand and wait for the next one. A ground saw's whole sweep
    # lies within what a player stopped at its warning post sees (about 24
    # units ahead), so both of its turns are in view before the player commits,
    # and its nearer turn stays more than 6 units past the post.
    start(lv, -24, 260)
    lv.ground(-24, 14)
    lv.ground(26, 80)
    lv.warning(28, 0)
    lv.saw(42, 1.6, (6, 0), (36, -5), (49, 10))
    lv.warning(67, 0)
    lv.pit(80, 92)
    lv.saw(86, 2, (0, 5), (70, -7), (100, 10))
    lv.ground(92, 190)
    lv.warning(100, 0)
    lv.saw(113, 1.6, (7, 0), (108, -5), (121, 10))
    lv.warning(138, 0)
    lv.saw(151, 1.6, (-7, 0), (146, -5), (159, 10))
    lv.warning(183, 0)
    lv.pit(190, 224)
    lv.ledge(194, 202, 3)
    lv.ledge(210, 218, 5)
    lv.saw(206, 6, (4, 3), (192, 2), (220, 12))
    lv.ground(224, 260)
    # The first saw runs in a trench under a plank bridge, below where it can
    # reach: seen from above before the ground saws. Last in the file, so the
    # others keep their numbers.
    lv.warning(8, 0)
    bridge(lv, 14, 26, 0, depth=8)
    lv.saw(20, -5.5, (5, 0), (17, -5.5), (23, -5.5))
    # Lanterns where the player stands and waits between the saws.
    for x in (-6, 102, 140, 236):
        lantern(lv, x, 0)
    lv.exit(250, 0)
    finish(lv, -24, 260, seed=7)
    save(lv, 16, "Level 7 (moonlit night): moving hazards. Saws to time along the ground,\n"
                 "over a pit and above two ledges; lanterns where it is safe to wait.")


def fortress(lv, x0, x1, top):
    """The landmark of the last level: a curtain wall with battlements between
    two towers, a taller keep over the gate in the middle; drawn only."""
    tint = tuple(c * 0.8 for c in lv.tint("ground"))
    wall_h = 6
    lv.tiles("stone-block", x0, x1, top + wall_h, rows=wall_h // 2, z=Z_PROP + 0.02, color=tint)
    for bx in range(int(x0), int(x1), 2):
        lv.add("Battlement", (bx + 0.5, top + wall_h + 0.5), (1, 1), Z_PROP + 0.02, texture="stone-block",
               color=tint)
    tower(lv, x0 + 2, top, 8, name="Fortress tower")
    tower(lv, x1 - 2, top, 8, name="Fortress tower")
    tower(lv, (x0 + x1) / 2, top, 10, name="Keep")


def level8():
    lv = Level(look=RED_DUSK)
    # The finale of play: each thing the earlier levels taught, one after the
    # other, each announced by a warning post or seen from above before it is in
    # the way: a crate to blast to a wall, spikes, a ferry, an enemy on a rampart,
    # a saw in the yard below it and the cliff to the fortress, which a
    # bomb-boosted jump climbs. No pusher stands by the saw: the crate's blast
    # would arm it, and it would shove an approaching player back into the saw.
    start(lv, -24, 336)
    lv.ground(-24, 40)
    lv.crate(30, 0)
    lv.ground(40, 96, 8)
    lv.warning(61, 8)
    lv.spikes(66, 70, 8)
    # The ferry's pit is narrow enough that its far bank shows from the edge,
    # where a player waits for the ferry without losing sight of it; a long
    # bank beyond gives room to land off the ferry before the rampart.
    lv.warning(91, 8)
    lv.pit(96, 116, top=8)
    lv.platform((100, 6.5), (112, 6.5), speed=8, delay=3)
    lv.ground(116, 156, 8)
    # Up onto the rampart, where the enemy hops past where the climb lands; from
    # its end post the saw's nearer turn shows below, before the drop.
    lv.ground(156, 214, 13)
    lv.warning(184, 13)
    lv.enemy(190, 13)
    lv.warning(212, 13)
    # The yard is long enough that running off the rampart lands short of the
    # saw, and past the saw's sweep there is room to stand and bomb-jump.
    lv.ground(214, 266, 8)
    # From the yard's post, where a player running off the rampart lands, the
    # saw's whole sweep is in view.
    lv.saw(238, 9.6, (6, 0), (232, 3), (243, 20))
    lv.warning(225, 8)
    lantern(lv, 261, 8)
    # The cliff, 18 units, with the fortress on top: the goal stands over the
    # yard, so a player sees it while waiting for the saw. The bomb-boosted jump
    # carries far; its landing is well short of the gate.
    lv.ground(266, 336, 26)
    fortress(lv, 288, 320, 26)
    for x in (294, 314):
        lantern(lv, x, 26)
    lv.exit(304, 26)
    finish(lv, -24, 336, seed=8)
    save(lv, 17, "Level 8 (red dusk): everything together. Crate climb, spikes, a ferry, an\n"
                 "enemy on a rampart, a saw in the yard below it and a cliff for a\n"
                 "bomb-boosted jump up to the fortress.")


def finale():
    lv = Level(look=STARRY)
    start(lv, -24, 64)
    lv.ground(-24, 64)
    # The picture on a stone plinth behind the path, between two lanterns.
    lv.sprite("You win", "winscreen", 20, 4, size=1.0, z=Z_SIGN)
    lv.tiles("stone-block", 18, 22, 4, rows=2, z=Z_SIGN, color=lv.tint("ground"))
    for x in (6, 34):
        lantern(lv, x, 0)
    lv.exit(50, 0)
    finish(lv, -24, 64, seed=9, clouds=3)
    save(lv, 18, "The finale (starry night): the win picture, and the exit to the credits.")


if __name__ == "__main__":
    for make in (slot0, slot1, slot2, slot3, level1, level2, level3, level4, level5, level6,
                 level7, level8, finale):
        make()
