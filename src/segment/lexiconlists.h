#pragma once
// The built-in word-class lists (lexiconlists.cpp holds them verbatim).
namespace yuedu::seg {

class Lexicon;

// Sets every built-in list of lx; the user words are left alone.
void fillBuiltInLists(Lexicon &lx);

} // namespace yuedu::seg
