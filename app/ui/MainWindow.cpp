#include "app/ui/MainWindow.h"
#include "app/core/DocumentOpener.h"

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
#include <QSignalBlocker>
#include <algorithm>

#include "app/core/BmiBands.h"
#include "app/core/Branding.h"
#include "app/core/LabelText.h"
#include "app/core/MainWindowLayout.h"
#include "app/core/Paths.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/DesignPalette.h"
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

namespace layout = core::MainWindowLayout;

constexpr int kFlashIntervalMs = 250;

const QColor kBackColour(224, 224, 224);
// Grey, as dark as small text needs to be read on the light panel (4.5:1).
const QColor kIdealWeightColour(96, 96, 96);

const QString kApplication = core::kSettingsApplication;

QString Shown(const std::string& text) {
    return QString::fromStdString(text);
}

// A control as screen readers name it after its caption: without the blanks around the
// caption and the colon after it (" Enter Weight:" names "Enter Weight").
QString SpokenName(const QString& caption) {
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name.trimmed();
}

// The name line's text: a company's as it wrote it, or the program's own placeholder in the
// user's language.
QString NameLine(const std::string& nameText) {
    if (nameText == core::kDefaultNameText)
        return MainWindow::tr("(Your company name & link or small banner here)");
    return QString::fromStdString(core::LabelDisplayText(nameText));
}

