#include "app/ui/MainWindow.h"
#include "app/core/DocumentOpener.h"
#include "app/core/NumberText.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>

#include "app/core/Bmi.h"
#include "app/core/Branding.h"
#include "app/core/HeightList.h"
#include "app/core/LabelText.h"
#include "app/core/Paths.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/DesignPalette.h"
#include "app/ui/SecondaryWindows.h"
#include "app/ui/SettingsStore.h"
#include "app/ui/Twips.h"
#include "app/ui/WindowFonts.h"
#include "controls/qt/PictureButtonWidget.h"
#include "controls/qt/QtPictures.h"

namespace {

constexpr int kClientWidthTwips = 7320;
constexpr int kClientHeightTwips = 6075;
// The window has no title bar: the branding strip above the two input panels drags it.
constexpr int kDragStripHeight = 80;
constexpr int kFlashIntervalMs = 250;

const QColor kBackColour(224, 224, 224);
const QColor kFlashBright(255, 0, 0);
const QColor kFlashDark(175, 0, 0);
// Grey, as dark as small text needs to be read on the light panel (4.5:1).
const QColor kIdealWeightColour(96, 96, 96);

const QString kApplication = "Corpometer";
const QString kSettingsSection = "Settings";
const QString kWeightKey = "Weight";
const QString kHeightKey = "Height";
const QString kDefaultWeight = "140";
const QString kDefaultHeight = "20";

// The five bands by name, as the legend and screen readers give them.
const char* const kBandNames[] = {"Underweight", "Normal", "Overweight", "Obese", "Extreme"};

const QString kTahoma = "Tahoma";
const QString kVerdana = "Verdana";
const QString kTimes = "Times New Roman";
const QString kArial = "Arial";

QColor ColourOf(core::BmiBand band) {
    const core::Rgb rgb = core::BandColour(band);
    return {rgb.red, rgb.green, rgb.blue};
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Every load step after the branding goes on past a failure of the one before.
template <typename Step>
void RunStep(Step step) {
    try {
        step();
    } catch (...) {
    }
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption,
                  const QRect& geometry, const QFont& font) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // computed values are shown as they are
    label->setGeometry(geometry);
    label->setFont(font);
    label->setWordWrap(true);  // labels wrap at word boundaries within their width
    return label;
}

// A panel's heading label: opaque in the window's colour, it covers the panel's top edge.
QLabel* MakeCaption(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& geometry) {
    QLabel* label =
        MakeLabel(parent, name, caption, geometry, WindowFonts::Font(kVerdana, 9, true));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kBackColour);
    label->setPalette(palette);
    return label;
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& geometry) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setGeometry(geometry);
    option->setFont(WindowFonts::Font(kTahoma, 8.25));  // the frame's font is its caption's only
    // The stand-in fonts can run a little wider than the designed ones: never cut a caption.
    option->resize(std::max(option->width(), option->sizeHint().width()), option->height());
    return option;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFont(WindowFonts::Font(kTimes, 12));
    // The caption sits on the panel's top edge, as the frames were designed.
    frame->setStyleSheet(
        "QGroupBox { border: 1px solid rgb(150, 156, 164); border-radius: 5px; margin-top: 9px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 2px; padding: 0px 1px; }");
    return frame;
}

