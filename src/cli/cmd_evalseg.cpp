// yuedu-cli evalseg: measures the segmentation against hand-segmented sentences. Each sentence
// is joined back into plain text, segmented with the real segmenter and the data files in use,
// and the words found are compared with the hand-made ones by their character spans: word
// precision, recall and F1, for each part of the file and in total.
#include <cstdio>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/command.h"
#include "common/errors.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::cli {
namespace {

// Only ideographs are scored: punctuation, digits and letters are passed over by the
// segmenter and stand alone in the hand-segmented file.
bool scored(char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

std::u16string scoredChars(std::u16string_view word) {
    std::u16string out;
    for (char16_t c : word)
        if (scored(c))
            out.push_back(c);
    return out;
}

// Blank-separated words of a text, each reduced to its scored characters (empty ones left out).
std::vector<std::u16string> wordsOf(std::u16string_view text) {
    std::vector<std::u16string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == u' ' || text[at] == u'\r' || text[at] == u'\n' ||
                                    text[at] == u'\t' || text[at] == u'\u3000'))
            ++at;
        std::size_t end = at;
        while (end < text.size() && text[end] != u' ' && text[end] != u'\r' && text[end] != u'\n' &&
               text[end] != u'\t' && text[end] != u'\u3000')
            ++end;
        if (std::u16string w = scoredChars(text.substr(at, end - at)); !w.empty())
            words.push_back(std::move(w));
        at = end;
    }
    return words;
}

using Spans = std::set<std::pair<std::size_t, std::size_t>>;

Spans spansOf(const std::vector<std::u16string> &words) {
    Spans spans;
    std::size_t at = 0;
    for (const auto &w : words) {
        spans.insert({at, at + w.size()});
        at += w.size();
    }
    return spans;
}

std::u16string joined(const std::vector<std::u16string> &words, std::u16string_view sep) {
    std::u16string out;
    for (const auto &w : words) {
        if (!out.empty())
            out += sep;
        out += w;
    }
    return out;
}

struct Tally {
    std::string name;
    std::size_t sentences = 0, gold = 0, found = 0, correct = 0;
    void add(const Tally &t) {
        sentences += t.sentences;
        gold += t.gold;
        found += t.found;
        correct += t.correct;
    }
    std::string line() const {
        const double p = found ? 100.0 * correct / found : 0, r = gold ? 100.0 * correct / gold : 0,
                     f = p + r > 0 ? 2 * p * r / (p + r) : 0;
        char buf[160];
        std::snprintf(
            buf, sizeof buf,
            "%-10s %3zu sentences %5zu words  precision %5.1f%%  recall %5.1f%%  F1 %5.1f%%",
            name.c_str(), sentences, gold, p, r, f);
        return buf;
    }
};

int runEvalSeg(const Args &args) {
    if (args.positional.size() != 1)
        throw UsageError("give one hand-segmented file (e.g. data/eval/segmented.txt)");
    std::istringstream in(readInputBytes(args.positional[0]));
    const LanguageData &data = languageData(args);
    const seg::Lexicon lexicon = loadLexicon(args);
    const seg::PhraseDivider divider(data, lexicon);
    const bool show = args.has("show"), showAll = args.has("show-all");

    std::vector<Tally> parts;
    std::string line;
    int status = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (line.rfind("## ", 0) == 0) {
            parts.push_back({line.substr(3)});
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        if (parts.empty())
            parts.push_back({"all"});
        const std::u16string text = fromUtf8(line);
        std::u16string plain;
        for (char16_t c : text)
            if (c != u' ')
                plain.push_back(c);
        const auto gold = wordsOf(text), found = wordsOf(divider.DivideText(plain));
        if (joined(gold, u"") != joined(found, u"")) {
            std::cerr << "evalseg: the segmenter's words do not cover the sentence: " << line
                      << "\n";
            status = 1;
            continue;
        }
        const Spans g = spansOf(gold), f = spansOf(found);
        std::size_t correct = 0;
        for (const auto &s : f)
            correct += g.count(s);
        Tally &t = parts.back();
        ++t.sentences;
        t.gold += g.size();
        t.found += f.size();
        t.correct += correct;
        if (showAll || (show && correct != g.size()))
            writeOut(u"  " + joined(found, u" ") + u"\n");
    }
    Tally total{"total"};
    for (const Tally &t : parts) {
        writeOut(t.line() + "\n");
        total.add(t);
    }
    if (parts.size() > 1)
        writeOut(total.line() + "\n");
    return status;
}

const CommandRegistration registration({
    "evalseg",
    "[--data-dir DIR] [--show|--show-all] SEGMENTED-FILE",
    "word precision, recall and F1 of the segmentation against hand-segmented sentences",
    {},
    runEvalSeg,
    "  --show             also write the sentences segmented with a mistake\n"
    "  --show-all         also write every sentence as segmented\n",
});

} // namespace
} // namespace yuedu::cli
