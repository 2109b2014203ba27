#pragma once
// Where everything in the main window sits, in twips, as the window was designed: the
// branding strip along the top, the weight and height panels side by side under it, the
// result panel across the window and the legend along the bottom. A control inside a panel
// is placed relative to its panel. Every front end of the window builds it from this table.

#include <array>

#include "app/core/Twips.h"

namespace core {

namespace MainWindowLayout {

using Twips::Rectangle;

inline constexpr int kClientWidth = 7320;
inline constexpr int kClientHeight = 6075;

// The branding strip. Its bare part, above the panels, drags the window (in pixels).
inline constexpr int kDragStripHeight = 80;
inline constexpr Rectangle kBrandName{240, 120, 5625, 900};  // the banners take its place too
inline constexpr Rectangle kBrandTitle{5970, 585, 1050, 495};
// Menu, minimise and close, left to right.
inline constexpr Rectangle kWindowButtons[] = {
    {5970, 165, 315, 315}, {6345, 165, 315, 315}, {6720, 165, 315, 315}};

// The weight panel.
inline constexpr Rectangle kWeightPanel{360, 1320, 3135, 2130};
inline constexpr Rectangle kWeightCaption{735, 90, 1725, 240};
inline constexpr Rectangle kWeightEdit{255, 735, 1395, 645};
inline constexpr Rectangle kWeightUnitLabel{1830, 750, 975, 615};
inline constexpr Rectangle kPoundsOption{345, 1605, 930, 255};
inline constexpr Rectangle kKilogramsOption{1755, 1605, 1065, 255};

// The height panel.
inline constexpr Rectangle kHeightPanel{3675, 1320, 3195, 2130};
inline constexpr Rectangle kHeightCaption{840, 90, 1560, 240};
inline constexpr Rectangle kHeightList{255, 630, 2715, 1065};
inline constexpr Rectangle kFeetInchesOption{300, 1800, 1230, 240};
inline constexpr Rectangle kCentimetresOption{1665, 1800, 1230, 240};

// The result panel.
inline constexpr Rectangle kResultPanel{360, 3570, 6510, 1650};
inline constexpr Rectangle kCalculateButton{180, 535, 2265, 600};
inline constexpr Rectangle kResultCaption{2460, 90, 1560, 225};
inline constexpr Rectangle kBmiFigure{2685, 420, 3615, 825};
inline constexpr Rectangle kIdealWeight{120, 1440, 2655, 255};
inline constexpr Rectangle kBandName{2790, 1275, 3510, 255};

// The legend: five swatches, each with its band's words to the right, sized to the words.
inline constexpr Rectangle kLegendSwatches[] = {{240, 5550, 300, 300},
                                                {1905, 5550, 300, 300},
                                                {3105, 5550, 300, 300},
                                                {4650, 5550, 300, 300},
                                                {5760, 5550, 300, 300}};
inline constexpr int kLegendWordsLefts[] = {540, 2235, 3405, 4965, 6045};
inline constexpr int kLegendWordsTop = 5595;

// The least room, in pixels, between one band's words and the next band's swatch (or the
// window's edge after the last band).
inline constexpr int kLegendGap = 4;

// Where a band of the legend goes, in pixels from the window's left edge.
struct LegendPlace {
    int swatchLeft;
    int wordsLeft;
};

// The legend's places for words of the widths given (in pixels, as drawn): the designed places
// where the words leave room, else each band moved right just enough to leave kLegendGap after
// the words before it, and, where that takes the words past the window's edge, the bands moved
// back left just enough in turn. Each band keeps its words where they are beside its swatch.
std::array<LegendPlace, 5> LegendPlaces(const std::array<int, 5>& wordWidths);

}  // namespace MainWindowLayout

}  // namespace core
