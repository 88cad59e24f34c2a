"""Every analysis of the package gives what the command line gives for the same text."""

import yuedu
from conftest import cli, json_lines, tsv


def test_segmentation_is_the_command_lines(analyzer, text_file):
    text = yuedu.read_text(text_file)
    segmented = cli("segment", text_file)
    assert analyzer.segmented_text(text).replace("\r\n", "\n") == segmented.replace("\r\n", "\n")
    words = analyzer.segment(text)
    assert words == yuedu.split_words(segmented)
    assert len(words) > 40


def test_profile_is_profile_json(analyzer, text_file):
    text = yuedu.read_text(text_file)
    for poetry, dialogue, flags in [(False, False, []), (True, True, ["--poetry", "--dialogue"])]:
        [expected] = json_lines(cli("profile", "--json", *flags, text_file))
        del expected["file"]
        got = analyzer.profile(text, poetry=poetry, dialogue=dialogue)
        assert got == expected
        assert list(got) == list(expected)
    assert list(got)[0] == "genre" and list(got)[1:-1] == list(yuedu.PROFILE_FIELDS)
    assert got["zancf"] is None  # no open source of the coefficients: no figure, not 0


def test_attributes_and_character_profile(analyzer, text_file):
    text = yuedu.read_text(text_file)
    branch, rows = None, []
    for line in cli("attrs", text_file).splitlines():
        if line.startswith("  "):
            value, chars = line[2:].split("\t")
            rows.append((branch, value, chars))
        else:
            branch = line
    assert list(analyzer.attributes(text)) == rows

    header, *lines = tsv(cli("charprofile", text_file))
    table = analyzer.character_profile(text)
    assert table.columns == tuple(["char", *header[1:]])
    expected = [[ch] + [None if v == "" else float(v) for v in values] for ch, *values in lines]
    assert [list(row) for row in table] == expected


def test_word_statistics(analyzer, text_file, tmp_path):
    text = yuedu.read_text(text_file)
    segmented = tmp_path / "segmented.txt"
    segmented.write_text(cli("segment", text_file), encoding="utf-8")
    words = analyzer.segment(text)

    freq = [(w, int(c), float(p), int(o)) for w, c, p, o in tsv(cli("freq", segmented))]
    assert list(analyzer.frequency(text)) == freq
    assert list(analyzer.frequency(words)) == freq
    frame = analyzer.frequency(words).to_pandas()
    assert list(frame.columns) == ["word", "count", "percent", "order"]
    assert list(frame.itertuples(index=False, name=None)) == freq

    out = cli("grades", "--tree", segmented)
    table, tree = out.split("\n\n")
    grades = [(w, float(g), int(c), int(o)) for w, g, c, o in tsv(table)]
    result = analyzer.grades(words)
    assert list(result) == grades
    groups = {k.strip(): v.split(" ") if v else [] for k, v in tsv(tree)[1:]}
    assert result.groups == groups

    tree, category = {}, None
    for line in cli("senses", segmented).splitlines():
        if line.startswith("  "):
            sense_class, listed = line[2:].split("\t")
            tree[category][sense_class] = listed.split(" ")
        else:
            category = line
            tree[category] = {}
    senses = analyzer.senses(text)
    assert senses.tree == tree
    assert senses.classified == len({r.word for r in senses})


def test_compare_rows_totals_and_frequency(analyzer, realistic, tmp_path):
    corpus = tmp_path / "corpus"
    corpus.mkdir()
    (corpus / "a.txt").write_bytes(realistic.read_bytes())
    (corpus / "b.txt").write_text("今天天氣很好，我們去公園。\n", encoding="utf-8")
    (corpus / "c.txt").write_text("abc\n", encoding="utf-8")  # no hanzi: a row without profile
    freq = tmp_path / "freq.tsv"
    expected = json_lines(cli("compare", "--format", "json", "--summary", "--jobs", "2",
                              "--freq", freq, corpus))
    result = analyzer.compare([corpus], jobs=2, per_text=True)
    assert [row._asdict() for row in result.rows] + [result.totals._asdict()] == expected
    merged = [(w, int(c), float(p), int(o))
              for w, c, p, o in tsv(freq.read_text(encoding="utf-8"))]
    assert list(result.frequency) == merged
    assert list(yuedu.FrequencyTable.from_counts(_summed(result.frequencies))) == merged


def _summed(tables):
    total = {}
    for counts in tables:
        for word, count in counts.items():
            total[word] = total.get(word, 0) + count
    return total


def test_readme_example_prints_what_it_says():
    import re
    import subprocess
    import sys

    from conftest import TOP

    readme = (TOP / "README.md").read_text(encoding="utf-8")
    section = readme[readme.index("## Python"):]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    shown = re.search(r"\nprints\n\n((?:    .*\n)+)", section).group(1)
    expected = "".join(line[4:] + "\n" for line in shown.splitlines())
    done = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                          check=True)
    assert done.stdout == expected
