#include "databuild/opensources.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "common/errors.h"
#include "databuild/textsource.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {
namespace {

std::uint32_t le16(const std::string &b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t le24(const std::string &b, std::size_t at) {
    return le16(b, at) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16;
}

// Calls handle(line) for every line of a plain text file, without the line end.
template <typename Handle> void forEachLine(const std::filesystem::path &path, Handle handle) {
    const std::string bytes = readFileBytes(path);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        handle(line);
        pos = end + 1;
    }
}

int leadingInt(std::string_view s) {
    int v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

} // namespace

ChewingData readChewing(const std::filesystem::path &dir) {
    const std::string dict = readFileBytes(dir / "dictionary.dat");
    const std::filesystem::path treePath = dir / "index_tree.dat";
    const std::string tree = readFileBytes(treePath);
    const std::string treeName = treePath.string();
    if (tree.size() < 16 || tree.size() % 8 != 0)
        throw FormatError(treeName, "not a chewing phrase tree (size is not a multiple of 8)");
    const std::size_t nodes = tree.size() / 8;

    ChewingData out;
    std::unordered_map<std::u16string, std::size_t> phraseAt;
    std::vector<std::uint16_t> path;
    // Depth-first walk; a node with key 0 (other than the root) is a leaf.
    auto visit = [&](auto &&self, std::size_t node, int depth) -> void {
        if (depth > 16)
            throw FormatError(treeName, "the phrase tree is deeper than any phrase",
                              static_cast<std::int64_t>(node * 8));
        const std::size_t begin = le24(tree, node * 8 + 2), end = le24(tree, node * 8 + 5);
        if (begin > end || end > nodes || (begin <= node && begin < end))
            throw FormatError(treeName, "a child range lies outside the tree",
                              static_cast<std::int64_t>(node * 8));
        for (std::size_t child = begin; child < end; ++child) {
            const std::uint32_t key = le16(tree, child * 8);
            if (key != 0) {
                path.push_back(static_cast<std::uint16_t>(key));
                self(self, child, depth + 1);
                path.pop_back();
                continue;
            }
            const std::size_t offset = le24(tree, child * 8 + 2);
            const std::uint32_t freq = le24(tree, child * 8 + 5);
            const std::size_t stop = dict.find('\0', offset);
            if (offset >= dict.size() || stop == std::string::npos)
                throw FormatError(treeName, "a phrase offset lies outside dictionary.dat",
                                  static_cast<std::int64_t>(child * 8));
            const std::u16string phrase =
                fromUtf8(std::string_view(dict).substr(offset, stop - offset));
            // Characters beyond the Basic Multilingual Plane are never Big5: skip the phrase.
            if (std::any_of(phrase.begin(), phrase.end(),
                            [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }))
                continue;
            if (phrase.size() != path.size())
                throw FormatError(treeName, "a phrase does not have one reading per character",
                                  static_cast<std::int64_t>(child * 8));
            for (std::size_t i = 0; i < phrase.size(); ++i) {
                auto &list = out.readings[phrase[i]];
                auto it = std::find_if(list.begin(), list.end(),
                                       [&](const auto &r) { return r.phone == path[i]; });
                if (it == list.end())
                    it = list.insert(list.end(), {path[i], 0});
                if (phrase.size() > 1)
                    it->weight += freq;
            }
            if (phrase.size() < 2)
                continue;
            auto [at, fresh] = phraseAt.emplace(phrase, out.phrases.size());
            if (fresh)
                out.phrases.push_back({phrase, freq});
            else if (out.phrases[at->second].weight < freq)
                out.phrases[at->second].weight = freq;
        }
    };
    visit(visit, 0, 0);
    if (out.phrases.empty())
        throw FormatError(treeName, "the phrase tree holds no phrases");
    return out;
}

std::vector<WeightedWord> readEssay(const std::filesystem::path &path) {
    std::vector<WeightedWord> words;
    forEachLine(path, [&](std::string_view line) {
        std::size_t tab = line.find('\t');
        WeightedWord w;
        w.word = fromUtf8(line.substr(0, tab));
        if (tab != std::string_view::npos)
            w.weight = static_cast<std::uint64_t>(leadingInt(line.substr(tab + 1)));
        if (!w.word.empty())
            words.push_back(std::move(w));
    });
    return words;
}

UnihanData readUnihan(const std::filesystem::path &irgSources,
                      const std::filesystem::path &dictionaryLike) {
    UnihanData out;
    auto read = [&](const std::filesystem::path &path) {
        forEachLine(path, [&](std::string_view line) {
            if (line.size() < 8 || line[0] != 'U' || line[1] != '+')
                return;
            std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
            if (tab2 == std::string_view::npos)
                return;
            unsigned code = 0;
            std::from_chars(line.data() + 2, line.data() + tab1, code, 16);
            if (code == 0 || code > 0xFFFF)
                return;
            const auto c = static_cast<char16_t>(code);
            std::string_view field = line.substr(tab1 + 1, tab2 - tab1 - 1);
            std::string_view value = line.substr(tab2 + 1);
            if (field == "kRSUnicode")
                out.kangxiRadical[c] = leadingInt(value);
            else if (field == "kTotalStrokes") {
                // With two values the second is the traditional-usage count.
                std::size_t blank = value.rfind(' ');
                out.totalStrokes[c] =
                    leadingInt(blank == std::string_view::npos ? value : value.substr(blank + 1));
            } else if (field == "kGradeLevel")
                out.gradeLevel[c] = leadingInt(value);
        });
    };
    read(irgSources);
    read(dictionaryLike);
    if (out.kangxiRadical.empty())
        throw FormatError(irgSources.string(), "no kRSUnicode field found");
    return out;
}

std::unordered_map<char16_t, int> readStrokeTable(const std::filesystem::path &path) {
    std::unordered_map<char16_t, int> strokes;
    bool body = false;
    forEachLine(path, [&](std::string_view line) {
        if (!body) {
            body = line == "...";
            return;
        }
        if (line.empty() || line[0] == '#')
            return;
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return;
        std::u16string ch = fromUtf8(line.substr(0, tab));
        std::string_view code = line.substr(tab + 1);
        code = code.substr(0, code.find('\t'));
        if (ch.size() == 1 && !code.empty())
            strokes.emplace(ch[0], static_cast<int>(code.size())); // first code wins
    });
    if (strokes.empty())
        throw FormatError(path.string(), "no stroke codes found");
    return strokes;
}

} // namespace yuedu::databuild
