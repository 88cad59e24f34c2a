"""What the tests share: the command line and the data of the build tree, and the texts."""

import json
import os
import subprocess
import sys
from pathlib import Path

import pytest

TOP = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("YUEDU_BUILD_DIR") or TOP / "build")
CLI = BUILD / "src" / "cli" / "yuedu-cli"
DATA = Path(os.environ.get("YUEDU_TEST_DATA_DIR") or BUILD / "data")
STORY = TOP / "data" / "samples" / "story.txt"


@pytest.fixture(scope="session")
def analyzer():
    import yuedu

    return yuedu.Analyzer(DATA)


@pytest.fixture(scope="session")
def realistic(tmp_path_factory):
    """A text of 30 000 characters of dictionary words and sample sentences."""
    path = tmp_path_factory.mktemp("texts") / "realistic.txt"
    text = subprocess.run([sys.executable, str(TOP / "bench" / "make-text.py"), str(DATA), "30000"],
                          check=True, capture_output=True).stdout
    path.write_bytes(text)
    return path


@pytest.fixture(scope="session", params=["story", "realistic"])
def text_file(request, realistic):
    return STORY if request.param == "story" else realistic


def cli(*args, check=True):
    """stdout of yuedu-cli with the tests' data, as text."""
    if not CLI.exists():
        pytest.fail(f"{CLI} is not built (build the project first, or set YUEDU_BUILD_DIR)")
    done = subprocess.run([str(CLI), args[0], "--data-dir", str(DATA), *args[1:]],
                          capture_output=True, check=False)
    if check and done.returncode != 0:
        raise AssertionError(f"yuedu-cli {' '.join(map(str, args))}: {done.stderr.decode()}")
    return done.stdout.decode("utf-8")


def json_lines(out):
    return [json.loads(line) for line in out.splitlines()]


def tsv(out):
    return [line.split("\t") for line in out.splitlines()]
