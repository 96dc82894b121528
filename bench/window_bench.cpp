// Times the window's own work on Qt's offscreen platform: making and painting
// the window, a calculate click (type 5, the longest), and filling the report
// and rendering it to PDF. Medians of several rounds, in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "model/calc_data.h"
#include "report/report_preview.h"
#include "ui/application_setup.h"
#include "ui/fill_report.h"
#include "ui/main_window.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& clock) { return static_cast<double>(clock.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char* argv[]) {
    using namespace kaldora;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetUpApplication(app);
    const QTemporaryDir dir;
    constexpr int kRounds = 9, kClicks = 100;
    std::vector<double> startUp, click, report;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        ReportPreview host;
        MainWindow form(&host);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) return 1;
        form.grab();  // one full paint
        startUp.push_back(Milliseconds(clock));

        form.ChooseType(5);
        form.ConfirmPrint = nullptr;
        // Channel sizes that raise no fit warning: no boxes.
        form.findChild<QLineEdit*>(QStringLiteral("Edit20"))->setText(QStringLiteral("1"));
        form.findChild<QLineEdit*>(QStringLiteral("Edit21"))->setText(QStringLiteral("1"));
        clock.restart();
        for (int i = 0; i < kClicks; ++i) form.CalculateClicked();
        click.push_back(Milliseconds(clock) / kClicks);

        clock.restart();
        FillReport(host.QuickRep1, form.TypeScreens.Current());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        PrintReportPage(printer, host.QuickRep1);
        report.push_back(Milliseconds(clock));
    }
    std::printf(
        "window, medians of %d rounds (offscreen): made and painted %.1f ms, calculate click (type 5) %.3f ms, "
        "report filled and rendered to PDF %.1f ms\n",
        kRounds, Median(startUp), Median(click), Median(report));
    return 0;
}
