#include "app/ui/MainWindow.h"
#include "app/core/DocumentOpener.h"
#include "app/core/NumberText.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

#include "app/core/Bmi.h"
#include "app/core/Branding.h"
#include "app/core/HeightList.h"
#include "app/core/LabelText.h"
#include "app/core/Paths.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/DesignPalette.h"
#include "app/ui/MainWindowLayout.h"
#include "app/ui/PanelFrame.h"
#include "app/ui/SecondaryWindows.h"
#include "app/ui/SettingsStore.h"
#include "app/ui/Translations.h"
#include "app/ui/Twips.h"
#include "app/ui/WindowDrag.h"
#include "app/ui/WindowFonts.h"
#include "controls/qt/GifViewerWidget.h"
#include "controls/qt/PictureButtonWidget.h"
#include "controls/qt/QtPictures.h"

namespace ui {

namespace {

namespace layout = MainWindowLayout;

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
// The unit choices, stored by the option's name; anything else starts as a first start does.
const QString kWeightUnitKey = "WeightUnit";
const QString kHeightUnitKey = "HeightUnit";
const QString kPounds = "Pounds";
const QString kKilograms = "Kilograms";
const QString kFeetInches = "FeetInches";
const QString kCentimeters = "Centimeters";
const QString kDefaultWeight = "140";
const QString kDefaultHeight = "20";

// The five bands by name, as the legend and screen readers give them.
// The five bands by name, as the result and screen readers give them, in the user's language.
const char* const kBandNames[] = {QT_TRANSLATE_NOOP("ui::MainWindow", "Underweight"),
                                  QT_TRANSLATE_NOOP("ui::MainWindow", "Normal"),
                                  QT_TRANSLATE_NOOP("ui::MainWindow", "Overweight"),
                                  QT_TRANSLATE_NOOP("ui::MainWindow", "Obese"),
                                  QT_TRANSLATE_NOOP("ui::MainWindow", "Extreme")};
// The legend's words beside its swatches: the same names, in the few pixels each has (a
// translation may take a shorter word than the band's name).
const char* const kLegendTexts[] = {QT_TRANSLATE_NOOP("ui::MainWindow", " = Underweight"),
                                    QT_TRANSLATE_NOOP("ui::MainWindow", " = Normal"),
                                    QT_TRANSLATE_NOOP("ui::MainWindow", " = Overweight"),
                                    QT_TRANSLATE_NOOP("ui::MainWindow", " = Obese"),
                                    QT_TRANSLATE_NOOP("ui::MainWindow", " = Extreme")};

QString BandName(core::BmiBand band) {
    return MainWindow::tr(kBandNames[static_cast<int>(band)]);
}

// The Calculate button's pictures carry its caption: they are drawn in each language the
// windows speak, in a folder of that language's code beside the English ones.
QString CalculatePictures() {
    const QString english = QStringLiteral(":/pictures/calculateButton");
    const QString translated = english + "/" + Translations::Language();
    return QFile::exists(translated) ? translated : english;
}

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

PanelFrame* MakeFrame(QWidget* parent, const QString& name, const QString& caption,
                      const QRect& geometry) {
    auto* frame = new PanelFrame(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFont(WindowFonts::Font(kTimes, 12));
    return frame;
}

// An option for `unit`, `chosen` at start: `click` hears the unit when the option becomes the
// chosen one later.
template <typename Unit, typename Click>
QRadioButton* MakeUnitOption(QWidget* parent, const QString& name, const QString& caption,
                             const QRect& geometry, Unit unit, bool chosen, Click click) {
    QRadioButton* option = MakeOption(parent, name, caption, geometry);
    option->setChecked(chosen);
    QObject::connect(option, &QRadioButton::toggled, option, [unit, click](bool checked) {
        if (checked) click(unit);
    });
    return option;
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

// The program's icon, also at twice the resolution on a screen with more device pixels than
// pixels.
QIcon WindowIcon() {
    QIcon icon(QPixmap::fromImage(controls::ReadImage(":/pictures/mainWindow/icon.pixels")));
    if (qApp->devicePixelRatio() > 1) icon.addFile(":/pictures/mainWindow/icon@2x.png");
    return icon;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("MainWindow");
    setWindowTitle(kApplication);
    setWindowIcon(WindowIcon());
    setFixedSize(Twips::ToPixels(layout::kClientWidth), Twips::ToPixels(layout::kClientHeight));
    setFont(WindowFonts::Font(kTahoma, 8.25));
    // The artwork is light: the window and everything in it take the design's colours, not
    // the desktop's.
    setPalette(DesignPalette(kBackColour));
    background_ =
        QPixmap::fromImage(controls::ReadImage(":/pictures/mainWindow/background.pixels"));

    CreateControls();
    SetTabOrder();
    secondaryWindows_ = std::make_unique<SecondaryWindows>(this);

    flashTimer_ = new QTimer(this);
    flashTimer_->setObjectName("flashTimer");
    flashTimer_->setInterval(kFlashIntervalMs);
    connect(flashTimer_, &QTimer::timeout, this, &MainWindow::FlashTimerTick);
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls() {
    const QString defaultName =
        QString::fromStdString(core::LabelDisplayText(core::kDefaultNameText));
    brandLabels_[BrandLabel::Name] = new ClickLabel(this);
    brandLabels_[BrandLabel::Name]->setObjectName("brandNameLabel");
    brandLabels_[BrandLabel::Name]->setGeometry(Twips::ToPixels(layout::kBrandName));
    brandLabels_[BrandLabel::Name]->setFont(WindowFonts::Font(kTahoma, 17.25, true));
    brandLabels_[BrandLabel::Name]->setText(defaultName);
    brandLabels_[BrandLabel::Name]->setWordWrap(true);
    brandLabels_[BrandLabel::Name]->setCursor(Qt::PointingHandCursor);
    SetTextColour(brandLabels_[BrandLabel::Name], Qt::white);

    CreateBannerControls();

    brandLabels_[BrandLabel::Title] = new ClickLabel(this);
    brandLabels_[BrandLabel::Title]->setObjectName("brandTitleLabel");
    brandLabels_[BrandLabel::Title]->setGeometry(Twips::ToPixels(layout::kBrandTitle));
    brandLabels_[BrandLabel::Title]->setFont(WindowFonts::Font(kTahoma, 8.25));
    brandLabels_[BrandLabel::Title]->setText(kApplication);
    brandLabels_[BrandLabel::Title]->setWordWrap(true);
    SetTextColour(brandLabels_[BrandLabel::Title], Qt::white);

    // The window has no title bar: the bare strip above the two input panels drags it, and so
    // do its labels, where a press is a click until the mouse moves far enough to make it a drag.
    auto* drag = new WindowDrag(this);
    drag->AddHandle(this, WindowDrag::Start::AtPress,
                    QRect(0, 0, width(), layout::kDragStripHeight));
    for (const BrandLabel label : {BrandLabel::Name, BrandLabel::Title}) {
        connect(brandLabels_[label], &ClickLabel::Click, this,
                [this, label] { BrandLabelClick(label); });
        drag->AddHandle(brandLabels_[label], WindowDrag::Start::PastDragDistance);
    }
    DescribeLinks(false);  // until the branding gives a link

    const char* const windowButtonNames[] = {QT_TR_NOOP("Menu"), QT_TR_NOOP("Minimize"),
                                             QT_TR_NOOP("Close")};
    // Each button's object name is also the folder of its pictures.
    const char* const windowButtonObjectNames[] = {"menuButton", "minimizeButton", "closeButton"};
    for (const WindowButton which :
         {WindowButton::Menu, WindowButton::Minimize, WindowButton::Close}) {
        const int index = static_cast<int>(which);
        windowButtons_[which] =
            MakePictureButton(this, windowButtonObjectNames[index],
                              QString(":/pictures/") + windowButtonObjectNames[index],
                              Twips::ToPixels(layout::kWindowButtons[index]));
        windowButtons_[which]->setAccessibleName(tr(windowButtonNames[index]));
        connect(windowButtons_[which], &controls::PictureButtonWidget::Click, this,
                [this, which] { WindowButtonClick(which); });
    }

    CreateWeightPanel();
    CreateHeightPanel();
    CreateResultPanel();
    CreateLegend();
}

void MainWindow::CreateWeightPanel() {
    weightPanel_ =
        MakeFrame(this, "weightPanel", tr("Weight"), Twips::ToPixels(layout::kWeightPanel));
    panelCaptions_[0] = MakeCaption(weightPanel_, "weightCaption", tr(" Enter Weight:"),
                                    Twips::ToPixels(layout::kWeightCaption));
    weightEdit_ = new QLineEdit(weightPanel_);
    weightEdit_->setObjectName("weightEdit");
    weightEdit_->setGeometry(Twips::ToPixels(layout::kWeightEdit));
    weightEdit_->setFont(WindowFonts::Font(kTimes, 26.25));
    connect(weightEdit_, &QLineEdit::returnPressed, this, &MainWindow::CalculateClick);
    connect(weightEdit_, &QLineEdit::textChanged, this, &MainWindow::ClearResult);
    panelCaptions_[0]->setBuddy(weightEdit_);  // screen readers name the box by its caption

    weightUnitLabel_ =
        MakeLabel(weightPanel_, "weightUnitLabel", tr("Lbs"),
                  Twips::ToPixels(layout::kWeightUnitLabel), WindowFonts::Font(kTimes, 26.25));
    const auto click = [this](WeightUnit unit) { WeightUnitClick(unit); };
    weightUnitOptions_[WeightUnit::Pounds] =
        MakeUnitOption(weightPanel_, "poundsOption", tr("Pounds"),
                       Twips::ToPixels(layout::kPoundsOption), WeightUnit::Pounds, true, click);
    weightUnitOptions_[WeightUnit::Kilograms] = MakeUnitOption(
        weightPanel_, "kilogramsOption", tr("Kilograms"), Twips::ToPixels(layout::kKilogramsOption),
        WeightUnit::Kilograms, false, click);
}

void MainWindow::CreateHeightPanel() {
    heightPanel_ =
        MakeFrame(this, "heightPanel", tr("Height"), Twips::ToPixels(layout::kHeightPanel));
    panelCaptions_[1] = MakeCaption(heightPanel_, "heightCaption", tr("Select Height:"),
                                    Twips::ToPixels(layout::kHeightCaption));
    heightList_ = new QListWidget(heightPanel_);
    heightList_->setObjectName("heightList");
    heightList_->setGeometry(Twips::ToPixels(layout::kHeightList));
    heightList_->setFont(WindowFonts::Font(kVerdana, 14.25));
    heightList_->setSelectionMode(QAbstractItemView::SingleSelection);
    heightList_->installEventFilter(this);  // Enter calculates, as in the weight box
    connect(heightList_, &QListWidget::currentRowChanged, this, &MainWindow::ClearResult);
    connect(heightList_, &QListWidget::itemSelectionChanged, this, &MainWindow::ClearResult);
    panelCaptions_[1]->setBuddy(heightList_);
    heightList_->setAccessibleName(
        panelCaptions_[1]->text().trimmed());  // lists do not ask the buddy

    const auto click = [this](HeightUnit unit) { HeightUnitClick(unit); };
    heightUnitOptions_[HeightUnit::FeetInches] = MakeUnitOption(
        heightPanel_, "feetInchesOption", tr("Feet/Inches"),
        Twips::ToPixels(layout::kFeetInchesOption), HeightUnit::FeetInches, true, click);
    heightUnitOptions_[HeightUnit::Centimetres] = MakeUnitOption(
        heightPanel_, "centimetresOption", tr("Centimeters"),
        Twips::ToPixels(layout::kCentimetresOption), HeightUnit::Centimetres, false, click);
}

void MainWindow::CreateResultPanel() {
    resultPanel_ =
        MakeFrame(this, "resultPanel", tr("Your BMI"), Twips::ToPixels(layout::kResultPanel));
    calculateButton_ = MakePictureButton(resultPanel_, "calculateButton", CalculatePictures(),
                                         Twips::ToPixels(layout::kCalculateButton));
    calculateButton_->setAccessibleName(tr("Calculate BMI"));
    connect(calculateButton_, &controls::PictureButtonWidget::Click, this,
            &MainWindow::CalculateClick);

    panelCaptions_[2] = MakeCaption(resultPanel_, "resultCaption", tr("Your BMI is:"),
                                    Twips::ToPixels(layout::kResultCaption));
    bmiLabel_ = MakeLabel(resultPanel_, "bmiLabel", QString(), Twips::ToPixels(layout::kBmiFigure),
                          WindowFonts::Font(kArial, 41.25, true));
    idealWeightLabel_ =
        MakeLabel(resultPanel_, "idealWeightLabel", QString(),
                  Twips::ToPixels(layout::kIdealWeight), WindowFonts::Font(kTahoma, 8.25));
    SetTextColour(idealWeightLabel_, kIdealWeightColour);
    // Colour alone does not tell the bands apart for everyone: the band is named in words.
    bandLabel_ = MakeLabel(resultPanel_, "bandLabel", QString(), Twips::ToPixels(layout::kBandName),
                           WindowFonts::Font(kTahoma, 8.25, true));
}

void MainWindow::CreateLegend() {
    for (int band = 0; band < 5; ++band) {
        auto* swatch = new QLabel(this);
        swatch->setObjectName(QString("legendSwatch%1").arg(band));
        swatch->setAccessibleName(BandName(static_cast<core::BmiBand>(band)));
        swatch->setGeometry(Twips::ToPixels(layout::kLegendSwatches[band]));
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, ColourOf(static_cast<core::BmiBand>(band)));
        swatch->setPalette(palette);
        legendSwatches_[band] = swatch;

        auto* range = new QLabel(this);
        range->setTextFormat(Qt::PlainText);
        range->setText(tr(kLegendTexts[band]));
        range->setObjectName(QString("legendRange%1").arg(band));
        range->setFont(WindowFonts::Font(kTahoma, 8.25, true));
        SetTextColour(range, Qt::white);
        range->move(Twips::ToPixels(layout::kLegendWordsLefts[band]),
                    Twips::ToPixels(layout::kLegendWordsTop));
        range->resize(range->sizeHint());  // sized to its text
        legendRanges_[band] = range;
    }
}

void MainWindow::SetTabOrder() {
    // The panels from left to right, top to bottom.
    QWidget::setTabOrder(weightEdit_, weightUnitOptions_[WeightUnit::Pounds]);
    QWidget::setTabOrder(weightUnitOptions_[WeightUnit::Pounds],
                         weightUnitOptions_[WeightUnit::Kilograms]);
    QWidget::setTabOrder(weightUnitOptions_[WeightUnit::Kilograms], heightList_);
    QWidget::setTabOrder(heightList_, heightUnitOptions_[HeightUnit::FeetInches]);
    QWidget::setTabOrder(heightUnitOptions_[HeightUnit::FeetInches],
                         heightUnitOptions_[HeightUnit::Centimetres]);
    QWidget::setTabOrder(heightUnitOptions_[HeightUnit::Centimetres], calculateButton_);
    // Then the strip from left to right: the banner (a stop only while it links), menu,
    // minimise, close.
    QWidget::setTabOrder(calculateButton_, bannerAnimation_);
    QWidget::setTabOrder(bannerAnimation_, windowButtons_[WindowButton::Menu]);
    QWidget::setTabOrder(windowButtons_[WindowButton::Menu],
                         windowButtons_[WindowButton::Minimize]);
    QWidget::setTabOrder(windowButtons_[WindowButton::Minimize],
                         windowButtons_[WindowButton::Close]);
    weightEdit_->setFocus();
}

void MainWindow::Load() {
    core::LoadBranding();
    const core::BrandingValues& branding = core::BrandingSettings;

    RunStep([&] { HeightUnitClick(HeightUnit::FeetInches); });
    RunStep([&] { PlaceBannerFirstPoint(); });
    // The file is read once, for all four keys.
    const QHash<QString, QString> saved =
        SettingsStore::GetSettings(kApplication, kSettingsSection);
    // The units before the height row: the saved row is a row of the list of its unit.
    RunStep([&] {
        if (saved.value(kWeightUnitKey, kPounds) == kKilograms)
            weightUnitOptions_[WeightUnit::Kilograms]->setChecked(true);
    });
    RunStep([&] {
        if (saved.value(kHeightUnitKey, kFeetInches) == kCentimeters)
            heightUnitOptions_[HeightUnit::Centimetres]->setChecked(true);  // refills the list
    });
    // Tab goes to the chosen option of each pair, as it does once the pair has had the focus.
    for (QRadioButton* option :
         {weightUnitOptions_[WeightUnit::Kilograms], weightUnitOptions_[WeightUnit::Pounds],
          heightUnitOptions_[HeightUnit::FeetInches],
          heightUnitOptions_[HeightUnit::Centimetres]}) {
        const Qt::FocusPolicy policy = option->focusPolicy();
        option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                   : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
    RunStep([&] {
        weightEdit_->setText(saved.value(kWeightKey, kDefaultWeight));
        weightEdit_->selectAll();  // typed at start, a weight replaces the saved one
    });
    RunStep([&] {
        const QString height = saved.value(kHeightKey, kDefaultHeight);
        const int row = core::RestoredHeightRow(height.toStdString(), heightList_->count());
        if (row >= 0) heightList_->setCurrentRow(row);  // a row outside the list selects nothing
    });
    RunStep([&] {
        brandLabels_[BrandLabel::Name]->setFont(
            WindowFonts::Resized(brandLabels_[BrandLabel::Name]->font(), 17));
        brandLabels_[BrandLabel::Name]->setText(
            QString::fromStdString(core::LabelDisplayText(branding.NameText)));
        DescribeLinks(!branding.Link.empty());
    });
    RunStep([&] {
        brandLabels_[BrandLabel::Title]->setFont(
            WindowFonts::Resized(brandLabels_[BrandLabel::Title]->font(), 8));
        brandLabels_[BrandLabel::Title]->setText(
            QString::fromStdString(core::LabelDisplayText(branding.Title)));
    });
    RunStep([&] { PlaceBannerSecondPoint(); });
}

void MainWindow::FillHeightList(HeightUnit unit) {
    heightList_->clear();  // nothing is selected afterwards
    for (const std::string& row : core::HeightRows(static_cast<int>(unit))) {
        heightList_->addItem(QString::fromStdString(row));
    }
}

void MainWindow::CalculateClick() {
    core::BmiInput input;
    // A text that is not one number is no weight: "80kg" must not calculate with 80 pounds.
    input.weight = core::ReadWholeNumber(weightEdit_->text().toStdString()).value_or(0);
    input.weightInKilograms = weightUnitOptions_[WeightUnit::Kilograms]->isChecked();
    const QListWidgetItem* row = heightList_->currentItem();
    const bool rowSelected = row != nullptr && row->isSelected();
    input.heightIndex = static_cast<std::int16_t>(rowSelected ? heightList_->currentRow() : -1);
    input.heightInFeetInches = heightUnitOptions_[HeightUnit::FeetInches]->isChecked();
    if (rowSelected) input.heightRowText = row->text().toStdString();

    const core::BmiResult result = core::ComputeBmi(input);
    if (result.error == core::BmiError::WeightMissing) {
        ShowInputMessage(tr("Please specify weight"));
        return;
    }
    if (result.error == core::BmiError::WeightOutOfRange) {
        const core::WeightRange range = core::AcceptedWeights(input.weightInKilograms);
        const QString lightest = Translations::LocalDecimals(QString::number(range.lightest));
        const QString heaviest = Translations::LocalDecimals(QString::number(range.heaviest));
        ShowInputMessage(
            input.weightInKilograms
                ? tr("Please specify a weight between %1 and %2 kgs.").arg(lightest, heaviest)
                : tr("Please specify a weight between %1 and %2 lbs.").arg(lightest, heaviest));
        return;
    }
    if (result.error == core::BmiError::HeightMissing) {
        ShowInputMessage(tr("Please specify height"));
        return;
    }

    // The figures with the decimal mark of the user's language.
    bmiLabel_->setText(
        Translations::LocalDecimals(QString::fromStdString(core::FormatBmi(result.bmi))));
    bandLabel_->setText(BandName(result.band));
    AnnounceResult(bmiLabel_->text() + ", " + bandLabel_->text());
    const QString ideal = Translations::LocalDecimals(
        QString::fromStdString(core::FormatIdealWeight(result.idealWeight)));
    idealWeightLabel_->setText(input.weightInKilograms
                                   ? tr("Weight for 22.5 BMI : %1 kgs.").arg(ideal)
                                   : tr("Weight for 22.5 BMI : %1 lbs").arg(ideal));
    flashTimer_->stop();
    if (result.band == core::BmiBand::Extreme) {
        flashTimer_->start();
        SetResultColour(kFlashBright);
    } else {
        const core::Rgb shade = core::ResultColour(result.band);
        SetResultColour(QColor(shade.red, shade.green, shade.blue));
    }

    SettingsStore::SaveSettings(
        kApplication, kSettingsSection,
        {{kWeightKey, weightEdit_->text()},
         {kHeightKey, QString::number(input.heightIndex)},
         {kWeightUnitKey, input.weightInKilograms ? kKilograms : kPounds},
         {kHeightUnitKey, input.heightInFeetInches ? kFeetInches : kCentimeters}});
}

void MainWindow::AnnounceResult(const QString& spoken) {
    if (bmiLabel_->accessibleName() != spoken) {
        bmiLabel_->setAccessibleName(spoken);  // tells screen readers of the change
        return;
    }
    // The same result again is announced again.
    QAccessibleEvent event(bmiLabel_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void MainWindow::ClearResult() {
    if (bmiLabel_->text().isEmpty()) return;
    flashTimer_->stop();
    bmiLabel_->clear();
    bandLabel_->clear();
    idealWeightLabel_->clear();
    AnnounceResult(QString());
}

void MainWindow::ShowInputMessage(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplication, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::SetResultColour(const QColor& colour) {
    SetTextColour(bmiLabel_, colour);
}

void MainWindow::FlashTimerTick() {
    const bool previous = flashPhase_;
    flashPhase_ = !flashPhase_;
    SetResultColour(previous ? kFlashDark : kFlashBright);
}

void MainWindow::WindowButtonClick(WindowButton button) {
    switch (button) {
        case WindowButton::Menu:
            ShowPopupMenu();
            break;
        case WindowButton::Minimize:
            setWindowState(windowState() | Qt::WindowMinimized);
            break;
        case WindowButton::Close:
            close();
            break;
    }
}

void MainWindow::ShowPopupMenu() {
    // Pressed with the mouse, the menu comes up at the cursor; from the keyboard (or a
    // screen reader) below the button, its right edge at the button's.
    QWidget* button = windowButtons_[WindowButton::Menu];
    if (button->underMouse()) {
        secondaryWindows_->RunPopupMenu();
    } else {
        secondaryWindows_->RunPopupMenu(
            button->mapToGlobal(QPoint(button->width(), button->height())));
    }
}

void MainWindow::WeightUnitClick(WeightUnit unit) {
    weightUnitLabel_->setText(unit == WeightUnit::Pounds ? tr("Lbs.") : tr("Kgs."));
    ClearResult();
}

void MainWindow::HeightUnitClick(HeightUnit unit) {
    FillHeightList(unit);
}

void MainWindow::BrandLabelClick(BrandLabel label) {
    if (label == BrandLabel::Name) core::OpenDocument(core::BrandingSettings.Link);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackColour);
    painter.drawPixmap(0, 0, devicePixelRatioF() > 1 ? DenseBackground() : background_);
}

const QPixmap& MainWindow::DenseBackground() {
    // Read on the first paint that needs it, as every drawing at twice the resolution is:
    // most screens never do.
    if (!doubleResolutionBackground_) {
        const controls::DoubleResolutionDrawing twice(":/pictures/mainWindow/background@2x.png",
                                                      2 * background_.size());
        QPixmap dense = QPixmap::fromImage(twice.Image());
        dense.setDevicePixelRatio(2);
        doubleResolutionBackground_ = std::move(dense);
    }
    return doubleResolutionBackground_->isNull() ? background_ : *doubleResolutionBackground_;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bannerAnimation_) return FilterBannerAnimationEvent(event);
    if (watched == heightList_) {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        CalculateClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    flashTimer_->stop();
    // The secondary windows belong to this one and go with it.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) child->close();
    }
    event->accept();
    emit Unloaded();
}

}  // namespace ui
