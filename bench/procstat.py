# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a process costs over a window of time, thread by thread, from /proc.

CPU time comes from each thread's schedstat (nanoseconds; utime and stime
count in 10 ms ticks, too coarse for a few milliseconds in 30 s). Wake-ups
are voluntary context switches. The kernel keeps no per-process total of
those for threads that have ended, so the window samples every thread once a
second and counts a thread that ends up to its last sample."""

import os
import time


def _read(path):
    with open(path) as stream:
        return stream.read()


def _thread(task_dir):
    """(name, cpu ns, voluntary switches) of one thread, or None once gone."""
    try:
        name = _read(os.path.join(task_dir, "comm")).strip()
        cpu_ns = int(_read(os.path.join(task_dir, "schedstat")).split()[0])
        status = _read(os.path.join(task_dir, "status"))
    except (FileNotFoundError, ProcessLookupError):
        return None
    for line in status.splitlines():
        if line.startswith("voluntary_ctxt_switches:"):
            return name, cpu_ns, int(line.split()[1])
    return None


MAIN_THREAD = "(main)"


def threads(pid):
    """Thread id -> (name, cpu ns, voluntary switches) for a live process.
    The main thread is named MAIN_THREAD, so that programs compare by name."""
    task_root = "/proc/%d/task" % pid
    sample = {}
    for tid in os.listdir(task_root):
        thread = _thread(os.path.join(task_root, tid))
        if thread:
            name = MAIN_THREAD if int(tid) == pid else thread[0]
            sample[int(tid)] = (name,) + thread[1:]
    return sample


def vm_rss_kib(pid):
    for line in _read("/proc/%d/status" % pid).splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise RuntimeError("no VmRSS for process %d" % pid)


class Window:
    """The cost of one process from its creation to finish()."""

    def __init__(self, pid):
        self.pid = pid
        self.first = threads(pid)
        self.last = dict(self.first)

    def sample(self):
        self.last.update(threads(self.pid))

    def finish(self):
        now = threads(self.pid)
        self.last.update(now)
        by_name = {}
        for tid, (name, cpu_ns, switches) in self.last.items():
            _, cpu0, switches0 = self.first.get(tid, (name, 0, 0))
            cpu, wakes = by_name.get(name, (0, 0))
            by_name[name] = (cpu + cpu_ns - cpu0, wakes + switches - switches0)
        return {
            "cpu_ms": sum(cpu for cpu, _ in by_name.values()) / 1e6,
            "wakeups": sum(wakes for _, wakes in by_name.values()),
            "by_thread": {name: {"cpu_ms": cpu / 1e6, "wakeups": wakes}
                          for name, (cpu, wakes) in by_name.items()},
            "threads_at_start": len(self.first),
            "threads_at_end": len(now),
            "threads_started": len(set(self.last) - set(self.first)),
            "threads_ended": len(set(self.last) - set(now)),
        }


def measure(pids, seconds):
    """Cost of each process over the next `seconds`, sampled once a second."""
    windows = [Window(pid) for pid in pids]
    end = time.monotonic() + seconds
    while True:
        left = end - time.monotonic()
        if left <= 0:
            break
        time.sleep(min(1.0, left))
        for window in windows:
            window.sample()
    return [window.finish() for window in windows]
