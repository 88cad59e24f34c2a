#include "databuild/segdict.h"

#include <array>
#include <unordered_set>

#include "common/errors.h"
#include "databuild/tablewriter.h"
#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {
namespace {

constexpr const char *kWhat = "segmentation dictionary";
// The first byte of a group length must stay below 0x80.
constexpr std::size_t kGroupLimit = 0x7FFF;
constexpr std::size_t kProblemLines = 50;

std::uint32_t pairCode(char16_t a, char16_t b) {
    return (std::uint32_t(a) << 16) | b;
}

struct Group {
    std::u16string seconds; // second characters of the two-character words
    std::unordered_set<char16_t> secondSet;
    std::vector<std::u16string> tails3; // tails of the three-character words, by priority
    std::vector<std::u16string> tails4; // tails of the four-character words, by priority
    std::unordered_set<std::u16string> tailSet;
    std::size_t auxChars = 0;
};

class Builder {
public:
    explicit Builder(SegDictReport &report) : m_report(report), m_groups(kTableChars) {}

    void add(const std::u16string &word);
    std::string image();

private:
    void problem(std::string text);
    void drop(const std::u16string &word, const std::string &why);
    // Lays out the three-character tails so that each is found first at an odd position.
    std::u16string arrangeTails3(Group &g, char16_t first);

