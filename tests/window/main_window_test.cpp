// The main window: start-up state, title screen, type screens, the
// calculate button and the result line.
#include <QFile>
#include <QScreen>
#include <QToolTip>

#include "model/calc_data.h"
#include "ui/norm_dialog.h"
#include "ui/window_placement.h"

#include <QAccessible>
#include <QStyle>
#include "model/type_layout.h"
#include "ui/control_props.h"
#include "window_fixture.h"

namespace kaldora::testing {

class MainWindowTest : public QObject, public WindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { StartApplication(); }
    void init() { MakeWindow(); }
    void cleanup() { DropWindow(); }

    void startUpState_data() {
        QTest::addColumn<bool>("titleScreenFirst");
        QTest::newRow("made at once") << false;
        QTest::newRow("title screen first, as the program starts") << true;
    }

    void startUpState() {
        QFETCH(bool, titleScreenFirst);
        if (titleScreenFirst) {
            // The first frame is the whole title screen: what is made after
            // it adds nothing to be seen.
            const QImage first = MakeWindowTitleScreenFirst();
            QCOMPARE(form->grab().toImage(), first);
        }
        QCOMPARE(form->windowTitle(), QStringLiteral("Программа тепловых расчетов"));
        QCOMPARE(form->windowIconText(), QStringLiteral("Кальдора"));
        QCOMPARE(form->size(), QSize(792, 573));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        for (const char* name : {"Fon_Image", "Titul_Im", "Titul_Lab", "Panel22", "Label6", "Label7", "Label8",
                                 "Panel2", "Label4", "Image4", "Head_Lab"})
            QVERIFY2(Shown(QLatin1String(name)), name);
        for (const char* name :
             {"Panel26", "Label1",    "Label2",    "Label3",     "Label5",    "Image1",   "Image2",     "Image3",
              "Image5",  "Dark_Ind",  "Light_Ind", "Shadow_Lab", "Regim1",    "Regim2",   "Regim3",     "Regim4",
              "Regim5",  "Memo1",     "Memo2",     "Memo3",      "Con_Panel", "Stat_Pan", "Type_Panel", "TimePan",
              "Button2", "RepButton", "Res_Pan",   "DiaList",    "TempList"})
            QVERIFY2(!Shown(QLatin1String(name)), name);
        for (int slot = 1; slot <= 32; ++slot)
            if (SlotHasControls(slot)) QVERIFY(!Panel(slot)->isVisibleTo(form.get()));

        auto* dia = DiameterPicker();
        QCOMPARE(dia->count(), 12);
        QCOMPARE(dia->itemText(0), QStringLiteral("18"));
        QCOMPARE(dia->itemText(11), QStringLiteral("273"));
        QCOMPARE(ObjectCaption()->text(), QStringLiteral("Объект\nтруба"));
        QCOMPARE(RegisteredMark()->text(), QStringLiteral("®"));
        QCOMPARE(MakerPanel()->text(), QStringLiteral("АО \"ВЕЛАРИС\""));

        // Every marker shows the idle picture, the exit item's too.
        const QImage idle = IdleMarker()->pixmap().toImage();
        QVERIFY(!idle.isNull());
        for (int item = 1; item <= 5; ++item) {
            QLabel* marker = MenuMarker(item);
            QCOMPARE(marker->pixmap().toImage(), idle);
            QCOMPARE(marker->size(), QSize(17, 17));
        }
        QVERIFY(form->SlotPanels[2] == nullptr && form->SlotPanels[22] == nullptr && form->SlotPanels[26] == nullptr);
        QCOMPARE(form->SlotEdits[17], Edit(17));
    }

    void picturesHaveTheirSizes() {
        QCOMPARE(Background()->size(), QSize(782, 569));
        QCOMPARE(TitlePicture()->size(), QSize(338, 431));
        for (int type = 1; type <= 5; ++type) {
            const QSize size = TypePicture(type)->size();
            QCOMPARE(size.height(), 105);
            QVERIFY(size.width() == 138 || size.width() == 139);
        }
        QVERIFY(!form->windowIcon().isNull());
    }

