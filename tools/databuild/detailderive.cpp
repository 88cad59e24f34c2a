// Derivation of the detail records from the dictionary and the frequency order.
#include <algorithm>
#include <unordered_map>

#include "databuild/dataset.h"
#include "langdata/big5.h"
#include "langdata/datalayout.h"

namespace yuedu::databuild {

void deriveDetails(const std::vector<std::u16string> &writtenWords, DataSet &data) {
    // Word-formation count: how many dictionary words contain the character.
    std::vector<int> count(kTableChars, 0);
    for (const std::u16string &w : writtenWords) {
        for (std::size_t i = 0; i < w.size(); ++i) {
            int n = tableOrdinal(w[i]);
            if (n >= 0 && w.find(w[i]) == i) // a character twice in a word counts once
                ++count[n];
        }
    }
    // Degree: rank by that count, equal counts sharing a rank (1, 2, 2, 4, ...).
    std::vector<int> byCount;
    for (int n = 0; n < kTableChars; ++n)
        if (count[n] > 0)
            byCount.push_back(n);
    std::stable_sort(byCount.begin(), byCount.end(),
                     [&](int a, int b) { return count[a] > count[b]; });
    std::vector<int> degree(kTableChars, 0);
    for (std::size_t i = 0; i < byCount.size(); ++i)
        degree[byCount[i]] = i > 0 && count[byCount[i]] == count[byCount[i - 1]]
                                 ? degree[byCount[i - 1]]
                                 : static_cast<int>(i + 1);

    // Frequency rank: the corpus order when there is one, else the rank list.
    const std::u16string rankSource =
        data.frequencyOrder.empty()
            ? data.grades.rankList
            : std::u16string(data.frequencyOrder.begin(), data.frequencyOrder.end());
    std::vector<std::size_t> rank(kTableChars, 0);
    std::vector<int> order;
    for (char16_t c : rankSource) {
        int n = tableOrdinal(c);
        if (n >= 0 && rank[n] == 0) {
            rank[n] = order.size() + 1;
            order.push_back(n);
        }
    }
    // Characters the dictionary uses but no frequency list ranks come last, by their count.
    for (int n : byCount)
        if (rank[n] == 0)
            order.push_back(n);

    std::unordered_map<char16_t, DetailRecord> given;
    std::vector<DetailEntry> out;
    for (const DetailEntry &e : data.senses.details)
        given.emplace(e.ch, e.record);
    auto fill = [&](int n, DetailRecord d) {
        if (d.p468c == 0)
            d.p468c = std::min(count[n], 0xFFFF);
        if (d.p468s == 0)
            d.p468s = std::min(degree[n], 0xFFFF);
        if (d.zangener == 0)
            d.zangener = generalUseLevel(rank[n]);
        return d;
    };
    for (const DetailEntry &e : data.senses.details)
        out.push_back({e.ch, fill(tableOrdinal(e.ch), e.record)});
    for (int n : order) {
        if (out.size() >= layout::kDetailRecords)
            break;
        const char16_t c = charOfOrdinal(n);
        if (!given.count(c))
            out.push_back({c, fill(n, DetailRecord{})});
    }
    data.senses.details = std::move(out);
}

} // namespace yuedu::databuild
