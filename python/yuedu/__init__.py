"""Yuedu (閱讀分析系統) in Python: the analyses of Traditional Chinese text of ``yuedu-cli``,
computed by the same C++ core, with results as tables that convert to pandas.

    import yuedu
    analyzer = yuedu.Analyzer()           # loads the data once; share it between threads
    words = analyzer.segment("小明今天很早就起床了。")
    profile = analyzer.profile(text)      # the figures of ``yuedu-cli profile --json``
    analyzer.frequency(words).to_pandas()

``yuedu.cluster`` spreads a corpus over a Dask cluster.
"""

import os
import warnings
from pathlib import Path
from typing import Iterable, List, Optional, Sequence, Union

from . import _yuedu
from ._tables import (AttributeRow, AttributeTable, CharacterProfileRow, CharacterProfileTable,
                      CompareRow, CompareTable, Comparison, FrequencyRow, FrequencyTable,
                      GradeRow, GradeTable, SenseRow, SenseTable, Table)

__all__ = [
    "Analyzer", "read_text", "split_words", "collect_texts", "PROFILE_FIELDS",
    "Error", "IoError", "FormatError", "DataError", "DataWarning", "ReadWarning", "ReadNote",
    "Table", "FrequencyTable", "FrequencyRow", "GradeTable", "GradeRow", "SenseTable",
    "SenseRow", "AttributeTable", "AttributeRow", "CharacterProfileTable",
    "CharacterProfileRow", "CompareTable", "CompareRow", "Comparison",
]

# The core's errors: Error, and IoError (a file could not be read) and FormatError (a file of
# a known format is damaged, encrypted or unreadable), both with ``path`` naming the file.
Error = _yuedu.Error
IoError = _yuedu.IoError
FormatError = _yuedu.FormatError
for _error in (Error, IoError, FormatError):
    _error.__module__ = __name__


class DataError(Error):
    """The data files are missing or damaged. ``path`` is the first file at fault and
    ``problems`` lists every (path, message), as ``yuedu-cli`` lists them."""

    def __init__(self, problems):
        self.problems = list(problems)
        self.path = self.problems[0][0]
        super().__init__("\n".join(f"{path}: {message}" for path, message in self.problems))


class DataWarning(UserWarning):
    """A data file is missing or damaged and its tables are read as zeros."""


class ReadWarning(UserWarning):
    """The text read may not be what the file holds: an encoding guess, replaced bytes, an RTF
    file that ends early (``yuedu-cli: warning: …``)."""


class ReadNote(UserWarning):
    """What a format reader left out of a Word, OpenDocument, EPUB, web page or PDF file
    (``yuedu-cli: note: …``)."""


PROFILE_FIELDS = dict(_yuedu.profile_fields())
"""The structure profile's fields: machine name (the keys of ``Analyzer.profile``) → Chinese
caption (全文長, 詞彙數, …), in the profile's order."""

_PACKAGE_DIR = Path(__file__).resolve().parent

Words = Union[str, Sequence[str]]


def read_text(path: Union[str, os.PathLike], encoding: str = "auto") -> str:
    """The text of a file as every ``yuedu-cli`` command reads it: Word, OpenDocument, EPUB,
    web pages and PDF by their content, RTF as a document, anything else decoded as plain text
    (``encoding``: auto, big5, utf8, utf16le or utf16be; auto guesses as the command line does).

    What the command line warns about is given as ``ReadWarning`` / ``ReadNote`` warnings.
    Raises ``IoError`` / ``FormatError`` naming the path."""
    text, notices = _yuedu.read_text(os.fspath(path), encoding)
    for is_warning, message in notices:
        warnings.warn(message, ReadWarning if is_warning else ReadNote, stacklevel=2)
    return text


def split_words(segmented: str) -> List[str]:
    """The words of segmented text (each word followed by two blanks, as ``segment`` writes it
    and ``yuedu-cli freq`` reads it), e.g. of a segmentation corrected by hand."""
    return _yuedu.split_words(segmented)


def collect_texts(paths: Iterable[Union[str, os.PathLike]]) -> List[str]:
    """The files ``yuedu-cli compare`` takes from files and folders (folders searched for
    .txt/.text/.rtf/.rxt/.csv/.tsv files, in path order). Paths that are missing or unreadable
    are warned about (``ReadWarning``)."""
    files, problems = _yuedu.collect_texts([os.fspath(p) for p in paths])
    for path, message, _empty in problems:
        warnings.warn(f"{path}: {message}", ReadWarning, stacklevel=2)
    return files


