#!/usr/bin/env python3
"""A script run of pdehost to a restored panel (panelView, restore, on the
sample description, no server) against a process that only loads libcups and
parses the same description: whole processes, in alternating pairs (which one
starts first alternates too), wall-clock medians and their ratio, and the
medians of their CPU time (user + system), which depends less on how busy
the machine is. (Peak memory:
/usr/bin/time -f %M on one run of each; a spawned child's own maximum here
would count this interpreter's pages.)

Usage: host/bench/script-start.py [BUILD_DIR] [PAIRS]   (default: build/default, 201)
"""
import os
import statistics
import sys
import time

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build/default")
pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 201
pdehost = os.path.join(build, "host/pdehost")
floor = os.path.join(build, "host/bench/ppd_parse_floor")
ppd = os.path.join(build, "panel/TintPanel.plugin/Contents/Resources/LX4200.ppd")
for path in (pdehost, floor, ppd):
    if not os.path.exists(path):
        sys.exit(f"no {path}: build pdehost, TintPanel and ppd_parse_floor first")

script_path = os.path.join(build, "host/bench/script-start.script")
with open(script_path, "w") as f:
    f.write("panelView\nrestore\n")
runs = {
    "pdehost": ([pdehost, "--printer", "", "--ppd", ppd], script_path),
    "libcups": ([floor, ppd], os.devnull),
}


def run_once(argv, stdin_path):
    """Wall time and CPU time in ms of one whole process, from spawn to its exit."""
    with open(stdin_path, "rb") as stdin, open(os.devnull, "wb") as out:
        start = time.perf_counter_ns()
        pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=[
            (os.POSIX_SPAWN_DUP2, stdin.fileno(), 0), (os.POSIX_SPAWN_DUP2, out.fileno(), 1)])
        _, status, usage = os.wait4(pid, 0)
        elapsed = (time.perf_counter_ns() - start) / 1e6
    if status != 0:
        sys.exit(f"{argv[0]} failed: status {status}")
    return elapsed, (usage.ru_utime + usage.ru_stime) * 1e3


for name, (argv, stdin_path) in runs.items():
    run_once(argv, stdin_path)  # warm the caches
times = {name: [] for name in runs}
cpu = {name: [] for name in runs}
for i in range(pairs):
    order = list(runs) if i % 2 == 0 else list(reversed(runs))
    for name in order:
        elapsed, used = run_once(*runs[name])
        times[name].append(elapsed)
        cpu[name].append(used)

medians = {name: statistics.median(t) for name, t in times.items()}
print(f"load average {os.getloadavg()[0]:.2f}, {pairs} alternating pairs")
for name in runs:
    q = statistics.quantiles(times[name], n=4)
    print(f"{name:8} median {medians[name]:6.2f} ms  (quartiles {q[0]:.2f} / {q[2]:.2f}),"
          f" CPU {statistics.median(cpu[name]):.2f} ms")
print(f"ratio    {medians['pdehost'] / medians['libcups']:.2f}x (target <= 1.5x),"
      f" CPU time {statistics.median(cpu['pdehost']) / statistics.median(cpu['libcups']):.2f}x")
