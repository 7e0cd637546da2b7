#!/usr/bin/env python3
"""One-line mutation testing of the game and its runtime against the headless tests.

The tree is copied to a temporary folder (the checkout is never touched) and the headless test
program is built there once. Each mutant then changes one line of what the build compiles into
the game and runtime libraries the headless tests exercise (vex_game, vex_platform; the file list
is the build's own, so a moved file needs no edit here) or of the game's headers: a comparison
flipped, a constant one up or down, two adjacent statements swapped, a statement deleted or a
`return;` dropped. Only what the changed line touches is recompiled and the test program
relinked; the tests then run under a time limit. A mutant that does not compile is counted apart;
one that hangs is stopped by the time limit and counts as killed. A mutant the headless tests miss
is run against the SDL backend's test program too, which still holds tests of some SDL-free code;
one only those kill counts as killed and is listed apart.

Mutants are drawn in an order fixed by the seed until the sample holds the asked number of
compiling mutants. Survivors are printed with their file, line and function. Those listed in the
file of known equivalent mutants (keyed by function and text, not by file or line) are accepted;
the exit status is 1 when any other mutant survived.
"""

import argparse
import contextlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

CHECKOUT = Path(__file__).resolve().parent.parent
GAME_LIBRARY = "vex_game"
MUTATED_LIBRARIES = ("vex_platform", GAME_LIBRARY)
EQUIVALENTS = CHECKOUT / "tools" / "mutation_equivalents.txt"
TEST_TARGET = "vex_tests"
# Tests of SDL-free code that still live in the SDL backend's test program: a mutant the headless
# tests miss is run against them too, and reported apart, until those tests move to the headless program.
SDL_TEST_TARGET = "vex_sdl_tests"


@dataclass
class Mutant:
    path: str  # relative to the tree
    line: int  # 1-based
    function: str  # what the line lies in, as classify_lines names it
    kind: str
    original: str  # the changed line(s) before ...
    mutated: str  # ... and after, as they stand in the file

    def key(self):
        """What the list of known equivalents matches: no path and no line, so that code keeps
        its entries when it moves within its file or to another file or folder."""
        return (self.function, squeeze(self.original), squeeze(self.mutated))

    def describe(self):
        return f"{self.path}:{self.line}: {self.function}: {self.kind}: {squeeze(self.original)}  =>  {squeeze(self.mutated)}"


def squeeze(text):
    return " ".join(text.split())


# --- Finding the mutants -------------------------------------------------------------------------

def mask(line):
    """The line with string and character literals blanked and any // comment cut off, so that
    operators and numbers are looked for in code only. Positions stay those of the line."""
    out = []
    quote = None
    i = 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(c if c == quote else " ")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))[: len(line)]


COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
FLIPPED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\.\d+|\d+)(?:[eE][+-]?\d+)?[uUlLfF]*(?![\w.])")
BOOLEAN = re.compile(r"\b(true|false)\b")
SCOPE = re.compile(r"\b(namespace|class|struct|enum|union)\b")
CONTROL = re.compile(r"^(if|for|while|switch|else|do)\b|\belse$")
DECLARATION = re.compile(
    r"^(const |constexpr |static |auto |std::\w+(<.*>)? \w+ ?[={;]|(double|float|int|bool|char|unsigned)\b|[A-Z]\w*[&*]? \w+ ?[={;])")


def one_up_and_down(literal):
    body = literal.rstrip("uUlLfF")
    suffix = literal[len(body):]
    if re.fullmatch(r"\d+", body):
        value = int(body)
        return [f"{value + 1}{suffix}", f"{value - 1}{suffix}"] if value > 0 else [f"1{suffix}"]
    value = float(body)
    return [f"{value + 1:.17g}{suffix}", f"{value - 1:.17g}{suffix}"]


NAME_BEFORE_PARAMETERS = re.compile(r"((?:[\w~]+::)*(?:operator\s*[^\s(]+|~?\w+))\s*$")
LAMBDA_NAME = re.compile(r"(\w+)\s*=\s*\[")


def owner_name(head, kind):
    """What a brace's head names: the function whose body it opens (`Form1::add_controls`, the
    variable a lambda is bound to), or `namespace vex`, `struct Look` for a scope; None for a
    nameless scope."""
    if kind == "scope":
        match = re.search(r"\b(namespace|class|struct|enum|union)\b(?:\s+class)?\s+([\w:]+)", head)
        return f"{match.group(1)} {match.group(2)}" if match else None
    if LAMBDA_NAME.search(head.split("(")[0]):
        return LAMBDA_NAME.search(head.split("(")[0]).group(1)
    match = NAME_BEFORE_PARAMETERS.search(head.split("(")[0])
    return match.group(1) if match else None