controls::PictureButtonWidget* MakePictureButton(QWidget* parent, const QString& name,
                                                 const QString& pictureFolder,
                                                 const QRect& geometry) {
    auto* button = new controls::PictureButtonWidget(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // The pictures are the button's persisted properties, kept in the resource system.
    button->Control().ReadProperties(controls::LoadPictureFolder(pictureFolder));
    return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("MainWindow");
    setWindowTitle(kApplication);
    setWindowIcon(QIcon(":/pictures/fMain/icon.png"));
    setFixedSize(Twips::ToPixels(kClientWidthTwips), Twips::ToPixels(kClientHeightTwips));
    setFont(WindowFonts::Font(kTahoma, 8.25));
    background_ = QPixmap(":/pictures/fMain/background.png");
    doubleResolutionBackground_ = QPixmap(":/pictures/fMain/background@2x.png");
    doubleResolutionBackground_.setDevicePixelRatio(2);

    CreateControls();
    // The artwork is light: the texts take the design's colours, not the desktop's.
    ApplyDesignPalette(this, kBackColour);
    SetTabOrder();
    secondaryWindows_ = std::make_unique<SecondaryWindows>(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kFlashIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls() {
    const QString defaultName =
        QString::fromStdString(core::LabelDisplayText(core::kDefaultNameText));
    lblName[0] = new ClickLabel(this);
    lblName[0]->setObjectName("lblName0");
    lblName[0]->setGeometry(Twips::Rect(240, 120, 5625, 900));
    lblName[0]->setFont(WindowFonts::Font(kTahoma, 17.25, true));
    lblName[0]->setText(defaultName);
    lblName[0]->setWordWrap(true);
    lblName[0]->setCursor(Qt::PointingHandCursor);
    SetTextColour(lblName[0], Qt::white);

    CreateBannerControls();

    lblName[1] = new ClickLabel(this);
    lblName[1]->setObjectName("lblName1");
    lblName[1]->setGeometry(Twips::Rect(5970, 585, 1050, 495));
    lblName[1]->setFont(WindowFonts::Font(kTahoma, 8.25));
    lblName[1]->setText(kApplication);
    lblName[1]->setWordWrap(true);
    SetTextColour(lblName[1], Qt::white);

    for (int index = 0; index < 2; ++index) {
        connect(lblName[index], &ClickLabel::Click, this, [this, index] { lblName_Click(index); });
        lblName[index]->installEventFilter(this);  // the strip's labels drag the window too
    }
    DescribeLinks(false);  // until the branding gives a link

    const int formButtonLefts[] = {5970, 6345, 6720};
    const char* const formButtonNames[] = {"Menu", "Minimize", "Close"};
    for (int index = 0; index < 3; ++index) {
        btnForm[index] = MakePictureButton(this, QString("btnForm%1").arg(index),
                                           QString(":/pictures/btnForm%1").arg(index),
                                           Twips::Rect(formButtonLefts[index], 165, 315, 315));
        btnForm[index]->setAccessibleName(formButtonNames[index]);
        connect(btnForm[index], &controls::PictureButtonWidget::Click, this,
                [this, index] { btnForm_Click(index); });
    }

    CreateWeightPanel();
    CreateHeightPanel();
    CreateResultPanel();
    CreateLegend();
}

void MainWindow::CreateWeightPanel() {
    Frame1 = MakeFrame(this, "Frame1", "Weight", Twips::Rect(360, 1320, 3135, 2130));
    lblCaptions[0] =
        MakeCaption(Frame1, "lblCaptions0", " Enter Weight:", Twips::Rect(735, 90, 1725, 240));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName("Text1");
    Text1->setGeometry(Twips::Rect(255, 735, 1395, 645));
    Text1->setFont(WindowFonts::Font(kTimes, 26.25));
    connect(Text1, &QLineEdit::returnPressed, this, &MainWindow::btnCalculate_Click);
    lblCaptions[0]->setBuddy(Text1);  // screen readers name the box by its caption

    lblWeightUnit = MakeLabel(Frame1, "lblWeightUnit", "Lbs", Twips::Rect(1830, 750, 975, 615),
                              WindowFonts::Font(kTimes, 26.25));
    optWeightUnit[1] =
        MakeOption(Frame1, "optWeightUnit1", "Pounds", Twips::Rect(345, 1605, 930, 255));
    optWeightUnit[0] =
        MakeOption(Frame1, "optWeightUnit0", "Kilograms", Twips::Rect(1755, 1605, 1065, 255));
    optWeightUnit[1]->setChecked(true);
    for (int index = 0; index < 2; ++index) {
        connect(optWeightUnit[index], &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked) optWeightUnit_Click(index);
        });
    }
}

void MainWindow::CreateHeightPanel() {
    Frame2 = MakeFrame(this, "Frame2", "Height", Twips::Rect(3675, 1320, 3195, 2130));
    lblCaptions[1] =
        MakeCaption(Frame2, "lblCaptions1", "Select Height:", Twips::Rect(840, 90, 1560, 240));
    List1 = new QListWidget(Frame2);
    List1->setObjectName("List1");
    List1->setGeometry(Twips::Rect(255, 630, 2715, 1065));
    List1->setFont(WindowFonts::Font(kVerdana, 14.25));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->installEventFilter(this);  // Enter calculates, as in the weight box
    lblCaptions[1]->setBuddy(List1);
    List1->setAccessibleName(lblCaptions[1]->text().trimmed());  // lists do not ask the buddy

    optHeightUnit[0] =
        MakeOption(Frame2, "optHeightUnit0", "Feet/Inches", Twips::Rect(300, 1800, 1230, 240));
    optHeightUnit[1] =
        MakeOption(Frame2, "optHeightUnit1", "Centimeters", Twips::Rect(1665, 1800, 1230, 240));
    optHeightUnit[0]->setChecked(true);
    for (int index = 0; index < 2; ++index) {
        connect(optHeightUnit[index], &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked) optHeightUnit_Click(index);
        });
    }
}

