# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The table of a benchmark run: medians with min-max, ratios, goals."""

import statistics

LEGEND = """\
Medians of all rounds [min-max]. Window costs are per 30 s: CPU time of all threads,
wake-ups = voluntary context switches of all threads (threads that end are counted to
their last sample, 1 s before). "<= floor" holds when Velmora's median is at most the
floor's max, or its median plus the noise of one wake (1 wake-up / 0.5 ms) for each
program the floor measures, and, when idle, no thread the floor lacks woke. The
countdown's floor is the sum of two programs, a C loop that sleeps 500 ms and the floor
dialog with its label set once a second by a timer, both measured in the same window.
Each start-up is followed by one with LANG=de_DE.UTF-8 (no RSS read).
Lags are p50 / p99 [max] in ms."""

# The noise of one wake, by measure.
NOISE = {"wakeups": 1, "cpu_ms": 0.5}


def summary(values, digits=1):
    if not values:
        return "-"
    form = "%%.%df" % digits
    return "%s [%s-%s]" % (form % statistics.median(values), form % min(values), form % max(values))


def percentile(values, fraction):
    """Nearest rank: the smallest value with at least `fraction` of all at or below it."""
    ordered = sorted(values)
    rank = max(1, -(-len(ordered) * fraction // 1))
    return ordered[int(rank) - 1]


def verdict(met):
    if met is None:
        return ""
    return "met" if met else "NOT MET"


def row(name, velmora, floor, ratio, goal, met):
    print("%-32s %-22s %-22s %-6s %-16s %s" % (name, velmora, floor, ratio, goal, verdict(met)))


def ratio_row(name, velmora, floor, limit, digits=1):
    ratio = statistics.median(velmora) / statistics.median(floor)
    row(name, summary(velmora, digits), summary(floor, digits), "%.2f" % ratio,
        "<= %.2f x floor" % limit, ratio <= limit)


def costs(results, name, scenario, key):
    return [cost[key] for cost in results[name][scenario]]


def extra_threads_woke(results, scenario):
    floor_threads = {thread for cost in results["floor"][scenario] for thread in cost["by_thread"]}
    return any(wakes["wakeups"] > 0 for cost in results["velmora"][scenario]
               for thread, wakes in cost["by_thread"].items() if thread not in floor_threads)


def within_floor(velmora, floor, noise):
    return statistics.median(velmora) <= max(max(floor), statistics.median(floor) + noise)


def idle_rows(results, scenario, label):
    for key, unit, digits in (("wakeups", "wake-ups", 0), ("cpu_ms", "CPU ms", 2)):
        velmora = costs(results, "velmora", scenario, key)
        floor = costs(results, "floor", scenario, key)
        median_floor = statistics.median(floor)
        ratio = "%.2f" % (statistics.median(velmora) / median_floor) if median_floor else "-"
        met = within_floor(velmora, floor, NOISE[key]) and not extra_threads_woke(results, scenario)
        row("%s, %s" % (label, unit), summary(velmora, digits), summary(floor, digits),
            ratio, "<= floor", met)


def countdown_rows(results):
    """Against the sum of the two floors, round by round."""
    for key, unit, digits in (("wakeups", "wake-ups", 0), ("cpu_ms", "CPU ms", 1)):
        velmora = costs(results, "velmora", "countdown", key)
        floors = [loop + refresh for loop, refresh in zip(costs(results, "sleeploop", "countdown", key),
                                                          costs(results, "refresh", "countdown", key))]
        ratio = statistics.median(velmora) / statistics.median(floors)
        row("countdown 500 ms, %s" % unit, summary(velmora, digits), summary(floors, digits),
            "%.2f" % ratio, "<= floor", within_floor(velmora, floors, 2 * NOISE[key]))
    for program, label in (("sleeploop", "C sleep loop"), ("refresh", "label refresh floor")):
        print("  floor part, %-21s %s wake-ups, %s CPU ms" % (
            label + ":", summary(costs(results, program, "countdown", "wakeups"), 0),
            summary(costs(results, program, "countdown", "cpu_ms"), 1)))


def lag_text(lags):
    return "%.1f / %.1f [%.1f]" % (percentile(lags, 0.5), percentile(lags, 0.99), max(lags))


def expiry_rows(expiry):
    """The last pause ends at the target, so the lag is the work of one pass
    and the wake-up, whatever the refresh interval."""
    refresh = expiry["refresh_ms"]
    goal_ms = 5
    for key, name in (("shortened", "expiry lag, random phase"),
                      ("minute", "expiry lag, 1-minute runs")):
        if expiry.get(key):
            lags = expiry[key]
            row("%s (%d)" % (name, len(lags)), lag_text(lags), "refresh %d" % refresh,
                "", "p99 <= %d ms" % goal_ms, percentile(lags, 0.99) <= goal_ms)
    zero = expiry["zero"]
    row("Ok to request, delay 0 (%d)" % len(zero), lag_text(zero), "", "", "", None)


def longrun_rows(longrun):
    def per_pass_ns(run):
        return run["worker_cpu_ms"] * 1e6 / run["passes"]
    hours = [run for run in longrun["runs"] if run["name"] == "1 h"]
    longest = [run for run in longrun["runs"] if run["name"] != "1 h"][0]
    hour_ns = statistics.median(per_pass_ns(run) for run in hours)
    ratio = per_pass_ns(longest) / hour_ns
    row("worker per pass, ns", "%.0f (38 d 23 h 59 m)" % per_pass_ns(longest),
        "%.0f (1 h)" % hour_ns, "%.2f" % ratio, "flat (<= 1.5)", ratio <= 1.5)
    print("  38 d 23 h 59 m: %d passes, exit at %d ms of %d, worker %.0f ms, GUI thread %.0f ms,"
          " wall %.1f s; 1 h: %d passes, worker %.1f ms"
          % (longest["passes"], longest["exit_at_ms"], longest["target_ms"],
             longest["worker_cpu_ms"], longest["gui_cpu_ms"], longest["wall_ms"] / 1e3,
             hours[0]["passes"], statistics.median(run["worker_cpu_ms"] for run in hours)))


def thread_count_text(runs):
    """Threads at the start and the end of the windows, and how many began or ended."""
    def span(key):
        values = [run[key] for run in runs]
        return "%d" % min(values) if min(values) == max(values) else "%d-%d" % (min(values), max(values))
    return "threads %s->%s, +%s -%s" % (span("threads_at_start"), span("threads_at_end"),
                                        span("threads_started"), span("threads_ended"))


def thread_lines(results):
    print("\nWake-ups by thread, median per 30 s (CPU ms):")
    for name, scenario in (("velmora", "idle_spinbox"), ("floor", "idle_spinbox"),
                           ("velmora", "idle_button"), ("floor", "idle_button"),
                           ("velmora", "countdown"), ("refresh", "countdown")):
        threads = sorted({thread for cost in results[name][scenario] for thread in cost["by_thread"]})
        parts = []
        for thread in threads:
            samples = [cost["by_thread"].get(thread, {"wakeups": 0, "cpu_ms": 0})
                       for cost in results[name][scenario]]
            parts.append("%s %.0f (%.1f)" % (thread, statistics.median(s["wakeups"] for s in samples),
                                             statistics.median(s["cpu_ms"] for s in samples)))
        print("  %-8s %-13s %s; %s" % (name, scenario, ", ".join(parts),
                                       thread_count_text(results[name][scenario])))


def print_table(config, results, expiry, longrun, elapsed_s):
    print("\nVelmora benchmarks: %d start-ups and %d rounds of %d s windows per program, %.0f s"
          % (config["startups"], config["rounds"], config["window"], elapsed_s))
    print(LEGEND + "\n")
    row("measure", "Velmora", "floor", "ratio", "goal", None)
    ratio_row("start-up to map, ms", results["velmora"]["startup_ms"],
              results["floor"]["startup_ms"], 1.15)
    ratio_row("start-up, LANG=de_DE.UTF-8, ms", results["velmora"]["startup_ms_german"],
              results["floor"]["startup_ms_german"], 1.15)
    ratio_row("RSS 2 s after map, MiB", results["velmora"]["rss_mib"],
              results["floor"]["rss_mib"], 1.15)
    idle_rows(results, "idle_spinbox", "idle, spin box focused")
    idle_rows(results, "idle_button", "idle, button focused")
    countdown_rows(results)
    expiry_rows(expiry)
    longrun_rows(longrun)
    thread_lines(results)
