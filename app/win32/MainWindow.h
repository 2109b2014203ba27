#pragma once
// The calculator's window on Windows: a fixed panel without a title bar whose look is its
// background picture, with the branding strip (name and title lines, the banner, the menu,
// minimise and close picture buttons), the weight, height and result panels and the legend,
// every control at its place in the layout table shared with the Qt window. It shows what the
// calculator gives and hands it every change of an input.
//
// Labels are owner-drawn STATIC windows: their texts are what screen readers and tests read,
// while the window draws them over its artwork in the design's fonts and colours. The result
// label's text is the figure with its band's name; it shows the figure.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core/Calculator.h"
#include "app/core/Twips.h"
#include "app/win32/WindowFonts.h"
#include "app/win32/WindowScale.h"
#include "platform/Picture.h"

namespace controls {
class GifViewerWindow;
class PictureButtonWindow;
}  // namespace controls

namespace win32 {

class AboutWindow;
class QuickHelpWindow;

class MainWindow {
  public:
    explicit MainWindow(core::Calculator& calculator);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window, hidden, centred on the screen, at the screen's density, and runs the
    // load sequence (branding, height list, banner, saved inputs). False when the system
    // refuses the window.
    bool Create();
    HWND Handle() const { return window_; }

    // The keys the windows handle as dialogs do (Tab, Enter, Escape, arrows), for the
    // message loop: true when `message` has been handled.
    bool TranslateDialogKey(MSG& message);

    // The window as it would be shown, children included, drawn into rows of 0x00RRGGBB
    // pixels (top-down) without showing it. False when it cannot be drawn.
    bool Draw(std::vector<std::uint8_t>& pixels, int& width, int& height);

  private:
    struct FontSpec {
        const wchar_t* family;
        double points;
        bool bold;
    };
    // Where a control sits: a rectangle of the layout table, inside its panel.
    struct Placement {
        HWND window;
        core::Twips::Rectangle rectangle;
        core::Twips::Rectangle panel;
        FontSpec font;
    };
    // How an owner-drawn label looks.
    struct LabelLook {
        COLORREF text = RGB(0, 0, 0);
        bool overArtwork = false;  // transparent over the background picture
        bool swatch = false;       // a legend swatch: all background colour
        COLORREF background = RGB(224, 224, 224);
        std::wstring shown;  // drawn instead of the window's text when not empty
        UINT format = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PanelFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void CreateBrandingStrip();
    void CreateWeightPanel();
    void CreateHeightPanel();
    void CreateResultPanel();
    void CreateLegend();
    HWND MakeControl(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                     const core::Twips::Rectangle& rectangle, const core::Twips::Rectangle& panel,
                     FontSpec font);
    HWND MakeLabel(const std::wstring& text, const core::Twips::Rectangle& rectangle,
                   const core::Twips::Rectangle& panel, FontSpec font, LabelLook look,
                   int id = 0);
    // Places every control and gives it its font at the window's scale.
    void Layout();
    void SizeLegendWords();

    void Load();
    static std::wstring NameLine(const std::string& nameText);
    void ApplyBranding();
    void PlaceBanner();
    void LoadStillBanner(const std::string& path);
    void DescribeLinks();

    void Paint(HDC dc, const RECT& area);
    void PaintBackground(HDC dc, POINT origin);
    void DrawLabel(const DRAWITEMSTRUCT& item);
    HBRUSH PanelBrush();

    void Command(int id, int code);
    void Calculate();
    void ShowResult(const core::CalculatorResult& result);
    void ClearResult();
    void SetResultColour(const core::Rgb& colour);
    void FillHeightList();
    void ShowInputs();
    void UpdateUnitLabel();
    void ChooseOption(HWND chosen, HWND other);
    void ShowPopupMenu();
    void OpenLink();
    LRESULT HitTest(LPARAM lParam);
    void DpiChanged(int dpi, const RECT& suggested);

    // The panels' plain grey, behind the option buttons and the frames.
    static constexpr COLORREF kBackColour = RGB(224, 224, 224);

    core::Calculator& calculator_;
    HWND window_ = nullptr;
    WindowScale scale_;
    WindowFonts fonts_;
    HBRUSH panelBrush_ = nullptr;
    platform::PicturePtr background_;
    platform::PicturePtr denseBackground_;  // at twice the resolution, read when first needed
    platform::PicturePtr stillBanner_;
    bool updatingInputs_ = false;
    HWND lastFocus_ = nullptr;  // while the window is not the active one  // the window itself sets the inputs: no change to hand on

    std::vector<Placement> placements_;
    std::map<HWND, LabelLook> labelLooks_;

    HWND nameLabel_ = nullptr;
    HWND titleLabel_ = nullptr;
    HWND stillBannerLabel_ = nullptr;
    std::unique_ptr<controls::GifViewerWindow> bannerAnimation_;
    std::vector<std::unique_ptr<controls::PictureButtonWindow>> windowButtons_;
    HWND weightEdit_ = nullptr;
    HWND weightUnitLabel_ = nullptr;
    HWND poundsOption_ = nullptr;
    HWND kilogramsOption_ = nullptr;
    HWND heightList_ = nullptr;
    HWND feetInchesOption_ = nullptr;
    HWND centimetresOption_ = nullptr;
    std::unique_ptr<controls::PictureButtonWindow> calculateButton_;
    HWND bmiLabel_ = nullptr;
    HWND bandLabel_ = nullptr;
    HWND idealWeightLabel_ = nullptr;
    std::vector<HWND> legendSwatches_;
    std::vector<HWND> legendWords_;

    std::unique_ptr<QuickHelpWindow> quickHelp_;
    std::unique_ptr<AboutWindow> about_;
};

}  // namespace win32
