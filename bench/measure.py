# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures Velmora against its floors, alternating the two programs round
by round, and prints the table. Runs on the X display and session bus that
bench/run.sh starts for it."""

import argparse
import json
import os
import select
import signal
import subprocess
import sys
import time

import procstat
import report

FULL = {"startups": 10, "rounds": 3, "window": 30, "zero": 20, "shortened": 30, "minute": 20}
QUICK = {"startups": 6, "rounds": 1, "window": 10, "zero": 10, "shortened": 10, "minute": 0}
SETTLE_S = 2.0      # after a focus change or key presses, before a window
RSS_AFTER_S = 2.0   # after the map, before reading the resident memory
POOL_THREAD = "Thread (pooled)"
GERMAN = "de_DE.UTF-8"


class Launched:
    """A program started through bench_maptime, up to the map of its window."""

    def __init__(self, bench_dir, program, environment=None):
        self.maptime = subprocess.Popen([os.path.join(bench_dir, "bench_maptime"), program],
                                        stdout=subprocess.PIPE, text=True, env=environment)
        ready, _, _ = select.select([self.maptime.stdout], [], [], 30)
        line = self.maptime.stdout.readline() if ready else ""
        if not line:
            self.maptime.kill()
            raise RuntimeError("%s mapped no window within 30 s" % program)
        pid, map_ms, window = line.split()
        self.pid, self.map_ms, self.window = int(pid), float(map_ms), window

    def __enter__(self):
        return self

    def __exit__(self, *error):
        os.kill(self.pid, signal.SIGTERM)
        self.maptime.wait(timeout=10)


def xdotool(*arguments):
    subprocess.run(["xdotool"] + list(arguments), check=True)


def per_30s(cost, window_s):
    scale = 30.0 / window_s
    scaled = dict(cost, cpu_ms=cost["cpu_ms"] * scale, wakeups=cost["wakeups"] * scale)
    scaled["by_thread"] = {name: {key: value * scale for key, value in thread.items()}
                           for name, thread in cost["by_thread"].items()}
    return scaled


def ordered(programs, round_number):
    """Velmora first in even rounds, the floor first in odd ones."""
    names = sorted(programs, reverse=round_number % 2 == 1)
    return [(name, programs[name]) for name in names]


def german(locales):
    """The environment of a German user, with the locale generated into
    `locales` (bench/run.sh), so that the machine needs none installed."""
    return dict(os.environ, LANG=GERMAN, LOCPATH=locales)


def startup_rounds(bench_dir, programs, config, results, locales):
    for program in programs.values():
        with Launched(bench_dir, program):
            pass    # a first start that fills the page cache, not counted
    for round_number in range(config["startups"]):
        for name, program in ordered(programs, round_number):
            with Launched(bench_dir, program) as launched:
                time.sleep(RSS_AFTER_S)
                results[name]["startup_ms"].append(launched.map_ms)
                results[name]["rss_mib"].append(procstat.vm_rss_kib(launched.pid) / 1024)
            with Launched(bench_dir, program, german(locales)) as launched:
                results[name]["startup_ms_german"].append(launched.map_ms)


def start_countdown(launched):
    """From "Ok" focused: back to the minutes, 10 of them, then "Ok"."""
    before = procstat.threads(launched.pid)
    xdotool("key", "--delay", "100", "shift+Tab")
    xdotool("type", "--delay", "100", "10")
    xdotool("key", "--delay", "100", "Tab", "space")
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        now = procstat.threads(launched.pid)
        if any(name == POOL_THREAD for tid, (name, _, _) in now.items() if tid not in before):
            return
        time.sleep(0.1)
    raise RuntimeError("the countdown did not start: no new pool thread")


def countdown_window(bench_dir, launched, window_s):
    """Velmora counting down, beside its floors: the C sleep loop and the
    floor dialog refreshing its status line, unfocused as Velmora's "Ok" is."""
    with Launched(bench_dir, os.path.join(bench_dir, "bench_floorrefresh")) as refresh:
        xdotool("windowfocus", "--sync", refresh.window)
        xdotool("key", "--delay", "100", "Tab", "Tab", "Tab")
        xdotool("windowfocus", "--sync", launched.window)
        start_countdown(launched)
        time.sleep(SETTLE_S)
        loop = subprocess.Popen([os.path.join(bench_dir, "bench_sleeploop")])
        try:
            time.sleep(0.2)     # lets the loop get past its start
            costs = procstat.measure([launched.pid, loop.pid, refresh.pid], window_s)
        finally:
            loop.kill()
            loop.wait()
    return [per_30s(cost, window_s) for cost in costs]


def idle_rounds(bench_dir, programs, config, results):
    window_s = config["window"]
    for round_number in range(config["rounds"]):
        for name, program in ordered(programs, round_number):
            with Launched(bench_dir, program) as launched:
                xdotool("windowfocus", "--sync", launched.window)
                time.sleep(SETTLE_S)
                cost = procstat.measure([launched.pid], window_s)[0]
                results[name]["idle_spinbox"].append(per_30s(cost, window_s))
                # Days, hours, minutes, then "Ok" ("STOP!" is disabled).
                xdotool("key", "--delay", "100", "Tab", "Tab", "Tab")
                time.sleep(SETTLE_S)
                cost = procstat.measure([launched.pid], window_s)[0]
                results[name]["idle_button"].append(per_30s(cost, window_s))
                if name == "velmora":
                    costs = countdown_window(bench_dir, launched, window_s)
                    for program, cost in zip(("velmora", "sleeploop", "refresh"), costs):
                        results[program]["countdown"].append(cost)


def in_process(bench_dir, program, *arguments):
    done = subprocess.run([os.path.join(bench_dir, program)] + [str(a) for a in arguments],
                          check=True, capture_output=True, text=True)
    return json.loads(done.stdout.strip().splitlines()[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True, help="the build directory")
    parser.add_argument("--quick", action="store_true", help="fewer rounds, 10 s windows")
    parser.add_argument("--locales", required=True, help="a folder that holds %s" % GERMAN)
    options = parser.parse_args()
    config = QUICK if options.quick else FULL
    bench_dir = os.path.join(options.build, "bench")
    programs = {"velmora": os.path.join(options.build, "app", "velmora"),
                "floor": os.path.join(bench_dir, "bench_floor")}
    scenarios = ("startup_ms", "startup_ms_german", "rss_mib", "idle_spinbox", "idle_button",
                 "countdown")
    results = {name: {scenario: [] for scenario in scenarios}
               for name in ("velmora", "floor", "sleeploop", "refresh")}

    started = time.monotonic()
    startup_rounds(bench_dir, programs, config, results, options.locales)
    idle_rounds(bench_dir, programs, config, results)
    expiry = in_process(bench_dir, "bench_expiry", config["zero"], config["shortened"],
                        config["minute"])
    longrun = in_process(bench_dir, "bench_longrun")
    report.print_table(config, results, expiry, longrun, time.monotonic() - started)


if __name__ == "__main__":
    sys.exit(main())
