#include "app/win32/Artwork.h"

#include <windows.h>

#include <utility>

#include "app/win32/PngFile.h"
#include "controls/HighDensityPictures.h"

namespace win32 {

namespace Artwork {
namespace {

HRSRC Find(const std::string& path) {
    // Named after the path with every character but letters and digits made "_".
    std::wstring name;
    for (const char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? static_cast<wchar_t>(c) : L'_';
    }
    return FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
}

std::string DoubleName(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return path.substr(0, dot) + "@2x" + path.substr(dot);
}

platform::PicturePtr Decode(const std::string& path) {
    HRSRC found = Find(path);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    PngImage image;
    if (bytes == nullptr || !DecodePng(bytes, SizeofResource(nullptr, found), image))
        return nullptr;
    // A picture with an alpha channel keeps its transparency as an icon picture does.
    const auto kind = image.alpha ? platform::Picture::Kind::Icon : platform::Picture::Kind::Bitmap;
    return platform::Picture::FromPixels(kind, image.width, image.height, std::move(image.argb));
}

}  // namespace

bool Has(const std::string& path) {
    return Find(path) != nullptr;
}

platform::PicturePtr Load(const std::string& path) {
    platform::PicturePtr picture = Decode(path);
    const std::string twice = DoubleName(path);
    if (picture && Has(twice)) controls::SetHighDensityDrawing(picture, 2, [twice] {
        return Decode(twice);
    });
    return picture;
}

platform::PicturePtr LoadDouble(const std::string& path) {
    return Decode(DoubleName(path));
}

platform::PropertyBag ButtonPictures(const std::string& folder) {
    platform::PropertyBag bag;
    for (const char* name : {"Picture", "PictureHover", "PictureDown"}) {
        if (platform::PicturePtr picture = Load(folder + "/" + name + ".png"))
            bag.WriteProperty(name, picture);
    }
    return bag;
}

}  // namespace Artwork

}  // namespace win32
