#include "ui/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextOption>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <future>

#include "assets/fonts.h"
#include "assets/pictures.h"
#include "engine/current_norm.h"
#include "engine/method_constants.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/screen_texts.h"
#include "report/protocol.h"
#include "report/qt_text.h"
#include "report/report_preview.h"
#include "ui/application_setup.h"
#include "ui/control_props.h"
#include "ui/event_hooks.h"
#include "ui/fill_report.h"
#include "ui/help.h"
#include "ui/identity_dialog.h"
#include "ui/norm_dialog.h"
#include "ui/toggle_accessibility.h"
#include "ui/widget_factory.h"
#include "ui/window_placement.h"

namespace kaldora {

namespace {

constexpr Qt::Alignment kMenuAlign = Qt::AlignRight | Qt::AlignVCenter;
// The right edge of the type screen's plates, buttons and rows.
constexpr int kBandRight = 783;
constexpr int kDiaListItemHeight = 15;

void SetCaption(QLabel* label, std::string_view text) { label->setText(Q(text)); }

// The keys that open a pick-list from its field, as a click does.
bool OpensPickList(const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_F4: return true;
        case Qt::Key_Down: return key->modifiers() & Qt::AltModifier;
        default: return false;
    }
}

}  // namespace

MainWindow::MainWindow(ReportPreview* report) : MainWindow(report, TitleScreenFirst{}) { BuildOtherScreens(); }

MainWindow::MainWindow(ReportPreview* report, TitleScreenFirst) : report_(report) {
    // The title screen's photographs are decoded on a second thread while
    // its labels are made.
    auto photographs = std::async(std::launch::async, [ratio = qApp->devicePixelRatio()] {
        return std::pair{ReadPicture(Picture::Background, ratio), ReadPicture(Picture::Title, ratio)};
    });
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Программа тепловых расчетов"));
    // The task bar names the program; the caption names what it does.
    setWindowIconText(QStringLiteral("Кальдора"));
    setFixedSize(kWindowWidth, kWindowHeight);
    setPalette(PinnedPalette());
    // A window is moved by its frame: its title bar stays on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(CentredInside(QRect(0, 0, kWindowWidth, kWindowHeight + kTitleBarAllowance), screen->availableGeometry())
                 .topLeft());
    setFont(DesignFont(Face::SansSerif, 11));
    BuildTitleAndMenu();
    BuildBrandPanels();
    const auto [background, title] = photographs.get();
    SetPicture(Background, QPixmap::fromImage(background));
    SetPicture(TitlePicture, QPixmap::fromImage(title));
    TitleTimer = new QTimer(this);
    TitleTimer->setObjectName(QStringLiteral("Timer1"));
    TitleTimer->setInterval(8000);
    connect(TitleTimer, &QTimer::timeout, this, [this] { TitleTimerFired(); });
}

MainWindow::~MainWindow() {
    // The focus leaves while the window is whole: a menu item's hook that
    // lowers it must not run while the children are being destroyed.
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

// Children are painted and visited by Tab in the order they are made: the
// parts are made in the design's order, these after the title screen's.
void MainWindow::BuildOtherScreens() {
    BuildSlotPanels();
    BuildMemos();
    BuildPlates();
    BuildButtons();
    BuildFreeBand();
    BuildResultRows();
    BuildPickLists();
    BuildShortcuts();
    // What the title screen does not show: the icon and the type pictures.
    setWindowIcon(ProgramIcon());
    for (const CalcTypeInfo& info : CalcTypes) SetPicture(TypePictures[info.Number()], LoadTypePicture(info.Number()));
    FormCreate();
}

// Pictures and labels directly on the window, in paint order: the
// background, the title, the menu markers and items, the type pictures.
void MainWindow::BuildTitleAndMenu() {
    Background = MakePicture(this, "Fon_Image", {4, 0});
    Background->setAlignment(Qt::AlignCenter);
    Background->setMouseTracking(true);
    OnEvents(Background, [this](QEvent* event) {
        if (event->type() == QEvent::MouseMove) BackgroundHovered();
        return false;
    });
    TitlePicture = MakePicture(this, "Titul_Im", {235, 75});
    IdleMarker = MakePicture(this, "Dark_Ind", {536, 536}, LoadPicture(Picture::IdleMarker));
    IdleMarker->hide();
    LitMarker = MakePicture(this, "Light_Ind", {576, 536}, LoadPicture(Picture::LitMarker));
    LitMarker->hide();
    const QPoint markerAt[6] = {{}, {14, 96}, {14, 129}, {14, 163}, {14, 520}, {14, 200}};
    for (int item = 1; item <= 4; ++item) {
        MenuMarkers[item] = MakePicture(this, "", markerAt[item]);
        MenuMarkers[item]->setObjectName(QStringLiteral("Image%1").arg(item));
    }
    MenuShadow =
        MakeLabel(this, "Shadow_Lab", {632, 536, 84, 27}, QStringLiteral("Shadow"), MenuFont(), kGrey, kMenuAlign);
    MenuShadow->adjustSize();  // sized to its text
    MenuShadow->hide();
    BuildMenuItem(4);
    BuildTypePictures();
    TypeHeading = MakeLabel(this, "Head_Lab", {408, 8, 377, 65}, QString(), DesignFont(Face::Arial, 16, true), kMaroon,
                            Qt::AlignHCenter | Qt::AlignTop, true);
    TitleText = MakeLabel(this, "Titul_Lab", {235, 145, 338, 305}, QString(), DesignFont(Face::Arial, 27, true), kWhite,
                          Qt::AlignCenter);
    for (int item : {1, 2, 3, 5}) {
        BuildMenuItem(item);
        MenuItems[item]->hide();
    }
    MenuMarkers[5] = MakePicture(this, "Image5", markerAt[5]);
    for (int item = 1; item <= 5; ++item) CopyPicture(MenuMarkers[item], IdleMarker);
    for (int item : {1, 2, 3, 5}) MenuMarkers[item]->hide();
}

QFont MainWindow::MenuFont() { return DesignFont(Face::ArialBlack, 19); }

// A menu item: raised under the mouse, and on a click an information
// screen, the end of the program (4) or the methodical notes (5).
void MainWindow::BuildMenuItem(int item) {
    static const QRect labelRect[6] = {
        {}, {16, 90, 349, 27}, {16, 125, 257, 27}, {16, 160, 348, 27}, {16, 514, 250, 27}, {16, 195, 348, 27}};
    static const char* const captions[6] = {"",
                                            "Общие сведения о материале",
                                            "Область применения",
                                            "Технические характеристики",
                                            "Завершение работы ",
                                            "Методические указания         "};
    QLabel* label =
        MakeLabel(this, "", labelRect[item], QString::fromUtf8(captions[item]), MenuFont(), kMaroon, kMenuAlign);
    label->setObjectName(QStringLiteral("Label%1").arg(item));
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    const auto activate = [this, item] {
        if (item == 4)
            ExitClicked();
        else if (item == 5)
            HelpClicked();
        else
            ShowInfoScreen(item);
    };
    // From the keyboard as well, once the title screen is over: the item
    // with the focus stands raised as under the mouse.
    OnEvents(label, [this, item, activate](QEvent* event) {
        switch (event->type()) {
            case QEvent::MouseMove: HoverMenuItem(item); return false;
            case QEvent::FocusIn: {
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) return false;
                BackgroundHovered();
                HoverMenuItem(item);
                return false;
            }
            case QEvent::FocusOut:
                if (HoverItem == item) BackgroundHovered();
                return false;
            case QEvent::KeyPress: {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() != Qt::Key_Space && !IsEnter(key)) return false;
                activate();
                return true;
            }
            default: return false;
        }
    });
    OnLeftClick(label, activate);
    MenuItems[item] = label;
}

