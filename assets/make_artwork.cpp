// Draws the main window's artwork: the background picture, the three pictures of each
// picture button and the program icon. The pictures live in the repository; run this
// program to remake them after changing the look:
//     QT_QPA_PLATFORM=offscreen build/assets/corpometer-artwork assets/pictures
//
// Every window picture is drawn twice: at its size in pixels ("NAME.png") and at twice
// that resolution ("NAME@2x.png") for screens with two device pixels to a pixel. The
// program icon goes to icons/: PNGs of the desktop's usual sizes and an SVG of the same
// drawing for any other size.
//
// The Calculate button's caption is part of its pictures, drawn once per language.
//
// The button pictures are opaque: each is drawn over the piece of the background it will
// cover, so that it blends into the window whatever the button clears its surface to.

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <cmath>
#include <cstdio>

#include "app/core/BmiBands.h"

namespace {

// Window geometry in pixels (15 twips a pixel), as the main window places its controls.
constexpr int kBackgroundWidth = 489;
constexpr int kBackgroundHeight = 406;
constexpr int kStripBottom = 80;  // the branding strip ends just above the two panels
constexpr int kLegendTop = 358;   // the legend strip starts just below the result panel
constexpr QPoint kCalculateAt{36, 274};
constexpr QSize kCalculateSize{151, 40};
constexpr int kFormButtonTop = 11;
constexpr int kFormButtonLefts[] = {398, 423, 448};
constexpr QSize kFormButtonSize{21, 21};

// The five band colours, left to right, as the legend shows them.
QColor BandColour(int band) {
    const core::Rgb rgb = core::kBands[static_cast<std::size_t>(band)].colour;
    return {rgb.red, rgb.green, rgb.blue};
}

enum class Look { Rest, Hover, Down };

QString ButtonFontFamily() {
    // The free Tahoma of the Wine fonts when present, else the Arial metric twin.
    const int id = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahomabd.ttf");
    if (id >= 0) return QFontDatabase::applicationFontFamilies(id).value(0);
    return "Liberation Sans";
}

void FillStrip(QPainter& painter, const QRect& area) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, QColor(24, 52, 82));
    gradient.setColorAt(1, QColor(14, 34, 58));
    painter.fillRect(area, gradient);
}

