#!/usr/bin/env python3
"""Renders a folder of WMF files to PNG on a 2-worker Dask LocalCluster with
vellum.dask.render_folder, and measures it side by side, on the same files in
the same run, against one `vellum-render -j 2` process and against threads
in this process (1 and 2), printing a table of files per second of wall
time and per second of CPU time (this process, which runs the scheduler,
with vellum-render or the cluster's workers), since on a busy
machine the wall time says as much about the neighbours as about the way.

    python3 examples/dask_render_folder.py [--build build/release] [FOLDER]

FOLDER defaults to the shared corpus. Each way renders every file at the
same width into a fresh folder (in memory, /dev/shm, where there is one, so
that the disk's sync times, which every way pays per file, do not drown the
rendering); the rounds are interleaved and the median is kept, so a busy
machine slows every way alike. The cluster's start is timed on its own, as a
one-off cost.
"""

import argparse
import concurrent.futures
import os
import pathlib
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
ON_CLUSTER = "vellum.dask, LocalCluster 2 workers"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", nargs="?", default=ROOT.parent / "shared" / "corpus" / "wmf", type=pathlib.Path)
    parser.add_argument("--build", default=ROOT / "build" / "release", type=pathlib.Path,
                        help="the build tree with bin/vellum-render and python/vellum")
    parser.add_argument("--width", default=400, type=int)
    parser.add_argument("--rounds", default=3, type=int)
    args = parser.parse_args()
    if not args.folder.is_dir():
        sys.exit(f"no folder {args.folder}")
    sys.path.insert(0, str(args.build / "python"))
    import vellum
    from distributed import Client, LocalCluster
    from vellum.dask import render_folder

    files = sorted(p for p in args.folder.iterdir() if p.suffix.lower() == ".wmf")
    memory = "/dev/shm" if os.path.isdir("/dev/shm") else None
    work = pathlib.Path(tempfile.mkdtemp(prefix="vellum-dask-", dir=memory))

    def fresh(name):
        out = work / name
        shutil.rmtree(out, ignore_errors=True)
        return out

    def command_line():
        out = fresh("render")
        subprocess.run([str(args.build / "bin" / "vellum-render"), "-j", "2", "--quiet", "--width", str(args.width),
                        "-d", str(out), *map(str, files)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return out

    def threads(count):
        def one(path, out):
            try:
                vellum.render(path, width=args.width).to_png(out / (path.stem + ".png"))
            except (OSError, ValueError):
                pass

        def run():
            out = fresh(f"threads{count}")
            out.mkdir()
            with concurrent.futures.ThreadPoolExecutor(count) as pool:
                list(pool.map(one, files, [out] * len(files)))
            return out
        return run

    started = time.perf_counter()
    cluster = LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None)
    client = Client(cluster)
    client.run(lambda: __import__("vellum"))  # the workers load the module once, before any timing
    cluster_start = time.perf_counter() - started

    def on_cluster():
        out = fresh("cluster")
        render_folder(args.folder, out, width=args.width, client=client)
        return out

    def cpu_seconds(name):
        """This process's, its children's and, for the cluster's way, its workers'."""
        children = resource.getrusage(resource.RUSAGE_CHILDREN)
        workers = sum(client.run(time.process_time).values()) if name == ON_CLUSTER else 0
        return time.process_time() + children.ru_utime + children.ru_stime + workers

    ways = {"vellum-render -j 2 (one process)": command_line,
            ON_CLUSTER: on_cluster,
            "vellum.render, 2 threads in process": threads(2),
            "vellum.render, 1 thread in process": threads(1)}
    times = {name: [] for name in ways}
    cpu = {name: [] for name in ways}
    written = {}
    for _ in range(args.rounds):
        for name, way in ways.items():
            begun_cpu = cpu_seconds(name)
            begun = time.perf_counter()
            out = way()
            times[name].append(time.perf_counter() - begun)
            cpu[name].append(cpu_seconds(name) - begun_cpu)
            written[name] = len(list(out.glob("*.png")))
    client.close()
    cluster.close()
    shutil.rmtree(work)

    base = statistics.median(times["vellum-render -j 2 (one process)"])
    print(f"{len(files)} files from {args.folder}, width {args.width}, median of {args.rounds} rounds, "
          f"{os.cpu_count()} cores")
    print(f"{'way':<38} {'PNGs':>5} {'seconds':>8} {'files/s':>8} {'vs -j 2':>8} {'CPU s':>7} {'files/CPU s':>12}")
    for name in ways:
        t, c = statistics.median(times[name]), statistics.median(cpu[name])
        print(f"{name:<38} {written[name]:>5} {t:>8.3f} {len(files) / t:>8.1f} {base / t:>7.2f}x {c:>7.2f} "
              f"{len(files) / c:>12.1f}")
    print(f"starting the LocalCluster (once): {cluster_start:.2f} s")


if __name__ == "__main__":
    main()
