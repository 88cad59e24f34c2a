#!/usr/bin/env python3
"""Speed of the Python package against the core and the command line.

    .venv/bin/python bench/python_bench.py [--build build] [--chars 2000000] [--skip-dask]

1. The cost of one segment() call on one sentence beyond the segmentation itself (the same
   segmentation timed inside the extension, without crossing into Python).
2. A text of --chars characters (bench/make-text.py) segmented by segment() and by
   `yuedu-cli segment`, in characters a second.
3. The Dask recipe (yuedu.cluster.compare_corpus) over the same text cut into files, on a local
   cluster of 1 and of 2 worker processes, beside `yuedu-cli compare --jobs 1/2`.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import yuedu

TOP = Path(__file__).resolve().parent.parent
SENTENCE = "小明今天很早就起床了，他和爸爸一起到公園去散步。"


def best(fn, repeat=5):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        fn()
        times.append(time.perf_counter() - start)
    return min(times)


def call_overhead(analyzer):
    n = 20000
    segment = analyzer.segment

    def calls():
        for _ in range(n):
            segment(SENTENCE)

    calls()
    python = best(calls) / n
    core = min(analyzer._engine._time_segment(SENTENCE, n)[0] for _ in range(5)) / n
    print(f"segment() on one sentence ({len(SENTENCE)} characters): {python * 1e6:.2f} µs a call, "
          f"the segmentation alone {core * 1e6:.2f} µs: overhead {(python - core) * 1e6:.2f} µs")


def throughput(analyzer, cli, text_path):
    text = yuedu.read_text(text_path)
    chars = len(text)
    py = best(lambda: analyzer.segment(text), repeat=3)
    counted = best(lambda: analyzer.frequency(text), repeat=3)
    py_text = best(lambda: analyzer.segmented_text(text), repeat=3)
    with open(os.devnull, "wb") as null:
        run = lambda: subprocess.run([str(cli), "segment", str(text_path)], stdout=null,
                                     check=True)
        cli_time = best(run, repeat=3)
    read = best(lambda: yuedu.read_text(text_path), repeat=3)
    print(f"{chars} characters: segment() {py:.3f} s ({chars / py / 1e6:.2f} M chars/s), "
          f"segmented_text() {py_text:.3f} s, frequency() {counted:.3f} s, read_text() {read:.3f} s; "
          f"yuedu-cli segment (reading and writing included) {cli_time:.3f} s "
          f"({chars / cli_time / 1e6:.2f} M chars/s)")


def dask_recipe(cli, data_dir, text_path, files=40):
    from dask.distributed import Client, LocalCluster
    from yuedu.cluster import compare_corpus

    text = yuedu.read_text(text_path)
    size = len(text) // files
    with tempfile.TemporaryDirectory() as corpus:
        for i in range(files):
            Path(corpus, f"t{i:03}.txt").write_text(text[i * size:(i + 1) * size],
                                                    encoding="utf-8")
        for jobs in (1, 2):
            with open(os.devnull, "wb") as null:
                run = lambda: subprocess.run(
                    [str(cli), "compare", "--data-dir", data_dir, "--jobs", str(jobs), corpus],
                    stdout=null, check=True)
                cli_time = best(run, repeat=2)
            with LocalCluster(n_workers=jobs, threads_per_worker=1, processes=True,
                              dashboard_address=None) as cluster, Client(cluster):
                compare_corpus([corpus], data_dir=data_dir, npartitions=jobs * 4)  # warm
                took = best(lambda: compare_corpus([corpus], data_dir=data_dir,
                                                   npartitions=jobs * 4), repeat=2)
            print(f"Dask recipe, {files} texts of {size} characters, {jobs} worker "
                  f"process{'es' if jobs > 1 else ''}: {took:.2f} s; "
                  f"yuedu-cli compare --jobs {jobs}: {cli_time:.2f} s")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(TOP / "build"))
    parser.add_argument("--chars", type=int, default=2_000_000)
    parser.add_argument("--skip-dask", action="store_true")
    args = parser.parse_args()
    build = Path(args.build)
    data_dir = str(build / "data")
    cli = build / "src" / "cli" / "yuedu-cli"
    analyzer = yuedu.Analyzer(data_dir)

    call_overhead(analyzer)
    with tempfile.NamedTemporaryFile(suffix=".txt") as text_file:
        subprocess.run([sys.executable, str(TOP / "bench" / "make-text.py"), data_dir,
                        str(args.chars)], stdout=text_file, check=True)
        text_file.flush()
        throughput(analyzer, cli, Path(text_file.name))
        if not args.skip_dask:
            dask_recipe(cli, data_dir, Path(text_file.name))


if __name__ == "__main__":
    main()
