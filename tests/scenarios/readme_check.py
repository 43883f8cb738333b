#!/usr/bin/env python3
"""The README says only what is true: every tabulon-ide command it shows is
run, and what it shows as output is compared with what the command prints.

  - a block starting with "$ build/bin/tabulon-ide ..." is a transcript: the
    lines after the command are its output (standard output and error
    together). Lines after a "tabulon-ide> " or "dialog> " prompt are typed:
    they are fed to the prompt (the command gets -i, as a terminal is not
    at hand), and the output is compared with the prompts and typed lines
    put back in place;
  - a block of a tabulon-ide command that writes "snapshot docs/NAME.svg"
    (or .png) draws a picture the README shows: it is drawn again and
    compared byte for byte with the file in docs/. With --update the
    pictures are drawn into docs/ instead (scripts/make-pictures), and
    nothing else is checked.

  - every other command it shows names what exists: each preset of
    `cmake --preset`, `--build --preset` and `ctest --preset` is in
    CMakePresets.json, each `--target` is a target of the build tree, each
    script it shows to run exists and is executable, each file it names
    exists;
  - the `run` build preset builds only the launcher, the Delphi 7 simulator
    and what that loads: no target of another host is among what its
    targets depend on (read from the build tree's Makefile2).

usage: readme_check.py [--update] README BIN-DIR SOURCE-DIR WORK-DIR BUILD-DIR
"""
import json
import os
import re
import shlex
import shutil
import subprocess
import sys

PROMPTS = ("tabulon-ide> ", "dialog> ")


def blocks(text):
    """The indented code blocks, each a list of lines without the indent."""
    found, current = [], []
    for line in text.split("\n") + [""]:
        if line.startswith("    "):
            current.append(line[4:])
        elif line.strip() == "" and current:
            current.append("")
        else:
            while current and current[-1] == "":
                current.pop()
            if current:
                found.append(current)
            current = []
    return found


def command_of(lines):
    """The command at the start of lines (joined over trailing backslashes)
    and the number of lines it takes."""
    command, used = "", 0
    for line in lines:
        used += 1
        if line.endswith("\\"):
            command += line[:-1]
        else:
            command += line
            break
    return command, used