void MainWindow::BuildTypePictures() {
    const QPoint regimAt[6] = {{}, {16, 408}, {224, 226}, {16, 226}, {224, 408}, {120, 317}};
    for (const CalcTypeInfo& info : CalcTypes) {
        const int type = info.Number();
        QLabel* picture = MakePicture(this, "", regimAt[type]);
        picture->setObjectName(QStringLiteral("Regim%1").arg(type));
        SetHint(picture, QStringLiteral("Выбор типа расчета"));
        picture->setAccessibleName(Q(info.heading).simplified());
        picture->setAccessibleDescription(QStringLiteral("Выбор типа расчета, Ctrl+%1").arg(type));
        SetShowHint(picture, true);
        picture->setCursor(Qt::PointingHandCursor);
        picture->hide();
        OnLeftClick(picture, [this, type] { ChooseType(type); });
        TypePictures[type] = picture;
    }
}

// Panels, memos, buttons and lists lie above the pictures and labels.
void MainWindow::BuildBrandPanels() {
    const QColor text = palette().color(QPalette::WindowText);
    BrandPanel = MakePanel(this, "Panel22", {8, 6, 178, 49}, QString(), font(), text, Bevel::LoweredInner);
    MakeLabel(BrandPanel, "Label6", {7, 2, 164, 36}, QStringLiteral("KAVELONT"), DesignFont(Face::ArialBlack, 25),
              kRed);
    MakeLabel(BrandPanel, "Label7", {9, 31, 163, 15}, QStringLiteral("Н Е Г О Р Ю Ч А Я   И З О Л Я Ц И Я"),
              DesignFont(Face::ArialNarrow, 11), text);
    // The mark of the Symbol font is narrower than a text font's at the same
    // height; a slightly smaller size keeps it within its 11 px.
    MakeLabel(BrandPanel, "Label8", {163, 6, 11, 19}, QStringLiteral("®"), DesignFont(Face::Arial, 13), kRed);
    MakerPanel = MakePanel(this, "Panel2", {196, 6, 178, 49}, QStringLiteral("АО \"ВЕЛАРИС\""),
                           DesignFont(Face::Arial, 16, true), kRed, Bevel::LoweredInner);
    ProductPanel = MakePanel(this, "Panel26", {8, 60, 365, 23}, QStringLiteral("Минераловатные цилиндры"),
                             DesignFont(Face::Arial, 16, true), kRed, Bevel::LoweredOuter);
    ProductPanel->hide();
}

void MainWindow::BuildMemos() {
    const int memoHeight[4] = {0, 401, 444, 233};
    for (int n = 1; n <= 3; ++n) {
        auto* memo = new QPlainTextEdit(this);
        memo->setObjectName(QStringLiteral("Memo%1").arg(n));
        memo->setGeometry(388, 56, 393, memoHeight[n]);
        memo->setFont(DesignFont(Face::Arial, 12));
        memo->setReadOnly(true);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        // Values after a tab stand at the right end of their line.
        QTextOption option = memo->document()->defaultTextOption();
        const qreal margin = memo->document()->documentMargin();
        option.setTabs({QTextOption::Tab(393 - 2 * memo->frameWidth() - 2 * margin - 2, QTextOption::RightTab)});
        memo->document()->setDefaultTextOption(option);
        memo->setPlainText(LoadMemoText(n));
        memo->hide();
        InfoTexts[n] = memo;
    }
}

