#pragma once
// The numbered entries of a structure profile's figures, on their own so that the caption
// tables can name them without the profile itself.

namespace yuedu::article {

// Entries of ProfileTotals (1-based, as the window and the command line number them).
// Named after what they hold; the window and the command line still call the fields by their
// old names (zancf, wdartlen, ...), see profileFields().
enum ProfileEntry : int {
    kMeanCoefficient = 1,       // mean difficulty coefficient × 10000
    kHanziCount = 2,            // number of table characters N
    kDistinctHanzi = 3,         // distinct table characters K
    kDensity = 4,               // density K / N × 100
    kSentences = 5,             // sentences S
    kMeanSentenceLength = 6,    // mean sentence length × 100
    kClauses = 7,               // clauses (recorded punctuation marks)
    kSingleClauseSentences = 8, // sentences made of a single clause
    kRadicalCount = 9,          // distinct radicals
    kMeanStrokes = 10,          // mean strokes × 100
    kEstimatedGrade = 11,       // estimated grade × 1000
    kLevel1Count = 12, // characters of general-use level 1; levels 2..10 follow up to entry 21
    kLevel10Count = 21,
};

} // namespace yuedu::article
