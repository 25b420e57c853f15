#!/usr/bin/env python3
"""Mutation testing: plants one fault at a time in src/ and asks whether the suite notices.

The tool copies the project's files into a tree of its own (WORK/tree, built in WORK/tree/build),
so the working copy is never touched. Each mutant changes one place of one source file of the
copy: a comparison (< <=, > >=, == !=), a boolean operator (&& ||, true false, a dropped !), an
integer constant shifted by one, + and - exchanged, a dropped statement (an assignment, a reset, a
call), or White and Black swapped. The mutants are drawn with a seed, spread over every folder of
src/ in proportion to its places (at least a few per folder). Each is built incrementally and the
whole ctest suite runs, with a per-test time-out (a hang counts as killed) and stopping at the first
failure. A mutant that does not compile is not counted, nor one whose object code comes out the same as
the unchanged source's (a branch for another platform, a change the compiler folds away). The source is restored after each mutant,
also on Ctrl+C or an error.

Known equivalent mutants, which no behaviour can tell apart, are listed in equivalent.txt beside
this script and never drawn.
"""

import argparse
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from collections import OrderedDict
from pathlib import Path

FOLDERS = ["rules", "records", "engine", "game", "ui", "cli", "app"]
MIN_PER_FOLDER = 3

COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
CMP_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGIC_RE = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
BOOL_RE = re.compile(r"\b(true|false)\b")
NOT_RE = re.compile(r"!(?=[\w(])")
INT_RE = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
ARITH_RE = re.compile(r"(?<=\s)([+-])(?=\s)")
SIDE_RE = re.compile(r"white|black|White|Black")
SIDE_SWAP = {"white": "black", "black": "white", "White": "Black", "Black": "White"}
ASSIGN_RE = re.compile(
    r"^\s*[A-Za-z_][\w.\->\[\]:*]*\s*(=|\+=|-=|\*=|/=|\|=|&=|\^=|<<=|>>=)\s*[^=].*;\s*$")
CALL_RE = re.compile(r"^\s*[A-Za-z_][\w.\->\[\]:]*\(.*\);\s*$")
INCR_RE = re.compile(r"^\s*(\+\+|--)?[A-Za-z_][\w.\->\[\]]*(\+\+|--)?;\s*$")
RESET_RE = re.compile(r"=\s*(false|0|nullptr|\{\}|-1|0\.0)\s*;|\.(clear|reset)\(\)\s*;")
NOT_STATEMENT = re.compile(
    r"^\s*(return|break|continue|case|default|goto|using|typedef|namespace|template|friend|"
    r"static_assert|Q_OBJECT|emit\b)")