// The object plate and the three toggles: a click or Space switches a
// toggle, and one with the focus carries a frame in the caption's colour.
void MainWindow::BuildPlates() {
    const QFont plateFont = DesignFont(Face::Arial, 15, true);
    const auto makePlate = [&](const char* panelName, QRect rect, const char* labelName, QRect labelRect, bool wrap) {
        QLabel* plate = MakePanel(this, panelName, rect, QString(), plateFont, kMaroon, Bevel::LoweredOuter);
        QLabel* label = MakeLabel(plate, labelName, labelRect, QString(), plateFont, kMaroon, Qt::AlignCenter, wrap);
        plate->hide();
        return std::pair{plate, label};
    };
    std::tie(ObjectPlate, ObjectCaption) =
        makePlate("Con_Panel", {kPanelLeft, 368, 98, 40}, "Con_Lab", {4, 1, 89, 35}, false);
    ObjectCaption->setText(QStringLiteral("Объект"));
    std::tie(PlacementPlate, PlacementToggle) =
        makePlate("Stat_Pan", {524, 368, 152, 57}, "Stat_Lab", {8, 1, 135, 54}, true);
    std::tie(CoverPlate, CoverToggle) = makePlate("Type_Panel", {685, 368, 98, 40}, "Type_Lab", {4, 1, 89, 35}, false);
    std::tie(HoursPlate, HoursToggle) = makePlate("TimePan", {517, 434, 164, 40}, "TimeLab", {2, 1, 159, 35}, true);
    const std::pair<QLabel*, void (MainWindow::*)()> toggles[] = {
        {PlacementToggle, &MainWindow::PlacementToggleClicked},
        {CoverToggle, &MainWindow::CoverToggleClicked},
        {HoursToggle, &MainWindow::HoursToggleClicked}};
    for (const auto& [toggle, plainClick] : toggles) {
        // Each switch is also said to a screen reader.
        const std::function<void()> click = [this, toggle = toggle, plainClick = plainClick] {
            (this->*plainClick)();
            AnnounceToggled(toggle);
        };
        MakeAccessibleToggle(toggle);
        toggle->setCursor(Qt::PointingHandCursor);
        toggle->setFocusPolicy(Qt::TabFocus);
        toggle->setMouseTracking(true);
        OnLeftClick(toggle, click);
        OnEvents(toggle, [this, toggle, click](QEvent* event) {
            const QEvent::Type type = event->type();
            if (type == QEvent::FocusIn || type == QEvent::FocusOut)
                toggle->setFrameStyle(type == QEvent::FocusIn ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
            if (type != QEvent::KeyPress) return false;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Space && !IsEnter(key)) return false;
            if (toggle->isVisibleTo(this)) click();  // a hidden one does nothing
            return true;
        });
    }
}

// A push button of the design that Enter presses as well as Space.
QPushButton* MainWindow::MakeButton(const char* name, const QString& caption, void (MainWindow::*click)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setFont(DesignFont(Face::Arial, 13, true));
    button->setAutoDefault(false);
    button->hide();
    OnKeyPress(button, [button](const QKeyEvent* key) {
        if (!IsEnter(key)) return false;
        button->click();
        return true;
    });
    connect(button, &QPushButton::clicked, this, [this, button, click] {
        if (button->isVisibleTo(this)) (this->*click)();  // a hidden one does nothing
    });
    return button;
}

int MainWindow::FittingWidth(const QPushButton* button) {
    return button->fontMetrics().horizontalAdvance(button->text()) + 24;
}

void MainWindow::BuildButtons() {
    CalculateButton = MakeButton("Button2", Q(kCalculateCaption), &MainWindow::CalculateClicked);
    CalculateButton->setGeometry(kPanelLeft, 485, 257, 25);
    ReportButton = MakeButton("RepButton", Q(kReportCaption), &MainWindow::ReportClicked);
    ReportButton->setGeometry(678, 485, 105, 25);
}

// The free band under the result line: the norm button at its start, the
// protocol button right-aligned with the report button; under the fields,
// the norm chosen when it is not the historical tables.
void MainWindow::BuildFreeBand() {
    ProtocolButton = MakeButton("ProtButton", Q(kProtocolCaption), &MainWindow::ProtocolClicked);
    ProtocolButton->setGeometry(kBandRight - FittingWidth(ProtocolButton), 544, FittingWidth(ProtocolButton), 25);
    setTabOrder(ReportButton, ProtocolButton);
    NormButton = MakeButton("NormButton", QStringLiteral("Нормы…"), &MainWindow::NormClicked);
    NormButton->setToolTip(QStringLiteral("Исторические нормы или СП 61.13330.2012 с опорами и районом"));
    NormButton->setGeometry(kPanelLeft, 544, FittingWidth(NormButton), 25);
    setTabOrder(ReportButton, NormButton);
    setTabOrder(NormButton, ProtocolButton);
    NormLine = MakePanel(this, "NormLab", {kPanelLeft, 296, kBandRight - kPanelLeft, 24}, QString(),
                         DesignFont(Face::Arial, 11, true), Qt::black, Bevel::Raised, Qt::AlignLeft | Qt::AlignVCenter);
    NormLine->setIndent(4);
    NormLine->hide();
}

// The rows of the whole result, the "read as 0" line and the result line.
void MainWindow::BuildResultRows() {
    for (std::size_t row = 0; row < WholePanels.size(); ++row) {
        QLabel* panel = MakePanel(this, "", {kPanelLeft, 0, 100, 24}, QString(), DesignFont(Face::Arial, 12, true),
                                  Qt::black, Bevel::Raised, Qt::AlignLeft | Qt::AlignVCenter);
        panel->setObjectName(QStringLiteral("WholePanel%1").arg(row + 1));
        panel->hide();
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QStringLiteral("WholeEdit%1").arg(row + 1));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        WholePanels[row] = panel;
        WholeEdits[row] = edit;
    }
    ReadAsZeroLine =
        MakePanel(this, "ZeroLab", {kPanelLeft, 0, kBandRight - kPanelLeft, 24}, QString(),
                  DesignFont(Face::Arial, 12, true), kRed, Bevel::Raised, Qt::AlignLeft | Qt::AlignVCenter);
    ReadAsZeroLine->hide();
    ResultPanel = MakePanel(this, "Res_Pan", {kPanelLeft, 517, 365, 22}, QString(), DesignFont(Face::Arial, 16, true),
                            kRed, Bevel::LoweredOuter);
    ResultPanel->setAccessibleName(QStringLiteral("Результат расчета"));
    ResultPanel->hide();
}