def classify_lines(masked_lines):
    """For each line, the kind of the innermost brace it lies in ('function' for a function or
    lambda body and the blocks inside one, 'scope' for a namespace or class, 'data' for an
    initializer list, None outside every brace), and the name of what it lies in: the outermost
    function (also for the line that opens it, so a one-line function is named), else the
    innermost named scope, else `file scope`."""
    stack = []  # (kind, name, code before it) of each open brace
    inside, names = [], []
    since = ""  # code since the last ; { or }

    def current_name():
        functions = [name for kind, name, _ in stack if kind == "function"]
        if functions:
            return functions[0] or "lambda"
        scopes = [name for kind, name, _ in stack if kind == "scope" and name]
        return scopes[-1] if scopes else "file scope"

    for text in masked_lines:
        inside.append(stack[-1][0] if stack else None)
        names.append(current_name())
        if text.lstrip().startswith("#"):
            continue
        in_function_before = any(kind == "function" for kind, _, _ in stack)
        for c in text:
            if c == "{":
                head = " ".join(since.split())
                in_function = any(kind == "function" for kind, _, _ in stack)
                if SCOPE.search(head) and "(" not in head:
                    kind = "scope"
                elif CONTROL.search(head) or head.endswith(")") or re.search(r"\)\s*(const|override|noexcept|mutable)*\s*$", head) \
                        or (re.search(r"\)\s*:", head) and not re.search(r"\w$", head)):  # not `: m_a{1}`
                    kind = "function" if head and not head.endswith("=") else "data"
                    if stack and stack[-1][0] == "data":
                        kind = "data"
                elif head == "" and stack and stack[-1][0] == "function":
                    kind = "function"
                else:
                    kind = "data"
                name = None if in_function or kind == "data" else owner_name(head, kind)
                if kind == "function" and not in_function_before and names[-1] == current_name():
                    names[-1] = name or "lambda"
                stack.append((kind, name, since))
                since = ""
            elif c == "}":
                # After an initializer in braces the head goes on (a constructor's `m_a{1} {`).
                kind, _, before = stack.pop() if stack else (None, None, "")
                since = before + "{} " if kind == "data" else ""
            elif c == ";":
                since = ""
            else:
                since += c
        since += " "
    return inside, names


def is_statement(masked, previous_masked):
    """One whole statement on one line, begun on this line."""
    text = masked.strip()
    if not text.endswith(";") or text.startswith(("}", "{", "case ", "default:", "using ", "#")):
        return False
    if text.count("(") != text.count(")") or text.count("{") != text.count("}"):
        return False
    prev = previous_masked.strip()
    return prev == "" or prev.endswith((";", "{", "}", ":")) or prev.startswith("//")


ASSIGNMENT = re.compile(r"^(?:[\w:<>]+[\s*&]+)*([\w.>-]+) [-+]?= (.*);$|^\+\+(\w+)();$")
CALL = re.compile(r"\w\s*\(")


def independent(first, second):
    """Two assignments whose order cannot matter: neither calls anything (which might read the
    other's target) and neither mentions what the other writes. Swapping them is equivalent by
    construction, so such swaps are not made."""
    a, b = ASSIGNMENT.match(first), ASSIGNMENT.match(second)
    if not a or not b:
        return False
    values = [re.sub(r"\{[^{}]*\}", "", m.group(2) or "") for m in (a, b)]  # a lambda's body runs later
    if any(CALL.search(v) and not v.startswith("[") for v in values):
        return False
    first_target, second_target = a.group(1) or a.group(3), b.group(1) or b.group(3)
    return not re.search(rf"\b{re.escape(first_target)}\b", second) and not re.search(rf"\b{re.escape(second_target)}\b", first)


