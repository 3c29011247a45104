#!/usr/bin/env python3
"""Checks the program's includes against its layers.

Every `#include "..."` of a source outside tests/, bench/ and fuzz/ must name
a file of the tree in its own top folder or in one the table allows, and no
files may depend on each other in a circle. A header and the source of the
same name count as one file, since the source is the header's other half.
Usage: check-layers.py SOURCE_ROOT; prints what breaks the rules and exits 1.
"""
import re
import sys
from pathlib import Path

# The folders of the program, each with the folders it may include besides
# itself: one way down, app -> platform -> forms -> logbook -> colour ->
# model. data/ holds the compiled-in resources, which only the toolkit side
# loads.
ALLOWED = {
    "app": {"platform", "forms", "logbook", "colour", "model", "data"},
    "platform": {"forms", "logbook", "colour", "model", "data"},
    "forms": {"logbook", "colour", "model"},
    "logbook": {"colour", "model"},
    "colour": {"model"},
    "model": set(),
    "data": set(),
}
NOT_PROGRAM = {"tests", "bench", "fuzz", "build", "cmake"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def sources(root):
    for top in sorted(root.iterdir()):
        if top.is_dir() and top.name not in NOT_PROGRAM and not top.name.startswith("."):
            yield from sorted(p.relative_to(root) for p in top.rglob("*") if p.suffix in (".cpp", ".h"))


def circles(graph):
    """The groups of two or more files that reach each other (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in graph.get(node, ()):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while not group or group[-1] != node:
                group.append(stack.pop())
                on_stack.discard(group[-1])
            if len(group) > 1:
                found.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main(root):
    faults, graph, seen = [], {}, set()
    for rel in sources(root):
        folder = rel.parts[0]
        seen.add(folder)
        if folder not in ALLOWED:
            faults.append(f"{rel}: its folder {folder}/ has no place in the table of layers")
            continue
        unit = rel.with_suffix("").as_posix()
        for name in INCLUDE.findall((root / rel).read_text(encoding="utf-8")):
            beside = rel.parent / name
            target = beside if (root / beside).is_file() else Path(name)
            if not (root / target).is_file():
                faults.append(f"{rel}: includes {name}, which names no file of the tree")
                continue
            target = Path(*(root / target).resolve().relative_to(root.resolve()).parts)
            if target.parts[0] != folder and target.parts[0] not in ALLOWED[folder]:
                faults.append(f"{rel}: includes {target}, a layer {folder}/ may not use")
            if target.with_suffix("").as_posix() != unit:
                graph.setdefault(unit, set()).add(target.with_suffix("").as_posix())
    faults += [f"{folder}/: holds no sources; is the root right?" for folder in sorted(ALLOWED.keys() - seen)]
    faults += ["circle of includes: " + " <-> ".join(group) for group in circles(graph)]
    print("\n".join(faults) if faults else f"{len(graph)} files include within their layers, in no circle")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