void MainWindow::CreateResultPanel() {
    Frame4 = MakeFrame(this, "Frame4", "Your BMI", Twips::Rect(360, 3570, 6510, 1650));
    btnCalculate = MakePictureButton(Frame4, "btnCalculate", ":/pictures/btnCalculate",
                                     Twips::Rect(180, 535, 2265, 600));
    btnCalculate->setAccessibleName("Calculate BMI");
    connect(btnCalculate, &controls::PictureButtonWidget::Click, this,
            &MainWindow::btnCalculate_Click);

    lblCaptions[2] =
        MakeCaption(Frame4, "lblCaptions2", "Your BMI is:", Twips::Rect(2460, 90, 1560, 225));
    lblBMI = MakeLabel(Frame4, "lblBMI", QString(), Twips::Rect(2685, 420, 3615, 825),
                       WindowFonts::Font(kArial, 41.25, true));
    lblIWeight = MakeLabel(Frame4, "lblIWeight", QString(), Twips::Rect(120, 1440, 2655, 255),
                           WindowFonts::Font(kTahoma, 8.25));
    SetTextColour(lblIWeight, kIdealWeightColour);
}

void MainWindow::CreateLegend() {
    const int swatchLefts[] = {240, 1905, 3105, 4650, 5760};
    const int rangeLefts[] = {540, 2235, 3405, 4965, 6045};
    for (int band = 0; band < 5; ++band) {
        auto* swatch = new QLabel(this);
        swatch->setObjectName(QString("lblLegend%1").arg(band));
        swatch->setAccessibleName(kBandNames[band]);
        swatch->setGeometry(Twips::Rect(swatchLefts[band], 5550, 300, 300));
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, ColourOf(static_cast<core::BmiBand>(band)));
        swatch->setPalette(palette);
        lblLegend[band] = swatch;

        auto* range = new QLabel(this);
        range->setTextFormat(Qt::PlainText);
        range->setText(QString(" = ") + kBandNames[band]);
        range->setObjectName(QString("lblRange%1").arg(band));
        range->setFont(WindowFonts::Font(kTahoma, 8.25, true));
        SetTextColour(range, Qt::white);
        range->move(Twips::ToPixels(rangeLefts[band]), Twips::ToPixels(5595));
        range->resize(range->sizeHint());  // sized to its text
        lblRange[band] = range;
    }
}

