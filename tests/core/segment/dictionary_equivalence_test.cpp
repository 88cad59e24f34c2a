// The dictionary index against a plain search of the file layout: for every entry of the full
// data files, for random strings, and for damaged files whose groups overlap or are random.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"
#include "segment/segdictionary.h"

using namespace yuedu;

namespace {

// The group of ordinal k as the layout scan reads it: two-byte units from the 1-based start
// while within start + length - 1, a unit below 0x80 being two single-byte characters.
std::u16string decodeScan(const LanguageData &d, bool aux, int k) {
    const std::uint8_t *e = d.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : 0) + 5 * k;
    const Bytes &table = aux ? d.SegAuxTable : d.SegWordTable;
    const std::size_t start = layout::be24(e), length = layout::be16(e + 3);
    std::u16string g;
    if (e[0] >= 0x80 || e[3] >= 0x80 || start == 0 ||
        start - 1 + (length + 1) / 2 * 2 > table.size())
        return g;
    for (std::size_t i = start - 1; i + 1 < start + length; i += 2) {
        if (table[i] >= 0x80) {
            g += CodePage950::instance().unicodeOf(std::uint16_t(table[i] << 8 | table[i + 1]));
        } else {
            g += char16_t(table[i]);
            g += table[i + 1] < 0x80 ? char16_t(table[i + 1]) : u'\uFFFD';
        }
    }
    return g;
}

// The last group read of each table, as the probes come a group at a time.
const std::u16string &scanGroup(const LanguageData &d, bool aux, int k) {
    static const LanguageData *data = nullptr;
    static int last[2] = {-1, -1};
    static std::u16string group[2];
    if (data != &d)
        last[0] = last[1] = -1, data = &d;
    if (last[aux] != k)
        group[aux] = decodeScan(d, aux, k), last[aux] = k;
    return group[aux];
}

int scanTwo(const LanguageData &d, std::u16string_view p) {
    const int k = p.empty() ? -1 : tableOrdinal(p[0]);
    if (k < 0)
        return 0;
    const std::u16string &g = scanGroup(d, false, k);
    const std::size_t at = g.find(p.substr(1, 1));
    return g.empty() || at == std::u16string::npos ? 0 : int(at + 1);
}

int scanLong(const LanguageData &d, std::u16string_view p) {
    const int k = p.empty() ? -1 : tableOrdinal(p[0]);
    if (k < 0)
        return 0;
    const std::u16string &g = scanGroup(d, true, k);
    if (g.empty())
        return 0;
    if (g.find(p.substr(1, 3)) != std::u16string::npos)
        return 4;
    const std::size_t h = g.find(p.substr(1, 2));
    return h != std::u16string::npos && h % 2 == 0 ? 3 : 0;
}

// Every window of one to three characters of every group behind its first character, with the
// next character of the group or a random one after it, and random strings of one to four
// characters drawn from the group characters, hanzi and symbols.
// searchBudget: 0 looks every group up in its index, the most searches every group as it
// stands, and the default does the one, then the other.
void expectSameAnswers(const LanguageData &d, std::size_t randomProbes, int ordinalStep = 1,
                       std::size_t searchBudget = seg::SegDictionary::kSearchBudget) {
    const seg::SegDictionary dict(d, searchBudget);
    std::mt19937 rng(7);
    std::u16string pool = u"，。A\uFFFD";
    std::size_t mismatches = 0;
    const auto check = [&](const std::u16string &p) {
        const int two = dict.LookupTwoCharWord(p), twoScan = scanTwo(d, p);
        const int lng = dict.LookupLongWord(p), lngScan = scanLong(d, p);
        if ((two != twoScan || lng != lngScan) && ++mismatches <= 5)
            ADD_FAILURE() << "probe of " << p.size() << " at ordinal " << tableOrdinal(p[0]) << ": "
                          << two << "/" << twoScan << " " << lng << "/" << lngScan;
        // The scan's own probe of four characters answers the same three questions.
        if (p.size() == 4) {
            seg::SegDictionary::Probe probe;
            dict.startProbe(p.data(), probe);
            const int staged = dict.finishProbe(p.data(), probe);
            const int expected =
                lngScan |
                (scanLong(d, std::u16string_view(p).substr(0, 3)) != 0 ? seg::SegDictionary::kPair
                                                                       : 0) |
                (twoScan != 0 ? seg::SegDictionary::kTwo : 0);
            const bool pair = dict.finishPair(p.data(), probe);
            if ((staged != expected || pair != ((expected & seg::SegDictionary::kPair) != 0)) &&
                ++mismatches <= 5)
                ADD_FAILURE() << "staged probe at ordinal " << tableOrdinal(p[0]) << ": " << staged
                              << "/" << expected;
        }
    };
    for (int k = 0; k < kTableChars; k += ordinalStep) {
        const std::u16string x(1, charOfOrdinal(k));
        for (bool aux : {false, true}) {
            const std::u16string g = decodeScan(d, aux, k);
            // Every position of a sound group; a sample of the long groups of a damaged file.
            const std::size_t positions = g.size() > 64 ? 16 : g.size();
            for (std::size_t j = 0; j < positions; ++j) {
                const std::size_t i = g.size() > 64 ? rng() % g.size() : j;
                for (std::size_t n = 1; n <= 3; ++n)
                    check(x + g.substr(i, n));
                check(x + g.substr(i, 2) + charOfOrdinal(int(rng() % kTableChars)));
            }
            if (pool.size() < 20000)
                pool += g.substr(0, 8);
        }
    }
    for (std::size_t i = 0; i < randomProbes; ++i) {
        std::u16string p(1, charOfOrdinal(int(rng() % kTableChars)));
        for (unsigned n = rng() % 4; n > 0; --n)
            p += rng() % 4 ? pool[rng() % pool.size()] : charOfOrdinal(int(rng() % kTableChars));
        check(p);
    }
    EXPECT_EQ(mismatches, 0u);
}

