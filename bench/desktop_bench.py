#!/usr/bin/env python3
"""The game beside the floor (the least an SDL2 program does to show an equal window at the same
pace), both run in one X server, alternating round by round so that both see the same load.

Each round starts the program, waits until its first window is visible (the game's name box, the
floor's window), answers the name box, lets the title screen stand for a while, then drives play
through the keyboard with xdotool (the same key strokes go to the floor), opens five more boxes
with "New Player" and ends the program. The figures come from the process's own CPU clock, the
kernel's peak resident size, and the trace a -DVEX_FRAME_TRACE=ON build writes.

It runs in an X server of its own started by scripts/with_display.sh (as scripts/bench_desktop.sh
does), which names the server's process in VEX_XVFB_PID.
"""

import argparse
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

GAME_TITLE = "Devi Vavaz Vexoids From Hell"
NAME_BOX = "Enter Your Name"
MESSAGE_BOX = "Game Info"
FLOOR_TITLE = "floor"
# The "New Player" and "Instructions" captions, in the window's client pixels.
NEW_PLAYER = (544, 164)
INSTRUCTIONS = (544, 196)


def cpu_ns(pid):
    """User and system time of a whole process (all its threads), from its CPU clock."""
    return time.clock_gettime_ns(((~pid) << 3) | 2)


def now_ns():
    return time.monotonic_ns()


def xdotool(*args, check=True):
    return subprocess.run(["xdotool", *args], check=check, capture_output=True, text=True).stdout.split()


def visible_window(titles, timeout):
    """The first shown window titled one of `titles` (a title or a tuple): (title, id) for a
    tuple, the id for one title."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for title in titles if isinstance(titles, tuple) else (titles,):
            found = xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
            if found:
                return (title, found[0]) if isinstance(titles, tuple) else found[0]
        time.sleep(0.02)
    raise RuntimeError(f"no window {titles} within {timeout} s")


def activate(window):
    """Makes `window` the active one. While a box of the game's is open, the game hands the
    keyboard back to the box whenever its window is activated: a box that came up meanwhile is
    answered with Return, and the window activated again."""
    for _ in range(12):
        try:
            subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True, capture_output=True, timeout=5)
            return
        except subprocess.TimeoutExpired:
            for box in xdotool("search", "--onlyvisible", "--name", f"^{MESSAGE_BOX}$", check=False):
                answer_box(box, "Return")
    raise RuntimeError(f"window {window} could not be activated")


def answer_box(window, *keys):
    # The box may have gone meanwhile.
    if subprocess.run(["xdotool", "windowactivate", "--sync", window], capture_output=True).returncode == 0:
        for key in keys:
            xdotool("key", key)


def mean(values):
    return statistics.fmean(values) if values else float("nan")


def percentile(values, fraction):
    if not values:
        return float("nan")
    ordered = sorted(values)
    index = min(len(ordered) - 1, max(0, int(round(fraction * (len(ordered) - 1)))))
    return ordered[index]


class Trace:
    """The lines of one program's trace file."""

    def __init__(self, path):
        self.ticks, self.frames, self.keys, self.spans, self.shown = [], [], [], [], {}
        # Milliseconds from a tick's start to its frame on the screen.
        self.draws = []
        begun = {}
        last = None
        with open(path) as lines:
            for line in lines:
                word = line.split()
                if not word:
                    continue
                if word[0] == "tick":
                    self.ticks.append((int(word[1]), int(word[2])))
                elif word[0] == "frame":
                    self.frames.append(int(word[1]))
                    if last == "tick":
                        self.draws.append((self.frames[-1] - self.ticks[-1][1]) / 1e6)
                elif word[0] == "shown":
                    self.shown.setdefault(word[1], int(word[2]))
                elif word[0] == "key":
                    self.keys.append((int(word[1]), int(word[2]), " ".join(word[3:]), len(self.frames)))
                elif word[0] == "begin":
                    begun[word[1]] = (int(word[2]), int(word[3]), float(word[4]))
                elif word[0] == "end" and word[1] in begun:
                    start, cpu, length = begun.pop(word[1])
                    self.spans.append((word[1], start, int(word[2]), int(word[3]) - cpu, length))
                last = word[0]

    def tick_intervals(self, start, end):
        inside = [(n, t) for n, t in self.ticks if start <= t <= end]
        intervals = [(b[1] - a[1]) / 1e6 for a, b in zip(inside, inside[1:])]
        skipped = sum(b[0] - a[0] - 1 for a, b in zip(inside, inside[1:]))
        return intervals, skipped

    def stalls(self, start, end):
        """Wall time and CPU time spent in cues and boxes inside [start, end]."""
        wall = cpu = 0
        for _, begin, finish, cost, _ in self.spans:
            if begin >= start and finish <= end:
                wall += finish - begin
                cpu += cost
        return wall, cpu

    def cue_overruns(self):
        return [(finish - begin) / 1e6 - length for what, begin, finish, _, length in self.spans if what == "cue"]

    def key_latencies(self, names):
        """Milliseconds from each arrow key press (as the X server stamped it) to the next frame,
        leaving out the keys that came while the game stood still."""
        latencies = []
        for server_ms, handled_ns, name, frames_before in self.keys:
            if name not in names or frames_before >= len(self.frames):
                continue
            pressed_ns = handled_ns
            if server_ms:
                # The server's milliseconds are CLOCK_MONOTONIC's, wrapped at 32 bits and cut to
                # the whole millisecond: the press came somewhere in the one stamped, on average
                # in its middle, so half of it is added back.
                handled_ms = handled_ns // 1_000_000
                pressed_ns = (handled_ms - ((handled_ms - server_ms) % (1 << 32))) * 1_000_000 + 500_000
            # A key pressed while a cue plays or a box is open waits for it by design.
            if any(begin - 1_000_000 <= pressed_ns <= finish for _, begin, finish, _, _ in self.spans):
                continue
            latencies.append((self.frames[frames_before] - pressed_ns) / 1e6)
        return latencies


