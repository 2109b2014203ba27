#include "controls/HighDensityPictures.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace controls {
namespace {

// One picture's drawing: made once by its loader, then kept.
struct Entry {
    std::weak_ptr<const platform::Picture> picture;  // a new picture may reuse a freed address
    int ratio = 0;
    HighDensityLoader load;
    std::shared_ptr<std::once_flag> made = std::make_shared<std::once_flag>();
    std::shared_ptr<platform::PicturePtr> drawing = std::make_shared<platform::PicturePtr>();
};

std::mutex entriesLock;
std::map<const platform::Picture*, Entry> entries;

}  // namespace

void SetHighDensityDrawing(const platform::PicturePtr& picture, int ratio, HighDensityLoader load) {
    if (!picture || ratio < 2 || !load) return;
    const std::lock_guard<std::mutex> hold(entriesLock);
    for (auto entry = entries.begin(); entry != entries.end();)
        entry = entry->second.picture.expired() ? entries.erase(entry) : ++entry;
    Entry entry;
    entry.picture = picture;
    entry.ratio = ratio;
    entry.load = std::move(load);
    entries[picture.get()] = std::move(entry);
}

platform::PicturePtr HighDensityDrawing(const platform::Picture& picture, int ratio) {
    Entry entry;
    {
        const std::lock_guard<std::mutex> hold(entriesLock);
        const auto found = entries.find(&picture);
        if (found == entries.end() || found->second.ratio != ratio ||
            found->second.picture.lock().get() != &picture)
            return nullptr;
        entry = found->second;
    }
    // Made outside the lock: a loader reads a file, and other pictures need not wait.
    std::call_once(*entry.made, [&entry] { *entry.drawing = entry.load(); });
    const platform::PicturePtr& drawing = *entry.drawing;
    if (!drawing || drawing->Width() != picture.Width() * ratio ||
        drawing->Height() != picture.Height() * ratio)
        return nullptr;
    return drawing;
}

}  // namespace controls