void MainWindow::SetTabOrder() {
    // The panels from left to right, top to bottom.
    QWidget::setTabOrder(Text1, optWeightUnit[1]);
    QWidget::setTabOrder(optWeightUnit[1], optWeightUnit[0]);
    QWidget::setTabOrder(optWeightUnit[0], List1);
    QWidget::setTabOrder(List1, optHeightUnit[0]);
    QWidget::setTabOrder(optHeightUnit[0], optHeightUnit[1]);
    QWidget::setTabOrder(optHeightUnit[1], btnCalculate);
    // Then the strip's buttons from left to right: menu, minimise, close.
    QWidget::setTabOrder(btnCalculate, btnForm[0]);
    QWidget::setTabOrder(btnForm[0], btnForm[1]);
    QWidget::setTabOrder(btnForm[1], btnForm[2]);
    Text1->setFocus();
}

void MainWindow::Load() {
    core::LoadBranding();
    const core::BrandingValues& branding = core::BrandingSettings;

    RunStep([&] { optHeightUnit_Click(core::kFeetInches); });
    RunStep([&] { PlaceBannerFirstPoint(); });
    RunStep([&] {
        Text1->setText(
            SettingsStore::GetSetting(kApplication, kSettingsSection, kWeightKey, kDefaultWeight));
    });
    RunStep([&] {
        const QString saved =
            SettingsStore::GetSetting(kApplication, kSettingsSection, kHeightKey, kDefaultHeight);
        const int row = core::RestoredHeightRow(saved.toStdString(), List1->count());
        if (row >= 0) List1->setCurrentRow(row);  // a row outside the list selects nothing
    });
    RunStep([&] {
        lblName[0]->setFont(WindowFonts::Resized(lblName[0]->font(), 17));
        lblName[0]->setText(QString::fromStdString(core::LabelDisplayText(branding.NameText)));
        DescribeLinks(!branding.Link.empty());
    });
    RunStep([&] {
        lblName[1]->setFont(WindowFonts::Resized(lblName[1]->font(), 8));
        lblName[1]->setText(QString::fromStdString(core::LabelDisplayText(branding.Title)));
    });
    RunStep([&] { PlaceBannerSecondPoint(); });
}

void MainWindow::FillHeightList(int unitIndex) {
    List1->clear();  // nothing is selected afterwards
    for (const std::string& row : core::HeightRows(unitIndex)) {
        List1->addItem(QString::fromStdString(row));
    }
}

void MainWindow::btnCalculate_Click() {
    core::BmiInput input;
    input.weight = core::ReadLeadingNumber(Text1->text().toStdString());
    input.weightInKilograms = optWeightUnit[0]->isChecked();
    const QListWidgetItem* row = List1->currentItem();
    const bool rowSelected = row != nullptr && row->isSelected();
    input.heightIndex = static_cast<int16_t>(rowSelected ? List1->currentRow() : -1);
    input.heightInFeetInches = optHeightUnit[0]->isChecked();
    if (rowSelected) input.heightRowText = row->text().toStdString();

    const core::BmiResult result = core::ComputeBmi(input);
    if (result.error == core::BmiError::WeightMissing) {
        ShowInputMessage("Please specify weight");
        return;
    }
    if (result.error == core::BmiError::HeightMissing) {
        ShowInputMessage("Please specify height");
        return;
    }

    lblBMI->setText(QString::fromStdString(core::FormatBmi(result.bmi)));
    AnnounceResult(lblBMI->text() + ", " + kBandNames[static_cast<int>(result.band)]);
    lblIWeight->setText("Weight for 22.5 BMI : " +
                        QString::fromStdString(core::FormatIdealWeight(result.idealWeight)) +
                        (input.weightInKilograms ? " kgs." : " lbs"));
    Timer1->stop();
    if (result.band == core::BmiBand::Extreme) {
        Timer1->start();
        SetResultColour(kFlashBright);
    } else {
        SetResultColour(ColourOf(result.band));
    }

    SettingsStore::SaveSetting(kApplication, kSettingsSection, kWeightKey, Text1->text());
    SettingsStore::SaveSetting(kApplication, kSettingsSection, kHeightKey,
                               QString::number(input.heightIndex));
}