QImage DrawBackground(int scale) {
    QImage image(kBackgroundWidth * scale, kBackgroundHeight * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    // The body behind the panels in the window's own background colour, so that the
    // panels' opaque captions sit on it without a seam.
    painter.fillRect(0, kStripBottom, kBackgroundWidth, kLegendTop - kStripBottom,
                     QColor(224, 224, 224));

    // Dark branding strip at the top, dark enough for white text, with a soft glow on
    // the left behind the name line.
    FillStrip(painter, QRect(0, 0, kBackgroundWidth, kStripBottom));
    QRadialGradient glow(QPointF(120, 10), 260);
    glow.setColorAt(0, QColor(70, 120, 170, 110));
    glow.setColorAt(1, QColor(70, 120, 170, 0));
    painter.fillRect(QRect(0, 0, kBackgroundWidth, kStripBottom), glow);

    // A thin rule in the five band colours under the strip.
    const int bandWidth = (kBackgroundWidth + 4) / 5;
    for (int band = 0; band < 5; ++band) {
        painter.fillRect(band * bandWidth, kStripBottom - 4, bandWidth, 4, BandColour(band));
    }

    // Dark legend strip at the bottom for the white legend texts.
    FillStrip(painter, QRect(0, kLegendTop, kBackgroundWidth, kBackgroundHeight - kLegendTop));
    painter.fillRect(0, kLegendTop, kBackgroundWidth, 1, QColor(120, 150, 180));
    return image;
}

// The piece of the background a button of `size` at `at` covers, at the background's scale.
QImage BackgroundPiece(const QImage& background, QPoint at, QSize size, int scale) {
    return background.copy(QRect(at * scale, size * scale));
}

// The Calculate button's caption in each language the windows speak: English in
// calculateButton/, the others in calculateButton/<language>/.
const struct {
    const char* folder;
    const char* caption;
} kCalculateCaptions[] = {
    {"", "Calculate BMI"},
    {"/de", "BMI berechnen"},
    {"/fr", "Calculer l\u2019IMC"},
    {"/es", "Calcular IMC"},
};

QImage DrawCalculate(const QImage& background, Look look, const QString& family, int scale,
                     const QString& caption) {
    QImage image = BackgroundPiece(background, kCalculateAt, kCalculateSize, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF face = QRectF(0.5, 0.5, kCalculateSize.width() - 1, kCalculateSize.height() - 1);

    QColor top(52, 112, 168), bottom(24, 70, 118);
    if (look == Look::Hover) top = QColor(74, 140, 200), bottom = QColor(34, 90, 146);
    if (look == Look::Down) top = QColor(18, 56, 96), bottom = QColor(44, 98, 150);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setPen(QPen(QColor(12, 36, 62), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(face, 7, 7);

    // A highlight along the top edge, pressed flat when down.
    if (look != Look::Down) {
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
        painter.drawLine(QPointF(7, 2), QPointF(kCalculateSize.width() - 8, 2));
    }

    QFont font(family);
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    const int shift = look == Look::Down ? 1 : 0;
    const QRect textArea(shift, shift, kCalculateSize.width(), kCalculateSize.height());
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(textArea.translated(1, 1), Qt::AlignCenter, caption);
    painter.setPen(Qt::white);
    painter.drawText(textArea, Qt::AlignCenter, caption);
    return image;
}

// The three small buttons of the branding strip: 0 menu, 1 minimise, 2 close.
QImage DrawFormButton(const QImage& background, int index, Look look, int scale) {
    const QPoint at(kFormButtonLefts[index], kFormButtonTop);
    QImage image = BackgroundPiece(background, at, kFormButtonSize, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF face(0.5, 0.5, kFormButtonSize.width() - 1, kFormButtonSize.height() - 1);

    QColor fill(255, 255, 255, 28), edge(255, 255, 255, 90);
    if (look == Look::Hover) {
        fill = index == 2 ? QColor(200, 40, 40) : QColor(255, 255, 255, 70);
        edge = QColor(255, 255, 255, 160);
    } else if (look == Look::Down) {
        fill = index == 2 ? QColor(140, 20, 20) : QColor(0, 0, 0, 90);
        edge = QColor(255, 255, 255, 110);
    }
    painter.setPen(QPen(edge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(face, 4, 4);

    const qreal shift = look == Look::Down ? 1 : 0;
    painter.translate(shift, shift);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    switch (index) {
        case 0:  // menu: three lines
            for (int row = 0; row < 3; ++row)
                painter.drawLine(QPointF(6, 6.5 + 4 * row), QPointF(15, 6.5 + 4 * row));
            break;
        case 1:  // minimise: a bar at the bottom
            painter.drawLine(QPointF(6, 14.5), QPointF(15, 14.5));
            break;
        default:  // close: a cross
            painter.drawLine(QPointF(6.5, 6.5), QPointF(14.5, 14.5));
            painter.drawLine(QPointF(14.5, 6.5), QPointF(6.5, 14.5));
            break;
    }
    return image;
}

// The program icon: a gauge in the five band colours with its needle in the normal band.
QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient gradient(0, 0, 0, 64);
    gradient.setColorAt(0, QColor(40, 82, 124));
    gradient.setColorAt(1, QColor(14, 34, 58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    const QRectF dial(10, 14, 44, 44);
    for (int band = 0; band < 5; ++band) {
        painter.setPen(QPen(BandColour(band), 7, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(dial, (180 - band * 36) * 16, -36 * 16);
    }
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(32, 36), QPointF(22, 22));
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(32, 36), 3.5, 3.5);

    QFont font("Liberation Sans");
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 42, 64, 16), Qt::AlignCenter, "BMI");
    return image;
}

// The same drawing as DrawIcon on its 64-unit grid, as SVG.
QByteArray IconSvg() {
    const QPointF centre(32, 36);
    const double radius = 22;
    QString arcs;
    for (int band = 0; band < 5; ++band) {
        const auto at = [&](double degrees) {
            const double radians = degrees * M_PI / 180;
            return QPointF(centre.x() + radius * std::cos(radians),
                           centre.y() - radius * std::sin(radians));
        };
        const QPointF from = at(180 - band * 36), to = at(180 - (band + 1) * 36);
        arcs += QString(
                    "  <path d=\"M %1 %2 A %3 %3 0 0 1 %4 %5\" fill=\"none\" "
                    "stroke=\"%6\" stroke-width=\"7\"/>\n")
                    .arg(from.x(), 0, 'f', 3)
                    .arg(from.y(), 0, 'f', 3)
                    .arg(radius)
                    .arg(to.x(), 0, 'f', 3)
                    .arg(to.y(), 0, 'f', 3)
                    .arg(BandColour(band).name());
    }
    return QString(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
               "viewBox=\"0 0 64 64\">\n"
               "  <defs>\n"
               "    <linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"64\" "
               "gradientUnits=\"userSpaceOnUse\">\n"
               "      <stop offset=\"0\" stop-color=\"#28527c\"/>\n"
               "      <stop offset=\"1\" stop-color=\"#0e223a\"/>\n"
               "    </linearGradient>\n"
               "  </defs>\n"
               "  <rect x=\"2\" y=\"2\" width=\"60\" height=\"60\" rx=\"12\" "
               "fill=\"url(#face)\"/>\n"
               "%1"
               "  <line x1=\"32\" y1=\"36\" x2=\"22\" y2=\"22\" stroke=\"#ffffff\" "
               "stroke-width=\"3\" stroke-linecap=\"round\"/>\n"
               "  <circle cx=\"32\" cy=\"36\" r=\"3.5\" fill=\"#ffffff\"/>\n"
               "  <text x=\"32\" y=\"54.3\" text-anchor=\"middle\" "
               "font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"12\" "
               "font-weight=\"bold\" fill=\"#ffffff\">BMI</text>\n"
               "</svg>\n")
        .arg(arcs)
        .toUtf8();
}

bool SaveBytes(const QByteArray& bytes, const QString& folder, const QString& name) {
    QSaveFile file(folder + "/" + name);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "cannot write %s/%s\n", qPrintable(folder), qPrintable(name));
        return false;
    }
    std::printf("%s/%s\n", qPrintable(folder), qPrintable(name));
    return true;
}

bool Save(const QImage& image, const QString& folder, const QString& name) {
    if (!QDir().mkpath(folder)) return false;
    const QString path = folder + "/" + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString family = ButtonFontFamily();

    // The menu, minimize and close buttons, left to right.
    const char* const kWindowButtonFolders[] = {"menuButton", "minimizeButton", "closeButton"};
    bool ok = true;
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? ".png" : "@2x.png";
        const QImage background = DrawBackground(scale);
        ok &= Save(background.convertToFormat(QImage::Format_RGB888), out + "/mainWindow",
                   "background" + suffix);
        ok &= Save(DrawIcon(64 * scale), out + "/mainWindow", "icon" + suffix);

        const struct {
            Look look;
            const char* property;
        } states[] = {
            {Look::Rest, "Picture"}, {Look::Hover, "PictureHover"}, {Look::Down, "PictureDown"}};
        for (const auto& state : states) {
            for (const auto& language : kCalculateCaptions) {
                ok &= Save(DrawCalculate(background, state.look, family, scale,
                                         QString::fromUtf8(language.caption)),
                           out + "/calculateButton" + language.folder, state.property + suffix);
            }
            for (int index = 0; index < 3; ++index) {
                ok &= Save(DrawFormButton(background, index, state.look, scale),
                           out + "/" + kWindowButtonFolders[index], state.property + suffix);
            }
        }
    }
    // The desktop's icon theme sizes; the program icon is installed from here.
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        ok &= Save(DrawIcon(size), out + "/icons", QString("%1.png").arg(size));
    }
    ok &= SaveBytes(IconSvg(), out + "/icons", "scalable.svg");
    return ok ? 0 : 1;
}
