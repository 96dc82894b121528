// Option toggles, pick-lists, the menu's hover highlight and the
// information screens.
#include <QAbstractItemView>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBrowser>

#include "model/calc_data.h"
#include "ui/control_props.h"
#include "ui/help.h"
#include "window_fixture.h"

namespace kaldora::testing {

class NavigationTest : public QObject, public WindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { StartApplication(); }
    void init() {
        MakeWindow();
        form->TitleTimerFired();  // past the title screen
    }
    void cleanup() { DropWindow(); }

    void surfaceHintFollowsTheToggles() {
        form->ChooseType(3);
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +60С"));
        form->CoverToggleClicked();
        QCOMPARE(CoverToggle()->text(), QStringLiteral("Покрытие\nметалл"));
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +55С"));
        QCOMPARE(Hint(Panel(7)), QStringLiteral("Рекомендуется +55С"));
        QVERIFY(form->TypeScreens[3].input.metalCover);
        form->PlacementToggleClicked();  // to indoors, with 350 in the carrier field
        QCOMPARE(PlacementToggle()->text(), QStringLiteral("Расположение\nв помещении"));
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +45С"));
        QVERIFY(form->TypeScreens[3].input.indoors);
        Edit(4)->setText(QStringLiteral("90"));
        QTest::keyRelease(Edit(4), Qt::Key_0);
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +35С"));
        Edit(4)->setText(QStringLiteral("100,5"));
        form->CarrierTempEdited();
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +35С"));
        Edit(4)->setText(QStringLiteral("101"));
        form->CarrierTempEdited();
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +45С"));
        // Indoors, the cover toggle leaves the hint alone.
        form->CoverToggleClicked();
        QVERIFY(!form->TypeScreens[3].input.metalCover);
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +45С"));
        // Back outdoors: the hint follows the cover of type 3.
        form->PlacementToggleClicked();
        QCOMPARE(Hint(Edit(7)), QStringLiteral("Рекомендуется +60С"));
    }

    void condensationStaysIndoors() {
        form->ChooseType(2);
        const QString caption = PlacementToggle()->text();
        QCOMPARE(caption, QStringLiteral("Расположение\nв помещении"));
        form->PlacementToggleClicked();
        QVERIFY(form->TypeScreens[2].input.indoors);
        form->PlacementToggleClicked();
        QCOMPARE(PlacementToggle()->text(), caption);
        QVERIFY(form->TypeScreens[2].input.indoors);
        QCOMPARE(Tag(PlacementToggle()), 1);
    }

    void togglesChangeOnlyTheCurrentType() {
        form->ChooseType(1);
        form->PlacementToggleClicked();
        form->CoverToggleClicked();
        form->HoursToggleClicked();
        QVERIFY(form->TypeScreens[1].input.indoors);
        QVERIFY(form->TypeScreens[1].input.metalCover);
        QVERIFY(form->TypeScreens[1].input.longHours);
        QCOMPARE(HoursToggle()->text(), QStringLiteral("Число часов работы\nсвыше 5000 в год"));
        for (int type : {3, 4, 5}) {
            QVERIFY(!form->TypeScreens[type].input.indoors);
            QVERIFY(!form->TypeScreens[type].input.metalCover);
            QVERIFY(!form->TypeScreens[type].input.longHours);
        }
        form->ChooseType(3);
        QCOMPARE(PlacementToggle()->text(), QStringLiteral("Расположение\nна открытом воздухе"));
        form->ChooseType(5);
        QCOMPARE(HoursToggle()->text(), QStringLiteral("Число часов работы\nне более 5000 в год"));
        form->HoursToggleClicked();
        QVERIFY(form->TypeScreens[5].input.longHours);
        form->ChooseType(1);  // type 1 keeps its own choices
        QCOMPARE(PlacementToggle()->text(), QStringLiteral("Расположение\nв помещении"));
        QCOMPARE(CoverToggle()->text(), QStringLiteral("Покрытие\nметалл"));
    }

