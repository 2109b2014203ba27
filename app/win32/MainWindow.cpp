#include "app/win32/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>

#include "app/core/Branding.h"
#include "app/core/DocumentOpener.h"
#include "app/core/LabelText.h"
#include "app/core/MainWindowLayout.h"
#include "app/win32/AboutWindow.h"
#include "app/win32/Artwork.h"
#include "app/win32/QuickHelpWindow.h"
#include "app/win32/SettingsStore.h"
#include "app/win32/Texts.h"
#include "app/win32/WindowText.h"
#include "controls/win32/GifViewerWindow.h"
#include "controls/win32/PictureButtonWindow.h"

namespace win32 {
namespace {

namespace layout = core::MainWindowLayout;
using core::Twips::Rectangle;

constexpr wchar_t kClassName[] = L"CorpometerMainWindow";
constexpr wchar_t kApplicationTitle[] = L"Corpometer";
constexpr Rectangle kWholeWindow{0, 0, 0, 0};

// Command identifiers of the controls.
enum ControlId : int {
    kWeightEditId = 100,
    kPoundsId,
    kKilogramsId,
    kHeightListId,
    kFeetInchesId,
    kCentimetresId,
    kCalculateId,
    kBannerId,
    kStillBannerId,
    kNameId,
    kMenuButtonId,
    kMinimizeButtonId,
    kCloseButtonId,
};

// The popup menu's commands.
constexpr UINT kCommandAbout = 1000;
constexpr UINT kCommandQuickHelp = 1001;
// Return the choice, send no notices, right edge at the point, either mouse button chooses.
constexpr UINT kPopupMenuFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTALIGN | TPM_RIGHTBUTTON;

constexpr UINT kShowPopupMenu = WM_APP + 1;
constexpr int kFrameLineWidth = 2;  // pixels: a panel frame's etched line
constexpr UINT_PTR kFlashTimerId = 1;
constexpr UINT kFlashIntervalMs = 250;

const COLORREF kWhite = RGB(255, 255, 255);
// Grey, as dark as small text needs to be read on the light panel (4.5:1).
const COLORREF kIdealWeightColour = RGB(96, 96, 96);

constexpr wchar_t kTahoma[] = L"Tahoma";
constexpr wchar_t kVerdana[] = L"Verdana";
constexpr wchar_t kTimes[] = L"Times New Roman";
constexpr wchar_t kArial[] = L"Arial";

COLORREF ColourRef(const core::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

void SetTabStop(HWND window, bool stop) {
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(window, GWL_STYLE, style);
}

}  // namespace

MainWindow::MainWindow(core::Calculator& calculator) : calculator_(calculator) {}

MainWindow::~MainWindow() {
    quickHelp_.reset();
    about_.reset();
    if (IsWindow(window_)) DestroyWindow(window_);
    if (panelBrush_) DeleteObject(panelBrush_);
}

bool MainWindow::Create() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) return false;
    // No title bar and no frame: the artwork is the window's face; its own buttons minimise
    // and close it. The system menu and the minimise box let the task bar do the same.
    window_ = CreateWindowExW(0, kClassName, kApplicationTitle,
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, 0, 1, 1,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return false;
    scale_ = WindowScale(static_cast<int>(GetDpiForWindow(window_)));

    // Centred on the screen.
    const int width = scale_.FromTwips(layout::kClientWidth);
    const int height = scale_.FromTwips(layout::kClientHeight);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    background_ = Artwork::Load("mainWindow/background.png");
    CreateControls();
    Layout();
    Load();
    return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(creation->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc, paint.rcPaint);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window_, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the background picture covers the window
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_BUTTON) {
                if (calculateButton_ && item.hwndItem == calculateButton_->Handle()) {
                    calculateButton_->Draw(item);
                } else {
                    for (const auto& button : windowButtons_)
                        if (item.hwndItem == button->Handle()) button->Draw(item);
                }
            } else if (item.CtlType == ODT_STATIC) {
                DrawLabel(item);
            }
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Option buttons and panel frames sit on the panels' plain grey.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, kBackColour);
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(PanelBrush());
        }
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case kShowPopupMenu:
            ShowPopupMenu();
            return 0;
        case WM_TIMER:
            if (wParam == kFlashTimerId) SetResultColour(calculator_.NextFlashColour());
            return 0;
        case WM_NCHITTEST:
            return HitTest(lParam);
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
            } else if (!IsIconic(window_)) {
                SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : weightEdit_);
            }
            return 0;
        case WM_SETCURSOR:
            // The name line and the still banner are links while there is one.
            if ((reinterpret_cast<HWND>(wParam) == nameLabel_ ||
                 reinterpret_cast<HWND>(wParam) == stillBannerLabel_) &&
                !core::BrandingSettings.Link.empty()) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            KillTimer(window_, kFlashTimerId);
            // The secondary windows belong to this one and go with it.
            quickHelp_.reset();
            about_.reset();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

