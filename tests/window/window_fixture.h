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
    bool Shown(const QString& name) const { return !Find<QWidget>(name)->isHidden(); }

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