    SegDictReport &m_report;
    std::vector<Group> m_groups;
    std::size_t m_wordBytes = 0, m_auxBytes = 0;
};

void Builder::problem(std::string text) {
    if (m_report.problems.size() < kProblemLines)
        m_report.problems.push_back(std::move(text));
    else if (m_report.problems.size() == kProblemLines)
        m_report.problems.push_back("(further problems not listed)");
}

void Builder::drop(const std::u16string &word, const std::string &why) {
    ++m_report.dropped;
    problem(toUtf8(word) + ": " + why);
}

void Builder::add(const std::u16string &word) {
    const std::string name = "word '" + toUtf8(word) + "'";
    if (word.size() < 2 || word.size() > 4)
        throw FormatError(kWhat, name + " must have two to four characters");
    const CodePage950 &cp = CodePage950::instance();
    for (char16_t c : word) {
        // The segmenter sees the character that comes back from the Big5 code; a character
        // that does not come back as itself could never be matched.
        if (cp.unicodeOf(big5CodeStrict(c, name)) != c)
            throw FormatError(kWhat, name + " holds a character that Big5 does not keep as such");
    }
    const int k = tableOrdinal(word.front());
    if (k < 0)
        throw FormatError(kWhat, name + " does not begin with a Big5 hanzi");
    Group &g = m_groups[k];
    const std::u16string tail = word.substr(1);
    if (word.size() == 2) {
        if (g.secondSet.count(tail[0]))
            return; // repeated word
        if (m_wordBytes + 2 > layout::kSegWordSize)
            return drop(word, "SegWordTable is full");
        if ((g.seconds.size() + 1) * 2 > kGroupLimit)
            return drop(word, "its group in SegWordTable is full");
        g.secondSet.insert(tail[0]);
        g.seconds += tail[0];
        m_wordBytes += 2;
        return;
    }
    if (g.tailSet.count(tail))
        return;
    if (m_auxBytes + tail.size() * 2 > layout::kSegAuxSize)
        return drop(word, "SegAuxTable is full");
    if ((g.auxChars + tail.size()) * 2 > kGroupLimit)
        return drop(word, "its group in SegAuxTable is full");
    g.tailSet.insert(tail);
    (word.size() == 3 ? g.tails3 : g.tails4).push_back(tail);
    g.auxChars += tail.size();
    m_auxBytes += tail.size() * 2;
}

std::u16string Builder::arrangeTails3(Group &g, char16_t first) {
    // Appending tail ab to a group ending in z adds the pairs za (at an even position) and ab
    // (at an odd one). A tail whose pair has already appeared can no longer be placed, so each
    // step prefers a tail whose boundary pair za is not itself a tail still to be placed.
    std::vector<std::u16string> remaining = g.tails3;
    std::unordered_set<std::uint32_t> waiting, seen;
    for (const auto &t : remaining)
        waiting.insert(pairCode(t[0], t[1]));
    std::u16string out;
    auto refuse = [&](const std::u16string &t) {
        drop(std::u16string(1, first) + t,
             "its tail would not be found first at an odd position of its SegAuxTable group");
        waiting.erase(pairCode(t[0], t[1]));
        m_auxBytes -= 4;
        g.auxChars -= 2;
    };
    while (!remaining.empty()) {
        std::vector<std::u16string> alive;
        for (auto &t : remaining) {
            if (seen.count(pairCode(t[0], t[1])))
                refuse(t);
            else
                alive.push_back(std::move(t));
        }
        remaining = std::move(alive);
        if (remaining.empty())
            break;
        // Penalties: 2 when the boundary pair is a tail still waiting (it would be lost), 1 when
        // the tail ends in c while cc is still waiting (cc cannot follow it directly).
        std::ptrdiff_t pick = -1;
        int best = 3;
        for (std::size_t i = 0; i < remaining.size() && best > 0; ++i) {
            const auto &t = remaining[i];
            int penalty = 0;
            if (!out.empty()) {
                const std::uint32_t boundary = pairCode(out.back(), t[0]);
                if (boundary == pairCode(t[0], t[1]))
                    continue; // cc right behind c: not now
                if (waiting.count(boundary))
                    penalty = 2;
            }
            if (penalty == 0 && t[0] != t[1] && waiting.count(pairCode(t[1], t[1])))
                penalty = 1;
            if (penalty < best) {
                best = penalty;
                pick = static_cast<std::ptrdiff_t>(i);
            }
        }
        if (pick < 0) { // only a tail cc is left, right behind c
            refuse(remaining.front());
            remaining.erase(remaining.begin());
            continue;
        }
        const std::u16string t = std::move(remaining[pick]);
        remaining.erase(remaining.begin() + pick);
        waiting.erase(pairCode(t[0], t[1]));
        if (!out.empty())
            seen.insert(pairCode(out.back(), t[0]));
        seen.insert(pairCode(t[0], t[1]));
        out += t;
    }
    // Check the result the way the segmenter reads it.
    std::u16string checked;
    for (std::size_t p = 0; p < out.size(); p += 2) {
        const std::u16string_view t = std::u16string_view(out).substr(p, 2);
        if (std::u16string_view(out).find(t) != p)
            throw Error("segmentation dictionary: internal layout fault at '" +
                        toUtf8(std::u16string(1, first) + std::u16string(t)) + "'");
    }
    return out;
}

std::string Builder::image() {
    Bytes index(layout::kSegIndexSize), words(layout::kSegWordSize), aux(layout::kSegAuxSize);
    const CodePage950 &cp = CodePage950::instance();
    auto put = [&cp](Bytes &table, std::size_t &at, std::u16string_view chars) {
        for (char16_t c : chars) {
            const std::uint16_t code = cp.code(c);
            table[at++] = static_cast<std::uint8_t>(code >> 8);
            table[at++] = static_cast<std::uint8_t>(code & 0xFF);
        }
    };
    std::size_t wordAt = 0, auxAt = 0;
    for (int k = 0; k < kTableChars; ++k) {
        Group &g = m_groups[k];
        if (!g.seconds.empty()) {
            putBE24(index, 5 * k, static_cast<std::uint32_t>(wordAt + 1));
            putBE16(index, 5 * k + 3, static_cast<std::uint32_t>(g.seconds.size() * 2));
            put(words, wordAt, g.seconds);
            m_report.words2 += g.seconds.size();
        }
        if (g.tails3.empty() && g.tails4.empty())
            continue;
        const std::u16string head = arrangeTails3(g, charOfOrdinal(k));
        std::u16string group = head;
        for (const auto &t : g.tails4)
            group += t;
        if (group.empty())
            continue;
        putBE24(index, layout::kSegAuxBlock + 5 * k, static_cast<std::uint32_t>(auxAt + 1));
        putBE16(index, layout::kSegAuxBlock + 5 * k + 3,
                static_cast<std::uint32_t>(group.size() * 2));
        put(aux, auxAt, group);
        m_report.words3 += head.size() / 2;
        m_report.words4 += g.tails4.size();
    }
    m_report.wordBytes = wordAt;
    m_report.auxBytes = auxAt;
    std::string out;
    out.reserve(layout::kSegFileSize);
    for (const Bytes *t : {&index, &words, &aux})
        out.append(reinterpret_cast<const char *>(t->data()), t->size());
    return out;
}

} // namespace

std::string buildSegFile(const std::vector<std::u16string> &words, SegDictReport *report) {
    SegDictReport local;
    SegDictReport &r = report ? *report : local;
    r = SegDictReport{};
    Builder builder(r);
    for (const auto &w : words)
        builder.add(w);
    std::string image = builder.image();
    if (!report && r.dropped != 0)
        throw FormatError(kSegFileName,
                          std::to_string(r.dropped) +
                              " words could not be written; first: " + r.problems.front());
    return image;
}

} // namespace yuedu::databuild
