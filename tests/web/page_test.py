#!/usr/bin/python3
"""The browser edition against kaldora-calc: the real page in headless
Chromium, random cases of all five types, options and both norm sets opened
from their links, every text the same and every number within 1e-9; tables
in each encoding and as a workbook, the results the same as kaldora-calc's.
    page_test.py KALDORA_HTML KALDORA_CALC [CASES]
"""
import json
import math
import random
import re
import base64
import csv
import io
import os
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.support.ui import WebDriverWait
import openpyxl

page, calc = sys.argv[1], sys.argv[2]
cases = int(sys.argv[3]) if len(sys.argv) > 3 else 1200
random.seed(20261209)
failures = []


def fail(case, what):
    failures.append(f"{case}: {what}")


# The file refers to nothing outside itself.
text = open(page, encoding="utf-8").read()
# The libraries' notices name their authors' sites as text; nothing loads them.
notices = re.search(r'<pre id="notices">(.*?)</pre>', text, re.S)
if not notices or "libcsv" not in notices.group(1) or "libxlsxwriter" not in notices.group(1):
    fail("file", "the libraries' notices are missing")
text = text.replace(notices.group(1), "") if notices else text
addresses = re.findall(r"(?:https?|wss?|ftp)://[^\s\"'<>)]+|src=[\"']//[^\"']+", text)
if addresses:
    fail("file", f"network addresses {addresses[:5]}")
print(f"{page}: {len(text.encode()) / 1024:.0f} KB, no network address" if not addresses else "addresses found")

SLOTS = {1: [1, 3, 4], 2: [1, 3, 4, 32], 3: [1, 3, 4, 7], 4: [1, 3, 8, 11, 16],
         5: [17, 18, 19, 20, 21, 23, 24, 27]}
RANGES = {1: (-50, 60), 3: (10, 1500), 4: (-60, 650), 7: (0, 80), 8: (1, 12), 11: (1, 95), 16: (1, 72),
          17: (-20, 25), 18: (0.5, 3), 19: (0.5, 4), 20: (0.3, 1.5), 21: (0.3, 2), 23: (20, 1500), 24: (40, 160),
          27: (30, 90), 32: (5, 100)}
ODD = ["", "abc", "0", "-0", "1e308", "-1e308", "12abc", " 7", "1,5,7", "1e400"]


def random_case():
    """A case as the address says it: type=1&3=108&outdoors&…"""
    t = random.randint(1, 5)
    words = [f"type={t}"]
    for slot in SLOTS[t]:
        if random.random() < 0.75:
            if random.random() < 0.05:
                value = random.choice(ODD)
            else:
                low, high = RANGES[slot]
                value = f"{random.uniform(low, high):.{random.choice([0, 1, 2, 3])}f}"
                if random.random() < 0.5:
                    value = value.replace(".", ",")
            words.append(f"{slot}={value}")
    if t in (1, 3):
        words.append(random.choice(["indoors", "outdoors"]))
    if t in (1, 2, 3):
        words.append(random.choice(["metal", "nonmetal"]))
    if t in (1, 5):
        words.append(random.choice(["long-hours", "short-hours"]))
    if t == 1 and random.random() < 0.5:
        words += ["norm=sp61", "supports=" + random.choice(["movable", "suspended", "nonmetal", "none"]),
                  "region=" + random.choice(["europe", "urals", "west-siberia", "east-siberia", "far-east",
                                             "far-north"])]
    return words


def arguments_of(words):
    """The same case in kaldora-calc's arguments."""
    args = []
    for word in words:
        key, _, value = word.partition("=")
        if key.isdigit():
            args.append(f"{key}={value}")
        elif key in ("type", "norm", "supports", "region"):
            args += [f"--{key}", value]
        else:
            args.append(f"--{key}")
    return args


def fragment_of(words):
    from urllib.parse import quote
    out = []
    for word in words:
        key, eq, value = word.partition("=")
        out.append(key + (eq + quote(value, safe="") if eq else ""))
    return "&".join(out)


def close(a, b):
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return a == b or abs(a - b) <= 1e-9 * max(abs(a), abs(b))
    return a == b


