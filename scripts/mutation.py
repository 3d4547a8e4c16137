#!/usr/bin/env python3
"""Mutation testing: how many deliberate faults in the game code does the suite catch?

A seeded, reproducible sample of one-line mutants of src/ (comparisons flipped, + and - swapped, integer
constants moved by one, && and || swapped, a call or assignment deleted, a return value changed). Each is
written into the tree, built and run against the suite; the file is restored at once. Prints killed /
compiled per subsystem and every survivor with file:line, and keeps the outcome of each mutant in a table
that a later run can replay, so the same faults can be put to a changed suite:

  scripts/mutation.py --seed 15 --count 160 --out docs/mutation-before.tsv
  scripts/mutation.py --replay docs/mutation-before.tsv --out docs/mutation-after.tsv
  scripts/mutation.py --replay docs/mutation-before.tsv --only src/sound/   (one subsystem's share)

A replayed mutant is found again by its original line's text (nearest to its old line number), so code
that moved still meets the same fault; a line since reworded (a renamed constant) takes the same edit at
the same spot of the most alike line nearby; one whose line is gone is reported as such. Run it in a checkout no
one is editing: it changes files in place while it works (and puts them back, also on Ctrl-C).
"""
import argparse
import difflib
import os
import random
import re
import subprocess
import sys
import time
from pathlib import Path, PurePath

ROOT = Path(__file__).resolve().parent.parent
# The sampled files of each subsystem. Of the device layer only what the headless build compiles: the
# desktop's and the browser's own files are not built here, so no fault in them could be caught.
SUBSYSTEMS = {"game": "game/*.cpp", "puzzle": "puzzle/*.cpp", "gfx": "gfx/*.cpp", "records": "records/*.cpp",
              "sound": "sound/*.cpp", "shell": "shell/*.cpp", "platform": "platform/*.cpp",
              "headless": "platform/headless/*.cpp"}
NOT_BUILT = {"window_settings.cpp"}
# Quick to rebuild, since every mutant relinks every test program: light optimisation, no debug
# information, lld, and ccache so that the restored file is not compiled again.
BUILD_FLAGS = ["-DCMAKE_BUILD_TYPE=None", "-DCMAKE_CXX_FLAGS=-O1", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld",
               "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DSPIREHOLD_SDL=OFF", "-DSPIREHOLD_TESTS=ON"]
# The monkey soak is random play for minutes and the browser checks need a site: neither is the quick suite.
SUITE_EXCLUDE = "Soak|BrowserCheck"
TEST_TIMEOUT_SECONDS = "30"
DELETED = ";  // deleted"
RELOCATE_DISTANCE = 60   # lines from a mutant's old place that a reworded line may have moved
RELOCATE_LIKENESS = 0.8  # how alike (difflib's ratio) a reworded line must be to the original

SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "),
         (" != ", " == "), (" + ", " - "), (" - ", " + "), (" && ", " || "), (" || ", " && "),
         ("return true;", "return false;"), ("return false;", "return true;")]
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
STATEMENT = re.compile(r"^\s*[\w:.\->\[\]]+(\s*[-+*/|&]?=\s*|\().*;\s*$")
DECLARATION = re.compile(r"^\s*(const|constexpr|static|auto|int|bool|float|double|std::|unsigned|char|"
                         r"[A-Z]\w*\s+\w+\s*[=({;])")
RETURN_VALUE = re.compile(r"^(\s*return )(?!true;|false;)([^;]+);")


