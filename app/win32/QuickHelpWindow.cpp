#include "app/win32/QuickHelpWindow.h"

#include "app/core/Branding.h"
#include "app/win32/Texts.h"

namespace win32 {
namespace {

constexpr int kClientWidth = 4680;  // twips
constexpr int kClientHeight = 3465;
const COLORREF kNavy = RGB(0, 0, 128);

// A lone carriage return starts a new line, as "\r\n" does.
std::wstring LabelLines(const std::wstring& text) {
    std::wstring lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines += text[i];
        if (text[i] == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n')) lines += L'\n';
    }
    return lines;
}

}  // namespace

QuickHelpWindow::QuickHelpWindow(HWND owner, const WindowScale& scale)
    : SecondaryWindow(owner, scale) {
    Create(L"CorpometerQuickHelp", Texts::Text("Quick Help"), kClientWidth, kClientHeight, kNavy);
    const std::wstring title = Texts::Widen(core::BrandingSettings.Title);
    // Two paragraphs after an empty line; the branding's title goes in as typed.
    const std::wstring text =
        L"\r" +
        Texts::Arg(Texts::Text("%1 is very easy to use. Simply enter your weight in the left pane, "
                               "and select either Pounds or Kilograms. Next, select your height "
                               "in feet and inches from the list on the right. Finally, click "
                               "the \"Calculate BMI button\". Your BMI Index number is "
                               "displayed, and the result is color-coded  to correspond with "
                               "the legend below. Match the colors to determine the range in "
                               "which your BMI Index falls."),
                   {title}) +
        L"\r\n\r\n " +
        Texts::Text("The Body mass index (BMI) or Quetelet Index is a statistical measure of the "
                    "weight of a person scaled according to height. It is most often used to "
                    "determine the overall risk of poor health.");
    MakeControl(L"STATIC", LabelLines(text), SS_LEFT | SS_NOPREFIX, 0,
                {0, 0, kClientWidth, kClientHeight},
                fonts_.Font(L"Arial", 9.75, false, scale_));
}

LRESULT QuickHelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(0, 0, 128));
        SetTextColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(background_);
    }
    return SecondaryWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace win32
