#include "databuild/dataset.h"

#include <algorithm>
#include <unordered_set>

#include "databuild/bopomofo.h"
#include "databuild/opensources.h"
#include "databuild/wordfilter.h"
#include "langdata/big5.h"
#include "langdata/constants.h"
#include "langdata/datalayout.h"

namespace yuedu::databuild {
namespace {

bool isOwnTableChar(char16_t c) {
    int n = tableOrdinal(c);
    return n >= 0 && charOfOrdinal(n) == c;
}

// Share of each table character in the weighted words of a source, summed over its words.
std::vector<double> charShares(const std::vector<WeightedWord> &words) {
    std::vector<double> share(kTableChars, 0.0);
    double total = 0;
    for (const WeightedWord &w : words)
        for (char16_t c : w.word)
            if (isOwnTableChar(c)) {
                share[tableOrdinal(c)] += static_cast<double>(w.weight);
                total += static_cast<double>(w.weight);
            }
    if (total > 0)
        for (double &s : share)
            s /= total;
    return share;
}

void addDictionaryWords(const ChewingData &chewing, const std::vector<WeightedWord> &essay,
                        const WordFilterSettings &settings, DataSet &data) {
    const WordFilter filter(chewing.phrases, data.frequencyOrder, settings);
    std::unordered_set<std::u16string> have(data.segWords.begin(), data.segWords.end());
    auto byWeight = [](const WeightedWord *a, const WeightedWord *b) {
        return a->weight > b->weight;
    };
    std::size_t left[2][kWordVerdicts] = {};
    for (const auto *source : {&chewing.phrases, &essay}) {
        const bool curated = source == &chewing.phrases;
        std::vector<const WeightedWord *> ranked;
        for (const WeightedWord &w : *source)
            if (isDictionaryWord(w.word) && !have.count(w.word))
                ranked.push_back(&w);
        std::stable_sort(ranked.begin(), ranked.end(), byWeight);
        for (const WeightedWord *w : ranked) {
            if (!have.insert(w->word).second)
                continue;
            const WordVerdict v =
                curated ? filter.chewingVerdict(w->word, w->weight) : filter.essayVerdict(w->word);
            data.wordChoices.push_back({w->word, curated ? "chewing" : "essay", w->weight, v});
            ++left[curated ? 0 : 1][static_cast<int>(v)];
            if (v == WordVerdict::Kept)
                data.segWords.push_back(w->word);
        }
    }
    for (int source = 0; source < 2; ++source) {
        std::string note = source == 0 ? "chewing phrases" : "essay-only words";
        note += ": " + std::to_string(left[source][0]) + " kept";
        for (int v = 1; v < kWordVerdicts; ++v)
            if (left[source][v])
                note += ", " + std::to_string(left[source][v]) + " left out (" +
                        verdictName(static_cast<WordVerdict>(v)) + ")";
        data.notes.push_back(note);
    }
}

void addCharRecords(const ChewingData &chewing, const UnihanData &unihan,
                    const std::unordered_map<char16_t, int> &strokeTable, DataSet &data) {
    std::vector<bool> given(kTableChars);
    for (const CharEntry &e : data.senses.chars)
        given[tableOrdinal(e.ch)] = true;
    std::size_t noReading = 0, unihanStrokes = 0, missing = 0, capped = 0;
    for (int n = 0; n < kTableChars; ++n) {
        const char16_t c = charOfOrdinal(n);
        if (given[n])
            continue;
        CharEntry e{c, {}};
        if (auto it = chewing.readings.find(c); it != chewing.readings.end()) {
            // The reading most used in phrases; ties and unused readings in dictionary order.
            const auto &list = it->second;
            auto best = list.begin();
            for (auto r = list.begin(); r != list.end(); ++r)
                if (r->weight > best->weight)
                    best = r;
            setPhoneCode(best->phone, e.record);
        } else {
            ++noReading;
        }
        auto rad = unihan.kangxiRadical.find(c);
        e.record.radical =
            rad == unihan.kangxiRadical.end() ? 0 : radicalEntryOfKangxi(rad->second);
        if (auto s = strokeTable.find(c); s != strokeTable.end()) {
            e.record.strokes = s->second;
        } else if (auto u = unihan.totalStrokes.find(c); u != unihan.totalStrokes.end()) {
            e.record.strokes = u->second;
            ++unihanStrokes;
        }
        // The record holds 1..35 strokes; the two Big5 characters with more (齉 36, 龘 48)
        // are stored with the highest count it allows.
        if (e.record.strokes > 35) {
            e.record.strokes = 35;
            ++capped;
        }
        if (e.record.radical == 0 || e.record.strokes < 1) {
            ++missing;
            continue;
        }
        data.senses.chars.push_back(e);
    }
    data.notes.push_back("character records: " + std::to_string(noReading) +
                         " without a chewing reading, " + std::to_string(unihanStrokes) +
                         " with Unihan strokes, " + std::to_string(capped) +
                         " with more than 35 strokes stored as 35, " + std::to_string(missing) +
                         " without radical or strokes (no record)");
}

void addGradeListOne(const UnihanData &unihan, DataSet &data) {
    std::vector<std::pair<int, char16_t>> graded; // (grade, character)
    std::unordered_set<char16_t> have;
    for (const GradeEntry &e : data.grades.lists[0])
        have.insert(e.word[0]);
    std::vector<std::size_t> rankOf(kTableChars, SIZE_MAX);
    for (std::size_t i = 0; i < data.frequencyOrder.size(); ++i)
        rankOf[tableOrdinal(data.frequencyOrder[i])] = i;
    for (const auto &[c, grade] : unihan.gradeLevel)
        if (isOwnTableChar(c) && grade >= 1 && grade <= 6 && !have.count(c))
            graded.push_back({grade, c});
    // Lower grades first, frequent characters first within a grade, so that what does not fit
    // the list is the rarest characters of the highest grade.
    std::sort(graded.begin(), graded.end(), [&](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first;
        return rankOf[tableOrdinal(a.second)] < rankOf[tableOrdinal(b.second)] ||
               (rankOf[tableOrdinal(a.second)] == rankOf[tableOrdinal(b.second)] &&
                a.second < b.second);
    });
    auto &list = data.grades.lists[0];
    const std::size_t room =
        gradeListCapacity(0) > list.size() ? gradeListCapacity(0) - list.size() : 0;
    const std::size_t taken = std::min(room, graded.size());
    for (std::size_t i = 0; i < taken; ++i)
        list.push_back({std::u16string(1, graded[i].second),
                        static_cast<std::uint8_t>(graded[i].first * 10 + 5)});
    data.notes.push_back("grade list 1: " + std::to_string(graded.size()) +
                         " graded Big5 characters, " + std::to_string(graded.size() - taken) +
                         " of grade 6 left out for room");
}

} // namespace

bool isDictionaryWord(std::u16string_view word) {
    return word.size() >= 2 && word.size() <= 4 &&
           std::all_of(word.begin(), word.end(), isOwnTableChar);
}

std::u16string childrensRankList(const std::vector<char16_t> &frequencyOrder) {
    // The corpora are written for adults (媽, 爸 and 玩 rank far down in them), while the rank
    // list grades words for children. The program's own list of the 498 characters children
    // meet most often leads, in its order; the corpus order fills the rest.
    const std::u16string &common = constants::CommonCharList();
    std::u16string rank = common;
    std::unordered_set<char16_t> taken(common.begin(), common.end());
    for (char16_t c : frequencyOrder) {
        if (rank.size() >= 3000)
            break;
        if (taken.insert(c).second)
            rank.push_back(c);
    }
    return rank;
}

void addOpenSources(const OpenSourcePaths &paths, DataSet &data, const WordFilterSettings &filter) {
    const ChewingData chewing = readChewing(paths.chewingDir);
    const std::vector<WeightedWord> essay = readEssay(paths.essay);
    const UnihanData unihan = readUnihan(paths.unihanIrg, paths.unihanDict);
    const auto strokes = readStrokeTable(paths.strokeTable);

    // Character frequency: the essay (a general corpus) and chewing (Taiwan usage) blended
    // with equal weight, each as shares of its own total.
    const std::vector<double> essayShare = charShares(essay),
                              chewingShare = charShares(chewing.phrases);
    std::vector<std::pair<double, int>> order;
    for (int n = 0; n < kTableChars; ++n) {
        double score = (essayShare[n] + chewingShare[n]) / 2;
        if (score > 0)
            order.push_back({-score, n});
    }
    std::sort(order.begin(), order.end());
    data.frequencyOrder.clear();
    for (const auto &[score, n] : order)
        data.frequencyOrder.push_back(charOfOrdinal(n));
    if (data.grades.rankList.empty())
        data.grades.rankList = childrensRankList(data.frequencyOrder);

    addDictionaryWords(chewing, essay, filter, data);
    addCharRecords(chewing, unihan, strokes, data);
    addGradeListOne(unihan, data);
}

int generalUseLevel(std::size_t rank) {
    static constexpr std::size_t kBandEnds[9] = {100, 300, 600, 1000, 1500, 2200, 3000, 4500, 6374};
    for (int level = 0; level < 9; ++level)
        if (rank >= 1 && rank <= kBandEnds[level])
            return level + 1;
    return 0;
}

} // namespace yuedu::databuild
