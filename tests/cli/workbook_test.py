#!/usr/bin/env python3
"""The workbook of kaldora-calc --xlsx, opened and read back: a bold frozen
header, numbers as numbers, text as text, fitted columns, the totals row;
and workbooks made by a spreadsheet library read as tables; files written by
name replaced whole or not at all."""
import csv
import datetime
import glob
import os
import resource
import signal
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zipfile

import openpyxl

CALC = sys.argv.pop(1)
NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
TABLE = (
    "\ufeffУчасток;Вид расчета;Диаметр трубопровода, мм;Температура теплоносителя, °C;"
    "Длина участка, м\r\n"
    "У-1;1;108;350;120,5\r\n"
    "У-2;9;;;\r\n"
    "У-3;5;108;;40\r\n"
)


def cell_text(cell, shared):
    kind = cell.get("t")
    if kind == "s":
        return shared[int(cell.find("m:v", NS).text)]
    if kind == "inlineStr":
        return "".join(t.text or "" for t in cell.iter("{%s}t" % NS["m"]))
    if kind == "str":
        return cell.find("m:v", NS).text
    return None


class Workbook(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        source = os.path.join(cls.dir.name, "sections.csv")
        cls.book = os.path.join(cls.dir.name, "sections.xlsx")
        with open(source, "w", encoding="utf-8", newline="") as f:
            f.write(TABLE)
        run = subprocess.run([CALC, "--csv", source, "--xlsx", cls.book], capture_output=True)
        cls.status, cls.stdout = run.returncode, run.stdout
        with zipfile.ZipFile(cls.book) as z:
            shared = []
            if "xl/sharedStrings.xml" in z.namelist():
                root = ET.fromstring(z.read("xl/sharedStrings.xml"))
                shared = ["".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])) for si in root]
            cls.sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
            cls.styles = ET.fromstring(z.read("xl/styles.xml"))
            cls.workbook = ET.fromstring(z.read("xl/workbook.xml"))
        cls.rows = []
        for row in cls.sheet.find("m:sheetData", NS):
            cells = {}
            for c in row:
                column = "".join(ch for ch in c.get("r") if ch.isalpha())
                text = cell_text(c, shared)
                value = c.find("m:v", NS)
                cells[column] = (text, None if text is not None or value is None else float(value.text), c.get("s"))
            cls.rows.append(cells)

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_status_and_no_csv(self):
        self.assertEqual(self.status, 1)  # the row of type 9 has an error
        self.assertEqual(self.stdout, b"")

    def test_header_is_bold_and_frozen(self):
        header = self.rows[0]
        self.assertEqual(header["A"][0], "Участок")
        self.assertEqual(header["F"][0], "Толщина изоляции, мм")
        fonts = self.styles.find("m:fonts", NS)
        xfs = self.styles.find("m:cellXfs", NS)
        font = fonts[int(xfs[int(header["A"][2])].get("fontId"))]
        self.assertIsNotNone(font.find("m:b", NS))
        pane = self.sheet.find("m:sheetViews/m:sheetView/m:pane", NS)
        self.assertEqual((pane.get("ySplit"), pane.get("state")), ("1", "frozen"))

    def test_numbers_are_numbers_and_text_is_text(self):
        first = self.rows[1]
        self.assertEqual(first["A"][0], "У-1")
        self.assertEqual(first["C"][1], 108.0)
        self.assertEqual(first["E"][1], 120.5)  # typed with a decimal comma
        self.assertAlmostEqual(first["F"][1], 78.88, places=2)
        self.assertEqual(first["G"][1], 146.0)
        self.assertIn("Вид расчета: от 1 до 5, не «9»", self.rows[2]["P"][0])
        self.assertEqual(self.rows[3]["O"][0], "Ширина канала недостаточна")

    def test_totals_row(self):
        total = self.rows[-1]
        self.assertEqual(total["A"][0], "ИТОГО")
        # Bold sums over the rows above, their values cached.
        formulas = {c.get("r"): c.find("m:f", NS).text for c in self.sheet.find("m:sheetData", NS)[-1]
                    if c.find("m:f", NS) is not None}
        self.assertEqual(formulas, {"M5": "SUM(M2:M4)", "N5": "SUM(N2:N4)"})
        fonts = self.styles.find("m:fonts", NS)
        xfs = self.styles.find("m:cellXfs", NS)
        self.assertIsNotNone(fonts[int(xfs[int(total["M"][2])].get("fontId"))].find("m:b", NS))
        self.assertAlmostEqual(total["M"][1], self.rows[1]["M"][1] + self.rows[3]["M"][1])
        self.assertAlmostEqual(total["N"][1], self.rows[1]["N"][1] + self.rows[3]["N"][1])

    def test_sheet_is_named_in_the_tables_language(self):
        self.assertEqual(self.workbook.find("m:sheets/m:sheet", NS).get("name"), "Расчет")

    def test_results_read_back_are_computed_again(self):
        run = subprocess.run([CALC, "--csv", self.book], capture_output=True)
        rows = list(csv.reader(run.stdout.decode().splitlines()))
        self.assertEqual(rows[0], [self.rows[0][c][0] for c in sorted(self.rows[0])])  # no column twice
        self.assertEqual(len(rows), len(self.rows))  # the sums once, not summed again
        self.assertAlmostEqual(float(rows[1][5]), self.rows[1]["F"][1], places=9)
        for column, text in zip("MN", rows[-1][12:14]):
            self.assertAlmostEqual(float(text), self.rows[-1][column][1], places=9)

    def test_columns_fit(self):
        widths = [float(c.get("width")) for c in self.sheet.find("m:cols", NS)]
        self.assertEqual(len(widths), 16)
        self.assertTrue(all(w >= 5 for w in widths))
        self.assertGreater(widths[15], 30)  # the error text is long