    void togglesAreClickedWithTheMouse() {
        form->show();
        form->ChooseType(1);
        QTest::mouseClick(CoverToggle(), Qt::LeftButton);
        QVERIFY(form->TypeScreens[1].input.metalCover);
        QCOMPARE(CoverToggle()->cursor().shape(), Qt::PointingHandCursor);
    }

    void diameterPickListFillsItsField() {
        form->show();
        form->ChooseType(1);
        QTest::mouseClick(Edit(3), Qt::LeftButton);
        auto* dia = DiameterPicker();
        QVERIFY(!dia->isHidden());
        QCOMPARE(form->DiaTarget, 3);
        QCOMPARE(dia->pos(), QPoint(Panel(3)->x() + Edit(3)->x(), Panel(3)->y() + 1));
        QCOMPARE(dia->currentText(), QStringLiteral("108"));  // what the field holds
        dia->showPopup();
        QCOMPARE(dia->view()->visualRect(dia->model()->index(0, 0)).height(), 15);
        dia->hidePopup();
        dia->setCurrentIndex(10);
        emit dia->activated(10);
        QCOMPARE(Edit(3)->text(), QStringLiteral("219"));
        QVERIFY(dia->isHidden());
    }

    // The list opened over a field shows that field's text, not the item last
    // picked elsewhere; a text that is no item shows none.
    void pickListShowsTheFieldsText_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("type 1, 273") << 1 << 3 << QStringLiteral("273") << 11;
        QTest::newRow("type 5, 108") << 5 << 23 << QStringLiteral("108") << 6;
        QTest::newRow("type 5, typed 100") << 5 << 23 << QStringLiteral("100") << -1;
        QTest::newRow("supply 90") << 5 << 24 << QStringLiteral("90") << 1;
    }
    void pickListShowsTheFieldsText() {
        QFETCH(int, type);
        QFETCH(int, slot);
        QFETCH(QString, text);
        QFETCH(int, index);
        form->ChooseType(1);
        form->OpenDiameterList(kSlotDiameter);
        auto* dia = DiameterPicker();
        dia->setCurrentIndex(0);
        emit dia->activated(0);  // "18" picked on type 1 first
        (type == 1 ? form->ChooseType(1) : form->ChooseType(5));
        Edit(slot)->setText(text);
        QTest::mouseClick(Edit(slot), Qt::LeftButton);
        auto* list = Find<QComboBox>(slot == 24 ? QStringLiteral("TempList") : QStringLiteral("DiaList"));
        QCOMPARE(list->currentIndex(), index);
        QCOMPARE(list->currentText(), index < 0 ? QString() : text);
    }

    // Keys open a field's pick-list, the arrows move in it, Enter chooses and
    // the focus comes back to the field.
    void keysOpenAndChooseFromThePickList_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("diameter, Return") << 3 << int(Qt::Key_Return) << 0 << QStringLiteral("133");
        QTest::newRow("diameter, Enter") << 3 << int(Qt::Key_Enter) << 0 << QStringLiteral("133");
        QTest::newRow("diameter, Space") << 3 << int(Qt::Key_Space) << 0 << QStringLiteral("133");
        QTest::newRow("diameter, F4") << 3 << int(Qt::Key_F4) << 0 << QStringLiteral("133");
        QTest::newRow("diameter, Alt+Down") << 3 << int(Qt::Key_Down) << int(Qt::AltModifier) << QStringLiteral("133");
        QTest::newRow("channel diameters") << 23 << int(Qt::Key_F4) << 0 << QStringLiteral("133");
        QTest::newRow("supply temperature") << 24 << int(Qt::Key_Space) << 0 << QStringLiteral("90");
    }
    void keysOpenAndChooseFromThePickList() {
        QFETCH(int, slot);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, chosen);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        (slot == 3 ? form->ChooseType(1) : form->ChooseType(5));
        // The screen's first field must not move when the list gives the focus back.
        QLineEdit* first = Edit(slot == 3 ? 1 : 17);
        first->setText(QStringLiteral("-12,75"));
        first->setCursorPosition(0);
        Edit(slot)->setFocus();
        QTest::keyClick(Edit(slot), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        auto* list = Find<QComboBox>(slot == 24 ? QStringLiteral("TempList") : QStringLiteral("DiaList"));
        QVERIFY(!list->isHidden());
        QTRY_VERIFY(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Down);
        QTest::keyClick(list->view(), Qt::Key_Return);
        QCOMPARE(Edit(slot)->text(), chosen);
        QTRY_VERIFY(list->isHidden());
        QCOMPARE(QApplication::focusWidget(), Edit(slot));
        QVERIFY(!form->TypeScreens.Current().calculated);  // Enter in such a field opens, not calculates
        QCOMPARE(first->cursorPosition(), 0);
        QVERIFY(!first->hasSelectedText());
        // One Escape closes the open list, popup and all, and gives the
        // focus back to its field.
        QTest::keyClick(Edit(slot), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(list->isHidden());
        QCOMPARE(form->focusWidget(), Edit(slot));  // the window's, once it is active again
    }

    // Chosen with the mouse, the focus also goes back to the field, and the
    // first field keeps showing its start.
    void mouseChoiceLeavesTheFirstFieldAlone() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->ChooseType(1);
        Edit(1)->setText(QStringLiteral("-12,75"));
        Edit(1)->setCursorPosition(0);
        QTest::mouseClick(Edit(3), Qt::LeftButton);
        auto* dia = DiameterPicker();
        dia->setFocus();  // as a click on its item leaves it
        dia->setCurrentIndex(8);
        emit dia->activated(8);
        QCOMPARE(Edit(3)->text(), QStringLiteral("133"));
        QCOMPARE(QApplication::focusWidget(), Edit(3));
        QCOMPARE(Edit(1)->cursorPosition(), 0);
    }

    // The menu without a mouse: Ctrl+1…5 the types, Ctrl+0 the first
    // information screen, F1 the notes; Tab reaches the toggles after the
    // fields, and Space switches them.
    void keyboardReachesEveryChoice() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        for (int type = 1; type <= 5; ++type) {
            QTest::keyClick(form.get(), Qt::Key(Qt::Key_0 + type), Qt::ControlModifier);
            QCOMPARE(form->TypeScreens.type, type);
            QVERIFY(Shown(CalculateButton()));
        }
        QTest::keyClick(form.get(), Qt::Key_0, Qt::ControlModifier);
        QVERIFY(!Shown(CalculateButton()));
        QTest::keyClick(form.get(), Qt::Key_F1);
        QVERIFY(form->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser")));
        QTest::keyClick(form.get(), Qt::Key_1, Qt::ControlModifier);
        Edit(6)->setFocus();
        auto* location = PlacementToggle();
        QCOMPARE(Edit(6)->nextInFocusChain(), location);
        location->setFocus(Qt::TabFocusReason);
        QCOMPARE(location->frameShape(), QFrame::Box);  // the focus is seen
        QTest::keyClick(location, Qt::Key_Space);
        QVERIFY(form->TypeScreens[1].input.indoors);
        // A screen chosen by keys takes the keys: its first field, or the
        // information text; the hidden toggle reacts to nothing.
        QTest::keyClick(form.get(), Qt::Key_0, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(location, Qt::Key_Space);
        QVERIFY(form->TypeScreens[1].input.indoors);
        QTest::keyClick(form.get(), Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), Edit(1));
        // The information items are reached with Tab, and Enter opens one.
        auto* item = MenuItem(3);
        item->setFocus(Qt::TabFocusReason);
        QTest::keyClick(item, Qt::Key_Return);
        QVERIFY(Shown(InfoText(3)));
    }

    void blankChannelDiameterIsRefusedCleanly() {
        form->ChooseType(5);
        form->OpenDiameterList(kSlotPipeDiameters);
        auto* dia = DiameterPicker();
        dia->setCurrentIndex(11);
        emit dia->activated(11);
        QCOMPARE(Edit(23)->text(), QStringLiteral(" "));
        const auto boxes = AnswerBoxes([&] { form->CalculateClicked(); });
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Диаметр трубы должен быть от 0.032м до 1.420м"));
        QCOMPARE(form->TypeScreens[5].input.values[23], 0.0);
        QCOMPARE(ResultPanel()->text(), QStringLiteral("Толщина тепловой изоляции = 0,0 мм"));
    }

    void openListKeepsItsTargetAcrossATypeChange() {
        form->ChooseType(1);
        form->OpenDiameterList(kSlotDiameter);
        form->ChooseType(5);
        auto* dia = DiameterPicker();
        QVERIFY(!dia->isHidden());  // nothing but a choice closes it
        dia->setCurrentIndex(0);
        emit dia->activated(0);
        QCOMPARE(Edit(3)->text(), QStringLiteral("32"));
        QCOMPARE(Edit(23)->text(), QStringLiteral("108"));
    }

    void supplyTemperatureList() {
        form->ChooseType(5);
        form->OpenSupplyTempList();
        auto* list = SupplyTempPicker();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->pos(), QPoint(Panel(24)->x() + Edit(24)->x(), Panel(24)->y() + 1));
        list->setCurrentIndex(2);
        emit list->activated(2);
        QCOMPARE(Edit(24)->text(), QStringLiteral("110"));
        QVERIFY(list->isHidden());
    }

    void hoverRaisesOneItemAtATime() {
        QLabel* label1 = MenuItem(1);
        QLabel* label2 = MenuItem(2);
        QLabel* shadow = MenuShadow();
        const QImage lit = LitMarker()->pixmap().toImage();
        const QImage idle = IdleMarker()->pixmap().toImage();
        const QPoint rest1 = label1->pos();
        const QPoint rest2 = label2->pos();

        form->HoverMenuItem(1);
        form->HoverMenuItem(1);  // raised once only
        QCOMPARE(form->HoverItem, 1);
        QCOMPARE(label1->pos(), rest1 - QPoint(2, 2));
        QVERIFY(!shadow->isHidden());
        QCOMPARE(shadow->text(), label1->text());
        // 2 px below and right of the resting place, i.e. +4, +4 from the raised label.
        QCOMPARE(shadow->geometry(), QRect(rest1 + QPoint(2, 2), label1->size()));
        QCOMPARE(shadow->alignment(), label1->alignment());
        QCOMPARE(MenuMarker(1)->pixmap().toImage(), lit);

        form->HoverMenuItem(2);  // straight onto the next item: the first stays
        QCOMPARE(form->HoverItem, 1);
        QCOMPARE(label2->pos(), rest2);

        form->BackgroundHovered();
        QCOMPARE(form->HoverItem, 0);
        QCOMPARE(label1->pos(), rest1);
        QVERIFY(shadow->isHidden());
        QCOMPARE(MenuMarker(1)->pixmap().toImage(), idle);

        form->HoverMenuItem(5);
        QCOMPARE(form->HoverItem, 5);
        QCOMPARE(shadow->text(), QStringLiteral("Методические указания         "));
    }

    void hoverFollowsThePointer() {
        form->show();
        QLabel* label3 = MenuItem(3);
        const QPoint rest = label3->pos();
        QTest::mouseMove(label3, QPoint(100, 10));
        QCOMPARE(form->HoverItem, 3);
        QTest::mouseMove(Background(), QPoint(200, 300));
        QCOMPARE(form->HoverItem, 0);
        QCOMPARE(label3->pos(), rest);
    }

    void onlyTheExitItemDuringTheTitle() {
        DropWindow();
        MakeWindow();
        form->show();
        form->FormActivate();
        QTest::mouseMove(MenuItem(1), QPoint(50, 10));  // hidden: nothing
        QCOMPARE(form->HoverItem, 0);
        QTest::mouseMove(MenuItem(4), QPoint(50, 10));
        QCOMPARE(form->HoverItem, 4);
    }

    void informationScreensReplaceTheTypeScreen() {
        form->ChooseType(1);
        form->ShowInfoScreen(2);
        for (int slot : {1, 3, 4, 6}) QVERIFY(Panel(slot)->isHidden());
        for (const char* name : {"Button2", "RepButton", "Res_Pan", "Stat_Pan", "Con_Panel", "Type_Panel", "TimePan"})
            QVERIFY2(!Shown(QLatin1String(name)), name);
        QVERIFY(Shown(InfoText(2)));
        QVERIFY(!Shown(InfoText(1)) && !Shown(InfoText(3)));
        QCOMPARE(TypeHeading()->text(), QStringLiteral("Область применения"));
        QCOMPARE(form->TypeScreens.type, 1);

        form->ShowInfoScreen(2);  // the same screen again
        QVERIFY(Shown(InfoText(2)));
        form->ShowInfoScreen(3);
        QVERIFY(Shown(InfoText(3)) && !Shown(InfoText(2)));

        form->ChooseType(1);
        QVERIFY(!Shown(InfoText(3)));
        QVERIFY(!Panel(6)->isHidden());
        QCOMPARE(TypeHeading()->text(),
                 QStringLiteral("Расчет толщины изоляции\n по нормам плотности теплового потока"));
    }

    void memoTextsFitWithoutScrolling_data() {
        QTest::addColumn<int>("memo");
        QTest::addColumn<int>("lines");
        QTest::newRow("Memo1") << 1 << 26;
        QTest::newRow("Memo2") << 2 << 30;
        QTest::newRow("Memo3") << 3 << 14;
    }
    void memoTextsFitWithoutScrolling() {
        QFETCH(int, memo);
        QFETCH(int, lines);
        form->show();
        form->ShowInfoScreen(memo);
        auto* m = InfoText(memo);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(m->document()->blockCount(), lines);
        const QFontMetrics metrics(m->font());
        const int room = m->viewport()->width() - 2 * static_cast<int>(m->document()->documentMargin());
        for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next())
            QVERIFY2(metrics.horizontalAdvance(b.text()) <= room, qPrintable(b.text()));
        const int needed = lines * metrics.lineSpacing() + 2 * static_cast<int>(m->document()->documentMargin());
        QVERIFY2(needed <= m->viewport()->height(), qPrintable(QString::number(needed)));
        const QString heading = m->document()->firstBlock().text();
        QCOMPARE(heading, heading.toUpper());
        QVERIFY(m->document()->findBlockByNumber(memo == 3 ? 1 : 2).text().isEmpty());
    }

    void memoThreeGivesTheCharacteristics() {
        const QString text = InfoText(3)->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("ТЕХНИЧЕСКИЕ ХАРАКТЕРИСТИКИ ЦИЛИНДРОВ")));
        for (const char* value : {"свыше 100 до 140", "0,038", "0,052", "0,087", "0,035", "3,2", "(298 ± 5) К",
                                  "(398 ± 5) К", "(573 ± 5) К"})
            QVERIFY2(text.contains(QString::fromUtf8(value)), value);
        QVERIFY(
            InfoText(1)->toPlainText().startsWith(QStringLiteral("ЦИЛИНДРЫ ТЕПЛОИЗОЛЯЦИОННЫЕ ИЗ МИНЕРАЛЬНОЙ ВАТЫ\n")));
    }

    // The notes open in a window of the program's own, whatever the desktop
    // has; the main window's screen does not change.
    void helpItemOpensTheNotesBesideTheWindow() {
        form->show();
        form->ChooseType(2);
        form->HelpClicked();
        auto* help = form->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        QVERIFY(help);
        QVERIFY(help->isVisible() && help->isWindow());
        QVERIFY(!help->isModal());
        QVERIFY(help->toPlainText().contains(QStringLiteral("непроходном канале")));
        QVERIFY(help->source().isLocalFile());
        QVERIFY(Shown(CalculateButton()));
        QCOMPARE(form->TypeScreens.type, 2);
        help->close();
        form->HelpClicked();
        QCOMPARE(form->findChildren<QTextBrowser*>().size(), qsizetype{1});
        QVERIFY(help->isVisible());
    }

    void helpDocumentIsFound() {
        const QString path = HelpDocumentPath();
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const char* heading : {"по нормам плотности теплового потока", "конденсации влаги", "заданной температуре",
                                    "замерзания воды", "непроходном канале"})
            QVERIFY2(html.contains(QString::fromUtf8(heading)), heading);
    }
};

}  // namespace kaldora::testing

QTEST_MAIN(kaldora::testing::NavigationTest)
#include "navigation_test.moc"
