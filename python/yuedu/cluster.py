"""A corpus spread over a Dask cluster: the rows of ``yuedu-cli compare`` and its merged word
frequency table, computed text by text on the workers.

    from dask.distributed import Client
    from yuedu.cluster import compare_corpus

    client = Client("scheduler:8786")          # or LocalCluster(n_workers=4)
    result = compare_corpus(["corpus/"], npartitions=64)
    result.rows                                 # pandas DataFrame, one text a row
    result.frequency.to_pandas()                # the corpus word frequency

The recipe: a ``dask.bag`` over the file paths; each partition is compared by one Analyzer of
its worker process (the data loaded once a process); the per-text rows become one DataFrame and
the per-text frequency tables are summed. The result is that of ``yuedu-cli compare`` (rows)
and ``yuedu-cli compare --freq`` (table) on one machine. Every worker must see the files and
the data folder under the same paths (a shared file system), or have the package's own data.
Each partition's word counts are summed in its worker, so only one table a partition travels.
"""

import functools
import os
import warnings
from typing import Dict, Iterable, List, NamedTuple, Optional, Union

from . import Analyzer, ReadWarning, collect_texts
from ._tables import CompareRow, FrequencyTable, _compare_row


class CorpusResult(NamedTuple):
    rows: "pandas.DataFrame"  # noqa: F821 - one text a row, the columns of yuedu-cli compare
    frequency: FrequencyTable  # the merged word frequency of every text
    failures: List[tuple]  # (path, message) of the texts left out


@functools.lru_cache(maxsize=4)
def _analyzer(data_dir: str, pid: int) -> Analyzer:
    # One Analyzer a worker process (pid keeps a forked child from using its parent's).
    return Analyzer(data_dir)


def _compare_partition(paths: List[str], data_dir: str, poetry: bool, dialogue: bool) -> List:
    """One partition of texts compared in its worker: its rows, its failures and its word
    counts summed (in the core, as compare --freq sums them)."""
    paths = list(paths)
    if not paths:
        return []
    analyzer = _analyzer(data_dir, os.getpid())
    raw = analyzer._engine.compare(paths, 1, poetry, dialogue, False)
    return [{"rows": [tuple(_compare_row(cells)) for cells in raw.rows],
             "failures": list(raw.failures), "counts": raw.merged}]


def _sum_counts(tables: Iterable[Dict[str, int]]) -> Dict[str, int]:
    total: Dict[str, int] = {}
    for counts in tables:
        if not total:
            total = dict(counts)
            continue
        get = total.get
        for word, count in counts.items():
            total[word] = get(word, 0) + count
    return total


def compare_corpus(paths: Iterable[Union[str, os.PathLike]], data_dir: Optional[str] = None,
                   npartitions: Optional[int] = None, poetry: bool = False,
                   dialogue: bool = False) -> CorpusResult:
    """Compares the texts of files and folders on the current Dask scheduler (the distributed
    Client last created, else Dask's default). ``npartitions`` defaults to one a text up to 100
    texts; fewer, larger partitions move fewer word counts. Texts that cannot be read are left
    out with a ``ReadWarning``."""
    import dask
    import dask.bag as db
    import pandas

    files = collect_texts(paths)
    if not files:
        raise ValueError("no texts to compare")
    # The workers load the data the driver would: resolved here, the same folder everywhere.
    data_dir = data_dir or Analyzer(data_dir).data_dir
    bag = db.from_sequence(files, npartitions=npartitions or min(len(files), 100))
    parts = bag.map_partitions(_compare_partition, data_dir, poetry, dialogue)
    # One result a partition: its rows, its failures and its summed word counts, added up here
    # (a tree reduction on the workers measured slower than moving the partitions' tables).
    (results,) = dask.compute(parts)
    row_list = [row for part in results for row in part["rows"]]
    failure_list = [failure for part in results for failure in part["failures"]]
    total_counts = _sum_counts(part["counts"] for part in results)

    table = pandas.DataFrame.from_records(list(row_list), columns=list(CompareRow._fields))
    for path, message in failure_list:
        warnings.warn(f"{message} (left out)", ReadWarning, stacklevel=2)
    return CorpusResult(table, FrequencyTable.from_counts(total_counts), list(failure_list))
