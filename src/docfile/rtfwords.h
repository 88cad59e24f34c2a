#pragma once
// The RTF control words the reader knows by name: destinations to skip and named symbols.
#include <string_view>

namespace yuedu::doc {

// Destinations whose content is not document text, known even without "\*".
bool isSkippedDestination(std::string_view word);

// The character of a symbol word (\emdash, \lquote, ...); 0 for any other word.
char16_t symbolOfWord(std::string_view word);

} // namespace yuedu::doc
