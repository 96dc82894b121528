// The main window: title screen, menu, type pictures, the type screens with
// their slot panels, the option toggles and pick-lists, the information
// screens and the result line. Logic lives in the engine; the handlers move
// texts and show or hide controls.
#pragma once

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "report/protocol.h"

#include "model/calc_trace.h"
#include "model/type_layout.h"
#include "screen/calc_view.h"
#include "screen/screens.h"

namespace kaldora {

class ReportPreview;

// Makes only what the title screen shows, so that it is shown at once;
// BuildOtherScreens(), called once, then makes the rest.
struct TitleScreenFirst {};

class MainWindow : public QWidget, public CalcView {
    Q_OBJECT
public:
    explicit MainWindow(ReportPreview* report = nullptr);
    MainWindow(ReportPreview* report, TitleScreenFirst);
    ~MainWindow() override;
    void BuildOtherScreens();

    // CalcView: the real edit boxes, result line and message boxes.
    std::string SlotText(int slot) const override;
    void SetSlotText(int slot, const std::string& text) override;
    void SetResultLine(const std::string& caption) override;
    void ShowInfo(const std::string& message) override;
    void ShowError(const std::string& message) override;

    // Event handlers.
    void FormCreate();
    void FormActivate();
    void TitleTimerFired();
    void ChooseType(int type);
    void ShowTypeScreen();
    void HideTypeScreen();
    void CalculateClicked();
    void ReportClicked();
    void ProtocolClicked();
    void NormClicked();
    void OpenDiameterList(int slot);
    void DiameterPicked();
    void OpenSupplyTempList();
    void SupplyTempPicked();
    void HoursToggleClicked();
    void CoverToggleClicked();
    void PlacementToggleClicked();
    void CarrierTempEdited();
    void HoverMenuItem(int item);
    void BackgroundHovered();
    void ShowInfoScreen(int item);
    void ExitClicked();
    void HelpClicked();

    // Window state.
    int TitleDone = 0;
    int HoverItem = 0;
    int DiaTarget = 0;

    // The slot control table: panel and edit box of each slot; empty for
    // slots 0, 2, 22 and 26.
    std::array<QLabel*, kLayoutSlots> SlotPanels{};
    std::array<QLineEdit*, kLayoutSlots> SlotEdits{};

    // How the report and protocol commands ask for a printer; a test
    // replaces it.
    std::function<bool()> ConfirmPrint;
    // How the norm button asks for the norm (a dialog); a test replaces it.
    std::function<std::optional<NormChoice>(const NormChoice&)> ChooseNorm;

    // How the protocol command asks who and what the protocol is for; a test
    // replaces it.
    std::function<std::optional<ProtocolIdentity>()> AskIdentity;

    // What each type's screen holds between calculations; `type` is the
    // screen shown.
    Screens TypeScreens;
    // What the last calculation of each type did, and when, for its protocol.
    std::array<CalcTrace, kTypeCount> Traces;
    std::array<QDate, kTypeCount> CalculationDates;
    // The captions of the fields each type's last calculation read as 0
    // though they held no number, joined into one line.
    std::array<QString, kTypeCount> UnreadFields;
    // Whether a field, toggle or norm choice of each type changed since its
    // last calculation: its results are then shown as not matching.
    std::array<bool, kTypeCount> Outdated{};

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowPrintFailure(const QString& failure);
    void ShowNormChoice();
    QString FieldsWithoutNumbers() const;  // the error box, when there is a failure
    // The window's parts, made in the design's order.
    void BuildTitleAndMenu();
    void BuildMenuItem(int item);
    void BuildTypePictures();
    void BuildBrandPanels();
    void BuildSlotPanels();
    void ApplySlotDesign(const SlotDesign& design, QLabel* panel, QLineEdit* edit);
    void HookSlotEdit(int slot, QLineEdit* edit);
    void BuildMemos();
    void BuildPlates();
    QPushButton* MakeButton(const char* name, const QString& caption, void (MainWindow::*click)());
    void BuildButtons();
    void BuildFreeBand();
    void BuildResultRows();
    void BuildPickLists();
    void BuildShortcuts();
    static QFont MenuFont();
    static int FittingWidth(const QPushButton* button);
    static bool HasPickList(int slot);
    // What a type screen shows.
    void ShowSurfaceRecommendation();
    QWidget* ShowSlotFields();
    void ShowPlates();
    void ShowDiameterItems();
    void OpenPickList(QComboBox* list, int slot);
    void OpenPickListFor(int slot);
    void OpenPickListFromKeyboard(int slot);
    void ChoosePickListItem(QComboBox* list, int slot);
    void SetRecommendation(const QString& hint);
    void ShowWholeResult();
    void ShowResultLine();
    void MarkOutdated();
    bool CalculateForPrinting();
    QLineEdit* FirstField() const;
    void RecommendByCarrierTemperature();
    QLabel* MenuLabel(int item) const;
    QLabel* MenuMarker(int item) const;

    ReportPreview* report_;

    QLabel* Background = nullptr;
    QLabel* TitlePicture = nullptr;
    QLabel* TitleText = nullptr;
    QLabel* IdleMarker = nullptr;
    QLabel* LitMarker = nullptr;
    std::array<QLabel*, 6> MenuMarkers{};  // Image1..Image5
    std::array<QLabel*, 6> MenuItems{};    // Label1..Label5
    QLabel* MenuShadow = nullptr;
    std::array<QLabel*, 6> TypePictures{};  // Regim1..Regim5
    QLabel* TypeHeading = nullptr;
    QLabel* BrandPanel = nullptr;
    QLabel* MakerPanel = nullptr;
    QLabel* ProductPanel = nullptr;
    std::array<QPlainTextEdit*, 4> InfoTexts{};  // Memo1..Memo3
    QLabel* ObjectPlate = nullptr;
    QLabel* ObjectCaption = nullptr;
    QLabel* PlacementPlate = nullptr;
    QLabel* PlacementToggle = nullptr;
    QLabel* CoverPlate = nullptr;
    QLabel* CoverToggle = nullptr;
    QLabel* HoursPlate = nullptr;
    QLabel* HoursToggle = nullptr;
    QPushButton* CalculateButton = nullptr;
    QPushButton* ReportButton = nullptr;
    QPushButton* ProtocolButton = nullptr;
    QPushButton* NormButton = nullptr;
    QLabel* NormLine = nullptr;
    QLabel* ReadAsZeroLine = nullptr;  // fields read as 0 though they held no number
    // Rows of the whole result under the fields: panel with caption and a
    // read-only field with the value.
    std::array<QLabel*, 2> WholePanels{};
    std::array<QLineEdit*, 2> WholeEdits{};
    QLabel* ResultPanel = nullptr;
    std::string resultCaption_;  // the result line as the calculation wrote it
    QComboBox* DiameterPicker = nullptr;
    QComboBox* SupplyTempPicker = nullptr;
    QTimer* TitleTimer = nullptr;
};

}  // namespace kaldora