// The diameter and supply-temperature lists; Escape closes one and returns
// to its field.
void MainWindow::BuildPickLists() {
    const auto makeList = [this](const char* name, QRect rect, const QString& accessibleName) {
        auto* list = new QComboBox(this);
        list->setObjectName(QLatin1String(name));
        list->setGeometry(rect);
        list->setFont(DesignFont(Face::Arial, 12, true));
        list->setEditable(false);
        list->setAccessibleName(accessibleName);
        list->hide();
        // Back to the field the list fills.
        const auto close = [this, list] {
            const int slot = list == SupplyTempPicker ? kSlotSupplyTemp : DiaTarget;
            if (slot != 0) SlotEdits[static_cast<std::size_t>(slot)]->setFocus(Qt::OtherFocusReason);
            list->hide();
        };
        OnKeyPress(list, [close](const QKeyEvent* key) {
            if (key->key() != Qt::Key_Escape) return false;
            close();
            return true;
        });
        // The popup closed with Escape closes the list too.
        OnEvents(list->view()->window(), [list, close](QEvent* event) {
            if (event->type() != QEvent::Hide) return false;
            QTimer::singleShot(0, list, [list, close] {
                if (!list->isHidden()) close();
            });
            return false;
        });
        return list;
    };
    DiameterPicker = makeList("DiaList", {720, 536, 57, 23}, QStringLiteral("Список диаметров трубопровода"));
    DiameterPicker->setItemDelegate(new FixedHeightItems(kDiaListItemHeight, DiameterPicker));
    SupplyTempPicker = makeList("TempList", {448, 536, 57, 23}, QStringLiteral("Список температур теплоносителя"));
    for (std::string_view item : kSupplyTemperatureItems) SupplyTempPicker->addItem(Q(item));
    connect(DiameterPicker, &QComboBox::activated, this, [this] { DiameterPicked(); });
    connect(SupplyTempPicker, &QComboBox::activated, this, [this] { SupplyTempPicked(); });
}

// The keys of the menu: Ctrl+1…Ctrl+5 the calculation types, Ctrl+0 the
// first information screen, F1 the methodical notes. The title screen, if
// still running, ends first.
void MainWindow::BuildShortcuts() {
    const auto bind = [this](QKeySequence keys, std::function<void()> action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, action] {
            TitleTimerFired();
            action();
        });
    };
    for (const CalcTypeInfo& info : CalcTypes) {
        const int type = info.Number();
        bind(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + type)), [this, type] { ChooseType(type); });
    }
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ShowInfoScreen(1); });
    bind(QKeySequence(Qt::Key_F1), [this] { HelpClicked(); });
}

void MainWindow::BuildSlotPanels() {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!SlotHasControls(slot)) continue;
        const SlotDesign* design = FindSlotDesign(slot);
        // The channel's captions (from the soil temperature on) take the
        // palette's text colour.
        const QColor captionColor = slot < kSlotSoilTemp ? QColor(Qt::black) : palette().color(QPalette::WindowText);
        QLabel* panel = MakePanel(this, "", {0, 0, design ? design->panelWidth : 185, kPanelHeight},
                                  design ? Q(design->caption) : QString(), DesignFont(Face::Arial, 12, true),
                                  captionColor, Bevel::Raised, Qt::AlignLeft | Qt::AlignVCenter);
        panel->setObjectName(QStringLiteral("Panel%1").arg(slot));
        panel->hide();
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QStringLiteral("Edit%1").arg(slot));
        edit->setGeometry(design ? design->editLeft : 140, 3, design ? design->editWidth : 41, 23);
        FitCaption(panel, edit->x());
        panel->setBuddy(edit);
        edit->setAccessibleName(AccessibleCaption(panel->text()));
        if (design) ApplySlotDesign(*design, panel, edit);
        HookSlotEdit(slot, edit);
        SlotPanels[static_cast<std::size_t>(slot)] = panel;
        SlotEdits[static_cast<std::size_t>(slot)] = edit;
    }
}

void MainWindow::ApplySlotDesign(const SlotDesign& design, QLabel* panel, QLineEdit* edit) {
    edit->setText(Q(design.designText));
    edit->setReadOnly(design.readOnly);
    if (design.panelHint.empty()) return;
    SetHint(panel, Q(design.panelHint));
    SetShowHint(panel, true);
    if (!design.editHasHint) return;
    SetHint(edit, Q(design.panelHint));
    SetShowHint(edit, true);
}

// What a field does beyond taking text: Enter calculates; the diameter and
// supply-temperature fields open their pick-list on a click or a key; the
// carrier temperature renews the surface recommendation as it is typed.
void MainWindow::HookSlotEdit(int slot, QLineEdit* edit) {
    connect(edit, &QLineEdit::returnPressed, this, [this] {
        if (CalculateButton->isVisible()) CalculateClicked();
    });
    connect(edit, &QLineEdit::textEdited, this, [this] { MarkOutdated(); });
    OnEvents(edit, [this, slot, edit](QEvent* event) {
        switch (event->type()) {
            case QEvent::ToolTip: {
                // A text longer than the field is shown whole; a field
                // without a hint of its own shows no other, rather than its
                // panel's ("Для справки" belongs to the panel only).
                const bool cut = edit->fontMetrics().horizontalAdvance(edit->text()) >
                                 edit->contentsRect().width() - 2 * edit->textMargins().left() - 4;
                QStringList tip;
                if (cut) tip << edit->text();
                if (ShowsHint(edit)) tip << Hint(edit);
                if (tip.isEmpty())
                    QToolTip::hideText();
                else
                    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip.join(QLatin1Char('\n')), edit);
                event->accept();
                return true;
            }
            case QEvent::FocusOut:
                // Its beginning shown, the minus sign among it.
                edit->setCursorPosition(0);
                return false;
            case QEvent::MouseButtonPress:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && HasPickList(slot))
                    OpenPickListFor(slot);
                return false;
            case QEvent::KeyRelease:
                if (slot == kSlotCarrierTemp) CarrierTempEdited();
                return false;
            case QEvent::KeyPress:
                if (!HasPickList(slot) || !OpensPickList(static_cast<QKeyEvent*>(event))) return false;
                OpenPickListFromKeyboard(slot);
                return true;
            default: return false;
        }
    });
}