def mask(text):
    """The text with comments and string or character literals blanked, same length and lines."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if text[j] != "\n":
                    out[j] = " "
            i = end
        elif c == '"' or c == "'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # a digit separator
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            for k in range(i + 1, min(j, n)):
                out[k] = " "
            i = j + 1
        else:
            i += 1
    return "".join(out)


class Site:
    def __init__(self, path, line, col, old, new, kind):
        self.path, self.line, self.col = path, line, col
        self.old, self.new, self.kind = old, new, kind
        self.text = ""  # the original line, stripped

    @property
    def folder(self):
        return Path(self.path).parts[1]

    def describe(self):
        if self.kind in ("drop", "reset"):
            return f"{self.kind}: {self.text}"
        return f"{self.kind} '{self.old}' -> '{self.new}' at column {self.col + 1}"

    def key(self):
        return f"{self.path}: {self.describe()} | {self.text}"


def starts_statement(prev):
    p = prev.rstrip()
    return p == "" or p.endswith((";", "{", "}", ":"))


def find_sites(tree, path):
    text = (tree / path).read_text(encoding="utf-8")
    lines = text.split("\n")
    masked = mask(text).split("\n")
    sites = []
    prev = ""
    depth_paren = 0
    for no, (line, m) in enumerate(zip(lines, masked), start=1):
        stripped = m.strip()
        if not stripped or stripped.startswith("#") or "static_assert" in m:
            if stripped:
                prev = m
            continue
        found = []
        for mt in CMP_RE.finditer(m):
            found.append((mt.start(), mt.group(1), COMPARISONS[mt.group(1)], "compare"))
        for mt in LOGIC_RE.finditer(m):
            found.append((mt.start(), mt.group(1), "||" if mt.group(1) == "&&" else "&&", "logic"))
        for mt in BOOL_RE.finditer(m):
            found.append((mt.start(), mt.group(1), "false" if mt.group(1) == "true" else "true", "logic"))
        for mt in NOT_RE.finditer(m):
            found.append((mt.start(), "!", "", "logic"))
        if "operator" not in m and "[[" not in m:
            for mt in INT_RE.finditer(m):
                v = int(mt.group(1))
                new = v + 1 if v == 0 or (no * 31 + mt.start()) % 2 else v - 1
                found.append((mt.start(), mt.group(1), str(new), "constant"))
        for mt in ARITH_RE.finditer(m if '"' not in m else ""):  # not a text's joins
            found.append((mt.start(), mt.group(1), "-" if mt.group(1) == "+" else "+", "arith"))
        for mt in SIDE_RE.finditer(m):
            found.append((mt.start(), mt.group(0), SIDE_SWAP[mt.group(0)], "side"))
        if (depth_paren == 0 and starts_statement(prev) and not NOT_STATEMENT.match(m)
                and (ASSIGN_RE.match(m) or CALL_RE.match(m) or INCR_RE.match(m))
                and m.count("(") == m.count(")")):
            body = m.strip()
            start = m.index(body)
            kind = "reset" if RESET_RE.search(m) else "drop"
            found.append((start, line[start:start + len(body)], ";", kind))
        for col, old, new, kind in found:
            s = Site(path, no, col, old, new, kind)
            s.text = line.strip()
            sites.append(s)
        depth_paren += m.count("(") - m.count(")")
        depth_paren = max(depth_paren, 0)
        prev = m
    return sites


def load_equivalent(path):
    """The mutants a file lists as `path:line: mutation | original line`, without the line
    number, which may move as the source changes."""
    keys = set()
    if not path.exists():
        return keys
    for raw in path.read_text(encoding="utf-8").splitlines():
        raw = raw.strip()
        if raw and not raw.startswith("#") and re.match(r"^\S+?:\d+: ", raw):
            keys.add(re.sub(r"^(\S+?):\d+: ", r"\1: ", raw))
    return keys


def choose(sites_by_folder, count, rng):
    """count mutants, shared among the folders in proportion to their places (at least
    MIN_PER_FOLDER each); inside a folder the kind of mutation is drawn first, then its place."""
    total = sum(len(s) for s in sites_by_folder.values())
    quota = OrderedDict()
    for folder, sites in sites_by_folder.items():
        quota[folder] = min(len(sites), max(MIN_PER_FOLDER, round(count * len(sites) / total)))
    while sum(quota.values()) > count and any(q > MIN_PER_FOLDER for q in quota.values()):
        largest = max(quota, key=lambda f: quota[f])
        quota[largest] -= 1
    while sum(quota.values()) < count:
        spare = [f for f in quota if quota[f] < len(sites_by_folder[f])]
        if not spare:
            break
        quota[max(spare, key=lambda f: len(sites_by_folder[f]) - quota[f])] += 1
    chosen = []
    for folder, q in quota.items():
        by_kind = OrderedDict()
        for s in sites_by_folder[folder]:
            by_kind.setdefault(s.kind, []).append(s)
        for _ in range(q):
            kinds = [k for k in by_kind if by_kind[k]]
            kind = rng.choice(kinds)
            chosen.append(by_kind[kind].pop(rng.randrange(len(by_kind[kind]))))
    rng.shuffle(chosen)
    return chosen


def sync_tree(root, tree):
    """Copies the project's files (tracked and new) into the tree, writing only what differs so
    that builds there stay incremental; removes files that are gone."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=root,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = set()
    for rel in filter(None, listed):
        src = root / rel
        if not src.is_file():
            continue
        wanted.add(rel)
        dst = tree / rel
        data = src.read_bytes()
        if dst.is_file() and dst.read_bytes() == data:
            continue
        dst.parent.mkdir(parents=True, exist_ok=True)
        dst.write_bytes(data)
        shutil.copymode(src, dst)
    for dirpath, dirnames, filenames in os.walk(tree):
        rel_dir = Path(dirpath).relative_to(tree)
        if rel_dir == Path("."):
            dirnames[:] = [d for d in dirnames if d != "build"]
        for f in filenames:
            rel = str(rel_dir / f) if rel_dir != Path(".") else f
            if rel not in wanted:
                os.remove(Path(dirpath) / f)


