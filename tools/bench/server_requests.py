#!/usr/bin/env python3
"""Wine server requests per received block, from a request trace of receive_bench.

Reads the trace that a wineserver started with -d1 writes (one line per request and reply, each
headed by the calling thread's id) and finds the readers: every process that made at least 50
socket reads, in the order they ran (bare, message, program at 4096 bytes, then at 64 bytes).
Only the requests made while a reader was reading count. For the program it also cuts the
window thread's requests into the passes of its message loop (each ends with the reply to a
burst) and tells those that only took a burst from those that painted and those that redrew the
list (the log view's redraw timer ended in them): the redraws come ten times a second whatever
the rate, so their weight per block falls as the rate rises.

usage: server_requests.py TRACE [blocks of 64 B] [blocks of 4096 B]
"""
import collections
import re
import statistics
import sys

READERS = ("bare", "message", "program")
REQUEST = re.compile(r"^([0-9a-f]{4}): ([a-z_]+)\((?!\) =)")
FIRST_THREAD = re.compile(r"^[0-9a-f]{4}: init_first_thread\(\) = 0 \{ pid=([0-9a-f]+), tid=([0-9a-f]+)")
NEW_THREAD = re.compile(r"^([0-9a-f]{4}): new_thread\(\) = 0 \{ tid=([0-9a-f]+)")


def read_trace(path):
    """The requests as (thread, name) in trace order, and each thread's process."""
    process_of = {}
    requests = []
    with open(path, errors="replace") as trace:
        for line in trace:
            if m := FIRST_THREAD.match(line):
                process_of[m.group(2)] = m.group(1)
            elif m := NEW_THREAD.match(line):
                process_of[m.group(2)] = process_of.get(m.group(1), "?")
            elif m := REQUEST.match(line):
                requests.append((m.group(1), m.group(2)))
    return requests, process_of


def readers(requests, process_of):
    """Per reading process, in the order they started reading: its requests while it read."""
    by_process = collections.defaultdict(list)
    for position, (thread, name) in enumerate(requests):
        by_process[process_of.get(thread, "?")].append((position, thread, name))
    found = []
    for made in by_process.values():
        reads = [position for position, _, name in made if name == "recv_socket"]
        if len(reads) >= 50:
            found.append((reads[0], [r for r in made if reads[0] <= r[0] <= reads[-1]]))
    return [made for _, made in sorted(found)]


def loop_passes(window_requests):
    """The window thread's requests cut into message-loop passes, each ending with its reply."""
    passes, current = [], []
    for name in window_requests:
        current.append(name)
        if name == "reply_message":
            passes.append(current)
            current = []
    return passes


def pass_kind(requests):
    if "kill_win_timer" in requests:
        return "redraw"
    return "paint" if "get_visible_region" in requests else "burst only"


def describe_program(made, blocks):
    threads = collections.Counter(thread for _, thread, _ in made)
    worker = next(t for t in threads
                  if any(name == "recv_socket" for _, th, name in made if th == t))
    window = [name for _, thread, name in made if thread != worker]
    bursts = sum(1 for _, thread, name in made if thread == worker and name == "send_message")
    by_kind = collections.defaultdict(list)
    for requests in loop_passes(window):
        by_kind[pass_kind(requests)].append(len(requests))
    kinds = ", ".join(f"{len(sizes)} {kind} passes of {statistics.mean(sizes):.0f}"
                      for kind, sizes in sorted(by_kind.items()))
    return (f"worker {threads[worker] / blocks:.2f} a block in {bursts} bursts "
            f"({blocks / max(bursts, 1):.1f} blocks each); window thread "
            f"{len(window) / blocks:.2f} a block: {kinds}")


def main():
    path = sys.argv[1]
    sizes = ((4096, int(sys.argv[3]) if len(sys.argv) > 3 else 4000),
             (64, int(sys.argv[2]) if len(sys.argv) > 2 else 20000))
    found = readers(*read_trace(path))
    if len(found) != len(READERS) * len(sizes):
        sys.exit(f"server_requests: expected {len(READERS) * len(sizes)} readers, found {len(found)}")
    for index, made in enumerate(found):
        size, blocks = sizes[index // len(READERS)]
        reader = READERS[index % len(READERS)]
        line = f"{size} bytes, {reader}: {len(made) / blocks:.2f} requests a block"
        if reader == "program":
            line += "; " + describe_program(made, blocks)
        print(line)


if __name__ == "__main__":
    main()
