"""Result tables: sequences of named tuples that convert to pandas on request."""

from collections import namedtuple
from typing import Iterator, NamedTuple, Optional, Sequence

from . import _yuedu


def number(text: str):
    """A figure as the command line's JSON gives it: int, float, bool or None (empty)."""
    if text == "":
        return None
    if text in ("true", "false"):
        return text == "true"
    try:
        return int(text)
    except ValueError:
        return float(text)


class Table(Sequence):
    """Rows of one result, each a named tuple (``row.word``, ``row[0]``).

    Iterating needs no pandas; ``to_pandas()`` imports it only when called."""

    Row: type = tuple

    def __init__(self, rows):
        self._rows = rows  # plain tuples; the named ones are made as they are asked for

    def __len__(self) -> int:
        return len(self._rows)

    def __getitem__(self, index):
        if isinstance(index, slice):
            return [self.Row._make(r) for r in self._rows[index]]
        return self.Row._make(self._rows[index])

    def __iter__(self) -> Iterator:
        return map(self.Row._make, self._rows)

    def __eq__(self, other) -> bool:
        return type(self) is type(other) and list(self._rows) == list(other._rows)

    def __repr__(self) -> str:
        return f"<{type(self).__name__}: {len(self)} rows>"

    @property
    def columns(self) -> tuple:
        """The column names, in order."""
        return tuple(self.Row._fields)

    def to_pandas(self):
        """The rows as a pandas DataFrame with the columns in ``columns``."""
        import pandas

        return pandas.DataFrame.from_records(list(self._rows), columns=list(self.columns))


class FrequencyRow(NamedTuple):
    word: str  # 詞
    count: int  # 次數
    percent: float  # 百分比, as the list shows it (two decimals)
    order: int  # 序號, 1-based


class FrequencyTable(Table):
    """Word frequency (詞頻): the distinct words in ascending order (UTF-16 code units, as the
    command line sorts them), with their count, percentage and order. ``word_total`` counts every
    word (empty pieces included); it is what the percentages are taken of."""

    Row = FrequencyRow

    def __init__(self, rows, word_total: int):
        super().__init__(rows)
        self.word_total = word_total

    @classmethod
    def from_counts(cls, counts) -> "FrequencyTable":
        """The table of summed counts (a mapping word → count), e.g. of the texts of a corpus
        added up; equal to ``yuedu-cli freq --merge`` of their tables."""
        rows, total = _yuedu.frequency_of_counts(dict(counts))
        return cls(rows, total)

    def counts(self) -> dict:
        """word → count, to add up with the counts of other tables."""
        return {row[0]: row[1] for row in self._rows}


class GradeRow(NamedTuple):
    word: str  # 詞
    grade: float  # 年級 (2.3 is grade 2, level 3)
    count: int  # 次數
    order: int  # 序號


class GradeTable(Table):
    """Vocabulary grades (年級查詢): one row a distinct word. ``groups`` maps the seven grade
    groups (一年級 … 六年級, 未出現) to their words in list order."""

    Row = GradeRow

    def __init__(self, raw):
        super().__init__(raw.rows)
        self.word_total = raw.word_total
        self.groups = {caption: list(words) for caption, words in raw.groups}


class SenseRow(NamedTuple):
    category: str  # 類別 (總類, …)
    sense_class: str  # 詞義類 (動物, …)
    word: str  # 詞


class SenseTable(Table):
    """Sense classes (詞義分類): one row a classified word, in the taxonomy's display order.
    ``tree`` gives every category (also those without words) → class → words; ``word_total``,
    ``distinct`` and ``classified`` are the command line's totals."""

    Row = SenseRow

    def __init__(self, raw):
        rows = []
        self.tree = {}
        for category, sense_class, words in raw.classes:
            classes = self.tree.setdefault(category, {})
            if sense_class:
                classes[sense_class] = list(words)
                rows.extend(SenseRow(category, sense_class, w) for w in words)
        super().__init__(rows)
        self.word_total = raw.word_total
        self.distinct = raw.distinct
        self.classified = raw.classified


class AttributeRow(NamedTuple):
    attribute: str  # 部首, 筆畫, 聲符, 介符, 韻母, 聲調, 通用級數
    value: str  # the value (一, 三畫, ㄅ, …)
    chars: str  # its distinct characters in order of first appearance


class AttributeTable(Table):
    """Attribute distribution (文章屬性): the distinct hanzi by radical, strokes, Bopomofo
    initial, medial, final, tone and general-use level. ``hanzi_total`` counts the table
    characters with repeats, ``distinct_total`` the distinct ones."""

    Row = AttributeRow

    def __init__(self, rows, hanzi_total: int, distinct_total: int):
        super().__init__(rows)
        self.hanzi_total = hanzi_total
        self.distinct_total = distinct_total


CharacterProfileRow = namedtuple(
    "CharacterProfileRow", ["char", *_yuedu.character_profile_fields()], module=__name__)
CharacterProfileRow.__doc__ = (
    "One hanzi of the text and its 25 figures (None where the data has none).")


class CharacterProfileTable(Table):
    """Character profile (字元剖析): every table hanzi of the text in text order (repeats kept)
    with its 25 figures under the command line's names (w23456g … zanscale)."""

    Row = CharacterProfileRow

    def __init__(self, rows):
        super().__init__([(ch, *values) for ch, values in rows])


CompareRow = namedtuple("CompareRow", _yuedu.compare_columns(), module=__name__)
CompareRow.__doc__ = "One text of a comparison, under the columns of ``yuedu-cli compare``."


# The columns that hold names, not figures: kept as text, empty included, as the JSON has them.
_TEXT_COLUMNS = {"path", "genre", "encoding"}


def _compare_row(cells) -> CompareRow:
    return CompareRow(*(cell if name in _TEXT_COLUMNS else number(cell)
                        for name, cell in zip(CompareRow._fields, cells)))


class CompareTable(Table):
    """The rows of a comparison: one text a row, the columns of ``yuedu-cli compare``."""

    Row = CompareRow


class Comparison:
    """The result of ``Analyzer.compare``.

    ``rows``: the CompareTable; ``totals``: the corpus row ``compare --summary`` adds;
    ``frequency``: the merged FrequencyTable ``compare --freq`` writes; ``frequencies``: each
    row's word counts (word → count; only with ``per_text=True``); ``failures``: (path,
    message) of the texts left out."""

    def __init__(self, raw):
        self.rows = CompareTable([tuple(_compare_row(cells)) for cells in raw.rows])
        self.totals = _compare_row(raw.totals)
        self.failures = list(raw.failures)
        self.frequencies = list(raw.frequencies)
        self._merged = raw.merged
        self._frequency = None

    @property
    def frequency(self) -> FrequencyTable:
        if self._frequency is None:
            self._frequency = FrequencyTable.from_counts(self._merged)
        return self._frequency

    def to_pandas(self):
        return self.rows.to_pandas()

    def __repr__(self) -> str:
        return f"<Comparison: {len(self.rows)} texts, {len(self.failures)} left out>"
