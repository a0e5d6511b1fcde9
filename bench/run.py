#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs Korvel's benchmarks, each next to its reference in the same run, and
prints one Markdown table. scripts/bench.sh builds the programs and starts
this without the right to set the clock.

    bench/run.py BUILD_DIR [--quick]

Every Korvel started here gets a private system bus on which nothing owns
timedated (but dbusmock's, for the accuracy figures), a private
XDG_CONFIG_HOME whose update is not due, a private XDG_STATE_HOME for its
history and a server cycle of loopback ports: nothing can reach a real clock
setter or the outside network.
"""
import argparse
import datetime
import json
import os
import re
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import time

# The private bus with its mocked services, and the desktop, as the tests and scripts start them.
PEERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "peers")
PRIVATE_BUS = os.path.join(PEERS, "private-bus.sh")
DESKTOP = os.path.join(PEERS, "desktop.sh")
STATUS_LINE = b".status: Last update was on - "
# A window drawn in full: Korvel's start step, and the empty references' line.
# Korvel's start steps are logged at debug level.
STEPS_ON = {"QT_LOGGING_RULES": "korvel.app.debug=true"}
PAINTED = {"korvel": b"start step window painted", "bare": b"bare.status: window painted"}
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def fail(message):
    sys.exit("bench: " + message)


class Workplace:
    """The private bus, settings folders and environment for one run."""

    def __init__(self, folder):
        self.folder = folder
        self.bus = subprocess.Popen([PRIVATE_BUS, "bus", folder], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    text=True)
        address = self.bus.stdout.readline().strip()
        if not address:
            fail("dbus-daemon gave no address")
        self.base = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"):
            self.base.pop(name, None)
        self.base["DBUS_SYSTEM_BUS_ADDRESS"] = address
        self.base["KORVEL_TIME_SERVERS"] = "127.0.0.1:%d" % refusing_port()
        self.base["XDG_STATE_HOME"] = os.path.join(folder, "state")

    def environment(self, name, unload, time_away, **extra):
        """A settings folder `name`: update every 2 hours, the last one half an
        hour ago, so 1.5 hours are left."""
        home = os.path.join(self.folder, name)
        os.makedirs(os.path.join(home, "Korvel"), exist_ok=True)
        last = (datetime.datetime.now() - datetime.timedelta(minutes=30)).strftime("%Y-%m-%dT%H:%M:%S")
        with open(os.path.join(home, "Korvel", "Korvel.ini"), "w") as file:
            file.write("[Option]\nCheckTime=2\nUnload=%d\nTimeAway=%d\nLastUpdate=%s\n" % (unload, time_away, last))
        environment = dict(self.base, XDG_CONFIG_HOME=home)
        environment.update(extra)
        return environment

    def close(self):
        self.bus.terminate()
        self.bus.wait()


def refusing_port():
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


def ratio(value, reference):
    return "%.2f" % (value / reference) if reference else "—"


def bench_json(program, *arguments, env=None):
    run = subprocess.run([program, *map(str, arguments)], stdout=subprocess.PIPE, text=True, env=env)
    if run.returncode != 0:
        fail("%s failed (exit %d): %s" % (os.path.basename(program), run.returncode, run.stdout))
    return json.loads(run.stdout.strip().splitlines()[-1])


class TimedatedMock:
    """dbusmock's timedated on the workplace's bus, with network time off: takes
    every SetTime call, logs it and changes no clock."""

    def __init__(self, place):
        self.process = subprocess.Popen([PRIVATE_BUS, "mock", place.base["DBUS_SYSTEM_BUS_ADDRESS"], "timedated",
                                         "-p", '{"NTP": false}'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        waited = subprocess.run(["gdbus", "wait", "--address", place.base["DBUS_SYSTEM_BUS_ADDRESS"], "--timeout", "20",
                                 "org.freedesktop.timedate1"],
                                env=place.base)
        if waited.returncode != 0:
            self.close()
            fail("the timedated mock did not come up")

    def close(self):
        self.process.terminate()
        self.process.wait()


def accuracy(build, place, runs):
    rows = []
    mock = TimedatedMock(place)
    try:
        for delay in (0, 300):
            figures = bench_json(os.path.join(build, "bench", "accuracy_bench"), runs, delay, env=place.base)
            korvel, single, rdate = figures["korvel"], figures["single"], figures["rdate"]
            path = "no added delay" if delay == 0 else "symmetric %d ms each way" % delay
            title = "Accuracy, four loopback servers, %s, %d phases: " % (path, runs)
            references = "one answer (+0.5 s): %.0f ms; rdate -p: %.0f ms"
            rows += [
                (title + "median absolute error", "%.0f ms" % korvel["median_abs_ms"],
                 references % (single["median_abs_ms"], rdate["median_abs_ms"]),
                 ratio(korvel["median_abs_ms"], single["median_abs_ms"])),
                (title + "largest absolute error", "%.0f ms" % korvel["max_abs_ms"],
                 references % (single["max_abs_ms"], rdate["max_abs_ms"]),
                 ratio(korvel["max_abs_ms"], single["max_abs_ms"])),
                (title + "how close the status line says the clock is, median (largest)",
                 "%.0f ms (%.0f ms)" % (figures["said_median_ms"], figures["said_max_ms"]),
                 "at most 130 ms, whichever server is wrong", "—"),
                (title + "time the update adds, median (largest)",
                 "%.0f ms (%.0f ms)" % (figures["added_median_ms"], figures["added_max_ms"]), "one answer: 0 ms",
                 "—"),
                (title + "questions to one server per update, most (shortest time between two)",
                 "%d (%.1f s)" % (figures["most_questions"], figures["shortest_gap_ms"] / 1000),
                 "at most 2, never within 4 s", "—"),
            ]
    finally:
        mock.close()
    return rows


def library_count(program):
    listed = subprocess.run(["ldd", program], stdout=subprocess.PIPE, text=True).stdout
    return len([line for line in listed.splitlines() if "=>" in line or line.strip().startswith("/")])


def timed_run(command, environment):
    """Wall and CPU (user + system) milliseconds of one run to its end."""
    start = time.perf_counter()
    pid = os.posix_spawn(command[0], command, environment)
    _, status, usage = os.wait4(pid, 0)
    wall = 1000 * (time.perf_counter() - start)
    if os.waitstatus_to_exitcode(status) != 0:
        fail("%s exited with %d" % (" ".join(command), os.waitstatus_to_exitcode(status)))
    return wall, 1000 * (usage.ru_utime + usage.ru_stime)


def early_exit(build, place, runs):
    korvel = [os.path.join(build, "src", "korvel"), "Load", "1"]
    bare = [os.path.join(build, "bench", "bare_start")]
    environment = place.environment("early", unload=1, time_away=1)
    # The display variables are already gone from the environment.
    leaving = subprocess.run(korvel, env=environment, capture_output=True)
    if leaving.returncode != 0 or leaving.stdout or leaving.stderr:
        fail("korvel Load 1 without a display: exit %d, %r" % (leaving.returncode, leaving.stderr))
    # The window program applies the rule itself when started directly: the
    # early exit as it was before `korvel` was split off, with every library.
    whole = [os.path.join(build, "src", "korvel-window"), "Load", "1"]
    # Turn about, so that a change in the machine's load falls on all alike.
    measured = {"korvel": [], "bare": [], "whole": []}
    for _ in range(runs):
        for name, command in (("korvel", korvel), ("bare", bare), ("whole", whole)):
            measured[name].append(timed_run(command, environment))
    wall = {name: statistics.median(run[0] for run in values) for name, values in measured.items()}
    cpu = {name: statistics.median(run[1] for run in values) for name, values in measured.items()}
    libraries = {name: library_count(command[0]) for name, command in (("korvel", korvel), ("bare", bare),
                                                                         ("whole", whole))}
    title = "Unattended early exit `korvel Load 1` (no display, exit 0), %d runs: " % runs
    reference = "bare QCoreApplication: "
    return [
        (title + "median wall time", "%.1f ms" % wall["korvel"], reference + "%.1f ms" % wall["bare"],
         ratio(wall["korvel"], wall["bare"])),
        (title + "median CPU time", "%.1f ms" % cpu["korvel"], reference + "%.1f ms" % cpu["bare"],
         ratio(cpu["korvel"], cpu["bare"])),
        ("Early exit: shared libraries (ldd)", str(libraries["korvel"]), reference + str(libraries["bare"]),
         ratio(libraries["korvel"], libraries["bare"])),
        ("Early exit in the whole window program (`korvel-window Load 1`, as before the split): median wall time",
         "%.1f ms, %d libraries" % (wall["whole"], libraries["whole"]), reference + "%.1f ms" % wall["bare"],
         ratio(wall["whole"], wall["bare"])),
    ]


def wait_for_status(process, timeout, line=STATUS_LINE):
    """Seconds from now until the program prints `line` (its first status line)."""
    start = time.monotonic()
    seen = b""
    os.set_blocking(process.stderr.fileno(), False)
    while line not in seen:
        if time.monotonic() - start > timeout or process.poll() is not None:
            return None
        chunk = process.stderr.read()
        if chunk:
            seen += chunk
        else:
            time.sleep(0.001)
    return time.monotonic() - start


def start_and_stop(command, environment, line):
    """Time to `line` on stderr, and the peak resident memory in KiB."""
    start = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    shown = wait_for_status(process, 30, line)
    elapsed = time.monotonic() - start
    # Lets the window be shown and settle before its peak is read.
    time.sleep(0.5)
    process.send_signal(signal.SIGTERM)
    _, status, usage = os.wait4(process.pid, 0)
    # Reaped here for its usage figures; Popen must not wait for it again.
    process.returncode = os.waitstatus_to_exitcode(status)
    if shown is None:
        fail("%s never said %s" % (command[0], line.decode()))
    return elapsed, usage.ru_maxrss


def window_start(build, place, runs):
    environment = place.environment("window", unload=0, time_away=4, QT_QPA_PLATFORM="offscreen")
    # Korvel says when its window is painted through its start steps.
    steps_on = dict(environment, **STEPS_ON)
    korvel = [os.path.join(build, "src", "korvel")]
    bare = [os.path.join(build, "bench", "bare_window")]
    # The same window with one line of text: what fonts alone cost.
    text = bare + ["text"]
    runs_of = {"korvel": [], "bare": [], "text": []}
    for _ in range(runs):
        for name, command, env, line in (("korvel", korvel, steps_on, PAINTED["korvel"]),
                                         ("bare", bare, environment, PAINTED["bare"]),
                                         ("text", text, environment, PAINTED["bare"])):
            runs_of[name].append(start_and_stop(command, env, line))
    msecs = {name: 1000 * statistics.median(run[0] for run in values) for name, values in runs_of.items()}
    kib = {name: statistics.median(run[1] for run in values) for name, values in runs_of.items()}
    title = "Normal start (offscreen), %d runs: " % runs
    steps = start_steps(build, place, 3, "Normal start (offscreen)", environment, korvel)
    return loader_figures(build, place) + steps + [
        (title + "median time until the window is painted", "%.0f ms" % msecs["korvel"],
         "empty Qt Widgets window: %.0f ms; at most 1.5×" % msecs["bare"], ratio(msecs["korvel"], msecs["bare"])),
        (title + "median time until the window is painted, against one with a line of text", "%.0f ms" % msecs["korvel"],
         "empty window with one label: %.0f ms" % msecs["text"], ratio(msecs["korvel"], msecs["text"])),
        (title + "peak RSS", "%.1f MiB" % (kib["korvel"] / 1024),
         "empty Qt Widgets window: %.1f MiB; at most 1.25×" % (kib["bare"] / 1024), ratio(kib["korvel"], kib["bare"])),
        (title + "peak RSS, against a window with a line of text", "%.1f MiB" % (kib["korvel"] / 1024),
         "empty window with one label: %.1f MiB" % (kib["text"] / 1024), ratio(kib["korvel"], kib["text"])),
    ]


STEP_LINE = re.compile(rb"start step (.+?): ([0-9.]+) ms, ([0-9.]+) MiB resident")


def start_steps(build, place, runs, name, environment, command):
    """Median milliseconds and resident memory after each step of a start."""
    log = os.path.join(place.folder, name + ".log")
    steps = {}
    for _ in range(runs):
        with open(log, "wb") as file:
            process = subprocess.Popen(command, env=dict(environment, **STEPS_ON),
                                       stdout=subprocess.DEVNULL, stderr=file)
            time.sleep(1.5)
            process.send_signal(signal.SIGTERM)
            process.wait()
        with open(log, "rb") as file:
            for step, msecs, mib in STEP_LINE.findall(file.read()):
                steps.setdefault(step.decode(), []).append((float(msecs), float(mib)))
    if not steps:
        fail("%s logged no start steps" % command[0])
    rows = []
    for step, figures in steps.items():
        rows.append(("%s, %d runs: step \"%s\"" % (name, runs, step),
                     "%.1f ms" % statistics.median(f[0] for f in figures),
                     "%.1f MiB resident after it" % statistics.median(f[1] for f in figures), "—"))
    return rows


def loader_figures(build, place):
    """What the dynamic loader does before the window program's main."""
    environment = place.environment("loader", unload=1, time_away=1)
    output = os.path.join(place.folder, "ld")
    program = os.path.join(build, "src", "korvel-window")
    # Leaves at once (not due, no display needed): only the loading counts.
    subprocess.run([program, "Load", "1"], env=dict(environment, LD_DEBUG="statistics", LD_DEBUG_OUTPUT=output),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    text = "".join(open(os.path.join(place.folder, f)).read() for f in os.listdir(place.folder)
                   if f.startswith("ld."))
    cycles = re.search(r"total startup time in dynamic loader: (\d+) cycles", text)
    relocations = re.search(r"number of relocations: (\d+)", text)
    relative = re.search(r"number of relative relocations: (\d+)", text)
    if not (cycles and relocations and relative):
        return []
    return [("Window program before main (LD_DEBUG=statistics): dynamic loader",
             "%.1f M cycles, %s symbol and %s relative relocations, %d libraries"
             % (int(cycles.group(1)) / 1e6, relocations.group(1), relative.group(1), library_count(program)),
             "bare Qt Widgets window: %d libraries" % library_count(os.path.join(build, "bench", "bare_window")), "—")]


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as file:
        for line in file:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def tray_display():
    """Xvfb with trayer holding the tray; returns (processes, display name)."""
    desktop = subprocess.Popen([DESKTOP, "x11"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    display = None
    for line in desktop.stdout:
        if line.strip() == "ready":
            break
        if line.startswith("DISPLAY="):
            display = line.strip().split("=", 1)[1]
    if not display:
        fail("no tray display")
    return [desktop], display


def idle(build, place, seconds):
    """Korvel after `korvel Load 1` (not due) beside an empty tray-icon
    program and xclock, all on the same tray display."""
    helpers, display = tray_display()
    try:
        environment = place.environment("tray", unload=1, time_away=4, DISPLAY=display)
        rows = start_steps(build, place, 3, "Start into the tray (`korvel Load 1`, Xvfb + trayer)", environment,
                           [os.path.join(build, "src", "korvel"), "Load", "1"])
        korvel = subprocess.Popen([os.path.join(build, "src", "korvel"), "Load", "1"], env=environment,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        helpers.insert(0, korvel)
        if wait_for_status(korvel, 30) is None:
            fail("korvel Load 1 did not stay in the tray")
        tray = subprocess.Popen([os.path.join(build, "bench", "bare_tray")], env=environment,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        helpers.insert(0, tray)
        if wait_for_status(tray, 30) is None:
            fail("the empty tray-icon program did not start")
        xclock = subprocess.Popen(["xclock", "-digital", "-update", "1"], env=environment,
                                  stderr=subprocess.DEVNULL)
        helpers.insert(0, xclock)
        time.sleep(2)
        watched = (korvel, tray, xclock)
        before = {process.pid: cpu_ticks(process.pid) for process in watched}
        time.sleep(seconds)
        if korvel.poll() is not None:
            fail("korvel left the tray during the idle measurement")
        cpu = {pid: 1000 * (cpu_ticks(pid) - ticks) / CLOCK_TICKS for pid, ticks in before.items()}
        rss = {process.pid: rss_kib(process.pid) for process in watched}
    finally:
        for process in helpers:
            process.terminate()
            process.wait()
    title = "Idle in the tray (Xvfb + trayer), %d s: " % seconds
    return rows + [
        (title + "CPU time", "%.0f ms" % cpu[korvel.pid], "xclock -digital -update 1: %.0f ms" % cpu[xclock.pid],
         ratio(cpu[korvel.pid], cpu[xclock.pid])),
        (title + "RSS", "%.1f MiB" % (rss[korvel.pid] / 1024),
         "empty tray-icon program: %.1f MiB; at most 1.3×" % (rss[tray.pid] / 1024), ratio(rss[korvel.pid], rss[tray.pid])),
        (title + "RSS beside xclock", "%.1f MiB" % (rss[korvel.pid] / 1024),
         "xclock -digital -update 1: %.1f MiB" % (rss[xclock.pid] / 1024), ratio(rss[korvel.pid], rss[xclock.pid])),
    ]


def query(build, runs):
    figures = bench_json(os.path.join(build, "bench", "timeclient_bench"), runs)
    one, failover = figures["query"], figures["failover"]
    return [
        ("Query, loopback server, %d runs: median GetTime to Done" % runs, "%.2f ms" % one["median_ms"],
         "connect + read: %.2f ms" % one["reference_median_ms"], ratio(one["median_ms"], one["reference_median_ms"])),
        ("Failover across four refusing servers, %d runs: median" % runs, "%.2f ms" % failover["median_ms"],
         "four refused connects: %.2f ms" % failover["reference_median_ms"],
         ratio(failover["median_ms"], failover["reference_median_ms"])),
    ]


def update(build, runs):
    figures = bench_json(os.path.join(build, "bench", "update_bench"), runs)
    return [
        ("Update, loopback server, connection up, %d runs: median start to the clock-setting call" % runs,
         "%.2f ms" % figures["median_ms"], "the server's round trip: %.2f ms" % figures["reference_median_ms"],
         ratio(figures["median_ms"], figures["reference_median_ms"])),
    ]


def history(build, runs):
    """Opening the History window in a fresh process each run, as the user
    first opens it: over a full history and over an empty one."""
    program = os.path.join(build, "bench", "history_bench")
    full = [bench_json(program, 5000) for _ in range(runs)]
    empty = [bench_json(program, 0) for _ in range(runs)]
    full_ms = statistics.median(run["open_ms"] for run in full)
    empty_ms = statistics.median(run["open_ms"] for run in empty)
    title = "History window, %d runs: " % runs
    return [
        (title + "median time to open it (module loaded, file read, window drawn) over 5,000 records",
         "%.0f ms" % full_ms, "an empty history: %.0f ms; at most 100 ms" % empty_ms, ratio(full_ms, empty_ms)),
        ("History file with 5,000 records: size", "%.0f KiB" % (full[0]["bytes"] / 1024), "at most 1024 KiB",
         ratio(full[0]["bytes"], 1024 * 1024)),
    ]


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as file:
        for line in file:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return "%d cores (nproc), %s, Linux %s" % (len(os.sched_getaffinity(0)), model, os.uname().release)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--quick", action="store_true", help="fewer runs and a 10 s idle, to try the benchmarks")
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    quick = options.quick

    rows = []
    with tempfile.TemporaryDirectory(prefix="korvel-bench.") as folder:
        place = Workplace(folder)
        try:
            rows += early_exit(build, place, 30 if quick else 200)
            rows += window_start(build, place, 3 if quick else 10)
            rows += query(build, 3 if quick else 10)
            rows += update(build, 3 if quick else 10)
            rows += history(build, 3 if quick else 10)
            rows += accuracy(build, place, 6 if quick else 30)
            rows += idle(build, place, 10 if quick else 60)
        finally:
            place.close()

    print("Machine: " + machine())
    print()
    print("| Benchmark | Korvel | Reference | Ratio |")
    print("| --- | --- | --- | --- |")
    for name, value, reference, factor in rows:
        print("| %s | %s | %s | %s |" % (name, value, reference, factor))


if __name__ == "__main__":
    main()
