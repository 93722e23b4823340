#!/usr/bin/env python3
"""Crash test of the standings save: kills it before each of its system calls (strace) and starves
it of disk (RLIMIT_FSIZE, or a file system that cannot claim room ahead), replacing the file by a
rename and rewriting it in place (the file has a second hard link). After each case the scores as
the owner and as another user and the file after the next run must all be the same one of the old
standings or the new ones. A kill within a call leaves what a kill before it or before the next
does, or a write cut short, which the careful file's own test covers. An uninterrupted save syncs
after its last change. Usage: crash_check.py GAME [--long]"""
import argparse, os, re, resource, shutil, signal, subprocess, sys, tempfile, time
from collections import Counter
from pathlib import Path

GAME_KEYS = b"Ann\nPongi\nh\n" + b"\n\n\n\n14\n1\n" * 300  # a game lost by discarding
NAME, LINK, NOBODY = "standings.txt", "link.txt", 65534
NAMED = re.compile(r'[/"]' + re.escape(NAME) + '"')
PATHS = ("rename", "in place")
# Calls that change nothing: a kill before one of them leaves what a kill before the next does.
QUIET = {"newfstatat", "fstat", "statx", "faccessat2", "access", "read", "pread64", "lseek",
         "getdents64", "fcntl", "close", "mmap", "munmap", "brk", "mprotect", "rt_sigprocmask",
         "rt_sigaction", "exit_group"}
CHANGES = {"pwrite64", "ftruncate", "fallocate", "rename", "renameat", "renameat2", "unlinkat"}
T = argparse.Namespace(failed={}, cases=Counter())


def run(args, keys=b"", **options):
    return subprocess.run([T.game, *args], input=keys, capture_output=True, **options)


def fresh(path):
    """A folder of its own holding the old standings, with a second link for a save in place."""
    folder = tempfile.mkdtemp(dir=T.base)
    file = os.path.join(folder, NAME)
    Path(file).write_bytes(T.old)
    os.chmod(folder, 0o755), os.chmod(file, 0o644)
    if path == "in place":
        os.link(file, os.path.join(folder, LINK))
    return folder, file


def left_alone(folder, path):
    return sorted(os.listdir(folder)) == sorted([NAME] + ([LINK] if path == "in place" else []))


def which(data, old, new):
    return "old" if data == old else "new" if data == new else \
        f"neither ({len(data)} bytes, from {data[:40]!r} to {data[-40:]!r})"


def judge(kind, case, folder, file, trouble=None):
    """Every view of the file after a case: the same one of old or new."""
    T.cases[kind] += 1
    views = {}
    for view, who in [("-s as the owner", {})] + [("-s as another user", dict(
            user=NOBODY, group=NOBODY, extra_groups=[]))] * (os.geteuid() == 0):
        shown = run(["-s", "-f", file], **who)
        views[view] = which(shown.stdout, T.shown_old, T.shown_new) if shown.returncode == 0 \
            else f"status {shown.returncode}: {shown.stderr.decode(errors='replace').strip()}"
    before, idle = Path(file).read_bytes(), run(["-f", file], b"Zed\n")  # input ends: no game
    after = Path(file).read_bytes()
    views["the file after the next run"] = which(after, T.old, T.new)
    seen = set(views.values())
    if idle.returncode != 1:
        trouble = f"the next run ended with status {idle.returncode}"
    elif after != before and idle.stderr.count(b"\n") != 1:
        trouble = f"the next run changed the file and said {idle.stderr!r}"
    elif len(seen) != 1 or not seen <= {"old", "new"}:
        trouble = "; ".join(f"{view}: {what}" for view, what in views.items())
    if trouble:
        T.failed[case] = trouble
    shutil.rmtree(folder)


def save_calls(path):
    """Each kind of system call the save makes, with the numbers of its occurrences in the run
    (counted from the run's start, as strace counts them)."""
    _, file = fresh(path)
    log = os.path.join(T.base, "trace")
    subprocess.run(["strace", "-f", "-qq", "-o", log, T.game, "-f", file], input=GAME_KEYS,
                   capture_output=True)
    calls = [m.groups() for line in Path(log).read_text().splitlines()
             if (m := re.match(r"(?:\d+ +)?(\w+)\((.*)", line))]
    counted, numbered = Counter(), []
    for name, arguments in calls:
        counted[name] += 1
        numbered.append((name, counted[name], arguments))
    opens = [i for i, (name, _, arguments) in enumerate(numbered)
             if name in ("open", "openat", "creat") and NAMED.search(arguments)]
    start = opens[-1] if opens else len(numbered)  # the save opens the file one last time
    while start > 0 and NAMED.search(numbered[start - 1][2]):
        start -= 1
    changes = [i for i, (name, _, arguments) in enumerate(numbered) if i >= start and (
        name in CHANGES or name.startswith("write") and arguments[:2] not in ("1,", "2,"))]
    if not changes or not any(name in ("fsync", "fdatasync") for name, _, _ in
                              numbered[changes[-1]:]):
        T.failed[f"{path}: a save"] = "its last change is not synced"
    occurrences = {}
    for name, number, arguments in numbered[start:]:
        if name not in QUIET and not (name.startswith("write") and arguments[:2] in ("1,", "2,")):
            occurrences.setdefault(name, []).append(number)
    return occurrences