class WorkbookIn(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def test_a_workbook_computes_like_its_csv(self):
        rows = [line.split(";") for line in TABLE.lstrip("\ufeff").splitlines()]
        book = openpyxl.Workbook()
        for row in rows:  # numbers as numbers and an option as a boolean, as a spreadsheet holds them
            cells = [float(c.replace(",", ".")) if c[:1].isdigit() else c or None for c in row]
            book.active.append(cells + ["В помещении" if row is rows[0] else False])
        book.save(self.path("in.xlsx"))
        with open(self.path("in.csv"), "w", encoding="utf-8", newline="") as f:
            csv.writer(f, lineterminator="\n").writerows([c.replace("120,5", "120.5") for c in r] + ["В помещении" if r is rows[0] else "0"]
                                    for r in rows)
        from_csv = subprocess.run([CALC, "--csv", self.path("in.csv")], capture_output=True)
        from_book = subprocess.run([CALC, "--csv", self.path("in.xlsx")], capture_output=True)
        with open(self.path("in.xlsx"), "rb") as piped:
            from_pipe = subprocess.run([CALC, "--csv", "-"], stdin=piped, capture_output=True)
        self.assertIn(b"\xd0\xa3-1,1,108,350,120.5,", from_book.stdout)
        for run in (from_book, from_pipe):
            self.assertEqual((run.returncode, run.stdout, run.stderr),
                             (from_csv.returncode, from_csv.stdout, from_csv.stderr))

    def test_cells_are_what_the_sheet_a_person_sees_holds(self):
        book = openpyxl.Workbook()
        hidden = book.active
        hidden.title, hidden.sheet_state = "Old", "hidden"
        hidden.append(["type", "slot3"])
        hidden.append([1, 530])
        book.create_chartsheet("Chart")
        shown = book.create_sheet("Sections")
        book.active = shown
        for row in (["section", "type", "diameter_mm", "air_temp", "medium_temp"],
                    ["formula", 1, "=100+8", 20, 350],
                    ["date", 1, 108, datetime.date(2026, 1, 20), 350],
                    ["error", 1, 108, "#DIV/0!", 350],
                    ["merged", 1, 530, 20, 350],
                    ["under it", 1, None, 20, 350],
                    ["plain", 1, 108, 20, 350]):
            shown.append(row)
        shown["D4"].data_type = "e"
        shown.merge_cells("C5:C6")
        book.save(self.path("in.xlsx"))
        run = subprocess.run([CALC, "--csv", self.path("in.xlsx")], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1, run.stderr)
        self.assertIn("reading the sheet 'Sections' (the active one) of 3", run.stderr)
        errors = {row[0]: row[-1] for row in csv.reader(run.stdout.splitlines()[1:])}
        self.assertEqual(errors, {
            "formula": "diameter_mm: a formula without a stored value: open and save the workbook in Excel",
            "date": "air_temp: a date, not a number",
            "error": "air_temp: the formula error '#DIV/0!'",
            "merged": "",
            "under it": "diameter_mm: empty",
            "plain": ""})

    def test_work_stays_in_proportion_to_the_file(self):
        sheet = '<worksheet xmlns="%s"><sheetData>%%s</sheetData></worksheet>' % NS["m"]
        cases = [
            ("a 64 MB attribute", sheet % ('<row r="1"><c r="A1" x="%s"/></row>' % ("a" * (64 << 20))), None,
             b"holds a tag longer than 4 MB"),
            ("deep nesting", sheet % ("<x>" * (1 << 20)), None, b"nests deeper than 32 elements"),
            ("empty shared strings", sheet % '<row r="1"><c r="A1" t="s"><v>0</v></c></row>',
             '<sst xmlns="%s">%s</sst>' % (NS["m"], "<si/>" * (10 << 20)), b"shared strings exceed 64 MB"),
        ]
        for name, part, shared, message in cases:
            with zipfile.ZipFile(self.path("b.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
                z.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="http://schemas.openxmlformats.org/'
                           'officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="r1"/>'
                           '</sheets></workbook>' % NS["m"])
                z.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/'
                           'package/2006/relationships"><Relationship Id="r1" Type="http://schemas.openxmlformats.org/'
                           'officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
                           '</Relationships>')
                z.writestr("xl/worksheets/sheet1.xml", part)
                if shared:
                    z.writestr("xl/sharedStrings.xml", shared)
            run = subprocess.run([CALC, "--csv", self.path("b.xlsx")], capture_output=True)
            self.assertEqual((run.returncode, run.stderr.count(b"\n")), (2, 1), name)
            self.assertIn(message, run.stderr, name)

    def test_workbook_out_holds_only_what_a_spreadsheet_opens(self):
        # Windows-1251 section names; lengths whose cover and sum overflow.
        with open(self.path("in.csv"), "wb") as f:
            f.write("Участок;Вид расчета;Диаметр трубопровода, мм;Температура теплоносителя, °C;Длина участка, м\n"
                    "У-1;1;530;350;1,7e308\nУ-2;1;108;350;1,7e308\nУ-3;1;108;350;1,7e308\n".encode("cp1251"))
        run = subprocess.run([CALC, "--csv", self.path("in.csv"), "--xlsx", self.path("out.xlsx")])
        self.assertEqual(run.returncode, 0)
        rows = list(openpyxl.load_workbook(self.path("out.xlsx")).active.values)
        first, total = dict(zip(rows[0], rows[1])), dict(zip(rows[0], rows[-1]))
        self.assertEqual(first["Участок"], "У-1")
        self.assertIsNone(first["Площадь покрытия, м²"])
        self.assertIn("не вычислены", first["Сообщения"])
        self.assertIsNone(total["Площадь покрытия, м²"])
        self.assertIn("Сумма не вычислена", total["Сообщения"])

class EarlierFilesSurvive(unittest.TestCase):
    """A run that fails, is stopped or would write over its input leaves every
    file as it was; runs that succeed leave whole files."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.table = self.path("sections.csv")
        with open(self.table, "w") as f:
            f.write("section,type,diameter_mm,medium_temp,length_m\n")
            f.writelines("S%d,1,108,%d,10\n" % (i, 50 + i % 500) for i in range(20000))
        self.book, self.protocol = self.path("earlier.xlsx"), self.path("earlier.pdf")
        for args in (["--csv", self.table, "--xlsx", self.book], ["--type", "1", "--protocol", self.protocol]):
            subprocess.run([CALC] + args, check=True, capture_output=True)
        self.earlier = {p: self.read(p) for p in (self.table, self.book, self.protocol)}

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    @staticmethod
    def read(path):
        with open(path, "rb") as f:
            return f.read()

    def assert_as_before(self):
        for path, content in self.earlier.items():
            self.assertEqual(self.read(path), content, path)
        self.assertEqual(glob.glob(self.path(".*kaldora-*")), [])

    def test_output_over_input_is_refused(self):
        os.link(self.table, self.path("link.csv"))
        os.mkdir(self.path("x"))
        for target in (self.table, self.path("link.csv"), self.path("x/../sections.csv")):
            run = subprocess.run([CALC, "--csv", self.table, "--xlsx", target], capture_output=True)
            self.assertEqual((run.returncode, run.stderr.count(b"\n")), (2, 1), target)
            self.assertIn(b"the output is the input file", run.stderr)
        with open(self.table, "ab") as appended:
            run = subprocess.run([CALC, "--csv", self.table], stdout=appended, stderr=subprocess.PIPE)
        self.assertEqual(run.returncode, 2)
        self.assert_as_before()

    def test_failed_runs_leave_the_earlier_files(self):
        def small_files():  # writes past 16 KB fail (EFBIG) instead of killing the run
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (1 << 14, 1 << 14))
        for args in (["--csv", self.table, "--xlsx", self.book], ["--type", "1", "--protocol", self.protocol]):
            run = subprocess.run([CALC] + args, capture_output=True, preexec_fn=small_files)
            self.assertEqual(run.returncode, 3, run.stderr)
            self.assertIn(b"File too large", run.stderr)
        # An input workbook that breaks off after its first rows.
        with zipfile.ZipFile(self.book) as z:
            parts = {name: z.read(name) for name in z.namelist()}
        sheet = parts["xl/worksheets/sheet1.xml"]
        parts["xl/worksheets/sheet1.xml"] = sheet[: sheet.index(b"<row", 200000)] + b"<row><c r=\"A"
        broken = self.path("broken.xlsx")
        with zipfile.ZipFile(broken, "w") as z:
            for name, content in parts.items():
                z.writestr(name, content)
        run = subprocess.run([CALC, "--csv", broken, "--xlsx", self.book], capture_output=True)
        self.assertEqual(run.returncode, 2, run.stderr)
        self.assert_as_before()

    def test_a_stopped_run_leaves_the_earlier_workbook(self):
        for stop in (signal.SIGTERM, signal.SIGINT):
            # As from a terminal: a runner may have left the signals ignored.
            run = subprocess.Popen([CALC, "--csv", self.table, "--xlsx", self.book],
                                   preexec_fn=lambda: [signal.signal(s, signal.SIG_DFL) for s in (signal.SIGINT, signal.SIGTERM)])
            while not glob.glob(self.path(".earlier.xlsx.kaldora-*")) and run.poll() is None:
                pass
            run.send_signal(stop)
            self.assertEqual(run.wait(), -stop)
            self.assert_as_before()

    def test_scratch_space_is_the_targets_folder(self):
        unwritable = dict(os.environ, TMPDIR="/proc")
        run = subprocess.run([CALC, "--csv", self.table, "--xlsx", self.path("new.xlsx")], env=unwritable)
        self.assertEqual(run.returncode, 0)
        self.assertEqual(openpyxl.load_workbook(self.path("new.xlsx"), read_only=True).active.max_row, 20002)
        # A piped workbook is copied to TMPDIR, as the user asked.
        run = subprocess.run([CALC, "--csv", "-"], input=self.earlier[self.book], env=unwritable, capture_output=True)
        self.assertEqual(run.returncode, 2)
        self.assertIn(b"no room for a copy of the workbook", run.stderr)

    def test_concurrent_runs_leave_one_whole_workbook(self):
        target = self.path("both.xlsx")
        for _ in range(3):
            runs = [subprocess.Popen([CALC, "--csv", self.table, "--xlsx", target]) for _ in range(2)]
            self.assertEqual([r.wait() for r in runs], [0, 0])
            with zipfile.ZipFile(target) as z:
                self.assertIsNone(z.testzip())


@unittest.skipUnless(os.environ.get("KALDORA_LONG_TABLES"), "a table longer than a sheet takes half a minute")
class LongerThanASheet(unittest.TestCase):
    def test_rows_go_on_in_the_next_sheet_and_the_totals_add_up_both(self):
        rows = 1048575 + 25  # a sheet holds 1,048,576 rows, the header among them
        with tempfile.TemporaryDirectory() as folder:
            table, book = os.path.join(folder, "long.csv"), os.path.join(folder, "long.xlsx")
            with open(table, "w") as f:
                f.write("section,type,diameter_mm,length_m\n" + "S,1,108,1\n" * rows)
            self.assertEqual(subprocess.run([CALC, "--csv", table, "--xlsx", book]).returncode, 0)
            sheets = openpyxl.load_workbook(book, read_only=True, data_only=True).worksheets
            self.assertEqual([s.title for s in sheets], ["Results", "Results (2)"])
            last = list(sheets[1].values)
            self.assertEqual(len(last), 1 + 25 + 1)  # header, rows, totals
            self.assertEqual(last[-1][0], "TOTAL")
            with zipfile.ZipFile(book) as z:
                totals = ET.fromstring(z.read("xl/worksheets/sheet2.xml")).find("m:sheetData", NS)[-1]
            formulas = [c.find("m:f", NS).text for c in totals if c.find("m:f", NS) is not None]
            self.assertEqual(formulas[0], "SUM('Results'!L2:L1048576,L2:L26)")
            self.assertAlmostEqual(last[-1][11], rows * last[1][11], delta=1e-6 * rows)


if __name__ == "__main__":
    unittest.main()
