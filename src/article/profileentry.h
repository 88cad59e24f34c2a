#pragma once
// The numbered entries of a structure profile's figures, on their own so that the caption
// tables can name them without the profile itself.

#include <array>

namespace yuedu::article {

// Entries of ProfileTotals, from 0. Named after what they hold; the window and the command line
// call the fields by their old names (zancf, wdartlen, ...), see profileFields().
enum ProfileEntry : int {
    kMeanCoefficient = 0,       // mean difficulty coefficient × 10000
    kHanziCount = 1,            // number of table characters N
    kDistinctHanzi = 2,         // distinct table characters K
    kDensity = 3,               // density K / N (report::ratioToShow)
    kSentences = 4,             // sentences S
    kMeanSentenceLength = 5,    // mean sentence length × 100
    kClauses = 6,               // clauses (recorded punctuation marks)
    kSingleClauseSentences = 7, // sentences made of a single clause
    kRadicalCount = 8,          // distinct radicals
    kMeanStrokes = 9,           // mean strokes × 100
    kEstimatedGrade = 10,       // estimated grade × 1000
    kLevel1Count = 11, // characters of general-use level 1; levels 2..10 follow up to entry 20
    kLevel10Count = 20,
    kProfileEntryCount = 21,
};

// The figures of a profile, indexed by ProfileEntry.
using ProfileFigures = std::array<double, kProfileEntryCount>;

} // namespace yuedu::article
