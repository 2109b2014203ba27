// The banner over the name line (the animated one in the GIF viewer, a still picture in a
// label) and the branding texts, as the branding asks. A click on either banner opens the
// branding link, as a click on the name line does.

#include "app/win32/MainWindow.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "app/core/Branding.h"
#include "app/core/BrandingBanner.h"
#include "app/core/LabelText.h"
#include "app/win32/PngFile.h"
#include "app/win32/Texts.h"
#include "app/win32/WindowText.h"
#include "controls/win32/GifViewerWindow.h"
#include "platform/gdi/BmpFile.h"

namespace win32 {

std::wstring MainWindow::NameLine(const std::string& nameText) {
    // The program's own placeholder speaks the window's language; a company's text is shown as
    // the company wrote it.
    if (nameText == core::kDefaultNameText)
        return Texts::Text("(Your company name & link or small banner here)");
    return Texts::Widen(core::LabelDisplayText(nameText));
}

void MainWindow::ApplyBranding() {
    const core::BrandingValues& branding = core::BrandingSettings;
    SetWindowTextW(nameLabel_, NameLine(branding.NameText).c_str());
    SetWindowTextW(titleLabel_, Texts::Widen(core::LabelDisplayText(branding.Title)).c_str());
    DescribeLinks();
}

void MainWindow::DescribeLinks() {
    // Screen readers name the banners by the line they stand for (or by the link itself);
    // Tab reaches the animated banner only when Enter or Space on it opens something.
    const core::BrandingValues& branding = core::BrandingSettings;
    std::wstring name = WindowText(nameLabel_);
    if (name.empty()) name = Texts::Widen(branding.Link);
    bannerAnimation_->SetName(name);
    const bool shown = (GetWindowLongPtrW(bannerAnimation_->Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    bannerAnimation_->SetTabStop(shown && !branding.Link.empty());
    labelLooks_[stillBannerLabel_].shown = L" ";  // the picture, never the name
    SetWindowTextW(stillBannerLabel_, name.c_str());
}

void MainWindow::PlaceBanner() {
    const core::BrandingValues& branding = core::BrandingSettings;
    controls::GifViewer& viewer = bannerAnimation_->Viewer();
    viewer.SetAutoPlay(true);
    // A banner that cannot be shown (missing, unreadable, not a picture) stays hidden and
    // leaves the name line in view instead of an empty box over it.
    if (branding.ShowAnimatedBanner != 0) {
        viewer.Setenabled(true);
        viewer.SetLoadLimits(core::BannerLoadLimits());
        // A GIF of several frames starts playing at once.
        const bool shown = viewer.LoadFromFile(branding.BannerPath);
        core::ReportAnimatedBannerLoad(branding.BannerPath, shown, viewer.LoadDamage());
        ShowWindow(bannerAnimation_->Handle(), shown ? SW_SHOWNA : SW_HIDE);
    }
    if (branding.ShowPictureBanner != 0) LoadStillBanner(branding.BannerPath);
}

void MainWindow::LoadStillBanner(const std::string& path) {
    // PNG and BMP pictures, read by the program's own readers.
    HANDLE file = CreateFileW(Texts::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    std::vector<std::uint8_t> bytes;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
        std::uint64_t(size.QuadPart) <= core::kMaxBannerFileBytes) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    if (bytes.empty()) return;
    PngImage image;
    if (DecodePng(bytes.data(), bytes.size(), image, core::kMaxBannerPixelBytes)) {
        stillBanner_ = platform::Picture::FromPixels(platform::Picture::Kind::Bitmap, image.width,
                                                     image.height, std::move(image.argb));
    } else if (std::unique_ptr<platform::gdi::Bitmap> bitmap =
                   platform::gdi::DecodeBitmapFile(bytes.data(), bytes.size())) {
        platform::gdi::HBITMAP owned = bitmap.release();
        stillBanner_ = platform::Picture::FromBitmap(owned);
        if (!stillBanner_) platform::gdi::DeleteObject(owned);
    }
    if (stillBanner_ &&
        std::uint64_t(stillBanner_->Width()) * stillBanner_->Height() * 4 > core::kMaxBannerPixelBytes)
        stillBanner_.reset();
    if (!stillBanner_) {
        std::fprintf(stderr,
                     "corpometer: not using \"%s\" as the still banner: not a PNG or BMP picture "
                     "within what a banner may take\n",
                     path.c_str());
        return;
    }
    // An image control that does not stretch takes its picture's size.
    for (Placement& placement : placements_) {
        if (placement.window != stillBannerLabel_) continue;
        placement.rectangle.width = stillBanner_->Width() * core::Twips::kTwipsPerPixel;
        placement.rectangle.height = stillBanner_->Height() * core::Twips::kTwipsPerPixel;
    }
    Layout();
    ShowWindow(stillBannerLabel_, SW_SHOWNA);
}

}  // namespace win32
