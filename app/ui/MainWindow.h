#pragma once
// The calculator's window: a fixed panel with its look in a background picture, the
// branding strip with the name and title lines and the three small window buttons, the
// weight, height and result panels and the five-band legend. It shows what the calculator
// (core::Calculator) gives and hands it every change of an input.

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/core/Calculator.h"
#include "app/core/Units.h"
#include "app/ui/EnumArray.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace controls {
class PictureButtonWidget;
class GifViewerWidget;
}  // namespace controls

namespace ui {

class ClickLabel;
class SecondaryWindows;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    // The name and title lines of the branding strip.
    enum class BrandLabel { Name, Title };
    // The three small buttons in the strip, from left to right.
    enum class WindowButton { Menu, Minimize, Close };
    using WeightUnit = core::WeightUnit;
    using HeightUnit = core::HeightUnit;

    // Builds the window with its controls as designed. Load() brings it to life.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence: branding, height list, banner, saved inputs, branding texts.
    void Load();

    // Event handlers.
    void CalculateClick();
    void WindowButtonClick(WindowButton button);
    void WeightUnitClick(WeightUnit unit);
    void HeightUnitClick(HeightUnit unit);
    void BrandLabelClick(BrandLabel label);
    void BannerPictureClick();
    void BannerAnimationClick();
    void FlashTimerTick();

    // The popup menu of the menu button : opens Quick Help or About.
    void ShowPopupMenu();
    // Quick Help and About, one of each, owned by this window.
    SecondaryWindows& Secondary() { return *secondaryWindows_; }

  signals:
    // The window has been unloaded by its close button: the program ends.
    void Unloaded();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateWeightPanel();
    void CreateHeightPanel();
    void CreateResultPanel();
    void CreateLegend();
    void SetTabOrder();

    // The banner over the name line is placed at two points of the load sequence: after
    // the height list is filled, and as the last step.
    void CreateBannerControls();
    void PlaceBannerFirstPoint();
    void PlaceBannerSecondPoint();
    // Tells screen readers whether the name line and the banners link.
    void DescribeLinks(bool links);

    // Screen readers read the result label as the result with its band.
    void AnnounceResult(const QString& spoken);
    // The calculator's inputs in the controls, without handing them back to it.
    void ShowInputs();
    void HeightRowChanged();
    // Empties the result panel, when the calculator says a change of input clears it.
    void ClearResult();
    void ShowResultLabels(bool shown);
    // Enter or Space on the animated banner, when it links, opens the link.
    void BannerAnimationKey(int keyAscii);
    // The animated banner shows the focus mark over its picture.
    bool FilterBannerAnimationEvent(QEvent* event);

    void ShowInputMessage(const QString& text);
    void SetResultColour(const core::Rgb& colour);
    void FillHeightList();

    // The background drawn at twice the resolution, for screens with more device pixels
    // than pixels (the plain one when it cannot be read); read when first needed.
    const QPixmap& DenseBackground();

    QPixmap background_;
    std::optional<QPixmap> doubleResolutionBackground_;
    core::Calculator calculator_;

    EnumArray<BrandLabel, ClickLabel*, 2> brandLabels_{};
    ClickLabel* bannerPicture_ = nullptr;
    controls::GifViewerWidget* bannerAnimation_ = nullptr;
    EnumArray<WindowButton, controls::PictureButtonWidget*, 3> windowButtons_{};
    QGroupBox* weightPanel_ = nullptr;
    QGroupBox* heightPanel_ = nullptr;
    QGroupBox* resultPanel_ = nullptr;
    std::array<QLabel*, 3> panelCaptions_{};
    QLineEdit* weightEdit_ = nullptr;
    QLabel* weightUnitLabel_ = nullptr;
    EnumArray<WeightUnit, QRadioButton*, 2> weightUnitOptions_{};
    QListWidget* heightList_ = nullptr;
    EnumArray<HeightUnit, QRadioButton*, 2> heightUnitOptions_{};
    controls::PictureButtonWidget* calculateButton_ = nullptr;
    QLabel* bmiLabel_ = nullptr;
    QLabel* idealWeightLabel_ = nullptr;
    QLabel* bandLabel_ = nullptr;  // the band of the result by name, under the figure
    std::array<QLabel*, 5> legendSwatches_{};
    std::array<QLabel*, 5> legendRanges_{};
    QTimer* flashTimer_ = nullptr;
    std::unique_ptr<SecondaryWindows> secondaryWindows_;
};

}  // namespace ui
