#include "controls/MemoryViewerHost.h"

#include <stdexcept>

#include "controls/TranslatedColour.h"
#include "platform/SystemColors.h"

namespace controls {

MemoryViewerHost::MemoryViewerHost(std::int32_t clientWidth, std::int32_t clientHeight)
    : backColor_(platform::kOleButtonFace) {
    SetClientSize(clientWidth, clientHeight);
}

void MemoryViewerHost::SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    surface_.Resize(clientWidth, clientHeight);
    surface_.Clear(TranslatedColour(backColor_));
}

void MemoryViewerHost::SetBackColor(platform::OLE_COLOR colour) {
    backColor_ = colour;
    surface_.Clear(TranslatedColour(backColor_));  // the window erases itself in its new colour
}

void MemoryViewerHost::AddResource(const std::string& resourceId, const std::string& resourceType,
                                   std::vector<std::uint8_t> bytes) {
    resources_[{resourceId, resourceType}] = std::move(bytes);
}

std::vector<std::uint8_t> MemoryViewerHost::ReadResource(const std::string& resourceId,
                                                         const std::string& resourceType) {
    const auto found = resources_.find({resourceId, resourceType});
    if (found == resources_.end()) {
        throw std::runtime_error("no resource \"" + resourceId + "\" of type \"" + resourceType +
                                 "\"");
    }
    return found->second;
}

void MemoryViewerHost::RaiseGIFFrameRendered(std::int16_t frame) {
    if (onFrameRendered) onFrameRendered(frame);
}

}  // namespace controls