def code_part(line):
    """The part of a line that is code: before any // comment, with string literals blanked."""
    line = re.sub(r'"(\\.|[^"\\])*"', lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', line)
    line = re.sub(r"'(\\.|[^'\\])*'", lambda m: "'" + " " * (len(m.group(0)) - 2) + "'", line)
    return line.split("//", 1)[0]


def mutants_of_line(line):
    code = code_part(line)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#", "*", "/*", "static_assert")) or "template" in code:
        return
    for old, new in SWAPS:
        start = code.find(old)
        while start >= 0:
            yield line[:start] + new + line[start + len(old):]
            start = code.find(old, start + 1)
    for match in INTEGER.finditer(code):
        value = int(match.group(1))
        for moved in (value + 1, value - 1):
            if moved >= 0:
                yield line[:match.start()] + str(moved) + line[match.end():]
    if STATEMENT.match(code) and not DECLARATION.match(code) and not stripped.startswith("return"):
        yield re.match(r"^\s*", line).group(0) + DELETED
    returned = RETURN_VALUE.match(code)
    if returned and returned.group(2).strip() not in ("0", "nullptr", "{}"):
        yield returned.group(1) + "{};"


def source_files():
    for files in SUBSYSTEMS.values():
        yield from (path for path in sorted((ROOT / "src").glob(files)) if path.name not in NOT_BUILT)


def all_mutants():
    for path in source_files():
        lines = path.read_text().splitlines()
        in_block_comment = False
        for number, line in enumerate(lines, 1):
            if in_block_comment or "/*" in line:
                in_block_comment = "*/" not in line
                continue
            for mutated in mutants_of_line(line):
                yield (str(path.relative_to(ROOT)), number, line, mutated)


def folded(line):
    return " ".join(line.split())


def find_line(lines, original, near):
    """The original line, also where only its spacing changed (a table re-aligned)."""
    places = [i for i, line in enumerate(lines) if folded(line) == folded(original)]
    return min(places, key=lambda i: abs(i + 1 - near)) if places else None


def moved_mutant(lines, original, mutated, near):
    """The same fault on a line that has since been reworded (a renamed constant, a reflowed call):
    the most alike line near the old place, with the mutant's one edit made at the same spot."""
    alike = [(difflib.SequenceMatcher(None, folded(original), folded(line)).ratio(), -abs(i + 1 - near), i)
             for i, line in enumerate(lines) if abs(i + 1 - near) <= RELOCATE_DISTANCE]
    alike = [entry for entry in alike if entry[0] >= RELOCATE_LIKENESS]
    if not alike:
        return None
    index = max(alike)[2]
    line = lines[index]
    if mutated.endswith(DELETED):
        return index, re.match(r"^\s*", line).group(0) + DELETED
    prefix = len(os.path.commonprefix([original, mutated]))
    suffix = len(os.path.commonprefix([original[prefix:][::-1], mutated[prefix:][::-1]]))
    before, after = original[prefix:len(original) - suffix], mutated[prefix:len(mutated) - suffix]
    starts = [m.start() for m in re.finditer(re.escape(before), line)] if before else []
    if not starts:
        return None
    start = min(starts, key=lambda at: abs(at - prefix))
    return index, line[:start] + after + line[start + len(before):]


def run(command, cwd, log):
    return subprocess.run(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT).returncode == 0


def judge(build, log):
    if not run(["cmake", "--build", build, "-j", str(os.cpu_count())], ROOT, log):
        return "uncompiled"
    passed = run(["ctest", "--test-dir", build, "-j", str(os.cpu_count()), "--stop-on-failure", "--timeout",
                  TEST_TIMEOUT_SECONDS, "-E", SUITE_EXCLUDE], ROOT, log)
    return "survived" if passed else "killed"


def try_mutant(mutant, build, log):
    file, number, original, mutated = mutant
    path = ROOT / file
    if not path.exists():  # the whole file went since the sample was drawn
        return "gone", number
    text = path.read_text()
    lines = text.splitlines()
    index = find_line(lines, original, number)
    if index is None:
        moved = moved_mutant(lines, original, mutated, number)
        if moved is None:
            return "gone", number
        index, mutated = moved
    lines[index] = mutated
    try:
        path.write_text("\n".join(lines) + "\n")
        return judge(build, log), index + 1
    finally:
        path.write_text(text)


def read_table(table):
    rows = [row.split("\t")[1:5] for row in Path(table).read_text().splitlines()[1:]]
    return [(file, int(number), unescape(original), unescape(mutated)) for file, number, original, mutated in rows]


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t")


def unescape(text):
    return re.sub(r"\\(.)", lambda m: "\t" if m.group(1) == "t" else m.group(1), text)


def report(results):
    print("\nsubsystem   killed / compiled   score")
    for subsystem in (*SUBSYSTEMS, "all"):
        compiled = [outcome for (file, *_), outcome, _ in results if outcome in ("killed", "survived") and
                    (subsystem == "all" or PurePath(file).match("src/" + SUBSYSTEMS[subsystem]))]
        if compiled:
            killed = compiled.count("killed")
            print(f"{subsystem:10} {killed:4} / {len(compiled):<4}      {100 * killed / len(compiled):5.1f}%")
    print("\nsurvivors:")
    for (file, _, original, mutated), outcome, line in results:
        if outcome == "survived":
            print(f"  {file}:{line}: {original.strip()}  ->  {mutated.strip()}")
    outcomes = [outcome for _, outcome, _ in results]
    print(f"\n{outcomes.count('killed')} killed of {outcomes.count('killed') + outcomes.count('survived')} compiled; "
          f"{outcomes.count('uncompiled')} did not compile; {outcomes.count('gone')} gone")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seed", type=int, default=15)
    parser.add_argument("--count", type=int, default=160)
    parser.add_argument("--replay", help="a table written by an earlier run: put the same mutants again")
    parser.add_argument("--only", default="", help="keep only the mutants of files under this path (src/sound/)")
    parser.add_argument("--out", default="mutation.tsv", help="the table of this run's outcomes")
    parser.add_argument("--build", default=str(ROOT / "build-mutation"))
    options = parser.parse_args()
    subprocess.run([str(ROOT / "scripts" / "install-deps.sh"), "mutation"], check=True)

    if options.replay:
        mutants = read_table(options.replay)
    else:
        candidates = list(all_mutants())
        mutants = random.Random(options.seed).sample(candidates, options.count)
        print(f"{len(candidates)} possible mutants; seed {options.seed} takes {options.count}")
    mutants = [mutant for mutant in mutants if mutant[0].startswith(options.only)]
    with open(Path(options.build + ".log"), "w") as log:
        if not run(["cmake", "-S", str(ROOT), "-B", options.build, "-G", "Ninja", *BUILD_FLAGS], ROOT, log) or \
                judge(options.build, log) != "survived":
            sys.exit("the unmutated tree does not build and pass its quick suite: see " + options.build + ".log")
        results = []
        started = time.time()
        for count, mutant in enumerate(mutants, 1):
            outcome, line = try_mutant(mutant, options.build, log)
            results.append((mutant, outcome, line))
            print(f"[{count}/{len(mutants)} {time.time() - started:6.0f}s] {outcome:10} {mutant[0]}:{line}",
                  flush=True)
        run(["cmake", "--build", options.build], ROOT, log)  # leave the build matching the tree
    with open(options.out, "w") as table:
        table.write("outcome\tfile\tline\toriginal\tmutated\n")
        for (file, number, original, mutated), outcome, _ in results:
            table.write(f"{outcome}\t{file}\t{number}\t{escape(original)}\t{escape(mutated)}\n")
    report(results)


if __name__ == "__main__":
    main()
