// How the window draws: its background picture, the panels' frames over it, the owner-drawn
// labels, and the whole window into a picture without showing it.

#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include "app/win32/Artwork.h"
#include "app/win32/WindowText.h"
#include "controls/win32/GifViewerWindow.h"
#include "controls/win32/PictureButtonWindow.h"
#include "controls/win32/SurfaceBlit.h"

namespace win32 {

LRESULT CALLBACK MainWindow::PanelFrameProc(HWND frame, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(frame, &paint);
            FillRect(dc, &paint.rcPaint, window->PanelBrush());
            DefSubclassProc(frame, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            EndPaint(frame, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(frame, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, window->PanelBrush());
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCDESTROY:
            RemoveWindowSubclass(frame, PanelFrameProc, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

HBRUSH MainWindow::PanelBrush() {
    if (panelBrush_ == nullptr) panelBrush_ = CreateSolidBrush(kBackColour);
    return panelBrush_;
}

void MainWindow::Paint(HDC dc, const RECT& area) {
    FillRect(dc, &area, PanelBrush());
    PaintBackground(dc, POINT{0, 0});
}

void MainWindow::PaintBackground(HDC dc, POINT origin) {
    if (!background_) return;
    // Sharp on a dense screen: the drawing at twice the resolution, read when first needed.
    if (scale_.Factor() > 1 && !denseBackground_) {
        denseBackground_ = Artwork::LoadDouble("mainWindow/background.png");
        if (!denseBackground_) denseBackground_ = background_;
    }
    const bool dense = scale_.Factor() > 1 && denseBackground_ != background_;
    const platform::Picture& picture = dense ? *denseBackground_ : *background_;
    const int width = scale_.Device(background_->Width());
    const int height = scale_.Device(background_->Height());
    controls::BlitPicture(dc, picture, RECT{-origin.x, -origin.y, width - origin.x, height - origin.y});
}

void MainWindow::DrawLabel(const DRAWITEMSTRUCT& item) {
    const auto found = labelLooks_.find(item.hwndItem);
    if (found == labelLooks_.end()) return;
    const LabelLook& look = found->second;
    HDC dc = item.hDC;
    const RECT& bounds = item.rcItem;
    if (item.hwndItem == stillBannerLabel_ && stillBanner_) {
        controls::BlitPicture(dc, *stillBanner_, bounds);
        return;
    }
    if (look.overArtwork) {
        POINT origin{0, 0};
        MapWindowPoints(item.hwndItem, window_, &origin, 1);
        PaintBackground(dc, origin);
    } else {
        HBRUSH brush = CreateSolidBrush(look.background);
        FillRect(dc, &bounds, brush);
        DeleteObject(brush);
    }
    if (look.swatch) return;
    const std::wstring text = look.shown.empty() ? WindowText(item.hwndItem) : look.shown;
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.text);
    RECT textBounds = bounds;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBounds, look.format);
    SelectObject(dc, previous);
}

bool MainWindow::Draw(std::vector<std::uint8_t>& pixels, int& width, int& height) {
    // A playing banner shows its first frame at its first tick, due as soon as the window is
    // up: the picture shows it, as a look at the shown window would.
    controls::GifViewer& banner = bannerAnimation_->Viewer();
    if ((GetWindowLongPtrW(bannerAnimation_->Handle(), GWL_STYLE) & WS_VISIBLE) &&
        banner.GIFIsPlaying())
        banner.DelayTimerTick();
    RECT client{};
    GetClientRect(window_, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(window_);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(window_, screen);
    if (dc == nullptr || bitmap == nullptr) {
        if (dc) DeleteDC(dc);
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(window_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    // The children from the bottom up, as the screen shows them: each drawn into a picture of
    // its own size, laid onto the window's.
    for (HWND child = GetWindow(GetWindow(window_, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
        const int childWidth = place.right - place.left;
        const int childHeight = place.bottom - place.top;
        HDC childDc = CreateCompatibleDC(dc);
        HBITMAP childBitmap = CreateCompatibleBitmap(dc, childWidth, childHeight);
        HGDIOBJ childPrevious = SelectObject(childDc, childBitmap);
        // What a control leaves undrawn is the window's own picture there.
        BitBlt(childDc, 0, 0, childWidth, childHeight, dc, place.left, place.top, SRCCOPY);
        // A sunken edge (the box's and the list's) is drawn here: the system leaves it out of
        // a picture of a window never shown.
        const bool sunken = (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        const int edge = sunken ? GetSystemMetricsForDpi(SM_CXEDGE, scale_.Dpi()) : 0;
        SetViewportOrgEx(childDc, edge, edge, nullptr);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(childDc),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
        SetViewportOrgEx(childDc, 0, 0, nullptr);
        if (sunken) {
            RECT frame{0, 0, childWidth, childHeight};
            DrawEdge(childDc, &frame, EDGE_SUNKEN, BF_RECT);
        }
        BitBlt(dc, place.left, place.top, childWidth, childHeight, childDc, 0, 0, SRCCOPY);
        SelectObject(childDc, childPrevious);
        DeleteObject(childBitmap);
        DeleteDC(childDc);
    }
    GdiFlush();
    const auto* rows = static_cast<const std::uint8_t*>(bits);
    pixels.assign(rows, rows + std::size_t(width) * height * 4);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return true;
}

}  // namespace win32
