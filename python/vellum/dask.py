"""Folders of WMF files rendered to PNG on a Dask cluster.

    from vellum.dask import render_folder
    table = render_folder("in/", "out/", width=400)            # a local cluster
    table = render_folder("in/", "out/", width=400, client=c)  # any cluster

Each worker reads its inputs and writes its outputs itself, so src and dst
must be folders every worker sees (the same machine, or a shared file
system). Only names and the small result rows travel through the scheduler.
"""

import functools
import os
from typing import NamedTuple, Optional

import dask.bag

import vellum

__all__ = ["render_folder", "FileResult"]


class FileResult(NamedTuple):
    name: str                 # the input's file name in src
    width: int                # the picture's size; 0 x 0 when it failed
    height: int
    skipped: int              # records the player passed over
    skipped_records: str      # them by type: "3 SETROP2, 1 ESCAPE"
    error: Optional[str]      # why no PNG was written; None when it was


def render_folder(src, dst, width=None, height=None, mode="gdi", background=None, client=None, workers=None):
    """Renders every *.wmf in src (not its subfolders) to dst/NAME.png.

    Sizes, mode and background are those of vellum.render. Each PNG is
    written whole or not at all (a temporary file renamed into place), so a
    failed or interrupted file leaves no partial output. Runs on client's
    cluster when given, else on a LocalCluster of `workers` processes (Dask's
    default when None) that lives for this call. Returns one FileResult per
    input, in name order; a file that fails has its error and no PNG.
    """
    names = sorted(n for n in os.listdir(src) if n.lower().endswith(".wmf") and os.path.isfile(os.path.join(src, n)))
    os.makedirs(dst, exist_ok=True)
    job = functools.partial(_render_one, os.fspath(src), os.fspath(dst),
                            dict(width=width, height=height, mode=mode, background=background))
    pairs = list(zip(names, _output_names(names)))
    if not pairs:
        return []
    if client is not None:
        return _run(client, pairs, job)
    from distributed import Client, LocalCluster
    with LocalCluster(n_workers=workers, processes=True) as cluster, Client(cluster) as local:
        return _run(local, pairs, job)


def _run(client, pairs, job):
    # A few partitions per worker thread: enough to keep every thread busy
    # to the end, few enough that task overhead stays small.
    threads = max(1, sum(client.nthreads().values()))
    bag = dask.bag.from_sequence(pairs, npartitions=min(len(pairs), 4 * threads))
    return client.compute(bag.map(job)).result()


def _output_names(names):
    """NAME.png for each NAME.wmf; a stem two inputs share (a.wmf, a.WMF) gets NAME-2.png."""
    taken, out = set(), []
    for name in names:
        stem = name[:-4]
        candidate, n = stem + ".png", 1
        while candidate.lower() in taken:
            n += 1
            candidate = f"{stem}-{n}.png"
        taken.add(candidate.lower())
        out.append(candidate)
    return out


def _render_one(src, dst, options, pair):
    name, output = pair
    try:
        picture = vellum.render(os.path.join(src, name), **options)
        picture.to_png(os.path.join(dst, output))
    except (OSError, ValueError, MemoryError) as e:
        return FileResult(name, 0, 0, 0, "", str(e))
    return FileResult(name, picture.width, picture.height, picture.skipped, picture.skipped_records, None)
