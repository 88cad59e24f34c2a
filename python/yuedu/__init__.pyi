# Type hints of the yuedu package (the docstrings are in the modules).
import os
from typing import (Any, Dict, Iterable, Iterator, List, NamedTuple, Optional, Sequence, Tuple,
                    TypeVar, Union, overload)

import pandas

_PathLike = Union[str, os.PathLike]
_Row = TypeVar("_Row", bound=tuple)

class Error(Exception): ...
class IoError(Error):
    path: str
class FormatError(Error):
    path: str
class DataError(Error):
    path: str
    problems: List[Tuple[str, str]]
class DataWarning(UserWarning): ...
class ReadWarning(UserWarning): ...
class ReadNote(UserWarning): ...

PROFILE_FIELDS: Dict[str, str]

class Table(Sequence[_Row]):
    Row: type
    @property
    def columns(self) -> Tuple[str, ...]: ...
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, index: int) -> _Row: ...
    @overload
    def __getitem__(self, index: slice) -> List[_Row]: ...
    def __iter__(self) -> Iterator[_Row]: ...
    def to_pandas(self) -> pandas.DataFrame: ...

class FrequencyRow(NamedTuple):
    word: str
    count: int
    percent: float
    order: int

class FrequencyTable(Table[FrequencyRow]):
    word_total: int
    @classmethod
    def from_counts(cls, counts: Dict[str, int]) -> FrequencyTable: ...
    def counts(self) -> Dict[str, int]: ...

class GradeRow(NamedTuple):
    word: str
    grade: float
    count: int
    order: int

class GradeTable(Table[GradeRow]):
    word_total: int
    groups: Dict[str, List[str]]

class SenseRow(NamedTuple):
    category: str
    sense_class: str
    word: str

class SenseTable(Table[SenseRow]):
    tree: Dict[str, Dict[str, List[str]]]
    word_total: int
    distinct: int
    classified: int

class AttributeRow(NamedTuple):
    attribute: str
    value: str
    chars: str

class AttributeTable(Table[AttributeRow]):
    hanzi_total: int
    distinct_total: int

class CharacterProfileRow(tuple):
    """char, then the 25 figures w23456g … zanscale (int or float; None without data)."""
    char: str
    def __getattr__(self, name: str) -> Optional[Union[int, float]]: ...
    def _asdict(self) -> Dict[str, Any]: ...

class CharacterProfileTable(Table[CharacterProfileRow]): ...

class CompareRow(tuple):
    """path, then the columns of yuedu-cli compare (int, float, bool or None)."""
    path: str
    def __getattr__(self, name: str) -> Optional[Union[int, float, bool]]: ...
    def _asdict(self) -> Dict[str, Any]: ...

class CompareTable(Table[CompareRow]): ...

class Comparison:
    rows: CompareTable
    frequencies: List[Dict[str, int]]
    totals: CompareRow
    frequency: FrequencyTable
    failures: List[Tuple[str, str]]
    def to_pandas(self) -> pandas.DataFrame: ...

def read_text(path: _PathLike, encoding: str = ...) -> str: ...
def split_words(segmented: str) -> List[str]: ...
def collect_texts(paths: Iterable[_PathLike]) -> List[str]: ...

class Analyzer:
    def __init__(self, data_dir: Optional[_PathLike] = ...,
                 allow_incomplete_data: bool = ...) -> None: ...
    @property
    def data_dir(self) -> str: ...
    def segment(self, text: str) -> List[str]: ...
    def segmented_text(self, text: str) -> str: ...
    def profile(self, text: str, poetry: bool = ..., dialogue: bool = ...
                ) -> Dict[str, Union[int, float, bool, None]]: ...
    def attributes(self, text: str) -> AttributeTable: ...
    def character_profile(self, text: str) -> CharacterProfileTable: ...
    def frequency(self, words_or_text: Union[str, Sequence[str]]) -> FrequencyTable: ...
    def grades(self, words_or_text: Union[str, Sequence[str]]) -> GradeTable: ...
    def senses(self, words_or_text: Union[str, Sequence[str]]) -> SenseTable: ...
    def compare(self, paths: Iterable[_PathLike], jobs: Optional[int] = ...,
                poetry: bool = ..., dialogue: bool = ..., per_text: bool = ...) -> Comparison: ...
    @staticmethod
    def read_text(path: _PathLike, encoding: str = ...) -> str: ...
