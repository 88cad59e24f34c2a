#include "databuild/sourcereader.h"

#include <cstring>

#include "databuild/bopomofo.h"
#include "databuild/dataset.h"
#include "databuild/senselabels.h"
#include "databuild/textsource.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {
namespace {

char16_t singleHanzi(const SourceLine &line) {
    if (line.fields[0].size() != 1)
        line.fail("'" + toUtf8(line.fields[0]) + "' is not a single character");
    return line.fields[0][0];
}

void needFields(const SourceLine &line, std::size_t n, const char *format) {
    if (line.fields.size() < n)
        line.fail(std::string("expected ") + format);
}

// Where each named detail figure lives in the record.
int *detailField(DetailRecord &d, std::string_view name) {
    static constexpr const char *kUsage[7] = {"w23456", "chiuk",  "book76", "readbook",
                                              "lpr",    "cdic12", "bbwsr"};
    for (int i = 0; i < 7; ++i) {
        std::string_view base = kUsage[i];
        if (name.size() == base.size() + 1 && name.substr(0, base.size()) == base) {
            if (name.back() == 'g')
                return &d.usage[i].grade;
            if (name.back() == 's')
                return &d.usage[i].rank;
        }
    }
    static constexpr const char *kUse[5] = {"grade2use", "grade3use", "grade4use", "grade5use",
                                            "grade6use"};
    for (int i = 0; i < 5; ++i)
        if (name == kUse[i])
            return &d.gradeUse[i];
    if (name == "p468s")
        return &d.p468s;
    if (name == "p468c")
        return &d.p468c;
    if (name == "grademeanuse")
        return &d.grademeanuse;
    if (name == "edupto")
        return &d.edupto;
    if (name == "zangener")
        return &d.zangener;
    if (name == "zanscale")
        return &d.zanscale;
    return nullptr;
}

} // namespace

void readWordList(const std::filesystem::path &path, std::vector<std::u16string> &words) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        if (!isDictionaryWord(line.fields[0]))
            line.fail("'" + toUtf8(line.fields[0]) + "' is not a word of two to four Big5 hanzi");
        words.push_back(line.fields[0]);
    });
}

void readGradeList(const std::filesystem::path &path, GradeSources &grades) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        needFields(line, 2, "word<TAB>grade code");
        const std::u16string &word = line.fields[0];
        if (word.empty() || word.size() > 4)
            line.fail("a graded word has one to four characters");
        int code = line.integer(1, 1, 127, "grade code");
        grades.lists[word.size() - 1].push_back({word, static_cast<std::uint8_t>(code)});
    });
}

void readRankList(const std::filesystem::path &path, std::u16string &rank) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        for (const auto &field : line.fields)
            for (char16_t c : field)
                if (c != u' ' && c != u'\u3000')
                    rank.push_back(c);
    });
}

void readSenseList(const std::filesystem::path &path, std::vector<SenseWord> &words) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        needFields(line, 2, "word<TAB>sense class");
        int senseClass = senseClassOfLabel(line.fields[1]);
        if (senseClass == 0) {
            const std::u16string &label = line.fields[1];
            if (label.empty() || label.find_first_not_of(u"0123456789") != std::u16string::npos)
                line.fail("'" + toUtf8(label) + "' is not a sense class label");
            senseClass = line.integer(1, 1, 95, "sense class");
        }
        words.push_back({line.fields[0], senseClass});
    });
}

void readCharList(const std::filesystem::path &path, std::vector<CharEntry> &chars) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        needFields(line, 4, "hanzi<TAB>bopomofo<TAB>radical<TAB>strokes");
        CharEntry e;
        e.ch = singleHanzi(line);
        if (line.fields[1] != u"-" && !parseBopomofo(line.fields[1], e.record))
            line.fail("'" + toUtf8(line.fields[1]) + "' is not a Bopomofo syllable");
        e.record.radical = radicalEntryOfKangxi(line.integer(2, 1, 214, "radical"));
        e.record.strokes = line.integer(3, 1, 35, "stroke count");
        chars.push_back(e);
    });
}

void readDetailList(const std::filesystem::path &path, std::vector<DetailEntry> &details) {
    forEachSourceLine(path, [&](const SourceLine &line) {
        DetailEntry e;
        e.ch = singleHanzi(line);
        for (std::size_t i = 1; i < line.fields.size(); ++i) {
            std::string item = toUtf8(line.fields[i]);
            std::size_t eq = item.find('=');
            int *field =
                eq == std::string::npos ? nullptr : detailField(e.record, item.substr(0, eq));
            if (!field)
                line.fail("'" + item + "' is not a detail figure (name=value)");
            SourceLine value = line;
            value.fields = {fromUtf8(item.substr(eq + 1))};
            *field = value.integer(0, 0, 65535, item.substr(0, eq).c_str());
        }
        details.push_back(e);
    });
}

void readUserWords(const std::filesystem::path &path, std::vector<std::u16string> &lines) {
    forEachSourceLine(path, [&](const SourceLine &line) { lines.push_back(line.fields[0]); });
}

} // namespace yuedu::databuild
