#pragma once
// The branding texts as the name and title lines show them. Written for labels that read "&"
// as the mark of a keyboard mnemonic, they double an ampersand ("&&" shows one, as in the
// built-in name line); a single "&" is shown as typed ("Smith & Sons"), since these lines
// have no mnemonics and a company name's ampersand must not vanish.

#include <string>

namespace core {

std::string LabelDisplayText(const std::string& caption);

}  // namespace core
