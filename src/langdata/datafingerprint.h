#pragma once
// A short fingerprint of the loaded data: the same data files give the same 16 hex digits, any
// change to a table gives others. Exports name it, so a figure can be traced to its data.
#include <string>

#include "langdata/languagedata.h"

namespace yuedu {

std::string dataFingerprint(const LanguageData &data);

} // namespace yuedu