class Analyzer:
    """The analyses over the data files, loaded once.

    ``data_dir=None`` looks for the data as ``yuedu-cli`` does: ``$YUEDU_DATA_DIR``, then beside
    the package (the data pip installed with it), then the installed data folder. Missing or
    damaged data files raise ``DataError`` naming the file, as ``yuedu-cli`` refuses them; with
    ``allow_incomplete_data`` they are ``DataWarning`` warnings instead and the analyses go on
    with the tables that could be read.

    One Analyzer may be used from any number of threads at once: the data is read-only and every
    analysis releases the GIL while it runs."""

    def __init__(self, data_dir: Optional[Union[str, os.PathLike]] = None,
                 allow_incomplete_data: bool = False):
        self._engine = _yuedu.Engine(os.fspath(data_dir) if data_dir else "", _PACKAGE_DIR)
        problems = self._engine.problems()
        if problems and not allow_incomplete_data:
            raise DataError(problems)
        # Asked for: warn, and go on with the tables that could not be read as zeros.
        for path, message in problems:
            warnings.warn(f"{path}: {message}", DataWarning, stacklevel=2)

    @property
    def data_dir(self) -> str:
        """The folder the data was loaded from."""
        return os.fspath(self._engine.data_dir)

    def __repr__(self) -> str:
        return f"Analyzer(data_dir={self.data_dir!r})"

    def segment(self, text: str) -> List[str]:
        """Word segmentation (斷詞): the words of the text in order. Only hanzi start words;
        what else the text holds is passed over as ``yuedu-cli segment`` passes it."""
        return self._engine.segment(text)

    def segmented_text(self, text: str) -> str:
        """The segmented text exactly as ``yuedu-cli segment`` writes it: every word followed
        by two blanks, CR LF after the 12th word of the first line and every 13th after."""
        return self._engine.segmented_text(text)

    def profile(self, text: str, poetry: bool = False, dialogue: bool = False) -> dict:
        """The article structure profile (文章結構剖析): the dict of ``yuedu-cli profile --json``
        without "file": "genre", the 21 figures by machine name (see ``PROFILE_FIELDS`` for their Chinese
        captions; None where the data has no figure) and "lorcf_in_range".

        Raises ValueError when the text has no hanzi to profile."""
        import json

        line = self._engine.profile_json(text, poetry, dialogue)
        if line is None:
            raise ValueError("the text has no hanzi to profile")
        figures = json.loads(line)
        del figures["file"]
        return figures

    def attributes(self, text: str) -> AttributeTable:
        """The attribute distribution (文章屬性分布) of ``yuedu-cli attrs``. Raises ValueError
        when the text has no hanzi."""
        result = self._engine.attributes(text)
        if result is None:
            raise ValueError("the text has no hanzi")
        return AttributeTable(*result)

    def character_profile(self, text: str) -> CharacterProfileTable:
        """The character profile (字元剖析) of ``yuedu-cli charprofile``: every hanzi of the
        text with its 25 figures."""
        return CharacterProfileTable(self._engine.character_profile(text))

    def frequency(self, words_or_text: Words) -> FrequencyTable:
        """Word frequency (詞頻) of ``yuedu-cli freq``: of a list of words (e.g. ``segment``'s),
        or of a text, which is segmented first. Segmented text is read with ``split_words``."""
        if isinstance(words_or_text, str):
            return FrequencyTable(*self._engine.frequency_of_text(words_or_text))
        return FrequencyTable(*self._engine.frequency_of_words(list(words_or_text)))

    def grades(self, words_or_text: Words) -> GradeTable:
        """Vocabulary grades (年級查詢) of ``yuedu-cli grades --tree``, of words or a text."""
        if isinstance(words_or_text, str):
            return GradeTable(self._engine.grades_of_text(words_or_text))
        return GradeTable(self._engine.grades_of_words(list(words_or_text)))

    def senses(self, words_or_text: Words) -> SenseTable:
        """Sense classes (詞義分類) of ``yuedu-cli senses``, of words or a text."""
        if isinstance(words_or_text, str):
            return SenseTable(self._engine.senses_of_text(words_or_text))
        return SenseTable(self._engine.senses_of_words(list(words_or_text)))

    def compare(self, paths: Iterable[Union[str, os.PathLike]], jobs: Optional[int] = None,
                poetry: bool = False, dialogue: bool = False,
                per_text: bool = False) -> Comparison:
        """The comparison of ``yuedu-cli compare`` over files and folders, on ``jobs`` threads
        (default: one a processor). Texts that cannot be read are left out with a
        ``ReadWarning`` and listed in ``failures``; raises Error when there is no text.
        ``per_text`` keeps each text's word counts (``frequencies``)."""
        files = collect_texts(paths)
        if not files:
            raise Error("no texts to compare")
        if jobs is None:
            jobs = os.cpu_count() or 1
        if not 1 <= jobs <= 1024:
            raise ValueError(f"jobs takes a number of threads from 1 to 1024, not {jobs}")
        result = Comparison(self._engine.compare(files, jobs, poetry, dialogue, per_text))
        for path, message in result.failures:
            warnings.warn(f"{message} (left out)", ReadWarning, stacklevel=2)
        return result

    read_text = staticmethod(read_text)
