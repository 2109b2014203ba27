#include "app/ui/QuickHelpWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QResizeEvent>
#include <QShowEvent>

#include "app/core/Branding.h"
#include "app/ui/DesignPalette.h"
#include "app/ui/WindowFonts.h"

namespace ui {

namespace {

// The window's text shows carriage returns the way the platform's labels do: "\r\n" and
// a lone "\r" each start a new line.
QString LabelLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QuickHelpWindow::QuickHelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      textLabel_(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Quick Help"));
    setFixedSize(kClientWidth, kClientHeight);
    setPalette(DesignPalette(QColor(0, 0, 128)));

    textLabel_->setObjectName(QStringLiteral("textLabel"));
    textLabel_->setTextFormat(Qt::PlainText);  // branding texts are shown as they are
    textLabel_->setWordWrap(true);
    textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    textLabel_->setAutoFillBackground(true);
    QPalette palette = textLabel_->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    textLabel_->setPalette(palette);
    textLabel_->setFont(WindowFonts::Font(QStringLiteral("Arial"), 9.75));

    LoadTexts();
}

void QuickHelpWindow::LoadTexts() {
    const QString title = QString::fromStdString(core::BrandingSettings.Title);
    // Two paragraphs after an empty line; the branding's title goes in as typed.
    caption_ = QStringLiteral("\r") +
               tr("%1 is very easy to use. Simply enter your weight in the left pane, and select "
                  "either Pounds or Kilograms. Next, select your height in feet and inches from "
                  "the list on the right. Finally, click the \"Calculate BMI button\". Your BMI "
                  "Index number is displayed, and the result is color-coded  to correspond with "
                  "the legend below. Match the colors to determine the range in which your BMI "
                  "Index falls.")
                   .arg(title) +
               QStringLiteral("\r\n\r\n ") +
               tr("The Body mass index (BMI) or Quetelet Index is a statistical measure of the "
                  "weight of a person scaled according to height. It is most often used to "
                  "determine the overall risk of poor health.");
    textLabel_->setText(LabelLines(caption_));
}

void QuickHelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QuickHelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    textLabel_->setGeometry(0, 0, width(), height());
}

void QuickHelpWindow::showEvent(QShowEvent* event) {
    // Opens centred on its owner; later showings keep wherever the user moved it.
    if (!placed_ && parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        placed_ = true;
    }
    QWidget::showEvent(event);
    textLabel_->setGeometry(0, 0, width(), height());
}

}  // namespace ui