    void paintOrderPutsTheTitleTextOverItsPicture() {
        const QObjectList children = form->children();
        const auto at = [&](const char* name) { return children.indexOf(Find<QWidget>(QLatin1String(name))); };
        QVERIFY(at("Titul_Lab") > at("Titul_Im"));
        for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5"})
            QVERIFY2(at(label) > at("Shadow_Lab"), label);
    }

    void titleScreenRunsOnce() {
        auto* timer = TitleTimer();
        QVERIFY(!timer->isActive());
        form->FormActivate();
        QCOMPARE(form->TitleDone, 1);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 8000);
        QCOMPARE(TitleText()->text().count(QLatin1Char('\n')), 8);

        form->TitleTimerFired();
        QVERIFY(!timer->isActive());
        QVERIFY(!Shown(TitleText()));
        QVERIFY(!Shown(TitlePicture()));
        for (const char* name : {"Label1", "Label2", "Label3", "Label5", "Image1", "Image2", "Image3", "Image5",
                                 "Panel26", "Regim1", "Regim2", "Regim3", "Regim4", "Regim5"})
            QVERIFY2(Shown(QLatin1String(name)), name);
        QVERIFY(TypeHeading()->text().isEmpty());

        form->FormActivate();  // switching back to the window
        QVERIFY(!timer->isActive());
        QVERIFY(!Shown(TitleText()));
    }

    void typeScreenShowsTheTypesSlots_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("plates");
        QTest::addColumn<bool>("hours");
        for (int type = 1; type <= 5; ++type)
            QTest::addRow("type %d", type) << type << (type <= 3) << (type == 1 || type == 5);
    }
    void typeScreenShowsTheTypesSlots() {
        QFETCH(int, type);
        QFETCH(bool, plates);
        QFETCH(bool, hours);
        form->TitleTimerFired();
        form->ChooseType(type);
        QCOMPARE(form->TypeScreens.type, type);
        QCOMPARE(TypeHeading()->text().toStdString(), std::string(TypeHeadings[static_cast<std::size_t>(type)]));
        for (int slot = 1; slot <= 32; ++slot) {
            if (!SlotHasControls(slot)) continue;
            const bool visible = IsSlotVisible(type, slot);
            QCOMPARE(!Panel(slot)->isHidden(), visible);
            if (!visible) continue;
            QCOMPARE(Panel(slot)->pos(),
                     QPoint(416, SlotTop[static_cast<std::size_t>(type)][static_cast<std::size_t>(slot)] + 64));
            QCOMPARE(Edit(slot)->height(), 18);
        }
        for (const char* name : {"Con_Panel", "Stat_Pan", "Type_Panel"}) QCOMPARE(Shown(QLatin1String(name)), plates);
        QCOMPARE(Shown(HoursPlate()), hours);
        for (const char* name : {"Button2", "RepButton", "Res_Pan"}) QVERIFY(Shown(QLatin1String(name)));
        QCOMPARE(Shown(NormButton()), type == 1);
        QVERIFY(!Shown(NormLine()));  // the historical tables say nothing
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));
        QCOMPARE(ShowsHint(Panel(7)), type == 3);
        QCOMPARE(ShowsHint(Edit(7)), type == 3);
        // Every field is named as its caption reads, for a screen reader.
        for (int slot = 1; slot <= 32; ++slot) {
            if (!IsSlotVisible(type, slot)) continue;
            const QString name = QAccessible::queryAccessibleInterface(Edit(slot))->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && Panel(slot)->text().contains(name), qPrintable(name));
            QCOMPARE(Panel(slot)->buddy(), Edit(slot));
        }
    }

    // The design's look whatever the desktop's theme.
    void styleAndPaletteAreTheDesigns() {
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() > 200);
        QVERIFY(QApplication::palette().color(QPalette::WindowText).lightness() < 50);
    }

    // A refusal leaves no number of an earlier case in the norm field, and
    // fields read as 0 without a number are named.
    void refusalAndUnreadFieldsAreSaid() {
        form->ChooseType(1);
        form->CalculateClicked();
        QCOMPARE(Edit(6)->text(), QStringLiteral("146,0"));
        QVERIFY(!Shown(ReadAsZeroLine()));
        Edit(4)->setText(QString());  // no carrier: no losses
        AnswerBoxes([&] { form->CalculateClicked(); });
        QCOMPARE(Edit(6)->text(), QStringLiteral("0,0"));
        QVERIFY(Shown(ReadAsZeroLine()));
        QCOMPARE(ReadAsZeroLine()->text(), QStringLiteral(" Прочитано как 0: Температура теплоносителя"));
    }

    void slotPanelsHaveTheirDesign() {
        for (const SlotDesign& d : ShownSlotDesigns) {
            QLabel* panel = Panel(d.slot);
            QCOMPARE(panel->text().toStdString(), std::string(d.caption));
            QCOMPARE(panel->size(), QSize(d.panelWidth, 24));
            QLineEdit* edit = Edit(d.slot);
            QCOMPARE(edit->geometry().topLeft(), QPoint(d.editLeft, 3));
            QCOMPARE(edit->width(), d.editWidth);
            QCOMPARE(edit->isReadOnly(), d.readOnly);
            QCOMPARE(edit->text().toStdString(), std::string(d.designText));
            // The caption ends before its edit box starts.
            const int captionEnd = panel->fontMetrics().horizontalAdvance(panel->text()) + panel->frameWidth();
            QVERIFY2(captionEnd <= d.editLeft, qPrintable(panel->text()));
        }
        QCOMPARE(Hint(Panel(6)), QStringLiteral("Для справки"));
        QCOMPARE(Hint(Panel(27)), QStringLiteral("Для справки"));
        QCOMPARE(Hint(Panel(19)), QStringLiteral("До оси канала"));
        QCOMPARE(Hint(Edit(19)), QStringLiteral("До оси канала"));
        QVERIFY(ShowsHint(Panel(6)) && ShowsHint(Panel(19)) && ShowsHint(Edit(19)) && ShowsHint(Panel(27)));
        // What the pointer shows: a field does not borrow its panel's hint.
        form->show();
        form->ChooseType(5);
        const auto tip = [](QWidget* w) {
            QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(w, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tip(Edit(27)), QString());
        QCOMPARE(tip(Edit(19)), QStringLiteral("До оси канала"));
        QCOMPARE(tip(Panel(27)), QStringLiteral("Для справки"));
    }

    void captionsFitTheirBoxes() {
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull()) continue;
            const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000),
                                                                   static_cast<int>(label->alignment()), label->text());
            const QRect room = label->contentsRect();
            QVERIFY2(needed.width() <= room.width(), qPrintable(label->objectName()));
            QVERIFY2(needed.height() <= room.height() + 4, qPrintable(label->objectName()));
        }
        for (auto* button : form->findChildren<QPushButton*>())
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 6,
                     qPrintable(button->objectName()));
    }

    void surfaceHintFollowsTheCarrierTemperature_data() {
        QTest::addColumn<QString>("carrier");
        QTest::addColumn<QString>("hint");
        QTest::newRow("100") << "100"
                             << "Рекомендуется +35С";
        QTest::newRow("101") << "101"
                             << "Рекомендуется +45С";
        QTest::newRow("100,5") << "100,5"
                               << "Рекомендуется +35С";
        QTest::newRow("empty") << ""
                               << "Рекомендуется +35С";
    }
    void surfaceHintFollowsTheCarrierTemperature() {
        QFETCH(QString, carrier);
        QFETCH(QString, hint);
        form->TypeScreens[3].input.indoors = 1;
        Edit(4)->setText(carrier);
        form->ChooseType(3);
        QCOMPARE(Hint(Panel(7)), hint);
        QCOMPARE(Hint(Edit(7)), hint);
        form->ChooseType(1);
        QVERIFY(!ShowsHint(Edit(7)));
        QCOMPARE(Hint(Edit(7)), hint);  // kept while switched off
    }

    void diameterListFollowsTheType() {
        auto* dia = DiameterPicker();
        form->ChooseType(5);
        QCOMPARE(dia->count(), 12);
        QCOMPARE(dia->itemText(0), QStringLiteral("32"));
        QCOMPARE(dia->itemText(1), QStringLiteral("38"));
        QCOMPARE(dia->itemText(11), QStringLiteral(" "));
        form->ChooseType(2);
        QCOMPARE(dia->count(), 12);
        QCOMPARE(dia->itemText(0), QStringLiteral("18"));
        QCOMPARE(dia->itemText(11), QStringLiteral("273"));
    }

    void calculatedValuesComeBack() {
        form->ChooseType(1);
        Edit(1)->setText(QStringLiteral("20,5"));
        form->CalculateClicked();
        QCOMPARE(Edit(6)->text(), QStringLiteral("146,0"));
        const QString typeOneResult = ResultPanel()->text();
        QVERIFY(typeOneResult != QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));

        form->ChooseType(2);  // never calculated: the texts stay, thickness 0
        QCOMPARE(Edit(1)->text(), QStringLiteral("20,5"));
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));
        Edit(1)->setText(QStringLiteral("18"));
        const auto boxes = AnswerBoxes([&] { form->CalculateClicked(); });  // 18 < 350: refused
        QCOMPARE(boxes.size(), std::size_t{1});

        form->ChooseType(1);
        QCOMPARE(Edit(1)->text(), QStringLiteral("20"));
        QCOMPARE(ResultPanel()->text(), typeOneResult);
    }

    // The norm is chosen per screen, like the typed values; the norm field
    // shows the flux the current norm asks for (K1·q_table / K).
    void currentNormIsChosenPerScreen() {
        NormChoice offered{NormSet::Sp61, Supports::Movable, Region::Europe};
        form->ChooseNorm = [&](const NormChoice&) { return std::optional(offered); };
        form->ChooseType(1);
        form->NormClicked();
        QVERIFY(Shown(NormLine()));
        QCOMPARE(NormLine()->text(),
                 QStringLiteral("СП 61.13330.2012, подвижные опоры\nРайон: Европейская часть России"));
        form->CalculateClicked();
        QCOMPARE(Edit(6)->text(), QStringLiteral("115,8"));
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 114,5 мм"));
        form->ChooseType(3);
        QVERIFY(!Shown(NormLine()) && !Shown(NormButton()));
        form->ChooseType(1);
        QVERIFY(Shown(NormLine()));
        offered = {};
        form->NormClicked();
        QVERIFY(!Shown(NormLine()));
        form->CalculateClicked();
        QCOMPARE(Edit(6)->text(), QStringLiteral("146,0"));
    }

    // On any screen the window stands inside the available area; a scale
    // that would make it larger is brought down to the largest that fits.
    void windowFitsTheScreen_data() {
        QTest::addColumn<QSize>("screen");  // available, in pixels at the scale
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("factor");
        QTest::newRow("1920x1080 at 1") << QSize(1920, 1050) << 1.0 << 1.0;
        QTest::newRow("1920x1080 at 2: 1,5") << QSize(960, 525) << 2.0 << 0.75;
        QTest::newRow("1366x768 at 1,5: 1") << QSize(910, 491) << 1.5 << 1.0 / 1.5;
        QTest::newRow("3840x2160 at 2") << QSize(1920, 1050) << 2.0 << 1.0;
    }
    void windowFitsTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        QFETCH(double, factor);
        const QSize frame(792, 573 + 32);
        QCOMPARE(FittingScaleFactor(frame, screen, scale), factor);
        // At the new scale the frame, measured in the present scale's pixels,
        // shrinks by the factor and then stands inside the available area.
        const QRect available(QPoint(0, 30), screen);
        QVERIFY(available.contains(CentredInside(QRect(QPoint(), frame * factor), available)));
    }

    void helpStandsBesideTheWindow_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("help");
        const QRect wide(0, 0, 1920, 1050), laptop(0, 0, 1366, 740);
        QTest::newRow("centred on 1920: right, narrowed to the room")
            << wide << QRect(564, 238, 792, 605) << QRect(1364, 238, 556, 605);
        QTest::newRow("at the left: right of it") << wide << QRect(0, 0, 792, 605) << QRect(800, 0, 568, 605);
        QTest::newRow("at the right: left of it") << wide << QRect(1128, 10, 792, 605) << QRect(552, 10, 568, 605);
        QTest::newRow("centred on 1366: no room, over the menu side")
            << laptop << QRect(287, 67, 792, 605) << QRect(0, 67, 568, 605);
    }
    void helpStandsBesideTheWindow() {
        QFETCH(QRect, available);
        QFETCH(QRect, main);
        QFETCH(QRect, help);
        QCOMPARE(HelpBeside(main, help.size(), available, 8), help);
    }

    void normDialogOffersSupportsAndRegionOnlyForTheCurrentNorm() {
        NormDialog dialog({NormSet::Sp61, Supports::Suspended, Region::FarEast}, form.get());
        auto* norm = dialog.findChild<QComboBox*>(QStringLiteral("NormBox"));
        auto* supports = dialog.findChild<QComboBox*>(QStringLiteral("SupportsBox"));
        QVERIFY(supports->isEnabled());
        QCOMPARE(dialog.Choice(), (NormChoice{NormSet::Sp61, Supports::Suspended, Region::FarEast}));
        norm->setCurrentIndex(0);
        QVERIFY(!supports->isEnabled());
        QVERIFY(!dialog.findChild<QComboBox*>(QStringLiteral("RegionBox"))->isEnabled());
        QCOMPARE(dialog.Choice().set, NormSet::Historical);
    }

    void enterInAFieldCalculates() {
        form->show();
        form->ChooseType(1);
        QCOMPARE(Edit(6)->text(), QStringLiteral("20,0"));
        Edit(1)->setFocus();
        QTest::keyClick(Edit(1), Qt::Key_Return);
        QCOMPARE(Edit(6)->text(), QStringLiteral("146,0"));
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 78,9 мм"));
    }

    // The rows of the whole result show what the type does not show already,
    // only after a calculation that found a thickness, and go with the screen.
    void wholeResultRowsFollowTheCalculation_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("typed");  // "slot=text"
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("norm: surface") << 1 << QStringList{} << QStringList{QStringLiteral("26,0")};
        QTest::newRow("condensation refused") << 2 << QStringList{} << QStringList{};
        QTest::newRow("freeze refused") << 4 << QStringList{} << QStringList{};
        QTest::newRow("channel: air") << 5 << QStringList{} << QStringList{QStringLiteral("19,8")};
        // Temperatures below zero keep their sign; a gain is said by its caption.
        QTest::newRow("norm in frost") << 1 << QStringList{QStringLiteral("1=-30")}
                                       << QStringList{QStringLiteral("-24,3")};
        QTest::newRow("condensation: cold pipe")
            << 2 << QStringList{QStringLiteral("1=-5"), QStringLiteral("4=-20"), QStringLiteral("32=70")}
            << QStringList{QStringLiteral("-9,1"), QStringLiteral("12,3")};
        QTest::newRow("freeze: cold surface") << 4 << QStringList{QStringLiteral("1=-20")}
                                              << QStringList{QStringLiteral("-18,0"), QStringLiteral("27,4")};
    }
    void wholeResultRowsFollowTheCalculation() {
        QFETCH(int, type);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, rows);
        form->ChooseType(type);
        for (const QString& t : typed)
            Edit(t.section(QLatin1Char('='), 0, 0).toInt())->setText(t.section(QLatin1Char('='), 1));
        QVERIFY(!WholeRow(1)->isVisibleTo(form.get()));
        AnswerBoxes([&] { form->CalculateClicked(); });
        for (int row = 1; row <= 2; ++row) {
            QLabel* panel = WholeRow(row);
            QCOMPARE(panel->isVisibleTo(form.get()), row <= rows.size());
            if (row > rows.size()) continue;
            QCOMPARE(WholeValue(row)->text(), rows[row - 1]);
            QVERIFY(panel->geometry().bottom() < 368);  // above the option plates
            for (int slot = 1; slot <= 32; ++slot)
                if (IsSlotVisible(type, slot)) QVERIFY(!panel->geometry().intersects(Panel(slot)->geometry()));
        }
        form->ShowInfoScreen(1);  // an information screen hides them
        QVERIFY(!WholeRow(1)->isVisibleTo(form.get()));
        QVERIFY(!ProtocolButton()->isVisibleTo(form.get()));
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("calculate, Return") << QStringLiteral("Button2") << int(Qt::Key_Return);
        QTest::newRow("calculate, Enter") << QStringLiteral("Button2") << int(Qt::Key_Enter);
        QTest::newRow("report, Return") << QStringLiteral("RepButton") << int(Qt::Key_Return);
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        int printAsked = 0;
        form->ConfirmPrint = [&] {
            ++printAsked;
            return false;
        };
        form->show();
        form->ChooseType(1);
        auto* target = Find<QPushButton>(button);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(form->TypeScreens[1].calculated);  // the report is calculated before it is printed
        QCOMPARE(printAsked, button == QStringLiteral("RepButton") ? 1 : 0);
    }

    // A text the program writes shows its start, sign and all, however narrow
    // the field: after a type-1 calculation, and when a type comes back.
    void writtenFieldShowsItsStart_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("typed");
        QTest::newRow("type 1, air") << 1 << 1 << QStringLiteral("-12,75");
        QTest::newRow("type 3, air") << 3 << 1 << QStringLiteral("-12,75");
        QTest::newRow("type 4, air") << 4 << 1 << QStringLiteral("-20,0000");
    }
    void writtenFieldShowsItsStart() {
        QFETCH(int, type);
        QFETCH(int, slot);
        QFETCH(QString, typed);
        form->show();
        form->ChooseType(type);
        Edit(slot)->setText(typed);
        AnswerBoxes([&] { form->CalculateClicked(); });
        form->ChooseType(type == 1 ? 2 : 1);
        form->ChooseType(type);
        QCOMPARE(Edit(slot)->text(), typed);
        QCOMPARE(Edit(slot)->cursorPosition(), 0);
    }

    void tabMovesDownTheShownFields() {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->ChooseType(4);
        Edit(1)->setFocus();
        QTest::keyClick(Edit(1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Edit(3));
        QTest::keyClick(Edit(3), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Edit(8));
        QTest::keyClick(Edit(8), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Edit(11));
        QTest::keyClick(Edit(11), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Edit(16));
    }

    void informationBoxHasIconCaptionAndText() {
        form->show();
        form->ChooseType(3);  // the initial texts: air 20 °C, surface 20 °C
        const auto boxes = AnswerBoxes([&] { QTest::mouseClick(CalculateButton(), Qt::LeftButton); });
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].icon, QMessageBox::Information);
        QCOMPARE(boxes[0].caption, QStringLiteral("Information"));
        QCOMPARE(boxes[0].okText, QStringLiteral("OK"));
        QCOMPARE(boxes[0].text,
                 QStringLiteral("Температура на поверхности ниже температуры среды\n Расчет невозможен"));
        QCOMPARE(boxes[0].buttons, 1);
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));
    }

    void arithmeticFaultShowsAnErrorBox() {
        form->ChooseType(3);
        Edit(4)->setText(QStringLiteral("1e308"));
        Edit(7)->setText(QStringLiteral("45"));
        const auto boxes = AnswerBoxes([&] { form->CalculateClicked(); });
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].caption, QStringLiteral("Кальдора"));
        QCOMPARE(boxes[0].text, QStringLiteral("Расчет невозможен при заданных значениях (Floating point overflow).\n"
                                               "Проверьте исходные данные."));
        QCOMPARE(boxes[0].okText, QStringLiteral("OK"));
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));
    }
};

}  // namespace kaldora::testing

QTEST_MAIN(kaldora::testing::MainWindowTest)
#include "main_window_test.moc"
