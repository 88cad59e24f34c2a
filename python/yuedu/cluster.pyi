import os
from typing import Iterable, List, NamedTuple, Optional, Tuple, Union

import pandas

from . import FrequencyTable

class CorpusResult(NamedTuple):
    rows: pandas.DataFrame
    frequency: FrequencyTable
    failures: List[Tuple[str, str]]

def compare_corpus(paths: Iterable[Union[str, os.PathLike]], data_dir: Optional[str] = ...,
                   npartitions: Optional[int] = ..., poetry: bool = ...,
                   dialogue: bool = ...) -> CorpusResult: ...