void MainWindow::AnnounceResult(const QString& spoken) {
    if (lblBMI->accessibleName() != spoken) {
        lblBMI->setAccessibleName(spoken);  // tells screen readers of the change
        return;
    }
    // The same result again is announced again.
    QAccessibleEvent event(lblBMI, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void MainWindow::ShowInputMessage(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplication, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::SetResultColour(const QColor& colour) {
    SetTextColour(lblBMI, colour);
}

void MainWindow::Timer1_Timer() {
    const bool previous = flashPhase_;
    flashPhase_ = !flashPhase_;
    SetResultColour(previous ? kFlashDark : kFlashBright);
}

void MainWindow::btnForm_Click(int Index) {
    switch (Index) {
        case 0:
            ShowPopupMenu();
            break;
        case 1:
            setWindowState(windowState() | Qt::WindowMinimized);
            break;
        case 2:
            close();
            break;
        default:
            break;
    }
}

void MainWindow::ShowPopupMenu() {
    // Pressed with the mouse, the menu comes up at the cursor; from the keyboard (or a
    // screen reader) below the button, its right edge at the button's.
    QWidget* button = btnForm[0];
    if (button->underMouse()) {
        secondaryWindows_->RunPopupMenu();
    } else {
        secondaryWindows_->RunPopupMenu(
            button->mapToGlobal(QPoint(button->width(), button->height())));
    }
}

void MainWindow::optWeightUnit_Click(int Index) {
    lblWeightUnit->setText(Index == 1 ? "Lbs." : "Kgs.");
}

void MainWindow::optHeightUnit_Click(int Index) {
    FillHeightList(Index);
}

void MainWindow::lblName_Click(int Index) {
    if (Index == 0) core::OpenDocument(core::BrandingSettings.Link);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackColour);
    const bool dense = devicePixelRatioF() > 1 && !doubleResolutionBackground_.isNull();
    painter.drawPixmap(0, 0, dense ? doubleResolutionBackground_ : background_);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < kDragStripHeight) {
        BeginDrag(event->globalPosition().toPoint());
        dragging_ = true;  // the bare strip drags at once
        if (StartSystemMove()) dragPressed_ = false;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (ContinueDrag(event->globalPosition().toPoint())) {
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    EndDrag();
    QWidget::mouseReleaseEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1) {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        btnCalculate_Click();
        return true;
    }
    // On the name and title lines a press is a click until the mouse moves far enough to
    // make it a drag; a drag ends without the click.
    if (watched != lblName[0] && watched != lblName[1]) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) BeginDrag(mouse->globalPosition().toPoint());
            return false;
        }
        case QEvent::MouseMove:
            return ContinueDrag(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        case QEvent::MouseButtonRelease:
            return EndDrag();
        default:
            return false;
    }
}

void MainWindow::BeginDrag(const QPoint& globalPosition) {
    dragPressed_ = true;
    dragging_ = false;
    dragStart_ = globalPosition;
    dragOffset_ = globalPosition - pos();
}

bool MainWindow::ContinueDrag(const QPoint& globalPosition) {
    if (!dragPressed_) return false;
    if (!dragging_ &&
        (globalPosition - dragStart_).manhattanLength() < QApplication::startDragDistance()) {
        return false;
    }
    if (!dragging_) {
        dragging_ = true;
        if (StartSystemMove()) {
            dragPressed_ = false;  // the window system has the pointer now
            return true;
        }
    }
    move(globalPosition - dragOffset_);
    return true;
}

bool MainWindow::StartSystemMove() {
    // The window system moves the window: the only way under Wayland, where a window cannot
    // place itself, and the usual one under X11 with a window manager. Where the platform
    // refuses (X11 without a window manager), the window moves itself.
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

bool MainWindow::EndDrag() {
    const bool dragged = dragging_;
    dragPressed_ = false;
    dragging_ = false;
    return dragged;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    // The secondary windows belong to this one and go with it.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) child->close();
    }
    event->accept();
    emit Unloaded();
}
