#!/usr/bin/env python3
"""Checks that the program's includes point down its layers.

Each folder of the program stands on a layer; a file may include files of its own folder and of
folders on lower layers, never of a folder on its own layer or above. A unit is a source file
with its header (X.cpp and X.h, or X.cpp alone, or X.h alone); units that include each other
through others form a circle. Circles may not cross folders, and at most MAX_CIRCLES of them
remain. No file of the engine is longer than MAX_LINES lines.

Run from anywhere: python3 tools/check-layers.py [--list]. It prints each fault and exits with 1
when there is one; --list prints the layers, the circles and the longest files as well.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# From the ground up. Folders on one line share a layer and may not include each other.
LAYERS = [
    ["text", "imaging"],
    ["platform"],
    ["framework"],
    ["skin/data"],
    ["skin/render"],
    ["skin/controls"],
    ["skin/forms"],
    ["skins"],
    ["app"],
    ["packaging"],
]
ENGINE = ["text", "imaging", "platform", "framework", "skin/data", "skin/render", "skin/controls",
          "skin/forms"]
MAX_CIRCLES = 3
MAX_LINES = 600

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(folder):
    for rank, names in enumerate(LAYERS):
        for name in names:
            if folder == name or folder.startswith(name + "/"):
                return rank, name
    return None, None


def sources():
    for rank, names in enumerate(LAYERS):
        for name in names:
            top = os.path.join(ROOT, name)
            for dirpath, _, files in os.walk(top):
                for f in sorted(files):
                    if f.endswith((".h", ".cpp")):
                        path = os.path.relpath(os.path.join(dirpath, f), ROOT)
                        yield path.replace(os.sep, "/")


def unit(path):
    return os.path.splitext(path)[0]


def includes(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
        text = f.read()
    found = []
    here = os.path.dirname(path)
    for name in INCLUDE.findall(text):
        for candidate in (name, os.path.normpath(os.path.join(here, name)).replace(os.sep, "/")):
            if os.path.isfile(os.path.join(ROOT, candidate)):
                found.append(candidate)
                break
    return found, text.count("\n")


def circles(edges):
    """Strongly connected components of more than one unit (Tarjan, iterative)."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = [0]
    for start in sorted(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges[start])))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, it = work[-1]
            advanced = False
            for nxt in it:
                if nxt not in edges:
                    continue
                if nxt not in index:
                    index[nxt] = low[nxt] = counter[0]
                    counter[0] += 1
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(sorted(edges[nxt]))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    result.append(sorted(component))
    return sorted(result)


def main():
    listing = "--list" in sys.argv[1:]
    faults = []
    edges = {}
    lengths = {}
    for path in sources():
        folder = os.path.dirname(path)
        rank, layer = layer_of(folder)
        targets, lines = includes(path)
        lengths[path] = lines
        edges.setdefault(unit(path), set())
        for target in targets:
            target_rank, target_layer = layer_of(os.path.dirname(target))
            if target_rank is None:
                continue
            if target_layer != layer and target_rank >= rank:
                faults.append(f"{path} includes {target}: {target_layer} is not below {layer}")
            if unit(target) != unit(path):
                edges[unit(path)].add(unit(target))
    found = circles(edges)
    for component in found:
        folders = {os.path.dirname(u) for u in component}
        if len(folders) > 1:
            faults.append("a circle crosses folders: " + ", ".join(component))
    if len(found) > MAX_CIRCLES:
        faults.append(f"{len(found)} circles, at most {MAX_CIRCLES}")
    for path, lines in sorted(lengths.items()):
        if layer_of(os.path.dirname(path))[1] in ENGINE and lines > MAX_LINES:
            faults.append(f"{path} has {lines} lines, more than {MAX_LINES}")
    if listing:
        for rank, names in enumerate(LAYERS):
            print(f"layer {rank}: {' '.join(names)}")
        for component in found:
            print("circle: " + ", ".join(component))
        longest = sorted(lengths.items(), key=lambda item: -item[1])[:10]
        for path, lines in longest:
            print(f"{lines:6} {path}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
