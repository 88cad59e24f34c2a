// yuedu._yuedu: the core analyses for the Python package. Every figure comes from the core
// functions the command line uses; this file only hands texts in and results out, as plain
// Python values the package (python/yuedu) wraps into its result classes.
//
// An Engine holds the data loaded once and the segmenter built over it; all of it is read-only
// afterwards, so one Engine serves any number of threads. Each analysis releases the GIL while
// it runs (call_guard covers the call only: the arguments are converted before, the result after,
// with the GIL held).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <charconv>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "article/profiletext.h"
#include "charprofile/characterprofile.h"
#include "common/errors.h"
#include "compare/comparison.h"
#include "compare/corpus.h"
#include "docfile/inputtext.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "report/captions.h"
#include "report/treenode.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/gradetree.h"
#include "wordstats/senses.h"
#include "wordstats/taxonomy.h"
#include "wordstats/wordlist.h"

namespace py = pybind11;
using namespace yuedu;

namespace {

using Release = py::call_guard<py::gil_scoped_release>;

class Engine {
public:
    Engine(const std::filesystem::path &explicitDir, const std::filesystem::path &besideDir)
        : m_dir(findDataDir(explicitDir, besideDir)), m_report(loaddata(m_dir, m_data)),
          m_lexicon(seg::LoadLexicon(m_dir, &m_lexiconReport)), m_divider(m_data, m_lexicon) {}

    const std::filesystem::path &dir() const { return m_dir; }
    const LanguageData &data() const { return m_data; }
    const seg::Lexicon &lexicon() const { return m_lexicon; }
    const seg::PhraseDivider &divider() const { return m_divider; }

    // What loading found wrong: (path of the file, message), as the command line reports it.
    std::vector<std::pair<std::string, std::string>> problems() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const LoadReport *report : {&m_report, &m_lexiconReport})
            for (const auto &p : report->problems) {
                const std::filesystem::path file(p.file);
                out.emplace_back((file.is_absolute() ? file : m_dir / file).string(), p.message);
            }
        return out;
    }

private:
    std::filesystem::path m_dir;
    LanguageData m_data;
    LoadReport m_report;
    LoadReport m_lexiconReport;
    seg::Lexicon m_lexicon;
    seg::PhraseDivider m_divider;
};