def run(words, bin_dir, work, stdin=""):
    words = [os.path.join(bin_dir, "tabulon-ide")] + words[1:]
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work, COLUMNS="80")
    done = subprocess.run(words, cwd=work, env=env, input=stdin.encode(),
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
    return done.returncode, done.stdout.decode()


def tidy(text):
    lines = [line.rstrip() for line in text.split("\n")]
    while lines and lines[-1] == "":
        lines.pop()
    return lines


def target_graph(build):
    """The build tree's targets and what each depends on, from the Unix
    Makefiles generator's Makefile2 (None for another generator)."""
    path = os.path.join(build, "CMakeFiles", "Makefile2")
    if not os.path.exists(path):
        return None
    graph = {}
    rule = re.compile(r"^(?:\S+/)?CMakeFiles/([^/\s]+)\.dir/all:(?: (?:\S+/)?CMakeFiles/([^/\s]+)\.dir/all)?$")
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = rule.match(line.rstrip("\n"))
            if m:
                graph.setdefault(m.group(1), set())
                if m.group(2):
                    graph[m.group(1)].add(m.group(2))
    return graph


def check_commands(text, source, build):
    """The README's commands other than tabulon-ide's: presets, targets,
    scripts and files. Returns (failures, number of checks)."""
    failures, checked = [], 0
    with open(os.path.join(source, "CMakePresets.json"), encoding="utf-8") as f:
        presets = json.load(f)
    names = {kind: {p["name"] for p in presets.get(kind, [])}
             for kind in ("configurePresets", "buildPresets", "testPresets")}
    uses = [(r"\bcmake --preset[ =](\w+)", "configurePresets"),
            (r"\bcmake --build --preset[ =](\w+)", "buildPresets"),
            (r"\bctest --preset[ =](\w+)", "testPresets")]
    for pattern, kind in uses:
        for name in re.findall(pattern, text):
            checked += 1
            if name not in names[kind]:
                failures.append("the README uses the preset '%s', which is not among the %s "
                                "of CMakePresets.json" % (name, kind))
    graph = target_graph(build)
    # A build tree configured without benchmarks (the sanitizer build) has
    # no benchmark targets to check the README's against.
    try:
        with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
            benches = "TABULON_BENCH:BOOL=ON" in f.read()
    except OSError:
        benches = True
    for target in re.findall(r"--target[ =]([\w.-]+)", text):
        if target.endswith("_bench") and not benches:
            continue
        checked += 1
        if graph is not None and target not in graph:
            failures.append("the README builds the target '%s', which the build tree has not"
                            % target)
    for path in sorted(set(re.findall(r"(?<![\w/.$-])((?:scripts|bench|tests|docs|examples|"
                                      r"\.ci)/[\w.-]+(?:/[\w.-]+)*)", text))):
        checked += 1
        full = os.path.join(source, path)
        # A path without an extension, or a shell or Python one, is run.
        runs = os.path.splitext(path)[1] in ("", ".sh", ".py")
        if not os.path.exists(full):
            failures.append("the README names '%s', which does not exist" % path)
        elif runs and os.path.isfile(full) and not os.access(full, os.X_OK):
            failures.append("the README runs '%s', which is not executable" % path)
    # The run preset: the launcher, the Delphi 7 simulator and its package.
    run = [p for p in presets["buildPresets"] if p["name"] == "run"]
    if graph is None:
        print("README check: the build tree has no Makefile2; what the run preset builds "
              "is not checked", file=sys.stderr)
    elif run:
        checked += 1
        wanted = run[0].get("targets", [])
        built, todo = set(), list(wanted)
        while todo:
            t = todo.pop()
            if t not in built:
                built.add(t)
                todo.extend(graph.get(t, ()))
        others = sorted(t for t in built if re.search(r"[^0-9][56]$", t))
        if sorted(wanted) != ["tabulon-ide", "tabulon-ide-7"] or others or \
                "Tabulon7" not in built:
            failures.append("the run preset builds %s, with %s: it must build the launcher, "
                            "tabulon-ide-7 and its package Tabulon7 only"
                            % (wanted, sorted(built)))
    return failures, checked


def main():
    args = sys.argv[1:]
    update = args[:1] == ["--update"]
    readme, bin_dir, source, work, build = args[1:6] if update else args[0:5]
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    failures, checked = ([], 0) if update else check_commands(text, source, build)
    for block in blocks(text):
        first = block[0]
        if first.startswith("$ build/bin/tabulon-ide"):
            kind = "transcript"
            command, used = command_of([first[2:]] + block[1:])
        elif first.startswith("build/bin/tabulon-ide") and "snapshot docs/" in "".join(block):
            kind = "picture"
            command, used = command_of(block)
        else:
            continue
        if update and kind != "picture":
            continue
        shutil.rmtree(work, ignore_errors=True)
        shutil.copytree(os.path.join(source, "examples"), os.path.join(work, "examples"))
        os.makedirs(os.path.join(work, "docs"))
        words = shlex.split(command)
        expected = block[used:]
        checked += 1
        if kind == "picture":
            status, out = run(words, bin_dir, work)
            name = re.search(r"snapshot (docs/\S+\.(?:svg|png))", command).group(1)
            try:
                with open(os.path.join(work, name), "rb") as f:
                    drawn = f.read()
            except OSError:
                drawn = None
            if update:
                if status != 0 or drawn is None:
                    failures.append("%s: the README's command fails (status %d):\n%s"
                                    % (name, status, out))
                else:
                    os.makedirs(os.path.dirname(os.path.join(source, name)), exist_ok=True)
                    with open(os.path.join(source, name), "wb") as f:
                        f.write(drawn)
                    print("drawn: " + name)
                continue
            with open(os.path.join(source, name), "rb") as f:
                shown = f.read()
            if status != 0 or drawn != shown:
                failures.append("%s: the README's command draws another picture "
                                "(status %d):\n%s" % (name, status, out))
            continue
        typed = [line[len(p):] for line in expected for p in PROMPTS
                 if (line + " ").startswith(p) and line.rstrip() != p.rstrip()]
        if typed:
            status, out = run(words + ["-i"], bin_dir, work, "\n".join(typed) + "\n")
            # Each typed line goes back after the prompt that read it.
            at, rebuilt = 0, ""
            for line in typed:
                hits = [(out.find(p, at), p) for p in PROMPTS if out.find(p, at) >= 0]
                if not hits:
                    break
                hit, prompt = min(hits)
                rebuilt += out[at:hit + len(prompt)] + line + "\n"
                at = hit + len(prompt)
            out = rebuilt + out[at:]
        else:
            status, out = run(words, bin_dir, work)
        if tidy(out) != tidy("\n".join(expected)):
            failures.append("$ %s\nthe README shows:\n%s\nthe program prints (status %d):\n%s" %
                            (command, "\n".join(expected), status, out))
    for failure in failures:
        print(failure + "\n", file=sys.stderr)
    if failures or checked == 0:
        print("README check: %d of %d blocks differ" % (len(failures), checked), file=sys.stderr)
        return 1
    if not update:
        print("README check: %d blocks as shown" % checked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