def run(cmd, timeout, **kw):
    """Runs cmd in its own process group; kills the whole group on a time-out or Ctrl+C."""
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True, **kw)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except BaseException:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
        raise


def object_sums(build):
    """A digest of every object file of the build, by path: a mutant whose objects come out
    the same as the unchanged source's (code the compiler never sees, like another platform's
    branch, or a change it folds away) cannot be told apart by any test."""
    sums = {}
    for obj in build.rglob("*.o"):
        sums[str(obj)] = hashlib.sha1(obj.read_bytes()).hexdigest()
    return sums


def same_objects(build, source, baseline):
    """Whether the objects compiled from `source` (a path under src/) match the baseline."""
    folder = "/" + str(Path(source).parent) + "/"  # src/FOLDER, also under another target's tree
    objects = [str(o) for o in build.rglob(Path(source).name + ".o") if folder in str(o)]
    return bool(objects) and all(
        baseline.get(o) == hashlib.sha1(Path(o).read_bytes()).hexdigest() for o in objects)


def quick_suite(build):
    """The suite's programs as ctest lists them, each once: a GoogleTest program with all its cases
    in one process (ctest starts one process per case), the window tests as they stand; the
    package checks are left to the confirming ctest run. Each entry: (name, command, environment,
    working folder)."""
    code, out = run(["ctest", "--test-dir", str(build), "--show-only=json-v1"], 120)
    if code:
        return []
    programs = OrderedDict()
    for t in json.loads(out[out.index("{"):])["tests"]:
        cmd = t.get("command") or []
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        if not cmd or "package" in props.get("LABELS", []):
            continue
        if any(a.startswith("--gtest_filter") for a in cmd[1:]):
            cmd = [cmd[0]]
        env = dict(os.environ)
        for pair in props.get("ENVIRONMENT", []):
            k, _, v = pair.partition("=")
            env[k] = v
        programs.setdefault(cmd[0], (Path(cmd[0]).name, cmd, env, props.get("WORKING_DIRECTORY")))
    return list(programs.values())


def run_programs(programs, jobs, timeout):
    """Runs the programs jobs at a time and yields (name, output) for each that fails, the
    output None for one past the time-out. The caller may stop early; what still runs is
    killed then."""
    pending = list(programs)
    running = []
    try:
        while pending or running:
            while pending and len(running) < jobs:
                name, cmd, env, cwd = pending.pop(0)
                sink = tempfile.TemporaryFile()  # a pipe could fill and stall the program
                proc = subprocess.Popen(cmd, stdout=sink, stderr=subprocess.STDOUT, env=env,
                                        cwd=cwd, start_new_session=True)
                running.append((name, proc, time.time(), sink))
            time.sleep(0.05)
            for entry in list(running):
                name, proc, begun, sink = entry
                if proc.poll() is None:
                    if time.time() - begun > timeout:
                        running.remove(entry)
                        os.killpg(proc.pid, signal.SIGKILL)
                        proc.wait()
                        sink.close()
                        yield name, None
                    continue
                running.remove(entry)
                sink.seek(0)
                out = sink.read().decode(errors="replace")
                sink.close()
                if proc.returncode:
                    yield name, out
    finally:
        for _, proc, _, sink in running:
            sink.close()
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            proc.wait()


