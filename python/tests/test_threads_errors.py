"""One Analyzer shared by threads; the errors of missing or damaged data and unreadable files."""

import shutil
import subprocess
from concurrent.futures import ThreadPoolExecutor

import pytest
import yuedu
from conftest import CLI, DATA, STORY


def test_threads_share_one_analyzer(analyzer, realistic):
    text = yuedu.read_text(realistic)
    pieces = [text[i:i + 3000] for i in range(0, len(text) - 3000, 3000)]

    def analyse(piece):
        words = analyzer.segment(piece)
        return words, analyzer.profile(piece), list(analyzer.frequency(words)), list(
            analyzer.grades(words))

    alone = [analyse(piece) for piece in pieces]
    with ThreadPoolExecutor(max_workers=8) as pool:
        together = list(pool.map(analyse, pieces * 4))
    assert together == alone * 4


def cli_problems(data_dir):
    """The files and what is wrong with them, as yuedu-cli's error lists them."""
    done = subprocess.run([str(CLI), "profile", "--data-dir", str(data_dir), str(STORY)],
                          capture_output=True, text=True)
    assert done.returncode != 0
    return [line[2:] for line in done.stderr.splitlines() if line.startswith("  ")]


def test_missing_and_damaged_data(tmp_path):
    missing = tmp_path / "none"
    with pytest.raises(yuedu.DataError) as caught:
        yuedu.Analyzer(missing)
    assert caught.value.path.startswith(str(missing))
    # The same problems, in the same words, as the command line's error.
    assert str(caught.value).splitlines() == cli_problems(missing)

    damaged = tmp_path / "damaged"
    shutil.copytree(DATA, damaged)
    seg = damaged / "dpphvbdn.byt"
    seg.write_bytes(seg.read_bytes()[:1000])
    with pytest.raises(yuedu.DataError) as caught:
        yuedu.Analyzer(damaged)
    assert caught.value.path == str(seg)
    assert str(caught.value).splitlines() == cli_problems(damaged)
    with pytest.warns(yuedu.DataWarning):
        incomplete = yuedu.Analyzer(damaged, allow_incomplete_data=True)
    assert incomplete.segment("小明今天很早就起床了。")  # goes on, as the command line does


def test_reading_errors_and_warnings(tmp_path):
    with pytest.raises(yuedu.IoError) as caught:
        yuedu.read_text(tmp_path / "absent.txt")
    assert caught.value.path == str(tmp_path / "absent.txt")
    assert isinstance(caught.value, yuedu.Error)

    broken = tmp_path / "broken.docx"
    broken.write_bytes(b"PK\x03\x04" + b"\0" * 64)
    with pytest.raises(yuedu.Error) as caught:
        yuedu.read_text(broken)
    assert str(broken) in str(caught.value)

    odd = tmp_path / "odd.txt"
    odd.write_bytes("今天天氣很好，".encode() * 20 + b"\xff\xfe\x80" + "我們去公園。\n".encode())
    with pytest.warns(yuedu.ReadWarning) as seen:
        text = yuedu.read_text(odd)
    assert "\ufffd" in text
    done = subprocess.run([str(CLI), "segment", str(odd)], capture_output=True, text=True)
    assert [f"yuedu-cli: warning: {w.message}" for w in seen] == done.stderr.splitlines()

    with pytest.raises(yuedu.Error, match="unknown encoding"):
        yuedu.read_text(odd, encoding="latin1")