std::string fullSegFile() {
    std::ifstream in(std::filesystem::path(YUEDU_TEST_DATA_DIR) / kSegFileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(DictionaryIndex, AnswersAsTheLayoutScanOnTheFullData) {
    const std::string image = fullSegFile();
    ASSERT_EQ(image.size(), layout::kSegFileSize);
    LanguageData d;
    const LoadReport report = d.loadImages({}, image, {});
    // A sound file: only the other two (empty) files are reported.
    for (const auto &p : report.problems)
        EXPECT_NE(p.file, kSegFileName) << p.message;
    for (std::size_t budget : {std::size_t(0), std::size_t(-1)}) {
        SCOPED_TRACE(budget);
        expectSameAnswers(d, 300000, 1, budget);
    }
}

// Damaged files still load and answer as the scan does, and are reported once.
TEST(DictionaryIndex, DamagedFilesAnswerAsTheScanAndAreReported) {
    const std::string full = fullSegFile();
    ASSERT_EQ(full.size(), layout::kSegFileSize);
    std::mt19937 rng(11);
    const auto setEntry = [](std::string &f, std::size_t at, std::size_t start, std::size_t len) {
        const char e[5] = {char(start >> 16), char(start >> 8), char(start), char(len >> 8),
                           char(len)};
        std::copy_n(e, 5, f.begin() + at);
    };
    struct Case {
        const char *what;
        std::string image;
    };
    std::vector<Case> cases;
    {
        std::string f = full; // every character at one group of the greatest length
        for (int k = 0; k < kTableChars; ++k)
            setEntry(f, layout::kSegAuxBlock + 5 * k, 1, 0x7FFE);
        cases.push_back({"one shared group", f});
    }
    {
        std::string f = full; // groups overlapping at every odd and even shift
        for (int k = 0; k < kTableChars; ++k) {
            setEntry(f, 5 * k, 1 + 3 * k, 2000 + k % 7);
            setEntry(f, layout::kSegAuxBlock + 5 * k, 1 + 5 * k, 6000 + k % 5);
        }
        cases.push_back({"shifted overlapping groups", f});
    }
    {
        std::string f(full.size(), '\0');
        for (char &c : f)
            c = char(rng());
        cases.push_back({"random bytes", f});
    }
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LanguageData d;
        const LoadReport report = d.loadImages({}, c.image, {});
        EXPECT_EQ(std::count_if(report.problems.begin(), report.problems.end(),
                                [](const auto &p) { return p.file == kSegFileName; }),
                  1);
        expectSameAnswers(d, 1000, 61);
    }
}

// Groups are decoded and indexed as they are asked about; threads that ask about the same groups
// at once (the desktop program segments in the background), while the dictionary goes over from
// searching groups to indexing them, must all get the answers of the scan.
TEST(DictionaryIndex, ThreadsIndexingTheSameGroupsAtOnceAgreeWithTheScan) {
    const std::string image = fullSegFile();
    ASSERT_EQ(image.size(), layout::kSegFileSize);
    LanguageData d;
    d.loadImages({}, image, {});
    // Probes of every group, answered by the scan first, in one thread.
    std::vector<std::u16string> probes;
    for (int k = 0; k < kTableChars; k += 3) {
        const std::u16string x(1, charOfOrdinal(k));
        for (bool aux : {false, true}) {
            const std::u16string g = decodeScan(d, aux, k);
            for (std::size_t i = 0; i < g.size() && i < 12; i += 2)
                probes.push_back(x + g.substr(i, aux ? 3 : 1));
        }
    }
    std::vector<std::pair<int, int>> expected;
    for (const auto &p : probes)
        expected.emplace_back(scanTwo(d, p), scanLong(d, p));
    const seg::SegDictionary dict(d);
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            // Each thread in its own order, so that they meet on groups being indexed.
            for (std::size_t n = 0; n < probes.size(); ++n) {
                const std::size_t i = (n * (2 * t + 1) + t * 977) % probes.size();
                if (dict.LookupTwoCharWord(probes[i]) != expected[i].first ||
                    dict.LookupLongWord(probes[i]) != expected[i].second)
                    ++mismatches;
            }
        });
    for (auto &th : threads)
        th.join();
    EXPECT_EQ(mismatches.load(), 0);
}
