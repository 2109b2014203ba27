#include "app/core/MainWindowLayout.h"

namespace core {

namespace MainWindowLayout {

std::array<LegendPlace, 5> LegendPlaces(const std::array<int, 5>& wordWidths) {
    std::array<LegendPlace, 5> places{};
    for (std::size_t band = 0; band < places.size(); ++band) {
        places[band] = {Twips::ToPixels(kLegendSwatches[band].left),
                        Twips::ToPixels(kLegendWordsLefts[band])};
    }
    const auto wordsEnd = [&](std::size_t band) {
        return places[band].wordsLeft + wordWidths[band];
    };
    const auto move = [&](std::size_t band, int by) {
        places[band].swatchLeft += by;
        places[band].wordsLeft += by;
    };
    for (std::size_t band = 1; band < places.size(); ++band) {
        const int crowding = wordsEnd(band - 1) + kLegendGap - places[band].swatchLeft;
        if (crowding > 0) move(band, crowding);
    }
    const int edge = Twips::ToPixels(kClientWidth) - kLegendGap;
    for (std::size_t band = places.size(); band-- > 0;) {
        const int limit =
            band + 1 < places.size() ? places[band + 1].swatchLeft - kLegendGap : edge;
        const int overrun = wordsEnd(band) - limit;
        if (overrun > 0) move(band, -overrun);
    }
    return places;
}

}  // namespace MainWindowLayout

}  // namespace core