class Bench:
    def __init__(self, args, work):
        self.args = args
        self.work = work
        self.results = {"game": [], "floor": []}

    def launch(self, command, trace):
        env = dict(os.environ, VEX_TRACE_FILE=trace, SDL_AUDIODRIVER="dummy")
        started = now_ns()
        process = subprocess.Popen(command, env=env, cwd=self.work,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return process, started

    def wait_shown(self, trace, window, process):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            if process.poll() is not None:
                raise RuntimeError(f"{trace}: the program ended with status {process.returncode}")
            if os.path.exists(trace):
                with open(trace) as lines:
                    for line in lines:
                        word = line.split()
                        if word[:2] == ["shown", window]:
                            return int(word[2])
            time.sleep(0.002)
        raise RuntimeError(f"{trace}: no '{window}' shown")

    def play(self, window, seconds):
        """Scripted play: start a game when none runs, slide left and right, fire; answer the
        boxes a lost ship brings up."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            box = xdotool("search", "--onlyvisible", "--name", f"^{MESSAGE_BOX}$", check=False)
            if box:
                answer_box(box[0], "Return")
                continue
            activate(window)
            for step in (["key", "s"], ["keydown", "Left"], ["sleep", "0.3"], ["keyup", "Left"],
                         ["key", "ctrl"], ["keydown", "Right"], ["sleep", "0.3"], ["keyup", "Right"],
                         ["key", "ctrl"]):
                xdotool(*step)

    def run(self, which, round_number):
        args = self.args
        trace_path = os.path.join(self.work, f"trace-{which}-{round_number}.txt")
        is_game = which == "game"
        command = [os.path.join(self.work, "vexoids")] if is_game else [args.floor]
        process, started = self.launch(command, trace_path)
        try:
            self.drive(which, round_number, process, started, trace_path)
        finally:
            if process.returncode is None:
                process.kill()
                process.wait()

    def drive(self, which, round_number, process, started, trace_path):
        args = self.args
        is_game = which == "game"
        shown = self.wait_shown(trace_path, "box" if is_game else "window", process)
        if is_game:
            answer_box(visible_window(NAME_BOX, 30), "b", "e", "n", "c", "h", "Return")
        window = visible_window(GAME_TITLE if is_game else FLOOR_TITLE, 30)
        time.sleep(args.seconds / 10)

        title = (now_ns(), cpu_ns(process.pid), cpu_ns(self.xvfb))
        time.sleep(args.seconds)
        title_end = (now_ns(), cpu_ns(process.pid), cpu_ns(self.xvfb))

        activate(window)
        play = (now_ns(), cpu_ns(process.pid), cpu_ns(self.xvfb))
        # Cues and boxes take much of a game's time: play lasts twice as long as the title.
        self.play(window, 2 * args.seconds)
        play_end = (now_ns(), cpu_ns(process.pid), cpu_ns(self.xvfb))

        # A box a lost ship brought up is answered, and "Instructions" halts the game, so that
        # no other box comes between the "New Player" ones.
        while box := xdotool("search", "--onlyvisible", "--name", f"^{MESSAGE_BOX}$", check=False):
            answer_box(box[0], "Return")
            time.sleep(0.2)
        activate(window)
        xdotool("mousemove", "--window", window, *map(str, INSTRUCTIONS), "click", "1")
        asked = 0
        while asked < args.boxes:
            activate(window)
            xdotool("mousemove", "--window", window, *map(str, NEW_PLAYER), "click", "1")
            if is_game:
                box_title, box = visible_window((NAME_BOX, MESSAGE_BOX), 30)
                answer_box(box, "Return")
                asked += box_title == NAME_BOX
            else:
                asked += 1
        # Let the last box go before the peak is read.
        time.sleep(args.seconds / 10)
        process.send_signal(signal.SIGTERM)
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = status
        if status != 0:
            raise RuntimeError(f"{which} ended with status {status}")

        trace = Trace(trace_path)
        stall_wall, stall_cpu = trace.stalls(play[0], play_end[0])
        per_10s = lambda cpu, wall: cpu / wall * 10_000 if wall > 0 else float("nan")
        title_ticks, title_skipped = trace.tick_intervals(title[0], title_end[0])
        result = {
            "startup_ms": (shown - started) / 1e6,
            "title_cpu_ms": per_10s(title_end[1] - title[1], title_end[0] - title[0]),
            "title_x_cpu_ms": per_10s(title_end[2] - title[2], title_end[0] - title[0]),
            "play_cpu_ms": per_10s(play_end[1] - play[1] - stall_cpu, play_end[0] - play[0] - stall_wall),
            "play_x_cpu_ms": per_10s(play_end[2] - play[2], play_end[0] - play[0]),
            "play_stalled_s": stall_wall / 1e9,
            "peak_mb": usage.ru_maxrss / 1024,
            "boxes": sum(1 for span in trace.spans if span[0] == "box"),
            "tick_intervals": title_ticks,
            "ticks_skipped": title_skipped,
            "cue_overruns": trace.cue_overruns(),
            "key_latencies": trace.key_latencies({"Left", "Right"}),
            "draw_ms": statistics.median(trace.draws) if trace.draws else float("nan"),
        }
        self.results[which].append(result)
        print(f"round {round_number} {which}: start-up {result['startup_ms']:.0f} ms, "
              f"title CPU {result['title_cpu_ms']:.0f} ms/10 s, play CPU {result['play_cpu_ms']:.0f} ms/10 s, "
              f"peak {result['peak_mb']:.1f} MB, {result['boxes']} boxes", file=sys.stderr)


def headless_ticks_per_second(bench, smoke):
    command = [bench, "--benchmark_filter=BM_RunningGameTick$", "--benchmark_format=json"]
    if smoke:
        command.append("--benchmark_min_time=0.05")
    report = json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)
    entry = report["benchmarks"][0]
    scale = {"ns": 1e9, "us": 1e6, "ms": 1e3, "s": 1}[entry["time_unit"]]
    return scale / entry["real_time"]


def table(results, ticks_per_second):
    game, floor = results["game"], results["floor"]

    def median(runs, key):
        return statistics.median(run[key] for run in runs)

    def pooled(runs, key):
        return [value for run in runs for value in run[key]]

    def row(measure, game_value, floor_value, unit, goal, met):
        ratio = f"{game_value / floor_value:.2f} x" if floor_value not in (None, 0) else "-"
        floor_text = f"{floor_value:.1f} {unit}" if floor_value is not None else "-"
        verdict = "yes" if met else "no"
        return f"| {measure} | {game_value:.1f} {unit} | {floor_text} | {ratio} | {goal} | {verdict} |"

    rows = ["| Measure | Game | Floor | Ratio | Goal | Met |", "|---|---|---|---|---|---|"]
    title_game, title_floor = median(game, "title_cpu_ms"), median(floor, "title_cpu_ms")
    rows.append(row("CPU at the title screen, per 10 s", title_game, title_floor, "ms", "<= 1.25 x",
                    title_game <= 1.25 * title_floor))
    rows.append(row("X server CPU at the title screen, per 10 s", median(game, "title_x_cpu_ms"),
                    median(floor, "title_x_cpu_ms"), "ms", "reported", True))
    play_game, play_floor = median(game, "play_cpu_ms"), median(floor, "play_cpu_ms")
    rows.append(row("CPU in play outside cues and boxes, per 10 s", play_game, play_floor, "ms", "<= 1.25 x",
                    play_game <= 1.25 * play_floor))
    rows.append(row("X server CPU in play, per 10 s", median(game, "play_x_cpu_ms"),
                    median(floor, "play_x_cpu_ms"), "ms", "reported", True))
    start_game, start_floor = median(game, "startup_ms"), median(floor, "startup_ms")
    rows.append(row("exec to the name box visible (floor: its window)", start_game, start_floor, "ms", "<= 1.1 x",
                    start_game <= 1.1 * start_floor))
    peak_game, peak_floor = median(game, "peak_mb"), median(floor, "peak_mb")
    boxes = statistics.median(run["boxes"] for run in game)
    rows.append(row(f"peak memory over a game with {boxes:.0f} boxes", peak_game, peak_floor, "MB", "<= floor + 20 MB",
                    peak_game <= peak_floor + 20))
    ticks_game, ticks_floor = pooled(game, "tick_intervals"), pooled(floor, "tick_intervals")
    rows.append(row("tick interval at idle, mean", mean(ticks_game), mean(ticks_floor), "ms",
                    "15.625 ms", abs(mean(ticks_game) - 15.625) < 0.1))
    p99_game, p99_floor = percentile(ticks_game, 0.99), percentile(ticks_floor, 0.99)
    skipped = sum(run["ticks_skipped"] for run in game)
    idle_s = sum(ticks_game) / 1000
    rows.append(row(f"tick interval at idle, p99 ({skipped} ticks skipped in {idle_s:.0f} s)", p99_game, p99_floor,
                    "ms", "<= floor + 0.5 ms, none skipped", p99_game <= p99_floor + 0.5 and skipped == 0))
    overruns = pooled(game, "cue_overruns")
    overrun = statistics.median(overruns) if overruns else float("nan")
    rows.append(row(f"a cue beyond its sound's length, median of {len(overruns)}", overrun, None, "ms",
                    "<= +10 ms", overrun <= 10))
    draw_game, draw_floor = median(game, "draw_ms"), median(floor, "draw_ms")
    rows.append(row("a tick's start to its frame shown, median", draw_game, draw_floor, "ms", "reported", True))
    keys_game, keys_floor = pooled(game, "key_latencies"), pooled(floor, "key_latencies")
    key_goal = 1000 / 64 + draw_game
    rows.append(row(f"key press to the frame that shows it, p90 of {len(keys_game)}", percentile(keys_game, 0.9),
                    percentile(keys_floor, 0.9), "ms", f"<= {key_goal:.1f} ms (a tick + drawing)",
                    percentile(keys_game, 0.9) <= key_goal))
    rows.append(f"| headless game, timer ticks per second | {ticks_per_second / 1e6:.1f} million | - | - | "
                f">= 1 million | {'yes' if ticks_per_second >= 1e6 else 'no'} |")
    return "\n".join(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--game", required=True, help="the vexoids program, its data beside it")
    parser.add_argument("--floor", required=True, help="the vex_floor program")
    parser.add_argument("--bench", required=True, help="the vex_bench program (headless ticks)")
    parser.add_argument("--rounds", type=int, default=10)
    parser.add_argument("--seconds", type=float, default=10, help="length of the title and play windows")
    parser.add_argument("--boxes", type=int, default=5, help="\"New Player\" boxes after play")
    parser.add_argument("--json", help="also write every round's figures here")
    args = parser.parse_args()
    args.floor, args.bench = os.path.abspath(args.floor), os.path.abspath(args.bench)
    if "VEX_XVFB_PID" not in os.environ:
        parser.error("run it in an X server of its own: scripts/with_display.sh -- bench/desktop_bench.py ...")

    work = tempfile.mkdtemp(prefix="vexoids-bench-")
    try:
        folder = os.path.dirname(os.path.abspath(args.game))
        shutil.copy(args.game, os.path.join(work, "vexoids"))
        for item in ("pictures", "sounds"):
            shutil.copytree(os.path.join(folder, item), os.path.join(work, item))
        with open(os.path.join(work, "scores.dat"), "w", newline="") as record:
            record.write('"0","nobody"\r\n')
        bench = Bench(args, work)
        bench.xvfb = int(os.environ["VEX_XVFB_PID"])
        for round_number in range(args.rounds):
            order = ("game", "floor") if round_number % 2 == 0 else ("floor", "game")
            for which in order:
                bench.run(which, round_number)
        ticks_per_second = headless_ticks_per_second(args.bench, args.rounds < 2)
        if args.json:
            with open(args.json, "w") as out:
                json.dump(bench.results, out)
        print(table(bench.results, ticks_per_second))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
