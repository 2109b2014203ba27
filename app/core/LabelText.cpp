#include "app/core/LabelText.h"

namespace core {

std::string LabelDisplayText(const std::string& caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        } else if (i + 1 == caption.size()) {
            shown += '&';  // a trailing mark has nothing to underline and stays visible
        }
    }
    return shown;
}

}  // namespace core