bool MainWindow::HasPickList(int slot) {
    return slot == kSlotDiameter || slot == kSlotPipeDiameters || slot == kSlotSupplyTemp;
}

void MainWindow::OpenPickListFor(int slot) {
    if (slot == kSlotSupplyTemp)
        OpenSupplyTempList();
    else
        OpenDiameterList(slot);
}

void MainWindow::FormCreate() {
    for (std::string_view item : *CalcTypes.front().diameterItems) DiameterPicker->addItem(Q(item));
    ObjectCaption->setText(QStringLiteral("Объект\nтруба"));
}

void MainWindow::FormActivate() {
    if (TitleDone) return;
    TitleText->setText(
        QStringLiteral("ПРОГРАММА РАСЧЕТОВ\n\nТЕПЛОВОЙ ИЗОЛЯЦИИ\n\nС ПРИМЕНЕНИЕМ\n\nМИНЕРАЛОВАТНЫХ\n\nЦИЛИНДРОВ"));
    TitleTimer->start();
    TitleDone = 1;
}

void MainWindow::TitleTimerFired() {
    TitleDone = 1;
    TitleTimer->stop();
    TitleText->hide();
    TitlePicture->hide();
    for (int item : {1, 2, 3, 5}) MenuMarkers[item]->show();
    for (int item : {1, 2, 3, 5}) MenuItems[item]->show();
    ProductPanel->show();
    for (const CalcTypeInfo& info : CalcTypes) TypePictures[info.Number()]->show();
    // The menu takes the keyboard only now, the exit item last: the title
    // screen's exit item never has the focus by itself.
    for (int item : {1, 2, 3, 5, 4}) MenuItems[static_cast<std::size_t>(item)]->setFocusPolicy(Qt::TabFocus);
    for (int item : {1, 2, 3, 5}) setTabOrder(MenuItems[static_cast<std::size_t>(item)], MenuItems[4]);
}

void MainWindow::ChooseType(int type) {
    TypeScreens.type = type;
    ShowTypeScreen();
    // Typing goes on in the screen's first field, not in a control of the
    // screen before.
    if (QLineEdit* first = FirstField()) first->setFocus(Qt::TabFocusReason);
}

QLineEdit* MainWindow::FirstField() const {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (SlotHasControls(slot) && IsSlotVisible(TypeScreens.type, slot))
            return SlotEdits[static_cast<std::size_t>(slot)];
    return nullptr;
}

void MainWindow::ShowTypeScreen() {
    const int t = TypeScreens.type;
    for (int n = 1; n <= 3; ++n) InfoTexts[n]->hide();
    ShowSurfaceRecommendation();
    TypeHeading->setText(Q(TypeHeadings[static_cast<std::size_t>(t)]));
    QWidget* previous = ShowSlotFields();
    // The option plates follow the fields, then the calculate button.
    for (QLabel* toggle : {PlacementToggle, CoverToggle, HoursToggle}) {
        setTabOrder(previous, toggle);
        previous = toggle;
    }
    setTabOrder(previous, CalculateButton);
    ReportButton->show();
    CalculateButton->show();
    ResultPanel->show();
    ShowWholeResult();
    ShowNormChoice();
    ShowPlates();
    ShowDiameterItems();
    if (TypeScreens[t].calculated)
        WriteFields(*this, TypeScreens);
    else
        SetResultLine(ResultLineText(0.0));
}

void MainWindow::ShowSurfaceRecommendation() {
    const int t = TypeScreens.type;
    const CalcTypeInfo& info = TypeInfo(t);
    SetShowHint(SlotPanels[kSlotSurfaceTemp], info.recommendsSurface);
    SetShowHint(SlotEdits[kSlotSurfaceTemp], info.recommendsSurface);
    if (info.recommendsSurface)
        SetRecommendation(Q(SurfaceRecommendation(TypeScreens[t].input.indoors, TypeScreens[t].input.metalCover,
                                                  SlotEdits[kSlotCarrierTemp]->text().toStdString())));
}

// The type's fields at their places, the others hidden; Tab goes through
// the shown ones from top to bottom. The last shown field.
QWidget* MainWindow::ShowSlotFields() {
    const auto row = static_cast<std::size_t>(TypeScreens.type);
    QWidget* previous = nullptr;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!SlotHasControls(slot)) continue;
        QLabel* panel = SlotPanels[static_cast<std::size_t>(slot)];
        if (!IsSlotVisible(TypeScreens.type, slot)) {
            panel->hide();
            continue;
        }
        panel->move(SlotLeft[row][static_cast<std::size_t>(slot)],
                    SlotTop[row][static_cast<std::size_t>(slot)] + kSlotTopOffset);
        panel->show();
        QLineEdit* edit = SlotEdits[static_cast<std::size_t>(slot)];
        edit->resize(edit->width(), 18);
        if (previous) setTabOrder(previous, edit);
        previous = edit;
    }
    return previous;
}

