#!/usr/bin/env python3
"""Runs one scenario script on the headless build and on the real platform's
build and compares what both saw, state by state (compare_dumps.py).

usage: run_compare.py --script FILE.tide --host N --work DIR
                      [--exact-time skip|run] [--timeout S]
                      --headless PROGRAM... --win32 PROGRAM...

PROGRAM... is the tabulon-ide to run and what runs it: on the real platform
for example `cmake/wine-run.sh PREFIX bin/tabulon-ide.exe`. The script runs
with a `dump` after each of its commands (inside a settings dialog's block
too, except after ok and cancel), each side in a folder of its own under
DIR, from which the files the script's `# args:` name are read, so that
neither build is handed a path of the other's file system.

A script whose header says `# exact-time: REASON` depends on the headless
build's simulated clock exactly: with --exact-time skip (the default) it is
not run, and the reason is printed.

exit status: 0 both agree, 1 they differ or a run failed, 77 skipped (no
headless build, or an exact-time script), 2 bad arguments
"""
import argparse
import os
import re
import shlex
import shutil
import subprocess
import sys

# Nothing is written beside the sources.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import compare_dumps  # noqa: E402

SKIP = 77


def header(lines, key):
    for line in lines:
        m = re.match(r"#\s*" + key + r":(.*)$", line)
        if m:
            return m.group(1).strip()
    return None


def instrument(lines):
    """The script with a dump after each command, and what each dump follows.

    Returns (lines, map from new to original line number, state labels,
    dialog labels, the ms waited before each state dump since the one
    before). A settings dialog's block runs later than it stands, inside
    the dialog, so its waits count for no state dump: the lower bounds stay
    lower bounds."""
    out, origin, labels, dialog_labels, waits = [], [], [], [], []
    in_block = False
    for number, line in enumerate(lines, 1):
        out.append(line)
        origin.append(number)
        try:
            words = shlex.split(line, comments=True)
        except ValueError:  # an open quote: the program will say so
            words = line.split()
        if not words:
            continue
        command = words[0]
        label = f"line {number} ({line.strip()})"
        if in_block:
            if command == "end":
                in_block = False
            elif command not in ("ok", "cancel", "dump"):
                out.append("dump")
                origin.append(number)
                dialog_labels.append(label)
            elif command == "dump" and len(words) == 1:
                dialog_labels.append(label)
            continue
        if command == "dialog" and len(words) == 1:
            in_block = True
            continue
        timed = command == "wait" and len(words) == 2 and words[1].isdigit()
        waited = int(words[1]) if timed else 0
        if not (command == "dump" and len(words) == 1):
            out.append("dump")
            origin.append(number)
        labels.append(label)
        waits.append(waited)
    return out, origin, labels, dialog_labels, waits


def run_side(program, host, args, script_name, lines, workdir, timeout):
    """Runs the instrumented script in workdir; (exit status, stdout, stderr)."""
    os.makedirs(workdir, exist_ok=True)
    with open(os.path.join(workdir, script_name), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    command = program + ["--host", str(host), "--hive", ":memory:"] + args + [script_name]
    try:
        done = subprocess.run(command, cwd=workdir, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, "", f"no end within {timeout} s"
    except OSError as e:
        return None, "", f"cannot run {command[0]}: {e}"
    return (done.returncode, done.stdout.decode("utf-8", "replace"),
            done.stderr.decode("utf-8", "replace"))


def original_lines(text, script_name, origin):
    """Messages about the instrumented script name the original's lines."""

    def back(m):
        n = int(m.group(1))
        return f"{script_name}:{origin[n - 1] if 0 < n <= len(origin) else n}:"

    return re.sub(re.escape(script_name) + r":(\d+):", back, text)


def compare_script(script, host, work, headless, win32, exact_time="skip", timeout=600):
    """Prints the comparison's report; returns the exit status."""
    # The launcher runs the simulator of the host build beside it.
    needed = [headless[0]]
    if os.path.basename(headless[0]) == "tabulon-ide":
        needed.append(f"{headless[0]}-{host}")
    missing = [p for p in needed if not os.path.isfile(p)]
    if missing:
        print(f"no headless build to compare with: {', '.join(missing)} missing; make it with"
              f" `cmake --preset run && cmake --build --preset run` (Delphi 7), or"
              f" `cmake --preset default && cmake --build --preset default` (all hosts), or"
              f" point TABULON_HEADLESS_BUILD at a headless build folder")
        return SKIP
    with open(script, encoding="utf-8") as f:
        source = f.read().splitlines()
    name = os.path.basename(script)
    reason = header(source, "exact-time")
    if reason is not None and exact_time == "skip":
        print(f"{name}: not compared on the real platform: it depends on simulated time"
              f" exactly: {reason}")
        return SKIP
    args = shlex.split(header(source, "args") or "")
    lines, origin, labels, dialog_labels, waits = instrument(source)
    shutil.rmtree(work, ignore_errors=True)
    outputs = {}
    failed = False
    for side, program in (("headless", headless), ("win32", win32)):
        workdir = os.path.join(work, side)
        os.makedirs(workdir)
        side_args = []
        for arg in args:
            # A file of the scenarios' folder is copied next to the script.
            if "@DIR@" in arg:
                path = arg.replace("@DIR@", os.path.dirname(os.path.abspath(script)))
                shutil.copy(path, workdir)
                arg = os.path.basename(path)
            side_args.append(arg)
        status, out, err = run_side(program, host, side_args, name, lines, workdir, timeout)
        outputs[side] = out.splitlines()
        if status != 0:
            failed = True
            print(f"{side}: {name} ended with status {status}:")
            print(original_lines(err, name, origin).rstrip() or "(nothing on standard error)")
    report = compare_dumps.compare(outputs["headless"], outputs["win32"], waits, labels,
                                   dialog_labels)
    for line in report:
        print(line)
    if report or failed:
        return 1
    states = len(compare_dumps.split_dumps(outputs["headless"])[0])
    print(f"{name}, host {host}: {states} states and {len(dialog_labels)} dialog states agree")
    return 0


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--script", required=True)
    parser.add_argument("--host", type=int, required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--exact-time", choices=("skip", "run"), default="skip")
    parser.add_argument("--timeout", type=int, default=600)
    parser.add_argument("--headless", nargs="+", required=True)
    parser.add_argument("--win32", nargs="+", required=True)
    a = parser.parse_args(argv[1:])
    return compare_script(a.script, a.host, a.work, a.headless, a.win32, a.exact_time,
                          a.timeout)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