QColor ToColour(const core::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
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

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      calculator_(Translations::CoreLanguage()) {
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
    const QString defaultName = NameLine(core::kDefaultNameText);
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
    connect(weightEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (calculator_.SetWeightText(text.toStdString())) ClearResult();
    });
    panelCaptions_[0]->setBuddy(weightEdit_);
    weightEdit_->setAccessibleName(SpokenName(panelCaptions_[0]->text()));

    weightUnitLabel_ =
        MakeLabel(weightPanel_, "weightUnitLabel", Shown(calculator_.WeightUnitLabel()),
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
    connect(heightList_, &QListWidget::currentRowChanged, this, &MainWindow::HeightRowChanged);
    connect(heightList_, &QListWidget::itemSelectionChanged, this, &MainWindow::HeightRowChanged);
    panelCaptions_[1]->setBuddy(heightList_);
    heightList_->setAccessibleName(SpokenName(panelCaptions_[1]->text()));

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
    // The figure is read with its band: the band's line is heard as part of it.
    bandLabel_->setBuddy(bmiLabel_);
    ShowResultLabels(false);
}

void MainWindow::CreateLegend() {
    std::array<int, 5> wordWidths{};
    for (const core::BandDescription& band : core::kBands) {
        const int index = static_cast<int>(band.band);
        auto* swatch = new QLabel(this);
        swatch->setObjectName(QString("legendSwatch%1").arg(index));
        swatch->setAccessibleName(Shown(calculator_.BandName(band.band)));
        swatch->setGeometry(Twips::ToPixels(layout::kLegendSwatches[index]));
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, ToColour(band.colour));
        swatch->setPalette(palette);
        legendSwatches_[index] = swatch;

        auto* range = new QLabel(this);
        range->setTextFormat(Qt::PlainText);
        range->setText(Shown(calculator_.LegendWord(band.band)));
        range->setObjectName(QString("legendRange%1").arg(index));
        range->setFont(WindowFonts::Font(kTahoma, 8.25, true));
        SetTextColour(range, Qt::white);
        range->resize(range->sizeHint());  // sized to its text
        // The words label their swatch: a screen reader hears the band's name once.
        range->setBuddy(swatch);
        legendRanges_[index] = range;
        wordWidths[index] = range->fontMetrics().horizontalAdvance(range->text());
    }
    // Words longer than the design left room for (a translation's) move the bands along.
    const auto places = layout::LegendPlaces(wordWidths);
    for (std::size_t band = 0; band < places.size(); ++band) {
        legendSwatches_[band]->move(places[band].swatchLeft, legendSwatches_[band]->y());
        legendRanges_[band]->move(places[band].wordsLeft, Twips::ToPixels(layout::kLegendWordsTop));
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
    // Then the strip from left to right: the name line or the banner over it (a stop only
    // while it links), menu, minimise, close.
    QWidget::setTabOrder(calculateButton_, brandLabels_[BrandLabel::Name]);
    QWidget::setTabOrder(brandLabels_[BrandLabel::Name], bannerPicture_);
    QWidget::setTabOrder(bannerPicture_, bannerAnimation_);
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

    RunStep([&] { FillHeightList(); });
    RunStep([&] { PlaceBannerFirstPoint(); });
    RunStep([&] {
        core::StoredInputs stored;
        const QHash<QString, QString> saved =
            SettingsStore::GetSettings(kApplication, core::kSettingsSection);
        for (auto key = saved.begin(); key != saved.end(); ++key) {
            stored[key.key().toStdString()] = key.value().toStdString();
        }
        calculator_.Restore(stored);
    });
    RunStep([&] { ShowInputs(); });
    RunStep([&] {
        brandLabels_[BrandLabel::Name]->setFont(
            WindowFonts::Resized(brandLabels_[BrandLabel::Name]->font(), 17));
        brandLabels_[BrandLabel::Name]->setText(NameLine(branding.NameText));
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

void MainWindow::ShowInputs() {
    QWidget* const inputs[] = {weightEdit_,
                               heightList_,
                               weightUnitOptions_[WeightUnit::Pounds],
                               weightUnitOptions_[WeightUnit::Kilograms],
                               heightUnitOptions_[HeightUnit::FeetInches],
                               heightUnitOptions_[HeightUnit::Centimetres]};
    // Set from the calculator, the controls do not hand their new values back to it.
    for (QWidget* input : inputs)
        input->blockSignals(true);
    weightUnitOptions_[calculator_.GetWeightUnit()]->setChecked(true);
    weightUnitLabel_->setText(Shown(calculator_.WeightUnitLabel()));
    heightUnitOptions_[calculator_.GetHeightUnit()]->setChecked(true);
    FillHeightList();
    if (calculator_.HeightRow() >= 0) heightList_->setCurrentRow(calculator_.HeightRow());
    weightEdit_->setText(Shown(calculator_.WeightText()));
    weightEdit_->selectAll();  // typed at start, a weight replaces the saved one
    for (QWidget* input : inputs)
        input->blockSignals(false);
    // Tab goes to the chosen option of each pair, as it does once the pair has had the focus.
    for (QRadioButton* option :
         {weightUnitOptions_[WeightUnit::Kilograms], weightUnitOptions_[WeightUnit::Pounds],
          heightUnitOptions_[HeightUnit::FeetInches],
          heightUnitOptions_[HeightUnit::Centimetres]}) {
        const Qt::FocusPolicy policy = option->focusPolicy();
        option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                   : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

void MainWindow::FillHeightList() {
    const QSignalBlocker quiet(heightList_);
    heightList_->clear();  // nothing is selected afterwards
    for (const core::HeightRow& row : calculator_.HeightRows()) {
        heightList_->addItem(Shown(row.label));
    }
}

void MainWindow::HeightRowChanged() {
    const QListWidgetItem* row = heightList_->currentItem();
    const bool selected = row != nullptr && row->isSelected();
    if (calculator_.SetHeightRow(selected ? heightList_->currentRow() : -1)) ClearResult();
}

void MainWindow::CalculateClick() {
    const core::CalculationOutcome outcome = calculator_.Calculate();
    if (!outcome.result) {
        ShowInputMessage(Shown(outcome.message));
        return;
    }
    const core::CalculatorResult& result = *outcome.result;
    bmiLabel_->setText(Shown(result.figure));
    bandLabel_->setText(Shown(result.bandName));
    idealWeightLabel_->setText(Shown(result.idealWeightLine));
    ShowResultLabels(true);
    AnnounceResult(Shown(result.announcement));
    flashTimer_->stop();
    if (result.flashes) flashTimer_->start();
    SetResultColour(result.colour);

    QList<QPair<QString, QString>> values;
    for (const auto& [key, value] : outcome.toSave)
        values.append({Shown(key), Shown(value)});
    SettingsStore::SaveSettings(kApplication, core::kSettingsSection, values);
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
    flashTimer_->stop();
    bmiLabel_->clear();
    bandLabel_->clear();
    idealWeightLabel_->clear();
    AnnounceResult(QString());
    ShowResultLabels(false);
}

void MainWindow::ShowResultLabels(bool shown) {
    // Empty, they are not there: a screen reader would name them after their panel.
    for (QLabel* label : {bmiLabel_, bandLabel_, idealWeightLabel_})
        label->setVisible(shown);
}

void MainWindow::ShowInputMessage(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplication, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::SetResultColour(const core::Rgb& colour) {
    SetTextColour(bmiLabel_, ToColour(colour));
}

void MainWindow::FlashTimerTick() {
    SetResultColour(calculator_.NextFlashColour());
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
    const bool cleared = calculator_.SetWeightUnit(unit);
    weightUnitLabel_->setText(Shown(calculator_.WeightUnitLabel()));
    if (cleared) ClearResult();
}

void MainWindow::HeightUnitClick(HeightUnit unit) {
    const bool cleared = calculator_.SetHeightUnit(unit);
    FillHeightList();
    if (cleared) ClearResult();
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
