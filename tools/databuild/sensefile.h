#pragma once
// Writer of phwdvbdn.byt: the sense dictionary, the character records and the detail records.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace yuedu::databuild {

// A word of one to four hanzi with its sense class number (1..95). The dictionary stores the
// class as the class byte number + 12; the byte after it in a record is written as 0.
struct SenseWord {
    std::u16string word;
    int senseClass = 0;
};

// The 4-byte character record: Bopomofo initial (0..21), medial (0..3), final (0..13) as
// 1-based entries of the Bopomofo strings (0 = none), tone code (0 first, 1 neutral, 2 second,
// 3 third, 4 fourth), radical as an entry of the 213-entry radical list, and stroke count.
struct CharRecord {
    int initial = 0;
    int medial = 0;
    int final = 0;
    int tone = 0;
    int radical = 0;
    int strokes = 0;
};

// Figures of the 44-byte detail record. Values are the stored integers: the use figures and the
// difficulty coefficient in hundredths. A figure with no source stays 0.
struct DetailRecord {
    struct Usage {
        int grade = 0; // 1 byte
        int rank = 0;  // 16 bits
    };
    // w23456, chiuk, book76, readbook, lpr, cdic12, bbwsr, in this order.
    std::array<Usage, 7> usage{};
    int p468s = 0;                 // word-formation degree
    int p468c = 0;                 // word-formation count
    std::array<int, 5> gradeUse{}; // grade2use .. grade6use, x 100
    int grademeanuse = 0;          // x 100
    int edupto = 0;                // rank in the national character list
    int zangener = 0;              // general-use level 1..9 (low 4 bits of byte 39)
    int zanscale = 0;              // difficulty coefficient x 100, 0..32767
};

struct CharEntry {
    char16_t ch = 0;
    CharRecord record;
};

struct DetailEntry {
    char16_t ch = 0;
    DetailRecord record;
};

struct SenseSources {
    std::vector<SenseWord> words; // earlier entries win over repeated words
    std::vector<CharEntry> chars; // at most one per character
    // Record numbers are given in this order, from 1; every other character gets number 0.
    std::vector<DetailEntry> details; // at most 6374, one per character
};

struct SenseFileReport {
    std::array<std::size_t, 4> words{}; // classified words written, by length 1..4
    std::size_t duplicates = 0;         // repeated words left out
    std::size_t wordBytes = 0;          // bytes used of the 272154 of the word records
    std::size_t charRecords = 0;        // characters with a character record
    std::size_t detailRecords = 0;      // detail records written (of 6374)
};

// Builds the 852992-byte image. Throws FormatError naming the table ("sense dictionary",
// "character records", "detail records") for a word or character that is not a table hanzi
// (the first character needs a Big5 ordinal of its own; the others a double-byte Big5 code),
// a class outside 1..95, a field outside its range, a character given twice, or more than a
// table holds.
std::string buildSenseFile(const SenseSources &sources, SenseFileReport *report = nullptr);

// The stored 4 bytes of a character record; throws FormatError for a field out of range.
std::array<std::uint8_t, 4> packCharRecord(const CharRecord &record);

} // namespace yuedu::databuild
