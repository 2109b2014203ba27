#pragma once
// Labels read "&" as the mark of a keyboard mnemonic: "&&" shows one ampersand and a single
// "&" is not shown (it underlines the next character, which this program does not use).

#include <string>

namespace core {

std::string LabelDisplayText(const std::string& caption);

}  // namespace core
