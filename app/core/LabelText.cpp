#include "app/core/LabelText.h"

namespace core {

std::string LabelDisplayText(const std::string& caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        shown += caption[i];
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
    }
    return shown;
}

}  // namespace core
