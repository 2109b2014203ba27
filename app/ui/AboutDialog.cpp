#include "app/ui/AboutDialog.h"

#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "app/core/Branding.h"
#include "app/ui/DesignPalette.h"
#include "app/ui/SystemInfoStarter.h"
#include "app/ui/Twips.h"
#include "app/ui/WindowFonts.h"

namespace ui {

namespace {

QLabel* PlainLabel(QWidget* parent, const char* name, const QRect& geometry, bool wrap) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);  // branding texts are shown as they are
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

// The etched separator: a grey line with a white one just below it (pixels, inclusive).
constexpr QPoint kShadowFrom(6, 163), kShadowTo(376, 163);  // 90, 2445 to 5654, 2445
constexpr QPoint kLightFrom(7, 164), kLightTo(376, 164);    // 105, 2460 to 5654, 2460

}  // namespace

AboutDialog::AboutDialog(QWidget* owner, std::unique_ptr<SystemInfoStarter> starter)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      starter_(std::move(starter)),
      iconPicture_(new QLabel(this)),
      titleLabel_(PlainLabel(this, "titleLabel", Twips::Rect(1050, 240, 3885, 480), true)),
      versionLabel_(PlainLabel(this, "versionLabel", Twips::Rect(1050, 780, 3885, 225), false)),
      descriptionLabel_(
          PlainLabel(this, "descriptionLabel", Twips::Rect(1050, 1125, 3885, 1170), true)),
      disclaimerLabel_(
          PlainLabel(this, "disclaimerLabel", Twips::Rect(255, 2625, 3870, 825), true)),
      okButton_(Button(this, "okButton", tr("OK"), Twips::Rect(4245, 2625, 1260, 345))),
      systemInfoButton_(Button(this, "systemInfoButton", tr("&System Info..."),
                               Twips::Rect(4260, 3075, 1245, 345))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kClientWidth, kClientHeight);
    setPalette(DesignPalette(QColor(240, 240, 240)));  // the classic dialog face
    // The classic dialog face, so that the texts fit their fixed boxes.
    setFont(WindowFonts::Font(QStringLiteral("Tahoma"), 8.25));

    // The program's icon, 32 x 32 at the top left.
    iconPicture_->setObjectName(QStringLiteral("iconPicture"));
    iconPicture_->setGeometry(Twips::Rect(240, 240, 480, 480));
    QIcon icon = windowIcon();  // the owner's, else the application's
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    iconPicture_->setPixmap(icon.pixmap(iconPicture_->size()));

    // Enter presses okButton unless another button has the focus; Escape presses it always.
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfoButton_, &QPushButton::clicked, this, &AboutDialog::StartSystemInfo);

    LoadTexts();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::LoadTexts() {
    const QString title = QString::fromStdString(core::BrandingSettings.Title);
    const QString link = QString::fromStdString(core::BrandingSettings.Link);
    // The branding's title and link go into the texts in one pass, so that a "%1" of theirs
    // stays as typed.
    setWindowTitle(tr("About %1").arg(title));
    versionLabel_->setText(tr("Version %1.%2.%3")
                               .arg(CORPOMETER_VERSION_MAJOR)
                               .arg(CORPOMETER_VERSION_MINOR)
                               .arg(CORPOMETER_VERSION_PATCH));
    titleLabel_->setText(title);
    descriptionLabel_->setText(
        tr("%1 is a handy tool which you can use to quickly determine your Body Mass Index, "
           "thereby helping you to stay healthy. For more information on this and other "
           "products, Please contact us at: %2")
            .arg(title, link));
}

void AboutDialog::StartSystemInfo() {
    const std::string file = starter_ ? starter_->Locate() : std::string();
    if (!file.empty() && starter_->Start(file)) return;
    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Corpometer"),
                        tr("System Information Is Unavailable At This Time"), QMessageBox::Ok,
                        this);
    message.setWindowModality(Qt::ApplicationModal);
    message.exec();
}

void AboutDialog::reject() {
    okButton_->click();
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(kShadowFrom, kShadowTo);
    painter.setPen(Qt::white);
    painter.drawLine(kLightFrom, kLightTo);
}

}  // namespace ui
