// The banner over the name line: a still picture in bannerPicture_ or the animated GIF viewer
// bannerAnimation_, as the branding asks, placed at the two banner points of the load sequence.
// A click on either opens the branding link, as a click on the name line does.

#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <cstdint>
#include <cstdio>

#include "app/core/Branding.h"
#include "app/core/BrandingBanner.h"
#include "app/core/DocumentOpener.h"
#include "app/core/Paths.h"
#include "app/ui/AccessibleLink.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/MainWindow.h"
#include "controls/qt/FocusMark.h"
#include "controls/qt/GifViewerWidget.h"

namespace ui {

void MainWindow::CreateBannerControls() {
    // Both banners have the name line's rectangle.
    bannerPicture_ = new ClickLabel(this);
    bannerPicture_->setObjectName("bannerPicture");
    bannerPicture_->setGeometry(brandLabels_[BrandLabel::Name]->geometry());
    bannerPicture_->setCursor(Qt::PointingHandCursor);
    connect(bannerPicture_, &ClickLabel::Click, this, [this] { BannerPictureClick(); });

    bannerAnimation_ = new controls::GifViewerWidget(this);
    bannerAnimation_->setObjectName("bannerAnimation");
    bannerAnimation_->hide();  // until the branding asks for it
    connect(bannerAnimation_, &controls::GifViewerWidget::Click, this,
            [this] { BannerAnimationClick(); });
    connect(bannerAnimation_, &controls::GifViewerWidget::KeyPress, this,
            [this](std::int16_t& keyAscii) { BannerAnimationKey(keyAscii); });
    bannerAnimation_->installEventFilter(this);  // the focus mark
}

namespace {

// The still banner's picture, or none when it is not a picture or larger than a banner may
// be: its size is read first, from the file's head, and where the format does not tell it
// there, the reader refuses to make a larger picture.
QPixmap StillBanner(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    const int previousLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(int(core::kMaxBannerPixelBytes >> 20));
    const QSize size = reader.size();
    if (size.isValid() && std::uint64_t(size.width()) * std::uint64_t(size.height()) * 4 >
                              core::kMaxBannerPixelBytes) {
        std::fprintf(stderr,
                     "corpometer: not using \"%s\": a picture of %d x %d pixels is larger "
                     "than a banner may be\n",
                     path.c_str(), size.width(), size.height());
        QImageReader::setAllocationLimit(previousLimit);
        return {};
    }
    QPixmap picture = QPixmap::fromImageReader(&reader);
    QImageReader::setAllocationLimit(previousLimit);
    if (picture.isNull()) {
        std::fprintf(stderr, "corpometer: not using \"%s\" as the still banner: %s\n",
                     path.c_str(), qPrintable(reader.errorString()));
    }
    return picture;
}

}  // namespace

void MainWindow::PlaceBannerFirstPoint() {
    const core::BrandingValues& branding = core::BrandingSettings;
    const bool animated = branding.ShowAnimatedBanner != 0;
    const bool still = branding.ShowPictureBanner != 0;

    bannerAnimation_->Viewer().SetAutoPlay(true);
    bannerAnimation_->setGeometry(bannerPicture_->geometry());

    // A banner that cannot be shown (missing, unreadable, not a picture) stays hidden and
    // leaves the name line in view instead of an empty box over it. The focus stays in the
    // weight box, where a user types first.
    bool animationShown = false;
    if (animated) {
        bannerAnimation_->Viewer().Setenabled(true);
        bannerAnimation_->Viewer().SetLoadLimits(core::BannerLoadLimits());
        // A GIF of several frames starts playing at once.
        animationShown = bannerAnimation_->Viewer().LoadFromFile(branding.BannerPath);
        core::ReportAnimatedBannerLoad(branding.BannerPath, animationShown,
                                       bannerAnimation_->Viewer().LoadDamage());
        bannerAnimation_->setVisible(animationShown);
    }

    const QPixmap picture = still ? StillBanner(branding.BannerPath) : QPixmap();
    if (!picture.isNull()) {
        // Any format the picture loader reads. An image control that does not stretch takes
        // its picture's size.
        bannerPicture_->setPixmap(picture);
        bannerPicture_->resize(picture.size());
        bannerPicture_->setEnabled(true);
        bannerPicture_->show();
        bannerPicture_->raise();
    } else {
        bannerPicture_->setEnabled(false);
        bannerPicture_->hide();
        brandLabels_[BrandLabel::Name]->raise();
    }

    // With both banners on, the animated one is the one seen.
    if (animationShown) bannerAnimation_->raise();
}

void MainWindow::PlaceBannerSecondPoint() {
    bannerPicture_->move(brandLabels_[BrandLabel::Name]->pos());
}

void MainWindow::DescribeLinks(bool links) {
    // Screen readers: the name line and the banners over it are links while there is a
    // link, the pictures named by the line they stand for (or by the link itself).
    const QString name = brandLabels_[BrandLabel::Name]->text().isEmpty()
                             ? QString::fromStdString(core::BrandingSettings.Link)
                             : brandLabels_[BrandLabel::Name]->text();
    for (QWidget* linking :
         {static_cast<QWidget*>(brandLabels_[BrandLabel::Name]),
          static_cast<QWidget*>(bannerPicture_), static_cast<QWidget*>(bannerAnimation_)}) {
        AccessibleLink::SetLinks(linking, links);
    }
    bannerPicture_->setAccessibleName(name);
    bannerAnimation_->setAccessibleName(name);
    // While there is a link, Tab reaches it on whichever of the three is seen over the others
    // (Enter or Space there opens it); never where nothing opens.
    QWidget* seen = brandLabels_[BrandLabel::Name];
    if (!bannerPicture_->isHidden()) seen = bannerPicture_;
    if (!bannerAnimation_->isHidden()) seen = bannerAnimation_;
    for (QWidget* linking :
         {static_cast<QWidget*>(brandLabels_[BrandLabel::Name]),
          static_cast<QWidget*>(bannerPicture_), static_cast<QWidget*>(bannerAnimation_)}) {
        linking->setFocusPolicy(links && linking == seen ? Qt::TabFocus : Qt::NoFocus);
    }
}

void MainWindow::BannerAnimationKey(int keyAscii) {
    constexpr int kEnter = 13, kLineFeed = 10, kSpace = 32;
    if (keyAscii == kEnter || keyAscii == kLineFeed || keyAscii == kSpace) BannerAnimationClick();
}

bool MainWindow::FilterBannerAnimationEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            bannerAnimation_->update();
            return false;
        case QEvent::Paint: {
            if (!bannerAnimation_->hasFocus()) return false;
            // The viewer paints its frame first, then the mark goes over it, as on the picture
            // buttons.
            static_cast<QObject*>(bannerAnimation_)->event(event);
            QPainter painter(bannerAnimation_);
            controls::DrawFocusMark(painter, bannerAnimation_->rect());
            return true;
        }
        default:
            return false;
    }
}

void MainWindow::BannerPictureClick() {
    core::OpenDocument(core::BrandingSettings.Link);
}

void MainWindow::BannerAnimationClick() {
    core::OpenDocument(core::BrandingSettings.Link);
}

}  // namespace ui