def compare(case, cli, web):
    for key in ("type", "flags", "converged", "method", "not_converged", "warnings", "norm"):
        if key == "norm":
            if json.dumps(cli.get(key, {}).get("choice")) != json.dumps(web.get(key, {}).get("choice")):
                fail(case, f"norm {cli.get(key)} != {web.get(key)}")
        elif cli.get(key) != web.get(key):
            fail(case, f"{key}: {cli.get(key)!r} != {web.get(key)!r}")
    if [(e["kind"], e["text"]) for e in cli["events"]] != [(e["kind"], e["text"]) for e in web["events"]]:
        fail(case, f"events {cli['events']} != {web['events']}")
    if set(cli["slots"]) != set(web["slots"]):
        fail(case, f"slots {sorted(cli['slots'])} != {sorted(web['slots'])}")
    for slot, value in cli["slots"].items():
        if not close(value, web["slots"].get(slot)):
            fail(case, f"slot {slot}: {value} != {web['slots'].get(slot)}")
    for key in ("thickness_mm", "surface_temp_c", "heat_flux_w_per_m", "channel_air_temp_c"):
        if not close(cli.get(key), web.get(key)):
            fail(case, f"{key}: {cli.get(key)} != {web.get(key)}")


options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1366,768",
                 # No network at all: the page must not need one.
                 "--host-resolver-rules=MAP * ~NOTFOUND",
                 # A test opens links faster than a person: no throttling of them.
                 "--disable-ipc-flooding-protection"):
    options.add_argument(argument)