def kill_before_calls(path):
    for call, numbers in save_calls(path).items():
        for number in numbers if T.long else sorted({numbers[0], numbers[len(numbers) // 2],
                                                     numbers[-1]}):
            folder, file = fresh(path)
            killed = subprocess.run(["strace", "-f", "-qq", "-o", "/dev/null", "-e",
                                     f"inject={call}:signal=KILL:when={number}", T.game, "-f",
                                     file], input=GAME_KEYS, capture_output=True)
            judge("kills before a system call", f"{path}: kill before {call} #{number}", folder,
                  file, None if killed.returncode == -signal.SIGKILL else
                  f"the kill did not land: status {killed.returncode}")


def full_disk(path):
    old, new = len(T.old), len(T.new)
    # Below the new size nothing can be saved; above it, as much room as a save in place with a
    # journal behind a copy of the new content may need. In place, a file system that cannot
    # claim room ahead has the gap before the new content written, which can fail as well.
    full, no_claim = "No space left on device", "inject=fallocate:error=EOPNOTSUPP"
    saved, kept, either = [(0, "new")], [(3, "old")], [(0, "new"), (3, "old")]
    cases = [(limit, [], either if limit >= new else kept, "File too large")
             for limit in (old + 1, new - 1, new + new // 2, 2 * new + 47)]
    cases += [(None, [no_claim], saved, ""), (None, ["inject=fallocate:error=ENOSPC"], kept, full),
              (None, [no_claim, "inject=pwrite64:error=ENOSPC:when=1"], kept, full)] * (
        path != PATHS[0])
    for limit, injected, outcomes, why in cases:
        def starve(limit=limit):
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            if limit:
                resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        folder, file = fresh(path)
        traced = ["strace", "-f", "-qq", "-o", "/dev/null"] + [f"-e{i}" for i in injected]
        played = subprocess.run(traced * bool(injected) + [T.game, "-f", file], input=GAME_KEYS,
                                capture_output=True, preexec_fn=starve)
        got = (played.returncode, which(Path(file).read_bytes(), T.old, T.new))
        trouble = None if got in outcomes else f"status {got[0]}, the file {got[1]}"
        if got[0] == 3 and played.stderr != f"realmsfall: the results could not be saved to " \
                f"{file}: {why}\n".encode():
            trouble = f"the run said {played.stderr!r}"
        if not left_alone(folder, path):
            trouble = f"left behind: {sorted(os.listdir(folder))}"
        judge("full disk", f"{path}: " + (f"files limited to {limit} bytes" if limit else
                                          ", ".join(injected)), folder, file, trouble)


def main():
    options = argparse.ArgumentParser(description=__doc__)
    options.add_argument("game")
    options.add_argument("--long", action="store_true",
                         help="the full run: 200 000 players, every occurrence of every call")
    options.parse_args(namespace=T)
    if not shutil.which("strace"):
        print("crash_check: strace is missing" + (", and CI must have it" if "CI" in os.environ
                                                  else ": skipped"))
        return 1 if "CI" in os.environ else 0
    T.game = os.path.abspath(T.game)
    T.old = "7\n{}~\n".format("".join(f"P{i} {i % 97} {i % 89} {i * 7 % 101} {i % 97 + i % 89} "
                                      f"{i % 13}\n" for i in range(200_000 if T.long else 300)))
    T.old, started = T.old.encode(), time.monotonic()
    with tempfile.TemporaryDirectory(dir="/tmp", prefix="crash_check.") as T.base:
        os.chmod(T.base, 0o755)  # with a copy of the game that every user can reach
        T.game = shutil.copy(T.game, os.path.join(T.base, "realmsfall"))
        news = []
        for path in PATHS:  # an uninterrupted save, which both ways must make the same
            folder, file = fresh(path)
            T.shown_old = run(["-s", "-f", file]).stdout
            run(["-f", file], GAME_KEYS, check=True)
            news.append(Path(file).read_bytes() if left_alone(folder, path) else b"")
        T.new, T.shown_new = news[0], run(["-s", "-f", file]).stdout
        if news[0] in (T.old, b"") or news[1] != news[0] or T.shown_new == T.shown_old:
            print("crash_check: the uninterrupted saves were not the same whole new file")
            return 1
        for path in PATHS:
            kill_before_calls(path)
            full_disk(path)
    print(*(f"FAILED {case}: {what}" for case, what in T.failed.items()),
          *(f"{kind}: {count} cases" for kind, count in T.cases.items()),
          f"{time.monotonic() - started:.1f} s",
          f"{sum(T.cases.values()) - len(T.failed)} passed, {len(T.failed)} failed", sep="\n")
    return 1 if T.failed else 0


if __name__ == "__main__":
    sys.exit(main())