def mutants_of(path, lines):
    masked = [mask(line) for line in lines]
    inside, names = classify_lines(masked)
    found = []

    def add(index, kind, new_line):
        found.append(Mutant(path, index + 1, names[index], kind, lines[index], new_line))

    for i, line in enumerate(lines):
        code = masked[i]
        stripped = code.strip()
        if not stripped or stripped.startswith(("#", "//", "/*", "*")) or "static_assert" in code:
            continue
        in_function = inside[i] == "function"
        # Comparisons and constants: in code and in the constants beside it.
        if in_function or inside[i] in ("scope", None) or "constexpr" in code:
            for match in COMPARISON.finditer(code):
                new = line[: match.start()] + FLIPPED[match.group(1)] + line[match.end():]
                add(i, "flip comparison", new)
            for match in NUMBER.finditer(code):
                if "<" in code[: match.start()] and ">" in code[match.end():] and "array<" in code:
                    continue  # a template argument such as std::array<T, 4>
                for value in one_up_and_down(match.group(0)):
                    add(i, "constant", line[: match.start()] + value + line[match.end():])
            for match in BOOLEAN.finditer(code):
                other = "false" if match.group(1) == "true" else "true"
                add(i, "constant", line[: match.start()] + other + line[match.end():])
        if not in_function:
            continue
        previous = masked[i - 1] if i > 0 else ""
        if not is_statement(code, previous):
            continue
        if stripped == "return;":
            add(i, "drop return", "")
        elif not stripped.startswith("return") and not DECLARATION.match(stripped):
            add(i, "delete statement", "")
        following = i + 1
        if following < len(lines) and inside[following] == "function" and is_statement(masked[following], code) \
                and not masked[following].strip().startswith("return") and not stripped.startswith("return") \
                and len(code) - len(code.lstrip()) == len(masked[following]) - len(masked[following].lstrip()) \
                and not independent(stripped, masked[following].strip()):
            found.append(Mutant(path, i + 1, names[i], "swap statements", line + "\n" + lines[following],
                                lines[following] + "\n" + line))
    return found


def ask_for_targets(build):
    """Asks the next configure of `build` to describe its targets (CMake's file API)."""
    query = build / ".cmake" / "api" / "v1" / "query" / "codemodel-v2"
    query.parent.mkdir(parents=True, exist_ok=True)
    query.touch()


def library_sources(build):
    """The sources each library of a configured build compiles, by library name, relative to the
    tree: the build's own list, so a file moved to another folder of a library is still found."""
    reply = build / ".cmake" / "api" / "v1" / "reply"
    index = json.loads(max(reply.glob("index-*.json")).read_text(encoding="utf-8"))
    codemodel = json.loads((reply / index["reply"]["codemodel-v2"]["jsonFile"]).read_text(encoding="utf-8"))
    sources = {}
    for target in codemodel["configurations"][0]["targets"]:
        description = json.loads((reply / target["jsonFile"]).read_text(encoding="utf-8"))
        sources[target["name"]] = [s["path"] for s in description.get("sources", []) if "compileGroupIndex" in s]
    return sources


def source_files(tree, build):
    """The sources of the libraries the headless tests exercise, and the game's headers: those in
    a folder holding a source of the game library. (The runtime's headers are left out: each is
    included nearly everywhere, so a mutant in one would rebuild the whole tree.)"""
    sources = library_sources(build)
    files = {tree / name for library in MUTATED_LIBRARIES for name in sources[library]}
    for folder in {(tree / name).parent for name in sources[GAME_LIBRARY]}:
        files.update(folder.glob("*.h"))
    return sorted(files)


def all_mutants(tree, build):
    mutants = []
    for file in source_files(tree, build):
        lines = file.read_text(encoding="utf-8").split("\n")
        mutants += mutants_of(str(file.relative_to(tree)), lines)
    return mutants


KINDS = "flip comparison|constant|swap statements|delete statement|drop return"


def parse_report_line(line):
    """The key of a mutant as a report prints it: `... path:line: function: kind: original  =>  mutated`."""
    match = re.search(rf"\S+:\d+: (.+?): (?:{KINDS}): (.*)  =>  (.*)$", line)
    return (match.group(1), squeeze(match.group(2)), squeeze(match.group(3))) if match else None


def read_equivalents(path):
    """Entries `function: original  =>  mutated`, each after a comment saying why it is equivalent."""
    known = set()
    if not path.exists():
        return known
    for raw in path.read_text(encoding="utf-8").splitlines():
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        where, _, change = raw.partition(": ")
        original, mutated = (re.split(r"\s+=>(?:\s+|$)", change, maxsplit=1) + [""])[:2]
        known.add((where.strip(), squeeze(original), squeeze(mutated)))
    return known


# --- Building and running ------------------------------------------------------------------------