options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    first = ["type=1", "3=108", "4=350", "outdoors", "long-hours", "norm=sp61", "supports=suspended",
             "region=urals"]
    opened = time.monotonic()
    driver.get(f"file://{page}#{fragment_of(first)}")
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return !!window.kaldoraLast"))
    ready = driver.execute_script("return window.kaldoraFirstResultMs")
    print(f"first result {ready:.0f} ms after navigation started (load to result {time.monotonic() - opened:.2f} s)")
    cli = json.loads(subprocess.run([calc, "--json"] + arguments_of(first), capture_output=True, text=True,
                                    check=True).stdout)
    compare("link", cli, driver.execute_script("return window.kaldoraLast"))
    shown = driver.find_element("id", "result-line").text
    if shown != cli["events"][-1]["text"]:
        fail("link", f"result line {shown!r} != {cli['events'][-1]['text']!r}")
    if driver.find_element("id", "slot4").get_attribute("value") != "350":
        fail("link", "the form does not show the case of the link")
    # The papers of the same case: the report's result and the protocol's.
    driver.execute_script("document.getElementById('report').click()")
    sheet = driver.execute_script("return document.getElementById('sheet').innerText")
    if "114,7" not in sheet or "Нормы: СП 61.13330.2012, подвесные опоры; район: Урал" not in sheet:
        fail("report", sheet[:300])
    driver.execute_script("document.getElementById('paper-close').click();"
                          "document.getElementById('protocol').click();"
                          "document.getElementById('identity0').value = 'Котельная №2';"
                          "document.getElementById('identity-ok').click()")
    # The dialog's close event, which prints, comes after the click returns.
    WebDriverWait(driver, 10).until(lambda d: d.execute_script("return !document.getElementById('paper').hidden"))
    sheet = driver.execute_script("return document.getElementById('sheet').innerText")
    if "Котельная №2" not in sheet or "114,7" not in sheet or "Протокол расчета тепловой изоляции" not in sheet:
        fail("protocol", sheet[:300])
    driver.execute_script("document.getElementById('paper-close').click()")

    # Tables: the template, and the same file through the page and through kaldora-calc.
    template = driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        fetch(document.getElementById('table-template').href).then((r) => r.arrayBuffer())
          .then((b) => done(Array.from(new Uint8Array(b))));""")
    if bytes(template) != subprocess.run([calc, "--template", "ru"], capture_output=True).stdout:
        fail("template", bytes(template[:200]))
    folder = tempfile.mkdtemp()
    rows = ["section,type,indoors,metal,long_hours,air_temp,diameter_mm,medium_temp,surface_temp,length_m"]
    for i in range(300):
        rows.append(f"Участок {i},1,{i % 2},{i // 2 % 2},1,{i % 30},{[18, 57, 108, 530][i % 4]},{50 + i},,{i % 7}"
                    if i % 3 else f"S{i},3,0,1,,20,{[25, 219][i % 2]},{100 + i},{35 + i % 30},1")
    rows += ["bad,1,0,0,0,5,abc,100,,", "none,1,0,0,0,40,108,30,,", "wide,1,0,0,0,5,108,100,,1,9"]
    plain = "\n".join(rows) + "\n"
    # name: (bytes, encoding, separator)
    tables = {"utf8.csv": (plain.encode(), "utf-8", ","),
              "cp1251.csv": (plain.replace(",", ";").encode("cp1251"), "cp1251", ";"),
              "utf16.txt": (plain.replace(",", "\t").encode("utf-16"), "utf-16", "\t"),
              "header-only.csv": (rows[0].encode(), "utf-8", ","),
              "binary.csv": (bytes(range(256)) * 4, "utf-8", ",")}
    for name, (data, _, _) in tables.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    subprocess.run([calc, "--csv", os.path.join(folder, "utf8.csv"), "--xlsx", os.path.join(folder, "book.xlsx")],
                   capture_output=True)

    def sheet_of(name):
        book = openpyxl.load_workbook(os.path.join(folder, name), read_only=True)
        return [list(r) for s in book.worksheets for r in s.iter_rows(values_only=True)]

    def csv_of(data, name):
        _, encoding, separator = tables[name]
        return list(csv.reader(io.StringIO(data.decode(encoding)), delimiter=separator))

    # Cells the same, numbers within 1e-9 (exp and log may differ in the last bit).
    last_digits = [0]  # cells whose text differs within 1e-9

    def same_cell(a, b):
        if a == b:
            return True
        try:
            last_digits[0] += 1
            return close(float(str(a).replace(",", ".")), float(str(b).replace(",", ".")))
        except ValueError:
            return False

    def same_cells(a, b):
        return len(a) == len(b) and all(len(r) == len(q) and all(map(same_cell, r, q)) for r, q in zip(a, b))

    for name in list(tables) + ["book.xlsx"]:
        path = os.path.join(folder, name)
        driver.find_element("id", "table-file").send_keys(path)
        WebDriverWait(driver, 30).until(lambda d: d.execute_script(
            "const r = document.getElementById('table-result');"
            "return r.querySelector('#table-download, .error') !== null"))
        got = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const link = document.getElementById('table-download');
            if (!link) { done({error: document.querySelector('#table-result .error').textContent}); return; }
            fetch(link.href).then((r) => r.arrayBuffer()).then((b) => {
              let text = '';
              for (const byte of new Uint8Array(b)) text += String.fromCharCode(byte);
              done({name: link.download, data: btoa(text)});
            });""")
        workbook = name.endswith(".xlsx")
        run = subprocess.run([calc, "--csv", path] + (["--xlsx", os.path.join(folder, "cli.xlsx")] if workbook else []),
                             capture_output=True)
        if run.returncode == 2:
            said = run.stderr.decode(errors="replace").splitlines()[0].split(": ", 1)[1]
            if "error" not in got or said not in got["error"]:
                fail(name, f"kaldora-calc refused ({run.stderr.decode().strip()}), the page said {got}")
            continue
        if "error" in got:
            fail(name, f"the page refused: {got['error']}")
            continue
        data = base64.b64decode(got["data"])
        if workbook:
            with open(os.path.join(folder, "page.xlsx"), "wb") as f:
                f.write(data)
            same = same_cells(sheet_of("page.xlsx"), sheet_of("cli.xlsx"))
        else:
            same = same_cells(csv_of(data, name), csv_of(run.stdout, name))
        if not same:
            fail(name, "results differ from kaldora-calc's")
    print(f"{len(tables) + 1} tables and the template compared with kaldora-calc's; "
          f"{last_digits[0]} number cells differ in their last digits")

    started = time.monotonic()
    all_words = [random_case() for _ in range(cases)]
    with ThreadPoolExecutor() as pool:
        runs = list(pool.map(lambda w: subprocess.run([calc, "--json"] + arguments_of(w), capture_output=True,
                                                      text=True), all_words))
    driver.set_script_timeout(10)
    for words, run in zip(all_words, runs):
        # The case's link, as a person would open it; the page calculates it.
        try:
            web = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            window.kaldoraLast = null;
            location.hash = arguments[0];
            const check = () => window.kaldoraLast ? done(window.kaldoraLast) : setTimeout(check, 1);
            check();""", fragment_of(words))
        except TimeoutException:
            fail(" ".join(words), "no result: " + "; ".join(e["message"] for e in driver.get_log("browser"))[:300])
            break
        case = " ".join(words)
        if run.returncode != 0:
            if "error" not in web:
                fail(case, f"kaldora-calc refused ({run.stderr.strip()}), the page did not")
            continue
        compare(case, json.loads(run.stdout), web)
        line = driver.execute_script("return document.getElementById('result-line').textContent")
        if line != web["shown"]["resultLine"]:
            fail(case, f"shown {line!r} != {web['shown']['resultLine']!r}")
        if driver.execute_script("return location.hash.slice(1)").split("&")[0] != words[0]:
            fail(case, "the address does not say the case")
    print(f"{cases} random cases compared in {time.monotonic() - started:.1f} s")

    requests = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
    urls = {m["params"]["request"]["url"].split("#")[0] for m in requests if m["method"] == "Network.requestWillBeSent"}
    outside = [u for u in urls if not u.startswith(("file://", "data:", "blob:"))]
    if outside:
        fail("network", f"requests {outside}")
finally:
    driver.quit()

for line in failures[:30]:
    print(line)
print(f"{len(failures)} differences")
sys.exit(1 if failures else 0)
