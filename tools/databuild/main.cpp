// yuedu-databuild: writes gdphvbdn.byt, dpphvbdn.byt, phwdvbdn.byt and userword.apd from the
// UTF-8 text sources in data/ and, when given, the installed open lexical sources.
#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>

#include "common/errors.h"
#include "common/version.h"
#include "databuild/bopomofo.h"
#include "databuild/dataset.h"
#include "databuild/fillreport.h"
#include "databuild/segcheck.h"
#include "databuild/sourcereader.h"
#include "databuild/tablewriter.h"
#include "langdata/codepage950.h"
#include "langdata/languagedata.h"
#include "langdata/sha256.h"
#include "langdata/textcodec.h"
#include "langdata/xxhash64.h"

using namespace yuedu;
using namespace yuedu::databuild;

namespace {

constexpr const char *kUsage = R"(usage: yuedu-databuild --out DIR [sources...] [--report]

Text sources (UTF-8, see data/README.md; each may be given several times):
  --words FILE      dictionary words, one a line, in priority order
  --grades FILE     graded words: word<TAB>grade code
  --rank FILE       the rank list of up to 3000 hanzi
  --senses FILE     sense classes: word<TAB>class label or number
  --chars FILE      character records: hanzi<TAB>bopomofo<TAB>radical<TAB>strokes
  --details FILE    detail figures: hanzi<TAB>name=value...
  --userwords FILE  user words written to userword.apd
Open sources (all five together):
  --chewing DIR --essay FILE --unihan-irg FILE --unihan-dict FILE --stroke FILE
  --report          print how full each table is
  --list-words FILE write the candidate dictionary words of the open sources in the order
                    offered: word<TAB>source<TAB>weight<TAB>verdict
Settings of the dictionary word rules (see data/README.md):
  --composition-share X  keep a chewing composition of a grammar character and a word from
                    this share of the word's own frequency on (default 0.5; 0 keeps all)
  --pair-frequency N     keep a chewing pair of an adverb and a grammar character from this
                    frequency on (default 8000)
  --frequent-chars N     characters counted as frequent in essay-only words (default 600)
  --export-chars FILE  write the character records of the characters the text sources use,
                    in the --chars format (to make a small character list from the open sources)
)";

struct Options {
    std::filesystem::path out;
    std::multimap<std::string, std::filesystem::path> sources;
    OpenSourcePaths open;
    bool report = false;
    std::filesystem::path exportChars;
    std::filesystem::path listWords;
    WordFilterSettings filter;
};

double number(const std::string &option, const std::string &value) {
    std::size_t used = 0;
    double v = -1;
    try {
        v = std::stod(value, &used);
    } catch (const std::exception &) {
    }
    if (used != value.size() || v < 0)
        throw Error("'" + option + "' needs a number of zero or more, not '" + value + "'");
    return v;
}

Options parse(int argc, char **argv) {
    Options o;
    static const char *const kText[] = {"--words", "--grades",  "--rank",     "--senses",
                                        "--chars", "--details", "--userwords"};
    std::map<std::string, std::filesystem::path *> open = {{"--chewing", &o.open.chewingDir},
                                                           {"--essay", &o.open.essay},
                                                           {"--unihan-irg", &o.open.unihanIrg},
                                                           {"--unihan-dict", &o.open.unihanDict},
                                                           {"--stroke", &o.open.strokeTable}};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--report") {
            o.report = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            std::exit(0);
        }
        static const char *const kOther[] = {"--out",
                                             "--export-chars",
                                             "--list-words",
                                             "--composition-share",
                                             "--pair-frequency",
                                             "--frequent-chars"};
        const bool known =
            std::find(std::begin(kOther), std::end(kOther), arg) != std::end(kOther) ||
            open.count(arg) ||
            std::find(std::begin(kText), std::end(kText), arg) != std::end(kText);
        if (!known)
            throw Error("unknown option '" + arg + "'\n" + kUsage);
        if (i + 1 >= argc)
            throw Error("'" + arg + "' needs a value\n" + kUsage);
        std::string value = argv[++i];
        if (arg == "--out")
            o.out = value;
        else if (arg == "--export-chars")
            o.exportChars = value;
        else if (arg == "--list-words")
            o.listWords = value;
        else if (arg == "--composition-share")
            o.filter.compositionShare = number(arg, value);
        else if (arg == "--pair-frequency")
            o.filter.grammarPairFrequency = static_cast<std::uint64_t>(number(arg, value));
        else if (arg == "--frequent-chars")
            o.filter.frequentChars = static_cast<std::size_t>(number(arg, value));
        else if (open.count(arg))
            *open[arg] = value;
        else
            o.sources.emplace(arg, value);
    }
    if (o.out.empty())
        throw Error(std::string("--out is required\n") + kUsage);
    return o;
}

void readTextSources(const Options &o, DataSet &data) {
    for (const auto &[option, path] : o.sources) {
        if (option == "--words")
            readWordList(path, data.segWords);
        else if (option == "--grades")
            readGradeList(path, data.grades);
        else if (option == "--rank")
            readRankList(path, data.grades.rankList);
        else if (option == "--senses")
            readSenseList(path, data.senses.words);
        else if (option == "--chars")
            readCharList(path, data.senses.chars);
        else if (option == "--details")
            readDetailList(path, data.senses.details);
        else if (option == "--userwords")
            readUserWords(path, data.userWordLines);
    }
}

