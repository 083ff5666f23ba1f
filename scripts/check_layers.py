#!/usr/bin/env python3
"""Checks that the folders of src/ stay in layers: a file may include its own
folder and folders in layers below its own, never one beside or above it.
Since every include points strictly down, the folders cannot form a cycle.

Usage: check_layers.py <src folder>
Prints one line per offending include (file:line) and exits 1 if there is any.
"""
import pathlib
import re
import sys

# Bottom to top. Folders in one layer may not include each other. Files directly
# in src/ (main.cpp) sit above every layer.
LAYERS = [
    ["engine"],
    ["objects"],
    ["physics"],
    ["levels"],
    ["graphics"],
    ["audio", "particles"],
    ["menus"],
    ["gameplay"],
    ["editor"],
    ["game"],
]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')


def main():
    if len(sys.argv) != 2:
        print("usage: check_layers.py <src folder>", file=sys.stderr)
        return 2
    src = pathlib.Path(sys.argv[1])
    rank = {folder: level for level, folders in enumerate(LAYERS) for folder in folders}
    top = len(LAYERS)
    problems = []
    for folder in sorted(p.name for p in src.iterdir() if p.is_dir()):
        if folder not in rank:
            problems.append(f"{src / folder}: folder is in no layer (add it to LAYERS in {sys.argv[0]})")
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    if not files:
        problems.append(f"{src}: no sources found")
    for path in files:
        parts = path.relative_to(src).parts
        own = parts[0] if len(parts) > 1 else None
        own_rank = rank.get(own, top) if own else top
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), start=1):
            match = INCLUDE.match(line)
            if not match or match.group(1) == own:
                continue
            target = match.group(1)
            if target not in rank:
                if (src / target).is_dir():
                    problems.append(f"{path}:{number}: includes {target}/, a folder in no layer")
                continue
            if rank[target] >= own_rank:
                where = "beside" if rank[target] == own_rank else "above"
                problems.append(f"{path}:{number}: {own or 'src'} includes {target}/, a layer {where} its own")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