// The object plate goes with the location and cover plates; the hours
// plate stands alone.
void MainWindow::ShowPlates() {
    const int t = TypeScreens.type;
    const CalcTypeInfo& info = TypeInfo(t);
    SetTag(PlacementToggle, TypeScreens[t].input.indoors ? 1 : 0);
    SetTag(CoverToggle, TypeScreens[t].input.metalCover ? 1 : 0);
    const bool plates = info.locationPlate || info.coverPlate;
    ObjectPlate->setVisible(plates);
    PlacementPlate->setVisible(info.locationPlate);
    CoverPlate->setVisible(info.coverPlate);
    if (plates) {
        SetCaption(PlacementToggle, LocationCaption(TypeScreens[t].input.indoors));
        SetCaption(CoverToggle, CoverCaption(TypeScreens[t].input.metalCover));
    }
    HoursPlate->setVisible(info.hoursPlate);
    if (info.hoursPlate) {
        SetCaption(HoursToggle, HoursCaption(TypeScreens[t].input.longHours));
        SetTag(HoursToggle, TypeScreens[t].input.longHours ? 1 : 0);
    }
}

void MainWindow::ShowDiameterItems() {
    const DiameterList& items = *TypeInfo(TypeScreens.type).diameterItems;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        DiameterPicker->setItemText(i, Q(items[static_cast<std::size_t>(i)]));
    // A list left open keeps the field it fills; with this screen's items it
    // shows what that field holds, or nothing, not an item by its position.
    if (!DiameterPicker->isHidden() && DiaTarget != 0)
        DiameterPicker->setCurrentIndex(
            DiameterPicker->findText(SlotEdits[static_cast<std::size_t>(DiaTarget)]->text(), Qt::MatchExactly));
}

void MainWindow::HideTypeScreen() {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (SlotHasControls(slot)) SlotPanels[static_cast<std::size_t>(slot)]->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{
             CalculateButton, ReportButton, ProtocolButton, NormButton, NormLine, ReadAsZeroLine, ResultPanel,
             PlacementPlate, ObjectPlate, CoverPlate, HoursPlate, WholePanels[0], WholePanels[1]})
        w->hide();
}

void MainWindow::CalculateClicked() {
    if (!IsCalcType(TypeScreens.type)) return;
    const auto t = static_cast<std::size_t>(TypeScreens.type);
    CalculationDates[t] = QDate::currentDate();
    UnreadFields[t] = FieldsWithoutNumbers();
    Outdated[t] = false;
    CalculateScreen(TypeScreens, *this, &Traces[t]);
    ShowWholeResult();
    ShowResultLine();
    ShowNormChoice();
}

// The papers print what the screen's inputs give now: calculated first, as
// the calculate button does. False when the calculation refused: the report
// then prints nothing, the protocol says why.
bool MainWindow::CalculateForPrinting() {
    if (!IsCalcType(TypeScreens.type)) return false;
    CalculateClicked();
    return TypeScreens.Current().whole.answer != Answer::Refused;
}

// The rows of what the type found beyond its fields, below the last field;
// the protocol button once the type has been calculated.
void MainWindow::ShowWholeResult() {
    const int t = TypeScreens.type;
    const CalcTypeInfo& info = TypeInfo(t);
    int top = 0;
    for (const SlotPlacement& p : info.placements) top = std::max(top, p.top);
    constexpr int kRowStep = 32;  // as the fields
    std::size_t row = 0;
    std::size_t shown = 0;
    for (const WholeKind kind : info.screenResults) {
        const std::optional<double> value =
            TypeScreens[t].calculated ? ValueOf(TypeScreens[t].whole, kind) : std::nullopt;
        if (!value || row >= WholePanels.size()) continue;
        QLabel* panel = WholePanels[row];
        QLineEdit* edit = WholeEdits[row];
        panel->setText(Q(WholeResultCaption(kind, *value, info.wholeMoment)));
        const int captionEnd = panel->fontMetrics().horizontalAdvance(panel->text()) + panel->frameWidth();
        edit->setGeometry(captionEnd + 4, 3, 41, 18);
        // A heat gain is named in the caption; every other value keeps its sign.
        WriteField(edit, Q(FormatShown(kind == WholeKind::HeatFlux ? std::fabs(*value) : *value, 3, 1)));
        edit->setAccessibleName(panel->text().trimmed() + QLatin1Char(' ') + edit->text());
        panel->setGeometry(kPanelLeft, top + kSlotTopOffset + kRowStep * static_cast<int>(row + 1),
                           edit->x() + edit->width() + 6, 24);
        panel->show();
        ++row;
    }
    shown = row;
    for (; row < WholePanels.size(); ++row) WholePanels[row]->hide();
    ProtocolButton->setVisible(TypeScreens[t].calculated);
    // The fields the last calculation read as 0 though they held no number.
    const QString& unread = UnreadFields[static_cast<std::size_t>(t)];
    ReadAsZeroLine->setText(QStringLiteral(" Прочитано как 0: ") + unread);
    ReadAsZeroLine->setGeometry(
        kPanelLeft, top + kSlotTopOffset + kRowStep * static_cast<int>(shown + 1),
        std::min(kBandRight - kPanelLeft, ReadAsZeroLine->fontMetrics().horizontalAdvance(ReadAsZeroLine->text()) + 10),
        24);
    ReadAsZeroLine->setVisible(TypeScreens[t].calculated && !unread.isEmpty());
}

QString MainWindow::FieldsWithoutNumbers() const {
    QStringList names;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const SlotDesign* design = FindSlotDesign(slot);
        if (!IsSlotVisible(TypeScreens.type, slot) || !design || design->showsResult) continue;
        if (!HasNumberPrefix(SwapFirstComma(SlotText(slot))))
            names << SlotEdits[static_cast<std::size_t>(slot)]->accessibleName().section(QStringLiteral(" ("), 0, 0);
    }
    return names.join(QStringLiteral(", "));
}

void MainWindow::ReportClicked() {
    if (!report_ || !CalculateForPrinting()) return;
    FillReport(report_->QuickRep1, TypeScreens.Current());
    const bool confirmed = ConfirmPrint ? ConfirmPrint() : report_->RunPrintDialog(this, QStringLiteral("report"));
    if (confirmed) ShowPrintFailure(report_->Print());
}

