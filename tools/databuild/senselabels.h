#pragma once
// The labels of the 95 sense classes, so that the sense source can name classes in words.
#include <string_view>

namespace yuedu::databuild {

// Class number 1..95 of a class label (e.g. u"人稱" gives 1), 0 when the label is unknown.
int senseClassOfLabel(std::u16string_view label);

// Label of a class number, empty outside 1..95.
std::u16string_view senseLabelOfClass(int senseClass);

} // namespace yuedu::databuild
