#!/usr/bin/env python3
"""Checks the project's layers: reads every #include line and fails, naming
the file, the line and the include, where a folder includes one above it or
one of its own layer, where two folders include each other, and where code
outside common/ includes a header of common/internal/ or a Qt header (itself
or through a header of common/ that brings one in).

The order is the one the README's Layout draws: its lines of the form
    a > (b, c) > d
name the layers top to bottom, a parenthesised group being one layer; a line
headed "x/:" orders the subfolders of x, all of which lie below the files
directly in x and each of which it must name. A named folder holds its
subfolders but those named themselves. tests/ and tools/ lie outside the
layers: they may include anything, and nothing includes them.

Usage: check_layers.py [project root]   (default: the folder above tools/)
Standard library only.
"""

import os
import re
import sys
from pathlib import Path

SOURCE_SUFFIXES = {".h", ".hpp", ".c", ".cc", ".cpp"}
OUTSIDE = ("tests", "tools")           # may include anything; nothing includes them
QT_LAYER = "common"                    # the only layer that includes Qt
INTERNAL = "common/internal"

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")
CHAIN_LINE = re.compile(r"^(?:([\w/]+)/:\s*)?([\w/(), ]+(?:>[\w/(), ]+)+)$")


class LayoutError(Exception):
    pass


def read_layers(readme):
    """Rank of every named folder (a tuple, smaller is higher), and the
    folders whose subfolders are ordered."""
    text = readme.read_text(encoding="utf-8")
    match = re.search(r"^## Layout\n(.*?)(?=^## |\Z)", text, re.S | re.M)
    if not match:
        raise LayoutError(f"{readme.name}: no section \"## Layout\"")
    top, nested = None, []
    for line in match.group(1).splitlines():
        chain = CHAIN_LINE.match(line.strip())
        if not chain:
            continue
        parent, body = chain.group(1), chain.group(2)
        layers = [parse_layer(part) for part in body.split(">")]
        if parent:
            nested.append((parent, layers))
        elif top is None:
            top = layers
        else:
            raise LayoutError(f"{readme.name}: two orders of the top-level folders in the Layout")
    if top is None:
        raise LayoutError(f"{readme.name}: the Layout draws no order of the folders (a line \"a > b > c\")")
    ranks = {}
    for index, layer in enumerate(top):
        for name in layer:
            ranks[name] = (index, 0)
    for parent, layers in nested:
        if parent not in ranks:
            raise LayoutError(f"{readme.name}: \"{parent}/:\" orders the subfolders of a folder the top order does not name")
        for index, layer in enumerate(layers):
            for name in layer:
                ranks[f"{parent}/{name}"] = (ranks[parent][0], index + 1)
    return ranks, {parent for parent, _ in nested}


def parse_layer(part):
    part = part.strip()
    if part.startswith("(") and part.endswith(")"):
        names = [name.strip() for name in part[1:-1].split(",")]
    else:
        names = [part]
    if not names or any(not re.fullmatch(r"[\w/]+", name) for name in names):
        raise LayoutError(f"README: cannot read the layer \"{part}\"")
    return names