// The characters the text sources use, in order of first use.
std::u16string charsOfTextSources(const DataSet &data) {
    std::u16string chars;
    auto add = [&](std::u16string_view s) {
        for (char16_t c : s)
            if (chars.find(c) == std::u16string::npos)
                chars.push_back(c);
    };
    add(data.grades.rankList);
    for (const auto &w : data.segWords)
        add(w);
    for (const auto &list : data.grades.lists)
        for (const auto &e : list)
            add(e.word);
    for (const auto &w : data.senses.words)
        add(w.word);
    return chars;
}

std::string exportCharList(std::u16string_view chars, const std::vector<CharEntry> &records) {
    std::map<char16_t, CharRecord> byChar;
    for (const CharEntry &e : records)
        byChar.emplace(e.ch, e.record);
    std::string out =
        "# Character records of the characters the text sources use, exported by\n"
        "# yuedu-databuild --export-chars from the sources it was given (see data/README.md).\n"
        "# hanzi<TAB>bopomofo<TAB>Kangxi radical<TAB>strokes\n";
    for (char16_t c : chars) {
        auto it = byChar.find(c);
        if (it == byChar.end())
            continue;
        const CharRecord &r = it->second;
        std::u16string reading = formatBopomofo(r);
        out += toUtf8(std::u16string(1, c)) + "\t" + (reading.empty() ? "-" : toUtf8(reading)) +
               "\t" + std::to_string(kangxiOfRadicalEntry(r.radical)) + "\t" +
               std::to_string(r.strokes) + "\n";
    }
    return out;
}

std::string userWordFile(const std::vector<std::u16string> &lines) {
    std::string out;
    for (const std::u16string &l : lines) {
        std::size_t unmapped = 0;
        out += CodePage950::instance().encode(l, &unmapped);
        if (unmapped)
            throw FormatError(kUserWordFileName,
                              "the user words '" + toUtf8(l) + "' are not all Big5 characters");
        out += "\r\n";
    }
    return out;
}

int run(const Options &o) {
    // Nothing is replaced unless everything was built and written.
    StagedFiles outputs;
    DataSet data;
    readTextSources(o, data);
    const std::u16string textChars = charsOfTextSources(data);
    const bool haveOpen = !o.open.chewingDir.empty();
    if (haveOpen) {
        for (const auto *p :
             {&o.open.essay, &o.open.unihanIrg, &o.open.unihanDict, &o.open.strokeTable})
            if (p->empty())
                throw Error("the open sources are read together: give --chewing, --essay, "
                            "--unihan-irg, --unihan-dict and --stroke");
        addOpenSources(o.open, data, o.filter);
    }
    if (!o.listWords.empty()) {
        std::string out;
        for (const WordChoice &c : data.wordChoices)
            out += toUtf8(c.word) + "\t" + c.source + "\t" + std::to_string(c.weight) + "\t" +
                   verdictName(c.verdict) + "\n";
        outputs.add(o.listWords, out);
    }

    if (!o.exportChars.empty())
        outputs.add(o.exportChars, exportCharList(textChars, data.senses.chars));

    FillReport report;
    const std::string segImage = buildSegFile(data.segWords, &report.seg);
    // Word-formation figures count the words the tables really hold.
    const SegDictionaryReader reader(segImage);
    std::vector<std::u16string> held;
    for (const std::u16string &w : data.segWords)
        if (reader.holds(w))
            held.push_back(w);
    const std::size_t written = report.seg.words2 + report.seg.words3 + report.seg.words4;
    if (held.size() < written)
        report.notes.push_back("problem: only " + std::to_string(held.size()) + " of the " +
                               std::to_string(written) +
                               " dictionary words written are found by lookup");
    deriveDetails(held, data);

    const std::string gradeImage = buildGradeFile(data.grades, &report.grades);
    const std::string senseImage = buildSenseFile(data.senses, &report.senses);
    const std::string userWords = userWordFile(data.userWordLines);
    report.userWordLines = data.userWordLines.size();
    report.notes.insert(report.notes.end(), data.notes.begin(), data.notes.end());

    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (ec)
        throw IoError(o.out.string(), ec.message());
    outputs.add(o.out / kGradeFileName, gradeImage);
    outputs.add(o.out / kSegFileName, segImage);
    outputs.add(o.out / kSenseFileName, senseImage);
    outputs.add(o.out / kUserWordFileName, userWords);
    // What the programs check the files against: a changed byte is a damaged file. The user's
    // words are the user's to edit and stay out of it.
    std::vector<ManifestEntry> manifest;
    for (const auto &[name, image] :
         {std::pair{kGradeFileName, &gradeImage}, std::pair{kSegFileName, &segImage},
          std::pair{kSenseFileName, &senseImage}})
        manifest.push_back({name, image->size(), sha256Hex(*image), xxh64Hex(*image)});
    outputs.add(o.out / kManifestFileName,
                manifestText(std::string("yuedu-databuild ") + kVersion, manifest));
    const std::string text = report.text();
    outputs.add(o.out / kReportFileName, text);
    outputs.commit();
    if (o.report)
        std::cout << text;
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    try {
        return run(parse(argc, argv));
    } catch (const std::exception &e) {
        std::cerr << "yuedu-databuild: " << e.what() << "\n";
        return 1;
    }
}
