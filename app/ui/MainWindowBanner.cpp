// The banner over the name line: a still picture in imBanner or the animated GIF viewer
// ucGIF, as the branding asks, placed at the two banner points of the load sequence.
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
    imBanner = new ClickLabel(this);
    imBanner->setObjectName("imBanner");
    imBanner->setGeometry(lblName[0]->geometry());
    imBanner->setCursor(Qt::PointingHandCursor);
    connect(imBanner, &ClickLabel::Click, this, [this] { imBanner_Click(); });

    ucGIF = new controls::GifViewerWidget(this);
    ucGIF->setObjectName("ucGIF");
    ucGIF->hide();  // until the branding asks for it
    connect(ucGIF, &controls::GifViewerWidget::Click, this, [this] { ucGIF_Click(); });
}

void MainWindow::PlaceBannerFirstPoint() {
    const core::BrandingValues& branding = core::BrandingSettings;
    const bool animated = branding.ShowAnimatedBanner != 0;
    const bool still = branding.ShowPictureBanner != 0;

    ucGIF->Viewer().SetAutoPlay(true);
    ucGIF->setGeometry(imBanner->geometry());

    if (animated) {
        ucGIF->Viewer().Setenabled(true);
        // A file that cannot be read leaves the viewer empty; a GIF of several frames
        // starts playing at once.
        ucGIF->Viewer().LoadFromFile(branding.BannerPath);
        ucGIF->show();
        ucGIF->setFocus();
    }

    if (still) {
        // Any format the picture loader reads. An image control that does not stretch takes
        // its picture's size; a file that cannot be read leaves it empty, and the name line
        // shows through.
        const QPixmap picture(QString::fromStdString(branding.BannerPath));
        if (!picture.isNull()) {
            imBanner->setPixmap(picture);
            imBanner->resize(picture.size());
        }
        imBanner->setEnabled(true);
        imBanner->show();
        imBanner->raise();
    } else {
        imBanner->setEnabled(false);
        imBanner->hide();
        lblName[0]->raise();
    }

    // With both banners on, the animated one is the one seen.
    if (animated) ucGIF->raise();
}

void MainWindow::PlaceBannerSecondPoint() {
    imBanner->move(lblName[0]->pos());
}

void MainWindow::DescribeLinks(bool links) {
    // Screen readers: the name line and the banners over it are links while there is a
    // link, the pictures named by the line they stand for (or by the link itself).
    const QString name = lblName[0]->text().isEmpty()
                             ? QString::fromStdString(core::BrandingSettings.Link)
                             : lblName[0]->text();
    for (QWidget* linking : {static_cast<QWidget*>(lblName[0]), static_cast<QWidget*>(imBanner),
                             static_cast<QWidget*>(ucGIF)}) {
        AccessibleLink::SetLinks(linking, links);
    }
    imBanner->setAccessibleName(name);
    ucGIF->setAccessibleName(name);
}

void MainWindow::imBanner_Click() {
    core::OpenDocument(core::BrandingSettings.Link);
}

void MainWindow::ucGIF_Click() {
    core::OpenDocument(core::BrandingSettings.Link);
}
