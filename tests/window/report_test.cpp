// The report page: filled from the parameter table, printed to a PDF file and
// read back with pdftotext, element by element at its place.
#include <QDate>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "model/calc_data.h"
#include "screen/recording_view.h"
#include "ui/fill_report.h"
#include "ui/widget_factory.h"
#include "window_fixture.h"

namespace kaldora::testing {

namespace {

struct Word {
    double left, top;  // mm
    QString text;
};

constexpr double kMmPerPoint = 25.4 / 72.0;

// The words of a PDF with their boxes, as pdftotext -bbox reports them.
std::vector<Word> ReadWords(const QString& pdf, int* pages) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0) qFatal("pdftotext failed");
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    *pages = static_cast<int>(html.count(QStringLiteral("<page ")));
    std::vector<Word> words;
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(3);
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        words.push_back({m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint, text});
    }
    return words;
}

}  // namespace

class ReportTest : public QObject, public WindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { StartApplication(); }
    void init() {
        MakeWindow();
        form->AskIdentity = [] {
            return std::optional(ProtocolIdentity{QStringLiteral("Котельная №2"), QStringLiteral("У-7"),
                                                  QStringLiteral("Иванов И. И."), QStringLiteral("Петров П. П.")});
        };
        QVERIFY(dir.isValid());
    }
    void cleanup() { DropWindow(); }

    void typeFiveInitialCase() {
        Calculate(5);
        FillAndRead();
        QCOMPARE(pages, 1);
        const char* const values[9] = {
            "108,0", "65,0", "50,0", "2,0", "0,6", "0,6", "5,0", "1,8", "не более 5000 часов"};
        for (int row = 0; row < 9; ++row) ExpectElement(QStringLiteral("QRD%1").arg(row + 1), values[row]);
        ExpectElement("QRRes", "23,9");
        ExpectElement("QRResQDir", "28,0");
        ExpectElement("QRResQReDir", "18,2");
        ExpectElement("QRCon", "Труба (подающая и обратная)");
        ExpectElement("QRStat", "В непроходном канале");
        ExpectElement("QRType", "Неметаллическое");
        ExpectElement("QRN7", "Температура грунта или окружающего воздуха при глубине заложения менее 0,7м (0С)");
        ExpectElement("QRResName", "Расчетная толщина для подающего и обратного трубопроводов (мм)");
        ExpectElement("QRQDir", "Тепловые потери подающего трубопровода (Вт/м)");
        ExpectFixedElements();
    }

    void typeOneInitialCase() {
        Calculate(1);
        FillAndRead();
        QCOMPARE(pages, 1);
        ExpectElement("QRRegName", "Расчет толщины изоляции\n по нормам плотности теплового потока");
        ExpectElement("QRN1", "Диаметр трубопровода (мм)");
        ExpectElement("QRD1", "108,0");
        ExpectElement("QRD2", "350,0");
        ExpectElement("QRD3", "20,0");
        ExpectElement("QRN4", "Число часов работы в год");
        ExpectElement("QRD4", "не более 5000 часов");
        ExpectElement("QRD5", "146,0");
        ExpectElement("QRRes", "78,9");
        ExpectElement("QRCon", "Труба");
        ExpectElement("QRStat", "На открытом воздухе");
        ExpectElement("QRType", "Неметаллическое");
        ExpectElement("QRResName", "Расчетная толщина тепловой изоляции (мм)");
        QCOMPARE(Text(QStringLiteral("QRNorm")), QString());  // the historical tables say nothing
        ExpectFixedElements();
    }

    // Under the current norm one line in type 1's blank input rows names it.
    void currentNormIsNamedInOneLine() {
        form->TypeScreens[1].input.norm = {NormSet::Sp61, Supports::NonMetal, Region::Urals};
        Calculate(1);
        FillAndRead();
        QCOMPARE(pages, 1);
        ExpectElement("QRNorm", "Нормы: СП 61.13330.2012, неметаллический трубопровод; район: Урал");
        ExpectElement("QRD5", "80,1");  // 0,98 · 139 / 1,70 W/m
    }

    void nothingOfAnEarlierTypeRemains() {
        Calculate(5);
        FillReport(report->QuickRep1, form->TypeScreens.Current());
        Calculate(2, {{1, "20"}, {4, "5"}, {32, "60"}});
        FillAndRead();
        for (int row = 5; row <= 9; ++row) {
            QCOMPARE(Text(QStringLiteral("QRN%1").arg(row)), QStringLiteral(" "));
            QCOMPARE(Text(QStringLiteral("QRD%1").arg(row)), QStringLiteral(" "));
        }
        for (const char* name : {"QRQDir", "QRResQDir", "QRQReDir", "QRResQReDir"})
            QCOMPARE(Text(QLatin1String(name)), QStringLiteral(" "));
        ExpectElement("QRN4", "Относительная влажность окружающего воздуха (%)");
        ExpectElement("QRD4", "60,0");
        ExpectElement("QRRes", "4,8");
        ExpectElement("QRStat", "В помещении");
        for (const Word& w : words) QVERIFY2(!w.text.contains(QStringLiteral("подающ")), qPrintable(w.text));
    }

    void optionTextsFollowTheTypesOwnFlags_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("set");
        QTest::addColumn<QString>("cover");
        QTest::addColumn<QString>("hours");  // row 4 of type 1, row 9 of type 5
        QTest::newRow("type 1 clear") << 1 << false << "Неметаллическое"
                                      << "не более 5000 часов";
        QTest::newRow("type 1 set") << 1 << true << "Металл"
                                    << "свыше 5000 часов";
        QTest::newRow("type 5 set") << 5 << true << "Неметаллическое"
                                    << "свыше 5000 часов";
    }
    void optionTextsFollowTheTypesOwnFlags() {
        QFETCH(int, type);
        QFETCH(bool, set);
        QFETCH(QString, cover);
        QFETCH(QString, hours);
        form->TypeScreens[type].input.metalCover = set;
        form->TypeScreens[type].input.longHours = set;
        form->TypeScreens[3].input.metalCover = !set;  // another type's flags do not leak in
        form->TypeScreens[3].input.longHours = !set;
        form->TypeScreens.type = type;
        FillReport(report->QuickRep1, form->TypeScreens.Current());
        QCOMPARE(Text(QStringLiteral("QRType")), cover);
        QCOMPARE(Text(type == 1 ? QStringLiteral("QRD4") : QStringLiteral("QRD9")), hours);
    }

    void beforeAnyCalculationValuesAreZero() {
        form->TypeScreens.type = 4;
        FillAndRead();
        for (int row = 1; row <= 5; ++row) QCOMPARE(Text(QStringLiteral("QRD%1").arg(row)), QStringLiteral("0,0"));
        ExpectElement("QRRes", "0,0");
        ExpectElement("QRN7", "Примечание: расчет проводится для стальных трубопроводов");
    }

    void failedCalculationPrintsZeroThickness() {
        Calculate(3, {{4, "350"}, {7, "20"}});  // surface at air temperature: refused
        FillReport(report->QuickRep1, form->TypeScreens.Current());
        QCOMPARE(Text(QStringLiteral("QRRes")), QStringLiteral("0,0"));
    }

    void valuesPrintWithOneDecimal() {
        QCOMPARE(QString::fromStdString(FormatReportValue("%3.1f", 108.0)), QStringLiteral("108,0"));
        QCOMPARE(QString::fromStdString(FormatReportValue("%3.1f", 0.0345 * 1000)), QStringLiteral("34,5"));
        QCOMPARE(QString::fromStdString(FormatReportValue("%3.1f", 0.555)), QStringLiteral("0,6"));
    }

    void logoIsCopiedOnEveryFill() {
        report->QuickRep1["QRImage2"].picture = QImage();
        form->TypeScreens.type = 1;
        FillReport(report->QuickRep1, form->TypeScreens.Current());
        const QImage& logo = report->QuickRep1["QRImage1"].picture;
        QCOMPARE(logo.size(), QSize(319, 61));
        QVERIFY(logo.isGrayscale());
        QCOMPARE(report->QuickRep1["QRImage2"].picture, logo);
    }

    // The protocol of a calculation made in the window, printed through the
    // protocol button and read back: typed inputs, coefficients, results; a
    // refusal says so instead of a thickness.
    void protocolTellsTheWholeStory_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("typed");  // "slot=text"
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString unsettled = QStringLiteral("результат приближенный");
        QTest::newRow("channel") << 5 << QStringList{}
                                 << QStringList{QStringLiteral("0,555"),
                                                QStringLiteral("α"),
                                                QStringLiteral("0,0521392"),
                                                QStringLiteral("23,8564"),
                                                QStringLiteral("19,8417"),
                                                QStringLiteral("Ширина канала недостаточна"),
                                                QStringLiteral("0,611426 м > w = 0,555 м")}
                                 << QStringList{QStringLiteral("Расчет не выполнен"), unsettled};
        // Every constant with its source; q and t_s with their arithmetic;
        // the flux differs from the norm by the solver's tolerance.
        QTest::newRow("norm") << 1 << QStringList{}
                              << QStringList{QStringLiteral("146"),
                                             QStringLiteral("0,06458"),
                                             QStringLiteral("78,8813"),
                                             QStringLiteral("26,0297"),
                                             QStringLiteral("принято в программе"),
                                             QStringLiteral("= (350 − 20) / ("),
                                             QStringLiteral("отличается от нормы 146 Вт/м на −0,00516")}
                              << QStringList{QStringLiteral("Расчет не выполнен"), unsettled};
        QTest::newRow("refused") << 3 << QStringList{}
                                 << QStringList{QStringLiteral("Расчет не выполнен"), QStringLiteral("не выполнено")}
                                 << QStringList{QStringLiteral("толщина изоляции"), QStringLiteral("0,0 мм")};
        // The solver stops at its iteration limit: the root by bisection,
        // with its residual.
        QTest::newRow("solver unsettled")
            << 3 << QStringList{QStringLiteral("3=57"), QStringLiteral("7=21,1")}
            << QStringList{QStringLiteral("не достигли точности 0,00001 м за 30 итераций"),
                           QStringLiteral("корень уравнения найден делением отрезка пополам"),
                           QStringLiteral("Невязка")}
            << QStringList{unsettled};
        // Thirty passes that do not settle, one row each; then the channel's
        // air from its heat balance, with the balance's residual.
        QTest::newRow("thirty passes") << 5 << QStringList{QStringLiteral("17=4"),    QStringLiteral("18=0,35"),
                                                           QStringLiteral("19=3,1"),  QStringLiteral("20=1,42"),
                                                           QStringLiteral("21=0,57"), QStringLiteral("23=159"),
                                                           QStringLiteral("24=110"),  QStringLiteral("27=42")}
                                       << QStringList{QStringLiteral("Проходы не сошлись (не более 30 проходов)"),
                                                      QStringLiteral("найдена из теплового баланса"),
                                                      QStringLiteral("невязка баланса")}
                                       << QStringList{unsettled};
    }
    void protocolTellsTheWholeStory() {
        QFETCH(int, type);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString file = dir.filePath(QStringLiteral("protocol.pdf"));
        report->Printer().setOutputFormat(QPrinter::PdfFormat);
        report->Printer().setOutputFileName(file);
        form->ConfirmPrint = [] { return true; };
        form->TypeScreens.type = type;
        form->ShowTypeScreen();
        for (const QString& t : typed)
            form->SlotEdits[t.section(QLatin1Char('='), 0, 0).toUInt()]->setText(t.section(QLatin1Char('='), 1));
        QVERIFY(!ProtocolButton()->isVisibleTo(form.get()));
        AnswerBoxes([&] { form->CalculateClicked(); });
        QVERIFY(ProtocolButton()->isVisibleTo(form.get()));
        AnswerBoxes([&] { form->ProtocolClicked(); });  // it calculates again first
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 0);
        const QString text = QString::fromUtf8(tool.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("Протокол расчета тепловой изоляции")));
        // Identified, every sheet numbered out of all of them.
        for (const char* s : {"Котельная №2", "Иванов И. И.", "Петров П. П.", "Выполнил", "Проверил"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), s);
        const int pages = static_cast<int>(text.count(QLatin1Char('\f')));
        for (int page = 1; page <= pages; ++page)
            QVERIFY(text.contains(QStringLiteral("Лист %1 из %2").arg(page).arg(pages)));
        const QString flat = text.simplified();  // paragraphs wrap where the page ends a line
        for (const QString& s : present) QVERIFY2(flat.contains(s), qPrintable(s));
        for (const QString& s : absent) QVERIFY2(!flat.contains(s), qPrintable(s));
        // Every pass's channel air temperature stands whole in its row.
        for (const TracePass& pass : form->Traces[static_cast<std::size_t>(type)].passes)
            for (const TraceValue& v : pass.values)
                if (v.symbol == "t_к") {
                    const QString shown = QString::number(v.value, 'g', 5)
                                              .replace(QLatin1Char('.'), QLatin1Char(','))
                                              .replace(QLatin1Char('-'), QChar(0x2212));
                    QVERIFY2(
                        text.contains(QRegularExpression(QStringLiteral("\\n *%1 .* %2 ").arg(pass.number).arg(shown))),
                        qPrintable(shown));
                }
        // The PDF says what it is, and who made it, from the window as from the command line.
        QString info;
        for (const QStringList& arguments : {QStringList{file}, QStringList{QStringLiteral("-meta"), file}}) {
            tool.start(QStringLiteral("pdfinfo"), arguments);
            QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 0);
            info += QString::fromUtf8(tool.readAllStandardOutput());
        }
        QVERIFY2(info.contains(QStringLiteral("Title:           Протокол расчета тепловой изоляции: Котельная №2")),
                 qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Creator:         Кальдора " KALDORA_VERSION)));
        QVERIFY(info.contains(QStringLiteral("<rdf:li>Иванов И. И.</rdf:li>")));
    }

    void printDialogSpeaksRussian() {
        QPrintDialog dialog(&report->Printer(), form.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Печать"));
    }

    void commandPrintsOnlyWhenConfirmed() {
        const QString file = dir.filePath(QStringLiteral("printed.pdf"));
        report->Printer().setOutputFormat(QPrinter::PdfFormat);
        report->Printer().setOutputFileName(file);
        Calculate(1);
        form->ChooseType(1);

        int asked = 0;
        form->ConfirmPrint = [&] {
            ++asked;
            return false;
        };
        form->ReportClicked();
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(file));
        QCOMPARE(Text(QStringLiteral("QRRes")), QStringLiteral("78,9"));  // the page stays filled

        form->ConfirmPrint = [&] {
            ++asked;
            return true;
        };
        form->ReportClicked();
        QCOMPARE(asked, 2);
        QVERIFY(QFile::exists(file));
        words = ReadWords(file, &pages);
        QCOMPARE(pages, 1);
    }

    // However long the identification, every section and message is printed.
    void protocolLosesNothingWhateverItsIdentity_data() {
        QTest::addColumn<int>("length");
        for (int length : {0, 760, 2000}) QTest::newRow(qPrintable(QString::number(length))) << length;
    }
    void protocolLosesNothingWhateverItsIdentity() {
        QFETCH(int, length);
        const QString file = dir.filePath(QStringLiteral("long.pdf"));
        report->Printer().setOutputFormat(QPrinter::PdfFormat);
        report->Printer().setOutputFileName(file);
        form->ConfirmPrint = [] { return true; };
        const QString text = QStringLiteral("Котельная №2 главного корпуса\n").repeated(80).left(length);
        form->AskIdentity = [&] { return ProtocolIdentity{text, text, text, text}; };
        form->ChooseType(5);
        AnswerBoxes([&] { form->CalculateClicked(); });
        AnswerBoxes([&] { form->ProtocolClicked(); });
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 0);
        const QString flat = QString::fromUtf8(tool.readAllStandardOutput()).simplified();
        for (const char* s :
             {"Исходные данные", "Методика", "Постоянные расчета", "Проверки", "Табличные значения",
              "Промежуточные величины", "Проходы", "Сообщения", "Ширина канала недостаточна", "Результаты"})
            QVERIFY2(flat.contains(QString::fromUtf8(s)), s);
    }

    // The papers print what the screen's inputs give now, not the last
    // calculation's result under changed conditions.
    void printedIsCalculatedFromTheInputsAsTheyStand_data() {
        QTest::addColumn<bool>("norm");  // else the placement toggle
        QTest::addColumn<QString>("thickness");
        QTest::newRow("norm changed") << true << "94,9";
        QTest::newRow("placement changed") << false << "82,3";
    }
    void printedIsCalculatedFromTheInputsAsTheyStand() {
        QFETCH(bool, norm);
        QFETCH(QString, thickness);
        form->ChooseType(1);
        form->CalculateClicked();
        const QString before = ResultPanel()->text();
        if (norm) {
            form->ChooseNorm = [](const NormChoice&) {
                return NormChoice{NormSet::Sp61, Supports::Suspended, Region::Urals};
            };
            form->NormClicked();
        } else {
            form->PlacementToggleClicked();
        }
        // Shown as no longer matching, until calculated again.
        QCOMPARE(ResultPanel()->text(), before);
        QCOMPARE(ResultPanel()->palette().color(QPalette::WindowText), kGrey);
        const QString file = dir.filePath(QStringLiteral("changed.pdf"));
        report->Printer().setOutputFormat(QPrinter::PdfFormat);
        report->Printer().setOutputFileName(file);
        form->ConfirmPrint = [] { return true; };
        form->ReportClicked();
        words = ReadWords(file, &pages);
        ExpectElement("QRRes", thickness.toUtf8().constData());  // on the page as printed
        QCOMPARE(ResultPanel()->palette().color(QPalette::WindowText), kRed);
    }

    // A thickness the passes stopped on at their limit is marked, on screen
    // and on paper.
    void approximateThicknessIsMarked() {
        form->ChooseType(1);
        form->PlacementToggleClicked();
        form->CoverToggleClicked();  // indoors, metal
        Edit(1)->setText(QStringLiteral("27"));
        Edit(3)->setText(QStringLiteral("18"));
        Edit(4)->setText(QStringLiteral("42"));
        form->ConfirmPrint = [] { return false; };
        AnswerBoxes([&] { form->ReportClicked(); });
        QVERIFY(ResultPanel()->text().contains(QStringLiteral(" ≈ ")));
        QVERIFY(ResultPanel()->toolTip().contains(QStringLiteral("результат приближенный")));
        QVERIFY(Text(QStringLiteral("QRRes")).startsWith(QStringLiteral("≈ ")));
    }

    // A file that cannot be written is said in an error box, for the report
    // and the protocol alike; nothing is said when it was written.
    void unwritableFileIsSaid_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("failure");
        QTest::newRow("full disk") << QStringLiteral("/dev/full")
                                   << QStringLiteral("Не удалось записать файл /dev/full: нет места на диске");
        QTest::newRow("no such folder") << QStringLiteral("/proc/kaldora/report.pdf")
                                        << QStringLiteral(
                                               "Не удалось записать файл /proc/kaldora/report.pdf: "
                                               "нет такой папки");
        QTest::newRow("written") << dir.filePath(QStringLiteral("written.pdf")) << QString();
    }
    void unwritableFileIsSaid() {
        QFETCH(QString, file);
        QFETCH(QString, failure);
        report->Printer().setOutputFormat(QPrinter::PdfFormat);
        report->Printer().setOutputFileName(file);
        form->ConfirmPrint = [] { return true; };
        form->TypeScreens.type = 1;
        form->ShowTypeScreen();
        AnswerBoxes([&] { form->CalculateClicked(); });
        for (const auto print : {&MainWindow::ReportClicked, &MainWindow::ProtocolClicked}) {
            const auto boxes = AnswerBoxes([&] { (form.get()->*print)(); });
            QCOMPARE(boxes.size(), failure.isEmpty() ? 0u : 1u);
            if (failure.isEmpty()) continue;
            QCOMPARE(boxes[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes[0].caption, QStringLiteral("Кальдора"));
            QCOMPARE(boxes[0].text, failure);
        }
    }

private:
    void Calculate(int type, std::initializer_list<std::pair<int, std::string>> texts = {}) {
        form->TypeScreens.type = type;
        for (const auto& [slot, text] : texts) view.Type(slot, text);
        CalculateScreen(form->TypeScreens, view);
    }

    void FillAndRender(const QString& file) {
        FillReport(report->QuickRep1, form->TypeScreens.Current());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        PrintReportPage(printer, report->QuickRep1);
    }

    void FillAndRead() {
        const QString file = dir.filePath(QStringLiteral("page.pdf"));
        FillAndRender(file);
        words = ReadWords(file, &pages);
    }

    QString Text(const QString& name) const {
        return QString::fromStdString(report->QuickRep1.Find(name.toStdString())->text);
    }

    // The element's caption is set, and its first word is printed within
    // 1 mm of the element's place.
    void ExpectElement(const QString& name, const char* text) {
        const ReportElement* e = report->QuickRep1.Find(name.toStdString());
        QVERIFY2(e, qPrintable(name));
        const QString expected = QString::fromUtf8(text);
        QCOMPARE(e->kind == ReportElement::Kind::Date ? expected : QString::fromStdString(e->text), expected);
        const QString first = expected.simplified().section(QLatin1Char(' '), 0, 0);
        bool found = false;
        for (const Word& w : words)
            found = found || (w.text == first && std::abs(w.left - e->left) <= 1.0 && std::abs(w.top - e->top) <= 1.0);
        QVERIFY2(found,
                 qPrintable(QStringLiteral("%1 \"%2\" not at %3, %4 mm").arg(name, first).arg(e->left).arg(e->top)));
    }
    void ExpectElement(const char* name, const char* text) { ExpectElement(QLatin1String(name), text); }

    void ExpectFixedElements() {
        ExpectElement("QRLabel1", "АО \"ВЕЛАРИС\"");
        ExpectElement("QRLabel2", "Программа расчета тепловой изоляции");
        ExpectElement("QRDate", "Дата: ");
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        ExpectElement("QRSysData1", today.toUtf8().constData());
        ExpectElement("QRLabel3", "Вид расчета.");
        ExpectElement("QRLabel4", "Характеристика объекта");
        ExpectElement("QRLabel7", "Объект  Расположение  Тепловая изоляция   Покрытие");
        ExpectElement("QRLabel8", "Минераловатный цилиндр");
        ExpectElement("QRLabel5", "Данные для расчета: ");
        ExpectElement("QRLabel6", "Результаты расчета:");
        for (int line = 0; line < 4; ++line)
            ExpectElement(QStringLiteral("QRLabel%1").arg(15 + line), kFooterLines[line]);
    }

    QTemporaryDir dir;
    RecordingView view;
    std::vector<Word> words;
    int pages = 0;
};

}  // namespace kaldora::testing

QTEST_MAIN(kaldora::testing::ReportTest)
#include "report_test.moc"
