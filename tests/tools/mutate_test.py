#!/usr/bin/env python3
"""The mutation tool's keys: the function it names for a line, and the known equivalents still
matched when a source moves to another folder of its library.
Usage: mutate_test.py <source tree>"""

import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TREE = Path(sys.argv.pop(1)).resolve() if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
sys.path.insert(0, str(TREE / "tools"))
import mutate  # noqa: E402


def name_of_marked_line(source):
    """The function mutate.py names for the line of `source` that holds `MARK`."""
    lines = source.split("\n")
    _, names = mutate.classify_lines([mutate.mask(line) for line in lines])
    return names[next(i for i, line in enumerate(lines) if "MARK" in line)]


class FunctionNames(unittest.TestCase):
    CASES = [
        ("member defined outside its class", "void Form1::add_controls() {\n    x = 1;  // MARK\n}", "Form1::add_controls"),
        ("constructor with an initializer list",
         "Form1::Form1(Runtime& runtime) : Form(runtime), m_a{1} {\n    x = 1;  // MARK\n}", "Form1::Form1"),
        ("signature over two lines", "std::string failure(const std::string& doing,\n"
                                     "                    int error) {\n    return doing;  // MARK\n}", "failure"),
        ("lambda inside a function", "void Form1::wire_events() {\n    tmr.Timer = [this] {\n"
                                     "        tick();  // MARK\n    };\n}", "Form1::wire_events"),
        ("block inside a function", "int f(int a) {\n    if (a > 0) {\n        for (;;) {\n"
                                    "            a = 2;  // MARK\n        }\n    }\n}", "f"),
        ("lambda bound at namespace scope", "namespace vex {\nconst auto pick = [](int a) {\n"
                                            "    return a + 1;  // MARK\n};\n}", "pick"),
        ("operator", "bool operator==(const A& a, const A& b) {\n    return a.x == b.x;  // MARK\n}", "operator=="),
        ("const member function", "namespace vex {\nint Timer::period_ticks() const {\n"
                                  "    return 3;  // MARK\n}\n}", "Timer::period_ticks"),
        ("constant in an unnamed namespace", "namespace vex {\nnamespace {\nconstexpr int tries = 100;  // MARK\n}\n}",
         "namespace vex"),
        ("constant at file scope", "constexpr int tries = 100;  // MARK", "file scope"),
        ("function on one line", "namespace vex {\nint twice(int a) { return a * 2; }  // MARK\n}", "twice"),
        ("member of a struct", "namespace vex {\nstruct Look {\n    int size = 12;  // MARK\n};\n}", "struct Look"),
        ("function after a struct",
         "struct Look {\n    int size = 12;\n};\nint width(Look look) {\n    return look.size;  // MARK\n}", "width"),
        ("initializer list inside a function", "void f() {\n    const int a[] = {\n        1,\n"
                                               "    };\n    g(a);  // MARK\n}", "f"),
    ]

    def test_each_line_is_named_after_what_holds_it(self):
        for case, source, expected in self.CASES:
            with self.subTest(case):
                self.assertEqual(name_of_marked_line(source), expected)

    def test_the_key_holds_no_path_or_line(self):
        source = "void f() {\n    if (a < b) {\n        g();\n    }\n}".split("\n")
        here, there = mutate.mutants_of("a/x.cpp", source), mutate.mutants_of("b/c/y.cpp", source)
        self.assertTrue(here)
        self.assertEqual([m.key() for m in here], [m.key() for m in there])
        self.assertIn(("f", "if (a < b) {", "if (a <= b) {"), {m.key() for m in here})

    def test_a_report_line_gives_back_the_key(self):
        mutant = mutate.Mutant("platform/files/n.cpp", 12, "namespace vex", "constant",
                               "constexpr int tries = 100;", "constexpr int tries = 101;")
        self.assertEqual(mutate.parse_report_line("SURVIVED          " + mutant.describe()), mutant.key())


class MovedSource(unittest.TestCase):
    """A copy of the tree with one runtime source moved to a new folder, configured as the tool
    configures it."""

    MOVED = Path("platform") / "numbers.cpp"
    TO = Path("platform") / "files" / "numbers.cpp"

    @classmethod
    def setUpClass(cls):
        cls.folder = Path(tempfile.mkdtemp(prefix="vexoids-mutate-test-"))
        cls.copy = cls.folder / "tree"
        cls.copy.mkdir()
        mutate.copy_tree(TREE, cls.copy)
        (cls.copy / cls.TO).parent.mkdir(exist_ok=True)
        shutil.move(cls.copy / cls.MOVED, cls.copy / cls.TO)
        cls.build = cls.folder / "build"
        mutate.ask_for_targets(cls.build)
        subprocess.run(["cmake", "-S", str(cls.copy), "-B", str(cls.build)], check=True, capture_output=True)
        cls.mutants = mutate.all_mutants(cls.copy, cls.build)
        cls.known = mutate.read_equivalents(TREE / "tools" / "mutation_equivalents.txt")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def test_the_moved_source_is_mutated_where_it_now_lies(self):
        paths = {m.path for m in self.mutants}
        self.assertIn(str(self.TO), paths)
        self.assertNotIn(str(self.MOVED), paths)
        self.assertTrue(any(path.startswith("platform/layout/") for path in paths))
        self.assertFalse(any(path.startswith(("platform/sdl/", "platform/headless/", "tests/")) for path in paths))

    def test_every_known_equivalent_is_still_a_mutant(self):
        made = {m.key() for m in self.mutants}
        moved_file_entries = {m.key() for m in self.mutants if m.path == str(self.TO)} & self.known
        self.assertTrue(moved_file_entries, "no entry of the list lies in the moved file")
        self.assertEqual(sorted(self.known - made), [], "entries matching no mutant of the tree")


if __name__ == "__main__":
    unittest.main(verbosity=2)
