#pragma once
// What an administrator should hear about a branding file that is written as asked but
// will not show as meant: a banner that is not where Corpometer looks for it or that it
// cannot show, and a title or a company name too long for its line.

#include <string>
#include <vector>

#include "app/core/Branding.h"

namespace brand {

// `plain` holds the texts unscrambled (Windows-1252); `brandingFile` is where it is written.
// One sentence per problem, without a leading "warning: ".
std::vector<std::string> BrandingWarnings(const core::BrandingRecord& plain,
                                          const std::string& brandingFile);

// Whether a Windows-1252 title fits the title line as Corpometer sets it: wrapped at spaces
// into at most three lines of 70 pixels of 8-point Tahoma.
bool TitleFitsItsLine(const std::string& title);
// The same for the company name on the name line: at most two lines of 375 pixels of bold
// 17-point Tahoma.
bool NameFitsItsLine(const std::string& name);

}  // namespace brand
