"""The Dask recipe on worker processes gives the rows and the merged frequency table of
yuedu-cli compare."""

import pytest
import yuedu
from conftest import DATA, cli, json_lines, tsv

distributed = pytest.importorskip("dask.distributed")


def test_dask_recipe_equals_compare(realistic, tmp_path):
    from yuedu.cluster import compare_corpus

    corpus = tmp_path / "corpus"
    (corpus / "part").mkdir(parents=True)
    text = realistic.read_text(encoding="utf-8")
    for i in range(5):
        (corpus / f"t{i}.txt").write_text(text[i * 4000:(i + 1) * 4000], encoding="utf-8")
    (corpus / "part" / "poem.txt").write_text("床前明月光，疑是地上霜。\n", encoding="utf-8")
    (corpus / "part" / "cut.rtf").write_bytes(b"{\\rtf1 {\\b unfinished")
    freq = tmp_path / "freq.tsv"
    expected = json_lines(cli("compare", "--format", "json", "--freq", freq, corpus,
                              check=False))

    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster):
        with pytest.warns(yuedu.ReadWarning, match="cut.rtf"):
            result = compare_corpus([corpus], data_dir=str(DATA), npartitions=3)

    rows = result.rows.astype(object).where(result.rows.notna(), None)
    assert rows.to_dict("records") == expected
    assert [path for path, _ in result.failures] == [str(corpus / "part" / "cut.rtf")]
    merged = [(w, int(c), float(p), int(o))
              for w, c, p, o in tsv(freq.read_text(encoding="utf-8"))]
    assert list(result.frequency) == merged
