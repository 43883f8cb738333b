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
    draws a picture the README shows: it is drawn again and compared with
    the file in docs/.

usage: readme_check.py README BIN-DIR SOURCE-DIR WORK-DIR
"""
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


def main():
    readme, bin_dir, source, work = sys.argv[1:5]
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    failures, checked = [], 0
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
        shutil.rmtree(work, ignore_errors=True)
        shutil.copytree(os.path.join(source, "examples"), os.path.join(work, "examples"))
        os.makedirs(os.path.join(work, "docs"))
        words = shlex.split(command)
        expected = block[used:]
        checked += 1
        if kind == "picture":
            status, out = run(words, bin_dir, work)
            name = re.search(r"snapshot (docs/\S+\.svg)", command).group(1)
            with open(os.path.join(work, name), encoding="utf-8") as f:
                drawn = f.read()
            with open(os.path.join(source, name), encoding="utf-8") as f:
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
    print("README check: %d blocks as shown" % checked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