def failed_cases(out):
    """The failed cases a program printed: GoogleTest cases, Qt test functions."""
    cases = re.findall(r"^\[  FAILED  \] (\S+) \(", out, re.M)
    cases += [c.split("::")[-1] for c in re.findall(r"^FAIL!\s+:\s+(\S+)", out, re.M)]
    return sorted(set(cases))


def quick_kill(programs, folder, jobs, timeout):
    """Runs the suite's programs, those of the mutant's folder first, until one fails; returns
    the failing one's name (and its first failed case), or "" when all pass. A program past
    the time-out kills too."""
    ordered = sorted(programs, key=lambda p: not p[0].startswith(folder))
    for name, out in run_programs(ordered, jobs, timeout):
        if out is None:
            return f"{name} (time-out)"
        cases = failed_cases(out)
        return f"{name}: {cases[0] if cases else 'failed'}"
    return ""


def every_failure(programs, jobs, timeout):
    """Runs every program of the suite whole and returns each failed case as "program: case"
    (the program itself when it crashed or ran past the time-out)."""
    failed = []
    for name, out in run_programs(programs, jobs, timeout):
        if out is None:
            failed.append(f"{name}: (time-out)")
        else:
            failed += [f"{name}: {c}" for c in failed_cases(out)] or [f"{name}: (crashed)"]
    return failed


def case_names(programs):
    """Every case of the suite's programs, as every_failure names them."""
    names = []
    for name, cmd, env, cwd in programs:
        gtest = subprocess.run(cmd + ["--gtest_list_tests"], capture_output=True, text=True,
                               env=env, cwd=cwd, timeout=60)
        suite = ""
        for line in gtest.stdout.splitlines():
            if line.endswith(".") and not line.startswith(" "):
                suite = line
            elif line.startswith("  ") and suite:
                names.append(f"{name}: {suite}{line.split()[0]}")
        if suite:
            continue
        qt = subprocess.run(cmd + ["-functions"], capture_output=True, text=True, env=env,
                            cwd=cwd, timeout=60)
        names += [f"{name}: {n.strip()}" for n in qt.stdout.splitlines()
                  if n.strip().endswith("()")]
    return names


def percent(k, n):
    """The share in whole per cent, rounded down (89.9 is not 90)."""
    return int(100 * k / n) if n else 0


def test_names(output):
    return re.findall(r"Test\s+#\d+:\s+(\S+)\s+\.+", output)


def failed_tests(output):
    return re.findall(r"Test\s+#\d+:\s+(\S+)\s+\.+\*+", output)


