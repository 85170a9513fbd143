#!/usr/bin/env python3
"""The layering check (tools/check_layers.py) on scratch trees: a sound tree
passes, and every planted fault fails, naming the file, the line and the
include; the project itself passes."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

PROJECT = Path(__file__).resolve().parents[2]
SCRIPT = PROJECT / "tools" / "check_layers.py"

README = """# Scratch

## Layout

- The layers:

      (app, benchmarks) > desk > (desk/tools, reports) > common > encoding
      common/: grid > (windows, database) > text > internal

- `desk/tools/` a level below `desk/`.

## Conventions

Nothing here is an order: a > b.
"""

# Every rule in use once, broken nowhere.
SOUND = {
    "app/main.cpp": '#include "desk/desk.h"\n#include "common/runtime.h"\n',
    "app/main.h": "",
    "desk/desk.h": '#include "desk/tools/about.h"\n#include "reports/report.h"\n#include "common/grid/grid.h"\n',
    "desk/tools/about.h": '#include "common/windows/unit.h"\n',
    "reports/report.h": '#include "common/text/text.h"\n#include <vector>\n',
    "common/runtime.h": '#include "common/grid/grid.h"\n#include "common/database/database.h"\n',
    "common/grid/grid.h": '#include "common/windows/unit.h"\n',
    "common/grid/grid.cpp": '#include "common/grid/grid.h"\n#include "common/internal/qtext.h"\n#include <QPainter>\n',
    "common/windows/unit.h": '#include "common/text/text.h"\n',
    "common/database/database.h": '#include "common/text/text.h"\n',
    "common/text/text.h": "#include <string>\n",
    "common/text/qtext.cpp": '#include "common/internal/qtext.h"\n#include "encoding/abi.h"\n',
    "common/internal/qtext.h": "#include <QString>\n",
    "encoding/abi.h": "#include <cstdint>\n",
    "encoding/tools/table.cpp": '#include "encoding/abi.h"\n',
    "benchmarks/bench.cpp": '#include "desk/desk.h"\n#include "common/database/database.h"\n',
    "tests/desk/desk_test.cpp": '#include "app/main.h"\n#include "common/internal/qtext.h"\n#include <QWidget>\n',
    "tools/draw.cpp": "#include <QImage>\n",
}

# (what is planted, file, its text, what the failure must say)
FAULTS = [
    ("a folder includes one above it", "common/database/database.cpp",
     '#include <vector>\n#include "common/grid/grid.h"\n',
     ['common/database/database.cpp:2: #include "common/grid/grid.h"', "lies above it"]),
    ("a folder includes one of its own layer", "common/windows/list.cpp",
     '#include "common/database/database.h"\n',
     ['common/windows/list.cpp:1: #include "common/database/database.h"', "of its own layer"]),
    ("a subfolder includes its parent, which includes it", "desk/tools/about.cpp",
     '#include "desk/desk.h"\n',
     ['desk/tools/about.cpp:1: #include "desk/desk.h"', "desk/ and desk/tools/ include each other"]),
    ("the library includes the runtime", "encoding/lumtra.cpp",
     '#include "common/text/text.h"\n',
     ['encoding/lumtra.cpp:1: #include "common/text/text.h"', "lies above it"]),
    ("a benchmark includes app/", "benchmarks/start.cpp",
     '#include "app/main.h"\n',
     ['benchmarks/start.cpp:1: #include "app/main.h"', "of its own layer"]),
    ("program code includes common/internal/", "reports/report.cpp",
     '#include "reports/report.h"\n#include "common/internal/qtext.h"\n',
     ['reports/report.cpp:2: #include "common/internal/qtext.h"', "common/internal/"]),
    ("program code includes Qt", "desk/desk.cpp",
     '#include "desk/desk.h"\n#include <QWidget>\n',
     ["desk/desk.cpp:2: #include <QWidget>", "only common/ includes Qt"]),
    ("a public header brings Qt in", "common/windows/unit.h",
     '#include "common/text/text.h"\n#include <QWidget>\n',
     ['desk/tools/about.h:1: #include "common/windows/unit.h"', "<QWidget>"]),
    ("a folder of common/ its order leaves out", "common/printing/printer.cpp",
     '#include "common/text/text.h"\n',
     ["common/printing/printer.cpp: lies in no layer"]),
    ("a folder the order leaves out", "extras/extra.cpp", "",
     ["extras/extra.cpp: lies in no layer"]),
    ("program code includes a test", "desk/desk.cpp",
     '#include "tests/desk/desk_test.cpp"\n',
     ['desk/desk.cpp:1: #include "tests/desk/desk_test.cpp"', "no folder includes tests/"]),
]


def run_check(root):
    return subprocess.run([sys.executable, str(SCRIPT), str(root)], capture_output=True, text=True)


class ScratchTree:
    def __init__(self, files, readme=README):
        self.dir = tempfile.TemporaryDirectory()
        self.root = Path(self.dir.name)
        (self.root / "README.md").write_text(readme, encoding="utf-8")
        for name, text in files.items():
            path = self.root / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")

    def __enter__(self):
        return self.root

    def __exit__(self, *exc):
        self.dir.cleanup()


class CheckLayersTest(unittest.TestCase):
    def test_a_sound_tree_passes(self):
        with ScratchTree(SOUND) as root:
            result = run_check(root)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_every_planted_fault_fails_naming_file_line_and_include(self):
        for fault, name, text, expected in FAULTS:
            with self.subTest(fault), ScratchTree({**SOUND, name: text}) as root:
                result = run_check(root)
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                for part in expected:
                    self.assertIn(part, result.stdout)

    def test_a_readme_without_an_order_is_refused(self):
        with ScratchTree(SOUND, readme="# Scratch\n\n## Layout\n\n- folders: app, desk\n") as root:
            result = run_check(root)
        self.assertEqual(result.returncode, 2)
        self.assertIn("draws no order", result.stderr)

    def test_the_project_keeps_its_layers(self):
        result = run_check(PROJECT)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


if __name__ == "__main__":
    unittest.main()