class Project:
    def __init__(self, root):
        self.root = root
        self.ranks, self.ordered_parents = read_layers(root / "README.md")
        self.sources = sorted(self.find_sources())
        self.includes = {source: self.read_includes(source) for source in self.sources}
        self.qt_reach = {}

    def find_sources(self):
        """Every source below the root's folders; build trees and hidden
        folders are no part of the project."""
        for top in sorted(self.root.iterdir()):
            if not top.is_dir() or top.name.startswith((".", "build")):
                continue
            for folder, subfolders, files in os.walk(top):
                subfolders[:] = [name for name in subfolders if not name.startswith(".")]
                for name in files:
                    if Path(name).suffix in SOURCE_SUFFIXES:
                        yield (Path(folder) / name).relative_to(self.root).as_posix()

    def read_includes(self, source):
        found = []
        lines = (self.root / source).read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if match:
                found.append((number, match.group(1) == "<", match.group(2)))
        return found

    def resolve(self, source, name):
        """The project file a quoted include names, or None."""
        for candidate in (Path(name), Path(source).parent / name):
            path = self.root / candidate
            if path.is_file():
                try:
                    return path.resolve().relative_to(self.root.resolve()).as_posix()
                except ValueError:    # a file outside the project
                    return None
        return None

    def folder_of(self, path):
        """The layer a file lies in, "outside:<name>", or None when unnamed."""
        parts = path.split("/")[:-1]
        if parts and parts[0] in OUTSIDE:
            return "outside:" + parts[0]
        for length in range(len(parts), 0, -1):
            name = "/".join(parts[:length])
            if name in self.ranks:
                below = parts[length:length + 1]
                if below and name in self.ordered_parents:
                    return None    # a subfolder its parent's order leaves out
                return name
        return None

    def qt_header_behind(self, path):
        """A Qt header `path` includes, itself or through project headers:
        (chain of project files, Qt header) or None."""
        if path in self.qt_reach:
            return self.qt_reach[path]
        self.qt_reach[path] = None    # a cycle of includes brings nothing new
        result = None
        for _, angled, name in self.includes.get(path, []):
            if angled:
                if QT_HEADER.match(name):
                    result = ([], name)
                    break
                continue
            target = self.resolve(path, name)
            if target:
                behind = self.qt_header_behind(target)
                if behind:
                    result = ([target] + behind[0], behind[1])
                    break
        self.qt_reach[path] = result
        return result


def check(root):
    project = Project(root)
    problems = []
    edges = {}     # (from folder, to folder) -> the first include that joins them
    for source in project.sources:
        folder = project.folder_of(source)
        if folder is None:
            problems.append(f"{source}: lies in no layer of the README's Layout")
            continue
        if folder.startswith("outside:"):
            continue
        for number, angled, name in project.includes[source]:
            shown = f"<{name}>" if angled else f'"{name}"'
            where = f"{source}:{number}: #include {shown}"
            if angled:
                if QT_HEADER.match(name) and folder.split("/")[0] != QT_LAYER:
                    problems.append(f"{where}: only common/ includes Qt headers")
                continue
            target = project.resolve(source, name)
            if target is None:
                continue
            problems += check_include(project, folder, target, where, edges)
    for (a, b), where in sorted(edges.items()):
        if a < b and (b, a) in edges:
            problems.append(f"{a}/ and {b}/ include each other: {where} and {edges[(b, a)]}")
    return problems


def check_include(project, folder, target, where, edges):
    problems = []
    target_folder = project.folder_of(target)
    top = folder.split("/")[0]
    if target_folder is not None and target_folder.startswith("outside:"):
        return [f"{where}: no folder includes {target_folder[len('outside:'):]}/"]
    if top != QT_LAYER and target.startswith(QT_LAYER + "/"):
        if target.startswith(INTERNAL + "/"):
            return [f"{where}: {INTERNAL}/ is common's own; outside common/ only its public headers are included"]
        # A header of another folder that brings Qt in is reported where it
        # includes it, not again at each file that includes that header.
        behind = project.qt_header_behind(target)
        if behind:
            chain = " -> ".join([target] + behind[0])
            problems.append(f"{where}: brings in the Qt header <{behind[1]}> ({chain}); only common/ includes Qt")
    if target_folder is None or target_folder == folder:
        return problems
    edges.setdefault((folder, target_folder), where)
    mine, theirs = project.ranks[folder], project.ranks[target_folder]
    if theirs < mine:
        problems.append(f"{where}: {folder}/ includes {target_folder}/, which lies above it")
    elif theirs == mine:
        problems.append(f"{where}: {folder}/ includes {target_folder}/ of its own layer")
    return problems


def main(argv):
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent
    try:
        problems = check(root)
    except LayoutError as error:
        print(f"check_layers: {error}", file=sys.stderr)
        return 2
    for problem in problems:
        print(problem)
    if problems:
        print(f"check_layers: {len(problems)} problem(s) with the layers of the README's Layout", file=sys.stderr)
        return 1
    print("check_layers: every include keeps the layers of the README's Layout")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