def first_failure(output):
    for line in output.splitlines():
        m = re.search(r"Test\s+#\d+:\s+(\S+)\s+\.+\*+\s*(\S.*?)\s+[\d.]+ sec", line)
        if m:
            return f"{m.group(1)} ({m.group(2).strip()})"
    return "ctest failed"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=60)
    ap.add_argument("--folder", default="", help="sample only this folder of src/")
    ap.add_argument("--work", default="build-mutants", help="the tool's folder (tree and build)")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=float, default=0,
                    help="per-test time-out in seconds (default: 3 x the slowest test, >= 30)")
    ap.add_argument("--list", action="store_true", help="only list the chosen mutants")
    ap.add_argument("--rerun", metavar="LOG",
                    help="run again only the survivors listed in an earlier run's log")
    ap.add_argument("--every-test", action="store_true",
                    help="run every test for each mutant (slower) and list the tests that "
                         "killed none, the candidates for folding")
    args = ap.parse_args()

    root = Path(__file__).resolve().parents[2]
    work = (root / args.work).resolve()
    tree = work / "tree"
    build = tree / "build"
    equivalent = load_equivalent(Path(__file__).resolve().parent / "equivalent.txt")
    folders = [args.folder] if args.folder else FOLDERS
    for f in folders:
        if not (root / "src" / f).is_dir():
            sys.exit(f"mutants: no folder src/{f}")

    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(root, tree)

    sites_by_folder = OrderedDict()
    for f in folders:
        sites = []
        for p in sorted((tree / "src" / f).glob("*.cpp")):
            sites += find_sites(tree, str(p.relative_to(tree)))
        sites = [s for s in sites if s.key() not in equivalent]
        if sites:
            sites_by_folder[f] = sites
    rng = random.Random(args.seed)
    chosen = choose(sites_by_folder, args.count, rng)
    if args.rerun:
        wanted = load_equivalent(Path(args.rerun))  # the survivors, in the same notation
        chosen = [s for f in sites_by_folder.values() for s in f
                  if s.key() in wanted or re.sub(r" at column \d+", "", s.key()) in wanted]
    if args.list:
        for s in chosen:
            print(f"{s.path}:{s.line}: {s.describe()} | {s.text}")
        return 0

    log = open(work / "last-run.txt", "w", encoding="utf-8")

    def say(text=""):
        print(text, flush=True)
        log.write(text + "\n")
        log.flush()

    # Checked subscripts, as in the sanitizer build of `make test`: an index one past a table
    # inside an object shows as a failure, where the plain build reads its neighbour.
    checked = "-D_GLIBCXX_ASSERTIONS"
    cache = build / "CMakeCache.txt"
    if not cache.exists() or checked not in cache.read_text(encoding="utf-8", errors="replace"):
        say(f"Configuring {build} (Release with checked subscripts, once)")
        code, out = run(["cmake", "-S", str(tree), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                         "-DZELKOR_WERROR=OFF", f"-DCMAKE_CXX_FLAGS={checked}"], None)
        if code:
            print(out)
            return 2
    say("Building the unchanged source")
    code, out = run(["cmake", "--build", str(build), "-j", str(args.jobs)], None)
    if code:
        print(out[-4000:])
        sys.exit("mutants: the unchanged source does not build")
    t0 = time.time()
    code, out = run(["ctest", "--test-dir", str(build), "-j", str(args.jobs)], None)
    if code:
        print(out[-4000:])
        sys.exit("mutants: the suite fails on the unchanged source")
    slowest = max([float(x) for x in re.findall(r"Passed\s+([\d.]+) sec", out)] or [10.0])
    timeout = args.timeout or max(30.0, 3 * slowest)
    say(f"Unchanged suite passes in {time.time() - t0:.0f} s (slowest test {slowest:.1f} s); "
        f"per-test time-out {timeout:.0f} s")
    say(f"Seed {args.seed}: {len(chosen)} mutants from "
        f"{sum(len(s) for s in sites_by_folder.values())} places in "
        f"{', '.join(sites_by_folder)}")

    # A first pass runs each test program once; only a mutant that passes it goes through the
    # whole ctest suite, whose verdict decides.
    programs = quick_suite(build)
    baseline = object_sums(build)
    results = []  # (site, outcome, detail)
    # Per case, the mutants it failed on (EVERY_TEST: each program runs whole for each mutant).
    kills = {name: 0 for name in (case_names(programs) if args.every_test else test_names(out))}
    # EVERY_TEST: which cases failed on each mutant, so that a case a mutant's only killer is seen.
    matrix = {}
    interrupted = False
    started = time.time()
    for i, site in enumerate(chosen, start=1):
        file = tree / site.path
        original = file.read_bytes()
        lines = original.decode("utf-8").split("\n")
        line = lines[site.line - 1]
        lines[site.line - 1] = line[:site.col] + site.new + line[site.col + len(site.old):]
        t = time.time()
        try:
            file.write_bytes("\n".join(lines).encode("utf-8"))
            code, out = run(["cmake", "--build", str(build), "-j", str(args.jobs)], 1800)
            quick = ""
            same = not code and same_objects(build, site.path, baseline)
            if not code and not same and args.every_test:
                failures = every_failure(programs, args.jobs, timeout)
                for name in failures:
                    kills[name] = kills.get(name, 0) + 1
                matrix[f"{site.path}:{site.line}: {site.describe()}"] = failures
                (work / "kills.json").write_text(json.dumps(matrix, indent=1), encoding="utf-8")
                quick = failures[0] if failures else ""
            elif not code and not same:
                quick = quick_kill(programs, site.folder, args.jobs, timeout)
            if code:
                outcome, detail = "not compiled", ""
            elif same:
                outcome, detail = "same code", ""
            elif quick:
                outcome, detail = "killed", quick
            else:
                code, out = run(["ctest", "--test-dir", str(build), "-j", str(args.jobs),
                                 "--timeout", str(int(timeout)), "--stop-on-failure"], None)
                outcome = "killed" if code else "survived"
                detail = first_failure(out) if code else ""
                for name in failed_tests(out):
                    kills[name] = kills.get(name, 0) + 1
        except KeyboardInterrupt:
            interrupted = True
            break
        finally:
            file.write_bytes(original)
        results.append((site, outcome, detail))
        more = len(matrix.get(f"{site.path}:{site.line}: {site.describe()}", [])) - 1
        say(f"[{i}/{len(chosen)}] {outcome:12} {site.path}:{site.line}: {site.describe()}"
            f"{'  by ' + detail if detail else ''}{f' (+{more} more)' if more > 0 else ''}"
            f"  ({time.time() - t:.0f} s)")

    minutes = (time.time() - started) / 60
    say()
    if interrupted:
        say("Interrupted: the source is restored; the figures cover the mutants run so far.")
    say(f"{'folder':10} {'mutants':>8} {'killed':>7} {'survived':>9} {'uncounted':>9} {'killed %':>9}")
    shares = {}
    for f in sites_by_folder:
        rs = [r for r in results if r[0].folder == f]
        counted = [r for r in rs if r[1] in ("killed", "survived")]
        k = sum(1 for r in counted if r[1] == "killed")
        n = len(counted)
        if n:
            shares[f] = 100.0 * k / n
        share = percent(k, n) if n else "-"
        say(f"{f:10} {len(rs):8} {k:7} {n - k:9} {len(rs) - n:9} {share:>9}")
    survivors = [r for r in results if r[1] == "survived"]
    if survivors:
        say()
        say("Survivors (path:line: mutation | original line):")
        for site, _, _ in sorted(survivors, key=lambda r: (r[0].path, r[0].line)):
            say(f"  {site.path}:{site.line}: {site.describe()} | {site.text}")
    if args.every_test:
        say()
        say("Tests that killed no mutant of this sample (candidates for folding):")
        for name in sorted(n for n, k in kills.items() if k == 0):
            say(f"  {name}")
    counted = [r for r in results if r[1] in ("killed", "survived")]
    killed = sum(1 for r in counted if r[1] == "killed")
    n = len(counted)
    say()
    same = sum(1 for r in results if r[1] == "same code")
    say(f"{len(results) - n} of {len(results)} mutants not counted ({len(results) - n - same} did "
        f"not compile, {same} compiled to the unchanged code); "
        f"{len(results) / minutes if minutes else 0:.1f} mutants a minute")
    lowest = min(shares, key=lambda f: shares[f]) if shares else "-"
    say(f"killed {killed} of {n} ({percent(killed, n)} %), lowest folder {lowest} "
        f"at {int(shares.get(lowest, 0))} %")
    log.close()
    return 130 if interrupted else 0


if __name__ == "__main__":
    def stop(*_):
        raise KeyboardInterrupt()

    signal.signal(signal.SIGTERM, stop)
    sys.exit(main())