void MainWindow::ProtocolClicked() {
    if (!report_ || !IsCalcType(TypeScreens.type)) return;
    const std::size_t t = static_cast<std::size_t>(TypeScreens.type);
    std::optional<ProtocolIdentity> identity;
    if (AskIdentity) {
        identity = AskIdentity();
    } else {
        IdentityDialog dialog(RememberedIdentity(), this);
        if (dialog.exec() == QDialog::Accepted) {
            identity = dialog.Identity();
            RememberIdentity(*identity);
        }
    }
    if (!identity) return;
    // A refusal has its protocol too: it says why.
    CalculateForPrinting();
    const ProtocolDocument protocol = MakeProtocol(Traces[t], CalculationDates[t], *identity);
    const bool confirmed = ConfirmPrint ? ConfirmPrint() : report_->RunPrintDialog(this, QStringLiteral("protocol"));
    if (confirmed) ShowPrintFailure(report_->PrintProtocol(protocol));
}

void MainWindow::NormClicked() {
    if (!IsCalcType(TypeScreens.type) || !TypeInfo(TypeScreens.type).HasNormOption()) return;
    NormChoice& choice = TypeScreens.Current().input.norm;
    std::optional<NormChoice> chosen;
    if (ChooseNorm) {
        chosen = ChooseNorm(choice);
    } else {
        NormDialog dialog(choice, this);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.Choice();
    }
    if (!chosen || *chosen == choice) return;
    choice = *chosen;
    ShowNormChoice();
    MarkOutdated();
}

// The current norm's line under the fields, never cut: its choice on two
// lines and, after a calculation that read a cell whose published copies
// disagree, which cell to check; the air field's hint outdoors.
void MainWindow::ShowNormChoice() {
    const int t = TypeScreens.type;
    const bool has = IsCalcType(t) && TypeInfo(t).HasNormOption();
    NormButton->setVisible(has);
    const bool current = has && TypeScreens[t].input.norm.set == NormSet::Sp61;
    QString text = current ? NormSummary(TypeScreens[t].input.norm) : QString();
    QString caution;
    if (current && TypeScreens[t].calculated) {
        const std::vector<std::string>& cells = TypeScreens[t].whole.doubtfulCells;
        QStringList names;
        for (const std::string& cell : cells) names << Q(cell);
        if (!names.isEmpty()) text += QStringLiteral("\nСверьте с текстом нормы: ") + names.join(QStringLiteral("; "));
        caution = Q(DoubtfulCellsCaution(cells));
    }
    NormLine->setText(text);
    NormLine->setToolTip(caution);
    NormLine->resize(NormLine->width(),
                     NormLine->fontMetrics().height() * static_cast<int>(text.count(QLatin1Char('\n')) + 1) + 8);
    NormLine->setVisible(!text.isEmpty());
    const bool outdoorAir = current && !TypeScreens[t].input.indoors;
    for (QWidget* air :
         {static_cast<QWidget*>(SlotPanels[kSlotAirTemp]), static_cast<QWidget*>(SlotEdits[kSlotAirTemp])}) {
        SetHint(air, outdoorAir ? OutdoorAirHint() : QString());
        SetShowHint(air, outdoorAir);
    }
}

void MainWindow::ShowPrintFailure(const QString& failure) {
    if (failure.isEmpty()) return;
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), failure, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrintErrorBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void MainWindow::OpenPickList(QComboBox* list, int slot) {
    const QLabel* panel = SlotPanels[static_cast<std::size_t>(slot)];
    const QLineEdit* edit = SlotEdits[static_cast<std::size_t>(slot)];
    // The list shows what its field holds; no item when that is none of them.
    list->setCurrentIndex(list->findText(edit->text(), Qt::MatchExactly));
    list->setAccessibleName(edit->accessibleName() + QStringLiteral(": список"));
    list->move(panel->x() + edit->x(), panel->y() + 1);
    list->show();
    list->raise();
}

void MainWindow::OpenPickListFromKeyboard(int slot) {
    QComboBox* list = slot == kSlotSupplyTemp ? SupplyTempPicker : DiameterPicker;
    OpenPickListFor(slot);
    list->setFocus();
    list->showPopup();
}

void MainWindow::ChoosePickListItem(QComboBox* list, int slot) {
    QLineEdit* field = slot != 0 ? SlotEdits[static_cast<std::size_t>(slot)] : nullptr;
    if (field && list->currentIndex() >= 0 && field->text() != list->currentText()) {
        WriteField(field, list->currentText());
        MarkOutdated();
    }
    // The focus goes to the field it filled before the list hides: hidden
    // first, Qt would hand it on with a Tab reason to the screen's first
    // field, which selects its text and scrolls it to the end.
    if (list->hasFocus() && slot != 0) SlotEdits[static_cast<std::size_t>(slot)]->setFocus(Qt::OtherFocusReason);
    list->hide();
}

void MainWindow::OpenDiameterList(int slot) {
    DiaTarget = slot;
    OpenPickList(DiameterPicker, slot);
}

void MainWindow::DiameterPicked() { ChoosePickListItem(DiameterPicker, DiaTarget); }

void MainWindow::OpenSupplyTempList() { OpenPickList(SupplyTempPicker, kSlotSupplyTemp); }

void MainWindow::SupplyTempPicked() { ChoosePickListItem(SupplyTempPicker, kSlotSupplyTemp); }

// The toggles switch the current type's flag; their tag mirrors it for the
// accessible checked state.
void MainWindow::HoursToggleClicked() {
    const bool longHours = !TypeScreens.Current().input.longHours;
    SetCaption(HoursToggle, HoursCaption(longHours));
    SetTag(HoursToggle, longHours ? 1 : 0);
    TypeScreens.Current().input.longHours = longHours;
    MarkOutdated();
}

void MainWindow::CoverToggleClicked() {
    const bool metal = !TypeScreens.Current().input.metalCover;
    SetTag(CoverToggle, metal ? 1 : 0);
    SetCaption(CoverToggle, CoverCaption(metal));
    if (!TypeScreens[RecommendingType().Number()].input.indoors) SetRecommendation(Q(OutdoorRecommendation(metal)));
    TypeScreens.Current().input.metalCover = metal;
    MarkOutdated();
}