// The words of a list, each followed by CR LF, as a list.
std::vector<std::u16string> splitLines(std::u16string_view words) {
    std::vector<std::u16string> out;
    std::size_t at = 0;
    while (at < words.size()) {
        std::size_t end = words.find(u"\r\n", at);
        if (end == std::u16string_view::npos)
            end = words.size();
        out.emplace_back(words.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

// The words of segmented text as yuedu-cli freq cuts them. The text is copied only when it has
// a line feed without its carriage return, and the list is sized once: on a large text the
// copies and regrowths cost more than the scan.
wordstats::PieceList segmentedPieces(const std::u16string &segmented) {
    bool bareLineFeed = false;
    for (std::size_t at = segmented.find(u'\n'); at != std::u16string::npos;
         at = segmented.find(u'\n', at + 1))
        if (at == 0 || segmented[at - 1] != u'\r') {
            bareLineFeed = true;
            break;
        }
    wordstats::PieceList words;
    words.reserve(segmented.size() / 3 + 1);
    if (bareLineFeed)
        wordstats::ScanPieces(wordstats::crlfLineBreaks(segmented), wordstats::PieceScan::Clean,
                              words);
    else
        wordstats::ScanPieces(segmented, wordstats::PieceScan::Clean, words);
    return words;
}

// The number a display text shows ("12.34" → 12.34, as Python's float() reads it).
double shownNumber(std::u16string_view text) {
    const std::string utf8 = toUtf8(text);
    double value = 0;
    std::from_chars(utf8.data(), utf8.data() + utf8.size(), value);
    return value;
}

// Rows (word, count, percentage as the list shows it, order) and the word total.
using FrequencyRows =
    std::pair<std::vector<std::tuple<std::u16string, std::int64_t, double, std::int64_t>>,
              std::int64_t>;

FrequencyRows frequencyRows(const wordstats::FrequencyResult &result) {
    FrequencyRows out;
    out.first.reserve(result.size());
    for (std::size_t i = 0; i < result.size(); ++i)
        out.first.emplace_back(result.words[i].word, result.words[i].count,
                               shownNumber(result.percentText(i)),
                               static_cast<std::int64_t>(i) + 1);
    out.second = result.WordTotal;
    return out;
}

struct GradeRows {
    std::vector<std::tuple<std::u16string, double, std::int64_t, std::int64_t>> rows;
    std::int64_t wordTotal = 0;
    // The seven groups: caption, words in list order.
    std::vector<std::pair<std::u16string, std::vector<std::u16string>>> groups;
};

GradeRows gradeRows(const wordstats::GradeResult &result) {
    GradeRows out;
    for (std::size_t i = 0; i < result.size(); ++i)
        out.rows.emplace_back(result.words[i].word, shownNumber(result.gradeText(i)),
                              result.words[i].count, static_cast<std::int64_t>(i) + 1);
    out.wordTotal = result.WordTotal;
    const std::vector<report::TreeNode> nodes = wordstats::gradeTreeNodes(result);
    for (std::size_t k = 1; k < nodes.size(); ++k)
        out.groups.emplace_back(nodes[k].text, splitLines(nodes[k].words));
    return out;
}

struct SenseRows {
    // (category, class, words) for every class with words, in the taxonomy's display order;
    // a category without words appears once with an empty class and no words.
    std::vector<std::tuple<std::u16string, std::u16string, std::vector<std::u16string>>> classes;
    std::int64_t wordTotal = 0;
    std::int64_t distinct = 0;
    std::int64_t classified = 0;
};

SenseRows senseRows(const wordstats::SenseResult &result) {
    SenseRows out;
    const std::vector<report::TreeNode> nodes = wordstats::senseTreeNodes(result.SenseClassLists);
    for (int c = 1; c <= wordstats::kSenseCategoryCount; ++c) {
        const std::u16string &category = nodes[static_cast<std::size_t>(c) - 1].text;
        bool any = false;
        for (const report::TreeNode &node : nodes)
            if (node.parent == c) {
                out.classes.emplace_back(category, node.text, splitLines(node.words));
                any = true;
            }
        if (!any)
            out.classes.emplace_back(category, u"", std::vector<std::u16string>{});
    }
    out.wordTotal = result.WordTotal;
    out.distinct = static_cast<std::int64_t>(result.words.size());
    out.classified = result.classifiedCount();
    return out;
}

// A Python str as UTF-16, copied from its own storage (no codec); needs the GIL.
std::u16string utf16Of(const py::str &text) {
    PyObject *o = text.ptr();
    const Py_ssize_t n = PyUnicode_GET_LENGTH(o);
    const void *data = PyUnicode_DATA(o);
    std::u16string out;
    switch (PyUnicode_KIND(o)) {
    case PyUnicode_1BYTE_KIND: {
        const auto *p = static_cast<const Py_UCS1 *>(data);
        out.assign(p, p + n);
        break;
    }
    case PyUnicode_2BYTE_KIND: {
        const auto *p = static_cast<const Py_UCS2 *>(data);
        out.assign(p, p + n);
        break;
    }
    default: {
        const auto *p = static_cast<const Py_UCS4 *>(data);
        out.reserve(static_cast<std::size_t>(n) + 16);
        for (Py_ssize_t i = 0; i < n; ++i) {
            const char32_t c = p[i];
            if (c < 0x10000) {
                out.push_back(static_cast<char16_t>(c));
            } else {
                out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
            }
        }
    }
    }
    return out;
}

// UTF-16 as a Python str; needs the GIL. Text without surrogates is copied as it is.
py::str strOf(std::u16string_view text) {
    bool plain = true;
    for (char16_t c : text)
        if (c >= 0xD800 && c <= 0xDFFF) {
            plain = false;
            break;
        }
    PyObject *o =
        plain ? PyUnicode_FromKindAndData(PyUnicode_2BYTE_KIND, text.data(),
                                          static_cast<Py_ssize_t>(text.size()))
              : PyUnicode_DecodeUTF16(reinterpret_cast<const char *>(text.data()),
                                      static_cast<Py_ssize_t>(2 * text.size()), "replace", nullptr);
    if (!o)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(o);
}

py::list listOf(const std::vector<std::u16string> &words) {
    py::list out(words.size());
    for (std::size_t i = 0; i < words.size(); ++i)
        PyList_SET_ITEM(out.ptr(), static_cast<Py_ssize_t>(i), strOf(words[i]).release().ptr());
    return out;
}

wordstats::PieceList toPieces(std::vector<std::u16string> words) {
    return wordstats::PieceList(std::make_move_iterator(words.begin()),
                                std::make_move_iterator(words.end()));
}

struct CompareRows {
    std::vector<std::vector<std::string>> rows;                // the cells of compare's table
    std::vector<std::pair<std::string, std::string>> failures; // (path, message)
    std::vector<std::string> totals;                           // the cells of its total row
    compare::FrequencyCounts merged;                           // the corpus's word counts
    std::vector<compare::FrequencyCounts> frequencies;         // each row's, when asked for
};

CompareRows compareFiles(const Engine &engine, const std::vector<std::string> &files, int jobs,
                         bool poetry, bool dialogue, bool perText) {
    std::vector<compare::TextSource> sources;
    for (const auto &file : files)
        sources.push_back({file, std::nullopt});
    compare::CompareOptions options;
    options.genre = {poetry, dialogue};
    options.jobs = jobs;
    compare::CompareResult result =
        compare::compareTexts(engine.data(), engine.lexicon(), sources, options);
    CompareRows out;
    for (const auto &row : result.rows)
        out.rows.push_back(compare::rowCells(row));
    for (const auto &failure : result.failures)
        out.failures.emplace_back(failure.name, failure.message);
    compare::CorpusTotals totals = compare::corpusTotals(engine.data(), result.rows);
    out.totals = compare::totalCells(totals);
    out.merged = std::move(totals.all.frequency);
    if (perText)
        for (auto &row : result.rows)
            out.frequencies.push_back(std::move(row.frequency));
    return out;
}

TextEncoding encodingNamed(const std::string &name) {
    if (std::optional<TextEncoding> encoding = encodingFromName(name))
        return *encoding;
    throw Error("unknown encoding '" + name + "' (use auto, big5, utf8, utf16le or utf16be)");
}

// The core's errors as the package's exceptions, with the path where there is one.
void registerErrors(py::module_ &m) {
    static py::exception<Error> error(m, "Error");
    static py::exception<IoError> ioError(m, "IoError", error.ptr());
    static py::exception<FormatError> formatError(m, "FormatError", error.ptr());
    py::register_exception_translator([](std::exception_ptr p) {
        const auto raise = [](py::handle type, const Error &e, const std::string *path) {
            py::object instance = type(e.what());
            if (path)
                instance.attr("path") = *path;
            PyErr_SetObject(type.ptr(), instance.ptr());
        };
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const IoError &e) {
            raise(ioError, e, &e.path());
        } catch (const FormatError &e) {
            raise(formatError, e, &e.path());
        } catch (const Error &e) {
            raise(error, e, nullptr);
        }
    });
}

} // namespace

PYBIND11_MODULE(_yuedu, m) {
    m.doc() = "The Yuedu core analyses (use the yuedu package, not this module).";
    registerErrors(m);

    py::class_<Engine>(m, "Engine")
        .def(py::init<const std::filesystem::path &, const std::filesystem::path &>(),
             py::arg("explicit_dir"), py::arg("beside_dir"), Release())
        .def_property_readonly("data_dir", &Engine::dir)
        .def("problems", &Engine::problems)
        // The two segmentations convert their text themselves: for a sentence the conversions
        // cost more than the segmenting.
        .def("segmented_text",
             [](const Engine &e, const py::str &text) {
                 std::u16string in = utf16Of(text);
                 std::u16string out;
                 {
                     py::gil_scoped_release release;
                     out = e.divider().DivideText(in);
                 }
                 return strOf(out);
             })
        .def("segment",
             [](const Engine &e, const py::str &text) {
                 std::u16string in = utf16Of(text);
                 wordstats::PieceList words;
                 {
                     py::gil_scoped_release release;
                     words = segmentedPieces(e.divider().DivideText(in));
                 }
                 return listOf(words);
             })
        .def(
            "profile_json",
            [](const Engine &e, const std::u16string &text, bool poetry,
               bool dialogue) -> std::optional<std::string> {
                const article::ProfileResult result =
                    article::artprofile(e.data(), text, article::ArticleGenre{poetry, dialogue});
                if (!result.done())
                    return std::nullopt;
                return article::profileJsonLine("", result);
            },
            Release())
        .def(
            "attributes",
            [](const Engine &e, const std::u16string &text)
                -> std::optional<std::tuple<
                    std::vector<std::tuple<std::u16string, std::u16string, std::u16string>>,
                    std::int64_t, std::int64_t>> {
                const article::AttributeResult result = article::artattri(e.data(), text);
                if (!result.found())
                    return std::nullopt;
                std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> rows;
                for (const auto &branch : result.attributeTree())
                    for (const auto &leaf : branch.leaves)
                        rows.emplace_back(branch.caption, leaf.caption, leaf.chars);
                return std::make_tuple(std::move(rows), result.hanziTotal, result.distinctTotal);
            },
            Release())
        .def(
            "character_profile",
            [](const Engine &e, const std::u16string &text) {
                const charprofile::CharProfileResult result =
                    charprofile::characterProfiles(e.data(), text);
                // (character, the 25 figures: none where the data has none)
                std::vector<std::pair<std::u16string, std::vector<std::optional<double>>>> rows;
                rows.reserve(result.size());
                for (std::size_t i = 0; i < result.size(); ++i) {
                    const charprofile::CharFigures figures = result.at(e.data(), i);
                    std::vector<std::optional<double>> values;
                    values.reserve(charprofile::kProfileEntries);
                    for (int k = 1; k <= charprofile::kProfileEntries; ++k) {
                        if (!result.hasData(k))
                            values.emplace_back();
                        else if (charprofile::isHundredths(k))
                            values.emplace_back(figures.figure(k) / 100.0);
                        else
                            values.emplace_back(figures.figure(k));
                    }
                    rows.emplace_back(figures.ch, std::move(values));
                }
                return rows;
            },
            Release())
        .def(
            "frequency_of_text",
            [](const Engine &e, const std::u16string &text) {
                return frequencyRows(wordstats::WordFrequency(segmentedPieces(e.divider().DivideText(text))));
            },
            Release())
        .def(
            "frequency_of_words",
            [](const Engine &, std::vector<std::u16string> words) {
                return frequencyRows(wordstats::WordFrequency(toPieces(std::move(words))));
            },
            Release())
        .def(
            "grades_of_text",
            [](const Engine &e, const std::u16string &text) {
                return gradeRows(wordstats::VocabularyGrades(e.data(), segmentedPieces(e.divider().DivideText(text))));
            },
            Release())
        .def(
            "grades_of_words",
            [](const Engine &e, std::vector<std::u16string> words) {
                return gradeRows(wordstats::VocabularyGrades(e.data(), toPieces(std::move(words))));
            },
            Release())
        .def(
            "senses_of_text",
            [](const Engine &e, const std::u16string &text) {
                return senseRows(wordstats::SenseClasses(e.data(), segmentedPieces(e.divider().DivideText(text))));
            },
            Release())
        .def(
            "senses_of_words",
            [](const Engine &e, std::vector<std::u16string> words) {
                return senseRows(wordstats::SenseClasses(e.data(), toPieces(std::move(words))));
            },
            Release())
        .def(
            "_time_segment",
            [](const Engine &e, const std::u16string &text, int times) {
                // For bench/python_bench.py: the seconds of the segmentation alone, to tell the
                // cost of a call from Python apart from the work.
                const auto start = std::chrono::steady_clock::now();
                std::size_t words = 0;
                for (int i = 0; i < times; ++i)
                    words += segmentedPieces(e.divider().DivideText(text)).size();
                const std::chrono::duration<double> took =
                    std::chrono::steady_clock::now() - start;
                return std::make_pair(took.count(), words);
            },
            Release())
        .def("compare", &compareFiles, py::arg("files"), py::arg("jobs"), py::arg("poetry"),
             py::arg("dialogue"), py::arg("per_text"), Release());

    py::class_<GradeRows>(m, "GradeRows")
        .def_readonly("rows", &GradeRows::rows)
        .def_readonly("word_total", &GradeRows::wordTotal)
        .def_readonly("groups", &GradeRows::groups);
    py::class_<SenseRows>(m, "SenseRows")
        .def_readonly("classes", &SenseRows::classes)
        .def_readonly("word_total", &SenseRows::wordTotal)
        .def_readonly("distinct", &SenseRows::distinct)
        .def_readonly("classified", &SenseRows::classified);
    py::class_<CompareRows>(m, "CompareRows")
        .def_readonly("rows", &CompareRows::rows)
        .def_readonly("failures", &CompareRows::failures)
        .def_readonly("totals", &CompareRows::totals)
        .def_readonly("merged", &CompareRows::merged)
        .def_readonly("frequencies", &CompareRows::frequencies);

    m.def(
        "read_text",
        [](const std::string &path, const std::string &encoding) {
            doc::InputText input = doc::readInputText(path, encodingNamed(encoding));
            std::vector<std::pair<bool, std::string>> notices; // (is a warning, message)
            for (auto &notice : input.notices)
                notices.emplace_back(notice.kind == doc::InputNotice::Kind::Warning,
                                     std::move(notice.message));
            return std::make_pair(std::move(input.text), std::move(notices));
        },
        py::arg("path"), py::arg("encoding"), Release());
    m.def(
        "collect_texts",
        [](const std::vector<std::string> &paths) {
            compare::CollectedTexts collected = compare::collectTexts(paths);
            std::vector<std::tuple<std::string, std::string, bool>> problems;
            for (const auto &p : collected.problems)
                problems.emplace_back(p.path, p.message, p.emptyFolder);
            return std::make_pair(std::move(collected.files), std::move(problems));
        },
        Release());
    m.def("compare_columns", &compare::columnNames);
    m.def("split_words", &segmentedPieces, Release());
    m.def("profile_fields", [] {
        std::vector<std::pair<std::string_view, std::u16string_view>> fields;
        for (const auto &field : report::profileFields())
            fields.emplace_back(field.name, field.label());
        return fields;
    });
    m.def(
        "frequency_of_counts",
        [](const compare::FrequencyCounts &counts) {
            return frequencyRows(compare::frequencyResult(counts));
        },
        Release());
    m.def("character_profile_fields", [] {
        std::vector<std::string> names;
        for (int k = 1; k <= charprofile::kProfileEntries; ++k)
            names.emplace_back(charprofile::wordProfileFieldName(k));
        return names;
    });
}
