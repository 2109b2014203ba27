// The banner over the name line: a still picture in bannerPicture_ or the animated GIF viewer
// bannerAnimation_, as the branding asks, placed at the two banner points of the load sequence.
// A click on either opens the branding link, as a click on the name line does.

#include <QPixmap>

#include "app/core/Branding.h"
#include "app/core/DocumentOpener.h"
#include "app/core/Paths.h"
#include "app/ui/AccessibleLink.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/MainWindow.h"
#include "controls/qt/GifViewerWidget.h"

void MainWindow::CreateBannerControls() {
    // Both banners have the name line's rectangle.
    bannerPicture_ = new ClickLabel(this);
    bannerPicture_->setObjectName("bannerPicture");
    bannerPicture_->setGeometry(brandLabels_[0]->geometry());
    bannerPicture_->setCursor(Qt::PointingHandCursor);
    connect(bannerPicture_, &ClickLabel::Click, this, [this] { BannerPictureClick(); });

    bannerAnimation_ = new controls::GifViewerWidget(this);
    bannerAnimation_->setObjectName("bannerAnimation");
    bannerAnimation_->hide();  // until the branding asks for it
    connect(bannerAnimation_, &controls::GifViewerWidget::Click, this,
            [this] { BannerAnimationClick(); });
}

void MainWindow::PlaceBannerFirstPoint() {
    const core::BrandingValues& branding = core::BrandingSettings;
    const bool animated = branding.ShowAnimatedBanner != 0;
    const bool still = branding.ShowPictureBanner != 0;

    bannerAnimation_->Viewer().SetAutoPlay(true);
    bannerAnimation_->setGeometry(bannerPicture_->geometry());

    if (animated) {
        bannerAnimation_->Viewer().Setenabled(true);
        // A file that cannot be read leaves the viewer empty; a GIF of several frames
        // starts playing at once.
        bannerAnimation_->Viewer().LoadFromFile(branding.BannerPath);
        bannerAnimation_->show();
        bannerAnimation_->setFocus();
    }

    if (still) {
        // Any format the picture loader reads. An image control that does not stretch takes
        // its picture's size; a file that cannot be read leaves it empty, and the name line
        // shows through.
        const QPixmap picture(QString::fromStdString(branding.BannerPath));
        if (!picture.isNull()) {
            bannerPicture_->setPixmap(picture);
            bannerPicture_->resize(picture.size());
        }
        bannerPicture_->setEnabled(true);
        bannerPicture_->show();
        bannerPicture_->raise();
    } else {
        bannerPicture_->setEnabled(false);
        bannerPicture_->hide();
        brandLabels_[0]->raise();
    }

    // With both banners on, the animated one is the one seen.
    if (animated) bannerAnimation_->raise();
}

void MainWindow::PlaceBannerSecondPoint() {
    bannerPicture_->move(brandLabels_[0]->pos());
}

void MainWindow::DescribeLinks(bool links) {
    // Screen readers: the name line and the banners over it are links while there is a
    // link, the pictures named by the line they stand for (or by the link itself).
    const QString name = brandLabels_[0]->text().isEmpty()
                             ? QString::fromStdString(core::BrandingSettings.Link)
                             : brandLabels_[0]->text();
    for (QWidget* linking :
         {static_cast<QWidget*>(brandLabels_[0]), static_cast<QWidget*>(bannerPicture_),
          static_cast<QWidget*>(bannerAnimation_)}) {
        AccessibleLink::SetLinks(linking, links);
    }
    bannerPicture_->setAccessibleName(name);
    bannerAnimation_->setAccessibleName(name);
}

void MainWindow::BannerPictureClick() {
    core::OpenDocument(core::BrandingSettings.Link);
}

void MainWindow::BannerAnimationClick() {
    core::OpenDocument(core::BrandingSettings.Link);
}
