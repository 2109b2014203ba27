#include "app/ui/WindowFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <cmath>

namespace ui {

namespace WindowFonts {

void RegisterBundledFonts() {
    for (const char* path :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
}

int PixelsOf(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont Font(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(PixelsOf(points));
    font.setBold(bold);
    return font;
}

QFont Resized(QFont font, double points) {
    font.setPixelSize(PixelsOf(points));
    return font;
}

}  // namespace WindowFonts

}  // namespace ui
