// A fresh main window (and report host) over fresh calculation data for each
// test, and quick access to its controls by their design names.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "model/calc_data.h"
#include "report/report_preview.h"
#include "ui/application_setup.h"
#include "ui/main_window.h"

namespace kaldora::testing {

class WindowFixture {
protected:
    // The application as the program's start-up sets it up.
    static void StartApplication() { SetUpApplication(*qobject_cast<QApplication*>(qApp)); }

    void MakeWindow() {
        report = std::make_unique<ReportPreview>();
        form = std::make_unique<MainWindow>(report.get());
    }
    // As the program starts: the title screen made, shown and painted, then
    // the rest made; returns that first painted frame.
    QImage MakeWindowTitleScreenFirst() {
        DropWindow();
        report = std::make_unique<ReportPreview>();
        form = std::make_unique<MainWindow>(report.get(), TitleScreenFirst{});
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window was not exposed");
        const QImage first = form->grab().toImage();
        form->BuildOtherScreens();
        return first;
    }
    void DropWindow() {
        form.reset();
        report.reset();
    }

    template <typename T = QLabel>
    T* Find(const QString& name) const {
        T* control = form->findChild<T*>(name);
        if (!control) qFatal("no control %s", qPrintable(name));
        return control;
    }
    QLabel* Panel(int slot) const { return Find(QStringLiteral("Panel%1").arg(slot)); }
    QLineEdit* Edit(int slot) const { return Find<QLineEdit>(QStringLiteral("Edit%1").arg(slot)); }
    // Shown as far as the window goes, whether or not the window is on screen.
    static bool Shown(const QWidget* control) { return !control->isHidden(); }
    // The same by design name, for lists of what the design shows on a screen.
    bool Shown(const QString& name) const { return Shown(Find<QWidget>(name)); }
    // The window's controls by what they are; their design names, which tie
    // them to the design document as their objectNames, stand only here.
    QLabel* Background() const { return Find(QStringLiteral("Fon_Image")); }
    QPushButton* CalculateButton() const { return Find<QPushButton>(QStringLiteral("Button2")); }
    QLabel* CoverToggle() const { return Find(QStringLiteral("Type_Lab")); }
    QComboBox* DiameterPicker() const { return Find<QComboBox>(QStringLiteral("DiaList")); }
    QLabel* HoursPlate() const { return Find(QStringLiteral("TimePan")); }
    QLabel* HoursToggle() const { return Find(QStringLiteral("TimeLab")); }
    QLabel* IdleMarker() const { return Find(QStringLiteral("Dark_Ind")); }
    QLabel* LitMarker() const { return Find(QStringLiteral("Light_Ind")); }
    QLabel* MakerPanel() const { return Find(QStringLiteral("Panel2")); }
    QLabel* MenuShadow() const { return Find(QStringLiteral("Shadow_Lab")); }
    QPushButton* NormButton() const { return Find<QPushButton>(QStringLiteral("NormButton")); }
    QLabel* NormLine() const { return Find(QStringLiteral("NormLab")); }
    QLabel* ObjectCaption() const { return Find(QStringLiteral("Con_Lab")); }
    QLabel* PlacementToggle() const { return Find(QStringLiteral("Stat_Lab")); }
    QPushButton* ProtocolButton() const { return Find<QPushButton>(QStringLiteral("ProtButton")); }
    QLabel* ReadAsZeroLine() const { return Find(QStringLiteral("ZeroLab")); }
    QLabel* RegisteredMark() const { return Find(QStringLiteral("Label8")); }
    QLabel* ResultPanel() const { return Find(QStringLiteral("Res_Pan")); }
    QComboBox* SupplyTempPicker() const { return Find<QComboBox>(QStringLiteral("TempList")); }
    QLabel* TitlePicture() const { return Find(QStringLiteral("Titul_Im")); }
    QLabel* TitleText() const { return Find(QStringLiteral("Titul_Lab")); }
    QTimer* TitleTimer() const { return Find<QTimer>(QStringLiteral("Timer1")); }
    QLabel* TypeHeading() const { return Find(QStringLiteral("Head_Lab")); }
    QLabel* MenuItem(int n) const { return Find(QStringLiteral("Label%1").arg(n)); }
    QLabel* MenuMarker(int n) const { return Find(QStringLiteral("Image%1").arg(n)); }
    QPlainTextEdit* InfoText(int n) const { return Find<QPlainTextEdit>(QStringLiteral("Memo%1").arg(n)); }
    QLabel* WholeRow(int n) const { return Find(QStringLiteral("WholePanel%1").arg(n)); }
    QLineEdit* WholeValue(int n) const { return Find<QLineEdit>(QStringLiteral("WholeEdit%1").arg(n)); }
    QLabel* TypePicture(int n) const { return Find(QStringLiteral("Regim%1").arg(n)); }

    // Runs `action`, which opens a modal box, and answers every box that
    // comes with OK, recording its icon, caption and text.
    struct Box {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        int buttons;
        QString okText;
    };
    std::vector<Box> AnswerBoxes(const std::function<void()>& action) {
        std::vector<Box> boxes;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const QAbstractButton* ok = box->button(QMessageBox::Ok);
                boxes.push_back({box->icon(), box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                                 ok ? ok->text() : QString()});
                box->accept();
            }
        });
        poll.start();
        action();
        poll.stop();
        return boxes;
    }

    std::unique_ptr<ReportPreview> report;
    std::unique_ptr<MainWindow> form;
};

}  // namespace kaldora::testing