HWND MainWindow::MakeControl(const wchar_t* className, const std::wstring& text, DWORD style,
                             int id, const Rectangle& rectangle, const Rectangle& panel,
                             FontSpec font) {
    HWND control = CreateWindowExW(
        0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
        nullptr);
    placements_.push_back({control, rectangle, panel, font});
    return control;
}

HWND MainWindow::MakeLabel(const std::wstring& text, const Rectangle& rectangle,
                           const Rectangle& panel, FontSpec font, LabelLook look, int id) {
    // WS_GROUP: arrow keys never wander from an option button onto a label.
    HWND label = MakeControl(L"STATIC", text, SS_OWNERDRAW | WS_GROUP | (id ? SS_NOTIFY : 0), id,
                             rectangle, panel, font);
    labelLooks_[label] = std::move(look);
    return label;
}

void MainWindow::CreateControls() {
    // Created in the order Tab goes through them (the panels from left to right, top to bottom,
    // then the strip from left to right); a control made earlier lies over one made later.
    CreateWeightPanel();
    CreateHeightPanel();
    CreateResultPanel();
    CreateBrandingStrip();
    CreateLegend();
    // The panels' frames lie under everything, and fill their insides with the panels' grey
    // (the window's own painting leaves out its children).
    const FontSpec frameFont{kTimes, 12, false};
    for (const auto& [caption, panel] :
         {std::pair{TRANSLATABLE("ui::MainWindow", "Weight"), layout::kWeightPanel},
          std::pair{TRANSLATABLE("ui::MainWindow", "Height"), layout::kHeightPanel},
          std::pair{TRANSLATABLE("ui::MainWindow", "Your BMI"), layout::kResultPanel}}) {
        HWND frame = MakeControl(L"BUTTON", Texts::Text(caption), BS_GROUPBOX | WS_GROUP, 0,
                                 panel, kWholeWindow, frameFont);
        SetWindowSubclass(frame, PanelFrameProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

void MainWindow::CreateWeightPanel() {
    const Rectangle& panel = layout::kWeightPanel;
    // A panel's heading is opaque in the window's colour: it covers the frame's top edge.
    LabelLook caption;
    MakeLabel(Texts::Text(" Enter Weight:"), layout::kWeightCaption, panel, {kVerdana, 9, true},
              caption);
    weightEdit_ = MakeControl(L"EDIT", L"", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, kWeightEditId,
                              layout::kWeightEdit, panel, {kTimes, 26.25, false});
    SetWindowLongPtrW(weightEdit_, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(weightEdit_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    weightUnitLabel_ = MakeLabel(L"", layout::kWeightUnitLabel, panel, {kTimes, 26.25, false}, {});
    poundsOption_ = MakeControl(L"BUTTON", Texts::Text("Pounds"),
                                BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kPoundsId,
                                layout::kPoundsOption, panel, {kTahoma, 8.25, false});
    kilogramsOption_ = MakeControl(L"BUTTON", Texts::Text("Kilograms"), BS_AUTORADIOBUTTON,
                                   kKilogramsId, layout::kKilogramsOption, panel,
                                   {kTahoma, 8.25, false});
}

void MainWindow::CreateHeightPanel() {
    const Rectangle& panel = layout::kHeightPanel;
    MakeLabel(Texts::Text("Select Height:"), layout::kHeightCaption, panel, {kVerdana, 9, true},
              {});
    heightList_ = MakeControl(
        L"LISTBOX", L"", WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        kHeightListId, layout::kHeightList, panel, {kVerdana, 14.25, false});
    SetWindowLongPtrW(heightList_, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(heightList_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    feetInchesOption_ = MakeControl(L"BUTTON", Texts::Text("Feet/Inches"),
                                    BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kFeetInchesId,
                                    layout::kFeetInchesOption, panel, {kTahoma, 8.25, false});
    centimetresOption_ = MakeControl(L"BUTTON", Texts::Text("Centimeters"), BS_AUTORADIOBUTTON,
                                     kCentimetresId, layout::kCentimetresOption, panel,
                                     {kTahoma, 8.25, false});
}

void MainWindow::CreateResultPanel() {
    const Rectangle& panel = layout::kResultPanel;
    MakeLabel(Texts::Text("Your BMI is:"), layout::kResultCaption, panel, {kVerdana, 9, true}, {});
    const RECT button = scale_.Rectangle(layout::kCalculateButton, panel);
    calculateButton_ = std::make_unique<controls::PictureButtonWindow>(
        window_, kCalculateId, Texts::Text("Calculate BMI"), button.left, button.top,
        scale_.Factor());
    // The button's pictures carry its caption: they are drawn in each language the window
    // speaks, in a folder of that language's code beside the English ones.
    const std::string translated = "calculateButton/" + Texts::Language();
    calculateButton_->Control().ReadProperties(Artwork::ButtonPictures(
        Artwork::Has(translated + "/Picture.png") ? translated : "calculateButton"));
    calculateButton_->Control().Resize();
    calculateButton_->OnClick([this] { Calculate(); });

    LabelLook figure;
    figure.format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    bmiLabel_ = MakeLabel(L"", layout::kBmiFigure, panel, {kArial, 41.25, true}, figure);
    // Colour alone does not tell the bands apart for everyone: the band is named in words.
    bandLabel_ = MakeLabel(L"", layout::kBandName, panel, {kTahoma, 8.25, true}, {});
    LabelLook ideal;
    ideal.text = kIdealWeightColour;
    idealWeightLabel_ = MakeLabel(L"", layout::kIdealWeight, panel, {kTahoma, 8.25, false}, ideal);
}

void MainWindow::CreateBrandingStrip() {
    // The banners over the name line: the animated one over the still one over the line.
    bannerAnimation_ = std::make_unique<controls::GifViewerWindow>(
        window_, kBannerId, scale_.Rectangle(layout::kBrandName), scale_.Factor());
    bannerAnimation_->OnClick([this] { OpenLink(); });
    bannerAnimation_->OnKeyPress([this](std::int16_t key) {
        if (key == L'\r' || key == L'\n' || key == L' ') OpenLink();
    });
    LabelLook still;
    still.overArtwork = true;
    stillBannerLabel_ =
        MakeLabel(L"", layout::kBrandName, kWholeWindow, {kTahoma, 17, true}, still, kStillBannerId);
    ShowWindow(stillBannerLabel_, SW_HIDE);

    LabelLook brand;
    brand.text = kWhite;
    brand.overArtwork = true;
    nameLabel_ = MakeLabel(NameLine(core::kDefaultNameText),
                           layout::kBrandName, kWholeWindow, {kTahoma, 17, true}, brand, kNameId);
    titleLabel_ = MakeLabel(kApplicationTitle, layout::kBrandTitle, kWholeWindow,
                            {kTahoma, 8, false}, brand);

    const char* const names[] = {TRANSLATABLE("ui::MainWindow", "Menu"),
                                 TRANSLATABLE("ui::MainWindow", "Minimize"),
                                 TRANSLATABLE("ui::MainWindow", "Close")};
    const char* const folders[] = {"menuButton", "minimizeButton", "closeButton"};
    const int ids[] = {kMenuButtonId, kMinimizeButtonId, kCloseButtonId};
    for (int i = 0; i < 3; ++i) {
        const RECT place = scale_.Rectangle(layout::kWindowButtons[i]);
        auto button = std::make_unique<controls::PictureButtonWindow>(
            window_, ids[i], Texts::Text(names[i]), place.left, place.top, scale_.Factor());
        button->Control().ReadProperties(Artwork::ButtonPictures(folders[i]));
        button->Control().Resize();
        windowButtons_.push_back(std::move(button));
    }
    // Opened once the key or click that pressed the button has been handled: the character of
    // an Enter still waiting in the queue would otherwise close the menu at once.
    windowButtons_[0]->OnClick([this] { PostMessageW(window_, kShowPopupMenu, 0, 0); });
    windowButtons_[1]->OnClick([this] { ShowWindow(window_, SW_MINIMIZE); });
    // Closed once the click is over: the button must not go while it is still handling it.
    windowButtons_[2]->OnClick([this] { PostMessageW(window_, WM_CLOSE, 0, 0); });
}

void MainWindow::CreateLegend() {
    for (const core::BandDescription& band : core::kBands) {
        const int index = static_cast<int>(band.band);
        LabelLook swatch;
        swatch.swatch = true;
        swatch.background = ColourRef(band.colour);
        // Named for screen readers by its band; the swatch shows no text.
        legendSwatches_.push_back(MakeLabel(Texts::Widen(calculator_.BandName(band.band)),
                                            layout::kLegendSwatches[index], kWholeWindow,
                                            {kTahoma, 8.25, true}, swatch));
        LabelLook words;
        words.text = kWhite;
        words.overArtwork = true;
        words.format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
        // Sized to its words once it has its font.
        legendWords_.push_back(MakeLabel(
            Texts::Widen(calculator_.LegendWord(band.band)),
            {layout::kLegendWordsLefts[index], layout::kLegendWordsTop, 0, 0}, kWholeWindow,
            {kTahoma, 8.25, true}, words));
    }
}

void MainWindow::Layout() {
    for (const Placement& placement : placements_) {
        RECT place = scale_.Rectangle(placement.rectangle, placement.panel);
        // A control inside a panel ends at the panel's frame, as a child ends at its parent's
        // edge (the ideal-weight line's box reaches past the result panel's bottom).
        const RECT panel = scale_.Rectangle(placement.panel);
        if (panel.bottom > panel.top)
            place.bottom = std::min(place.bottom, panel.bottom - scale_.Device(kFrameLineWidth));
        SetWindowPos(placement.window, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        const FontSpec& font = placement.font;
        SendMessageW(placement.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_.Font(font.family, font.points, font.bold,
                                                          scale_)),
                     FALSE);
    }
    SizeLegendWords();
    // The list's rows follow its font.
    InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::SizeLegendWords() {
    HDC dc = GetDC(window_);
    std::array<SIZE, 5> sizes{};
    std::array<int, 5> widths{};  // in pixels at 100%, as the legend's places are worked out
    for (std::size_t band = 0; band < legendWords_.size() && band < sizes.size(); ++band) {
        HWND words = legendWords_[band];
        const std::wstring text = WindowText(words);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(words, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &sizes[band]);
        SelectObject(dc, previous);
        sizes[band].cx += 1;
        const int dpi = scale_.Dpi();
        widths[band] = (sizes[band].cx * USER_DEFAULT_SCREEN_DPI + dpi - 1) / dpi;
    }
    ReleaseDC(window_, dc);
    // Words longer than the design left room for (a translation's) move the bands along.
    const auto places = layout::LegendPlaces(widths);
    for (std::size_t band = 0; band < legendWords_.size() && band < places.size(); ++band) {
        SetWindowPos(legendSwatches_[band], nullptr, scale_.Device(places[band].swatchLeft),
                     scale_.FromTwips(layout::kLegendSwatches[band].top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(legendWords_[band], nullptr, scale_.Device(places[band].wordsLeft),
                     scale_.FromTwips(layout::kLegendWordsTop), sizes[band].cx, sizes[band].cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::Load() {
    core::LoadBranding();
    PlaceBanner();
    calculator_.Restore(SettingsStore::Read(core::kSettingsApplication, core::kSettingsSection,
                                            {"Weight", "Height", "WeightUnit", "HeightUnit"}));
    ShowInputs();
    ApplyBranding();
    SetFocus(weightEdit_);
}

void MainWindow::ShowInputs() {
    updatingInputs_ = true;
    SetWindowTextW(weightEdit_, Texts::Widen(calculator_.WeightText()).c_str());
    if (calculator_.GetWeightUnit() == core::WeightUnit::Kilograms) {
        ChooseOption(kilogramsOption_, poundsOption_);
    } else {
        ChooseOption(poundsOption_, kilogramsOption_);
    }
    if (calculator_.GetHeightUnit() == core::HeightUnit::Centimetres) {
        ChooseOption(centimetresOption_, feetInchesOption_);
    } else {
        ChooseOption(feetInchesOption_, centimetresOption_);
    }
    FillHeightList();
    UpdateUnitLabel();
    updatingInputs_ = false;
    // Typed at start, a weight replaces the saved one.
    SendMessageW(weightEdit_, EM_SETSEL, 0, -1);
}

void MainWindow::ChooseOption(HWND chosen, HWND other) {
    SendMessageW(chosen, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    // Tab goes to the chosen option of a pair.
    SetTabStop(chosen, true);
    SetTabStop(other, false);
}

void MainWindow::FillHeightList() {
    SendMessageW(heightList_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(heightList_, LB_RESETCONTENT, 0, 0);
    for (const core::HeightRow& row : calculator_.HeightRows())
        SendMessageW(heightList_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Texts::Widen(row.label).c_str()));
    SendMessageW(heightList_, LB_SETCURSEL, static_cast<WPARAM>(calculator_.HeightRow()), 0);
    SendMessageW(heightList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(heightList_, nullptr, TRUE);
}

void MainWindow::UpdateUnitLabel() {
    SetWindowTextW(weightUnitLabel_, Texts::Widen(calculator_.WeightUnitLabel()).c_str());
    InvalidateRect(weightUnitLabel_, nullptr, FALSE);
}

void MainWindow::Command(int id, int code) {
    switch (id) {
        case IDOK:
            // Enter in the weight box or the height list calculates.
            if (GetFocus() == weightEdit_ || GetFocus() == heightList_) Calculate();
            return;
        case kWeightEditId:
            if (code == EN_CHANGE && !updatingInputs_ &&
                calculator_.SetWeightText(Texts::Narrow(WindowText(weightEdit_))))
                ClearResult();
            return;
        case kPoundsId:
        case kKilogramsId:
            if (code != BN_CLICKED) return;
            ChooseOption(id == kPoundsId ? poundsOption_ : kilogramsOption_,
                         id == kPoundsId ? kilogramsOption_ : poundsOption_);
            if (calculator_.SetWeightUnit(id == kPoundsId ? core::WeightUnit::Pounds
                                                          : core::WeightUnit::Kilograms))
                ClearResult();
            UpdateUnitLabel();
            return;
        case kFeetInchesId:
        case kCentimetresId:
            if (code != BN_CLICKED) return;
            ChooseOption(id == kFeetInchesId ? feetInchesOption_ : centimetresOption_,
                         id == kFeetInchesId ? centimetresOption_ : feetInchesOption_);
            if (calculator_.SetHeightUnit(id == kFeetInchesId ? core::HeightUnit::FeetInches
                                                              : core::HeightUnit::Centimetres))
                ClearResult();
            FillHeightList();
            return;
        case kHeightListId:
            if (code == LBN_SELCHANGE &&
                calculator_.SetHeightRow(
                    static_cast<int>(SendMessageW(heightList_, LB_GETCURSEL, 0, 0))))
                ClearResult();
            return;
        case kNameId:
        case kStillBannerId:
            if (code == STN_CLICKED) OpenLink();
            return;
        default:
            return;
    }
}

void MainWindow::Calculate() {
    const core::CalculationOutcome outcome = calculator_.Calculate();
    if (!outcome.message.empty()) {
        MessageBoxW(window_, Texts::Widen(outcome.message).c_str(), kApplicationTitle,
                    MB_OK | MB_ICONERROR);
        return;
    }
    if (!outcome.result) return;
    ShowResult(*outcome.result);
    SettingsStore::Save(core::kSettingsApplication, core::kSettingsSection, outcome.toSave);
}

void MainWindow::ShowResult(const core::CalculatorResult& result) {
    labelLooks_[bmiLabel_].shown = Texts::Widen(result.figure);
    // Screen readers read the label's text: the figure with its band's name.
    SetWindowTextW(bmiLabel_, Texts::Widen(result.announcement).c_str());
    SetWindowTextW(bandLabel_, Texts::Widen(result.bandName).c_str());
    SetWindowTextW(idealWeightLabel_, Texts::Widen(result.idealWeightLine).c_str());
    SetResultColour(result.colour);
    KillTimer(window_, kFlashTimerId);
    if (result.flashes) SetTimer(window_, kFlashTimerId, kFlashIntervalMs, nullptr);
    for (HWND label : {bandLabel_, idealWeightLabel_}) InvalidateRect(label, nullptr, FALSE);
}

void MainWindow::ClearResult() {
    KillTimer(window_, kFlashTimerId);
    labelLooks_[bmiLabel_].shown.clear();
    for (HWND label : {bmiLabel_, bandLabel_, idealWeightLabel_}) {
        SetWindowTextW(label, L"");
        InvalidateRect(label, nullptr, FALSE);
    }
}

void MainWindow::SetResultColour(const core::Rgb& colour) {
    labelLooks_[bmiLabel_].text = ColourRef(colour);
    InvalidateRect(bmiLabel_, nullptr, FALSE);
}

void MainWindow::ShowPopupMenu() {
    HMENU menu = CreatePopupMenu();
    const struct {
        const char* text;
        UINT command;
    } items[] = {{TRANSLATABLE("PopupMenu", "Quick Help"), kCommandQuickHelp},
                 {TRANSLATABLE("PopupMenu", "About"), kCommandAbout}};
    UINT position = 0;
    for (const auto& item : items) {
        std::wstring text = Texts::Text(item.text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.fType = MFT_STRING;
        info.wID = item.command;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        InsertMenuItemW(menu, position++, TRUE, &info);
    }
    // Pressed with the mouse, the menu comes up at the cursor; from the keyboard, below the
    // button, its right edge at the button's.
    POINT at{};
    GetCursorPos(&at);
    HWND button = windowButtons_[0]->Handle();
    if (WindowFromPoint(at) != button) {
        RECT place{};
        GetWindowRect(button, &place);
        at = {place.right, place.bottom};
    }
    SetForegroundWindow(window_);
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(menu, kPopupMenuFlags, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (command == kCommandQuickHelp) {
        if (!quickHelp_ || !quickHelp_->IsOpen())
            quickHelp_ = std::make_unique<QuickHelpWindow>(window_, scale_);
        quickHelp_->BringUp();
    } else if (command == kCommandAbout) {
        if (!about_ || !about_->IsOpen()) about_ = std::make_unique<AboutWindow>(window_, scale_);
        about_->BringUp();
    }
}

void MainWindow::OpenLink() {
    core::OpenDocument(core::BrandingSettings.Link);
}

LRESULT MainWindow::HitTest(LPARAM lParam) {
    const LRESULT hit = DefWindowProcW(window_, WM_NCHITTEST, 0, lParam);
    if (hit != HTCLIENT) return hit;
    // The window has no title bar: the bare strip above the panels drags it.
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window_, &at);
    return at.y < scale_.Device(layout::kDragStripHeight) ? HTCAPTION : HTCLIENT;
}

void MainWindow::DpiChanged(int dpi, const RECT& suggested) {
    scale_ = WindowScale(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                 scale_.FromTwips(layout::kClientWidth), scale_.FromTwips(layout::kClientHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    const RECT calculate = scale_.Rectangle(layout::kCalculateButton, layout::kResultPanel);
    calculateButton_->Place(calculate.left, calculate.top, scale_.Factor());
    for (std::size_t i = 0; i < windowButtons_.size(); ++i) {
        const RECT place = scale_.Rectangle(layout::kWindowButtons[i]);
        windowButtons_[i]->Place(place.left, place.top, scale_.Factor());
    }
    bannerAnimation_->Place(scale_.Rectangle(layout::kBrandName), scale_.Factor());
}

bool MainWindow::TranslateDialogKey(MSG& message) {
    if (quickHelp_ && quickHelp_->IsOpen() && quickHelp_->TranslateDialogKey(message)) return true;
    if (about_ && about_->IsOpen() && about_->TranslateDialogKey(message)) return true;
    return IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace win32