void MainWindow::PlacementToggleClicked() {
    if (TypeInfo(TypeScreens.type).alwaysIndoors) {
        SetTag(PlacementToggle, 1);
        return;
    }
    const bool indoors = !TypeScreens.Current().input.indoors;
    TypeScreens.Current().input.indoors = indoors;
    SetTag(PlacementToggle, indoors ? 1 : 0);
    SetCaption(PlacementToggle, LocationCaption(indoors));
    if (indoors)
        RecommendByCarrierTemperature();
    else
        SetRecommendation(Q(OutdoorRecommendation(TypeScreens[RecommendingType().Number()].input.metalCover)));
    ShowNormChoice();
    MarkOutdated();
}

void MainWindow::CarrierTempEdited() {
    if (!TypeScreens.Current().input.indoors) return;
    RecommendByCarrierTemperature();
}

void MainWindow::RecommendByCarrierTemperature() {
    SetRecommendation(Q(IndoorRecommendation(SlotEdits[kSlotCarrierTemp]->text().toStdString())));
}

void MainWindow::SetRecommendation(const QString& hint) {
    SetHint(SlotPanels[kSlotSurfaceTemp], hint);
    SetHint(SlotEdits[kSlotSurfaceTemp], hint);
}

QLabel* MainWindow::MenuLabel(int item) const { return MenuItems[static_cast<std::size_t>(item)]; }

QLabel* MainWindow::MenuMarker(int item) const { return MenuMarkers[static_cast<std::size_t>(item)]; }

void MainWindow::HoverMenuItem(int item) {
    if (HoverItem != 0) return;
    HoverItem = item;
    QLabel* label = MenuLabel(item);
    CopyPicture(MenuMarker(item), LitMarker);
    label->move(label->x() - 2, label->y() - 2);
    MenuShadow->setText(label->text());
    // As tall as the label: both texts are centred vertically, so the shadow
    // falls exactly 4 px below and right of the raised text.
    MenuShadow->setGeometry(label->x() + 4, label->y() + 4, label->width(), label->height());
    MenuShadow->show();
}

void MainWindow::BackgroundHovered() {
    if (HoverItem == 0) return;
    QLabel* label = MenuLabel(HoverItem);
    label->move(label->x() + 2, label->y() + 2);
    CopyPicture(MenuMarker(HoverItem), IdleMarker);
    MenuShadow->hide();
    HoverItem = 0;
}

void MainWindow::ShowInfoScreen(int item) {
    HideTypeScreen();
    for (int n = 1; n <= 3; ++n) InfoTexts[n]->setVisible(n == item);
    TypeHeading->setText(MenuLabel(item)->text());
    // No hidden control of the type screen keeps the keys.
    InfoTexts[static_cast<std::size_t>(item)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::ExitClicked() { std::exit(0); }

void MainWindow::HelpClicked() { ShowHelpContents(this); }

std::string MainWindow::SlotText(int slot) const {
    const QLineEdit* edit = SlotEdits[static_cast<std::size_t>(slot)];
    return edit ? edit->text().toStdString() : std::string();
}

void MainWindow::SetSlotText(int slot, const std::string& text) {
    if (QLineEdit* edit = SlotEdits[static_cast<std::size_t>(slot)]) WriteField(edit, QString::fromStdString(text));
}

void MainWindow::SetResultLine(const std::string& caption) {
    resultCaption_ = caption;
    ShowResultLine();
}

// The thickness as calculated: "≈" where the iterations stopped at their
// limit, greyed where the inputs changed since; a screen reader hears the
// whole line.
void MainWindow::ShowResultLine() {
    const int t = TypeScreens.type;
    QString line = QString::fromStdString(resultCaption_);
    QStringList notes;
    const bool calculated = IsCalcType(t) && TypeScreens[t].calculated;
    const bool outdated = calculated && Outdated[static_cast<std::size_t>(t)];
    if (calculated) {
        const WholeResult& whole = TypeScreens[t].whole;
        if (whole.answer == Answer::Thickness && whole.convergence.Approximate())
            line.replace(QStringLiteral(" = "), QStringLiteral(" ≈ "));
        for (const std::string& text : UnsettledTexts(whole.convergence)) notes << Q(text);
        if (outdated)
            notes << QStringLiteral(
                "Исходные данные изменены после расчета: нажмите «Расчет толщины тепловой изоляции»");
    }
    ResultPanel->setText(line);
    ResultPanel->setToolTip(notes.join(QLatin1Char('\n')));
    SetTextColor(ResultPanel, outdated ? kGrey : kRed);
    for (QLineEdit* edit : WholeEdits) SetTextColor(edit, outdated ? kGrey : QColor(Qt::black));
    SetTextColor(ReadAsZeroLine, outdated ? kGrey : kRed);
    ResultPanel->setAccessibleName(
        QStringLiteral("Результат расчета: ") + line +
        (notes.isEmpty() ? QString() : QStringLiteral(". ") + notes.join(QStringLiteral(". "))));
}

// A field, toggle or norm choice changed: the shown results no longer
// belong to the inputs until the next calculation.
void MainWindow::MarkOutdated() {
    const int t = TypeScreens.type;
    if (!IsCalcType(t) || !TypeScreens[t].calculated || Outdated[static_cast<std::size_t>(t)]) return;
    Outdated[static_cast<std::size_t>(t)] = true;
    ShowResultLine();
}

void MainWindow::ShowInfo(const std::string& message) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), QString::fromStdString(message),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("InfoBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));  // not Qt's translation
    box.exec();
}

void MainWindow::ShowError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), Q(ArithmeticFaultText(message)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing counts as an activation also where no window
    // manager activates the window.
    FormActivate();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QWidget::event(event);
}

}  // namespace kaldora