def copy_tree(source_tree, destination):
    listed = subprocess.run(["git", "-C", str(source_tree), "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            capture_output=True, check=False)
    if listed.returncode == 0:
        for name in filter(None, listed.stdout.decode().split("\0")):
            source = source_tree / name
            if source.is_file():
                target = destination / name
                target.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(source, target)
    else:
        shutil.copytree(source_tree, destination, dirs_exist_ok=True,
                        ignore=lambda folder, names: [n for n in names if n.startswith((".git", "build-")) or
                                                      (n == "build" and Path(folder) == source_tree)])


def run(command, cwd, timeout=None, env=None):
    """Exit status of `command`, or None when it ran past `timeout` seconds (it is then killed)."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return None


class Workspace:
    """The copy of the tree with its build, and the object files of the unmutated build, which are
    put back after each mutant so that the next one recompiles only its own file."""

    def __init__(self, tree, jobs, skip=None):
        self.tree = tree
        self.skip = skip
        self.build = tree / "build-mutants"
        self.jobs = jobs
        self.env = dict(os.environ, TMPDIR=str(tree / "tmp"))
        (tree / "tmp").mkdir()
        self.objects = {}
        self.sdl_timeout = None  # set once the SDL test program is built and passes unmutated
        self.sdl_tried = False

    def configure(self):
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        ask_for_targets(self.build)
        status = run(["cmake", "-S", ".", "-B", str(self.build), *generator, "-DBUILD_TESTING=ON",
                      "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_CXX_FLAGS=-O1"], self.tree)
        return status == 0 and self.compile(TEST_TARGET)

    def compile(self, target):
        return run(["cmake", "--build", str(self.build), "--target", target, "-j", str(self.jobs)], self.tree) == 0

    def program(self, target):
        return self.build / "tests" / target

    def remember_objects(self):
        cache = self.tree / "objects"
        for number, obj in enumerate(self.build.rglob("*.o")):
            kept = cache / f"{number}.o"
            kept.parent.mkdir(exist_ok=True)
            shutil.copy2(obj, kept)
            self.objects[obj] = (obj.stat().st_mtime_ns, kept)

    def restore_objects(self):
        """Puts back the unmutated objects with their old times, so that the build tools take them
        as up to date, and drops the libraries so that they are archived again from them."""
        for obj, (mtime, kept) in self.objects.items():
            if not obj.exists() or obj.stat().st_mtime_ns != mtime:
                shutil.copyfile(kept, obj)
                os.utime(obj, ns=(mtime, mtime))
        for library in self.build.rglob("*.a"):
            library.unlink()

    def test(self, target, timeout):
        skipped = [f"--gtest_filter=-{self.skip}"] if self.skip else []
        return run([str(self.program(target)), "--gtest_fail_fast", *skipped], self.build, timeout, self.env)

    def sdl_tests_ready(self):
        """Builds the SDL test program on the unmutated tree the first time it is asked for; false
        when it does not build or its tests fail unmutated (said once)."""
        if not self.sdl_tried:
            self.sdl_tried = True
            print(f"building {SDL_TEST_TARGET} for the mutants the headless tests miss ...", file=sys.stderr, flush=True)
            began = time.monotonic()
            if self.compile(SDL_TEST_TARGET) and self.test(SDL_TEST_TARGET, None) == 0:
                self.sdl_timeout = max(60.0, 10 * (time.monotonic() - began))
                self.remember_objects()
            else:
                print(f"{SDL_TEST_TARGET} does not build or fails unmutated: survivors are not run against it",
                      file=sys.stderr, flush=True)
        return self.sdl_timeout is not None


@contextlib.contextmanager
def mutated(workspace, mutant):
    """The tree with the mutant in place, put back as it was afterwards, objects and all."""
    file = workspace.tree / mutant.path
    original = file.read_bytes()
    stat = file.stat()
    lines = original.decode("utf-8").split("\n")
    first = mutant.line - 1
    count = mutant.original.count("\n") + 1
    lines[first:first + count] = mutant.mutated.split("\n") if mutant.mutated else [""]
    file.write_text("\n".join(lines), encoding="utf-8")
    try:
        yield
    finally:
        file.write_bytes(original)
        os.utime(file, ns=(stat.st_atime_ns, stat.st_mtime_ns))
        workspace.restore_objects()


def try_mutant(workspace, mutant, timeout, known_equivalent):
    """'killed', 'survived', 'timed out', 'not compiling', or 'killed by SDL tests' for a mutant
    that only the SDL test program's tests of SDL-free code kill. A known equivalent is not run
    against those."""
    with mutated(workspace, mutant):
        if not workspace.compile(TEST_TARGET):
            return "not compiling"
        status = workspace.test(TEST_TARGET, timeout)
        if status != 0:
            return "timed out" if status is None else "killed"
    if known_equivalent or not workspace.sdl_tests_ready():
        return "survived"
    with mutated(workspace, mutant):
        if not workspace.compile(SDL_TEST_TARGET):
            return "survived"  # the headless build took it, so the mutant's own code compiles
        return "survived" if workspace.test(SDL_TEST_TARGET, workspace.sdl_timeout) == 0 else "killed by SDL tests"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sample", type=int, default=12, help="compiling mutants to test (default 12)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the drawing order (default 1)")
    parser.add_argument("--timeout", type=float, help="seconds a test run may take (default: ten times an "
                                                      "unmutated run, at least 60)")
    parser.add_argument("--jobs", type=int, default=2, help="parallel jobs of the first build (default 2)")
    parser.add_argument("--list", action="store_true", help="list every mutant and test none")
    parser.add_argument("--equivalents", type=Path, default=EQUIVALENTS, help="known equivalent mutants")
    parser.add_argument("--tree", type=Path, default=CHECKOUT, help="the tree to test (default: this checkout)")
    parser.add_argument("--again", type=Path, help="test only the mutants listed in this earlier report")
    parser.add_argument("--skip", metavar="PATTERN", help="leave out the tests matching this GoogleTest pattern, to see "
                                                          "which mutants only they kill")
    args = parser.parse_args()

    if args.list:
        with tempfile.TemporaryDirectory(prefix="vexoids-mutants-") as folder:
            build = Path(folder)
            ask_for_targets(build)
            if run(["cmake", "-S", str(args.tree.resolve()), "-B", str(build)], folder) != 0:
                print("the tree does not configure", file=sys.stderr)
                return 2
            mutants = all_mutants(args.tree.resolve(), build)
        for mutant in mutants:
            print(mutant.describe())
        print(f"{len(mutants)} mutants", file=sys.stderr)
        return 0

    known = read_equivalents(args.equivalents)
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="vexoids-mutants-") as folder:
        os.chmod(folder, 0o755)  # tests that drop to another user still reach their files
        tree = Path(folder) / "tree"
        tree.mkdir()
        copy_tree(args.tree.resolve(), tree)
        workspace = Workspace(tree, args.jobs, args.skip)
        print(f"building the headless tests in {tree} ...", file=sys.stderr, flush=True)
        if not workspace.configure():
            print("the unmutated tree does not build", file=sys.stderr)
            return 2
        clean_start = time.monotonic()
        if workspace.test(TEST_TARGET, None) != 0:
            failed = subprocess.run([str(workspace.program(TEST_TARGET))], cwd=workspace.build, env=workspace.env,
                                    capture_output=True, text=True, check=False)
            print(failed.stdout[-3000:], "the tests fail on the unmutated tree", file=sys.stderr)
            return 2
        timeout = args.timeout or max(60.0, 10 * (time.monotonic() - clean_start))
        workspace.remember_objects()

        mutants = all_mutants(tree, workspace.build)
        random.Random(args.seed).shuffle(mutants)
        if args.again:
            wanted = {parse_report_line(line) for line in args.again.read_text(encoding="utf-8").splitlines()}
            mutants = [m for m in mutants if m.key() in wanted]
        tally = dict.fromkeys(("killed", "killed by SDL tests", "survived", "timed out", "not compiling"), 0)
        survivors, killed_by_sdl_tests = [], []
        for mutant in mutants:
            if sum(tally.values()) - tally["not compiling"] >= args.sample:
                break
            began = time.monotonic()
            outcome = try_mutant(workspace, mutant, timeout, mutant.key() in known)
            tally[outcome] += 1
            if outcome == "survived":
                survivors.append(mutant)
            elif outcome == "killed by SDL tests":
                killed_by_sdl_tests.append(mutant)
            tested = sum(tally.values()) - tally["not compiling"]
            print(f"[{tested}/{args.sample}] {outcome:19} {time.monotonic() - began:4.0f} s  {mutant.describe()}",
                  file=sys.stderr, flush=True)

    tested = sum(tally.values()) - tally["not compiling"]
    killed = tested - tally["survived"]
    print(f"seed {args.seed}: {tested} compiling mutants of {len(mutants)}: {killed} killed "
          f"({tally['timed out']} of them by the time limit, {tally['killed by SDL tests']} only by {SDL_TEST_TARGET}), "
          f"{tally['survived']} survived; {tally['not compiling']} did not compile; "
          f"score {100 * killed / max(tested, 1):.1f} %; {time.monotonic() - started:.0f} s")
    for mutant in killed_by_sdl_tests:
        print(f"only {SDL_TEST_TARGET} kills  {mutant.describe()}")
    if killed_by_sdl_tests:
        print(f"(SDL-free code whose tests live in {SDL_TEST_TARGET}: they belong in the headless {TEST_TARGET})")
    unexplained = [m for m in survivors if m.key() not in known]
    for mutant in survivors:
        print(("known equivalent  " if mutant.key() in known else "SURVIVED          ") + mutant.describe())
    return 1 if unexplained else 0


if __name__ == "__main__":
    sys.exit(main())
