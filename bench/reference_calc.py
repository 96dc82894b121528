#!/usr/bin/python3
"""The heat-loss norm (type 1, historical tables) and the surface
temperature (type 3) in plain Python, as a yardstick for the compiled
engine's speed: reads a table of sections (the columns of bench/cli_table.sh)
on standard input and writes each row's section and thickness in mm.
The norm tables are read from the engine's own source.
    bench/reference_calc.py ENGINE_SOURCE_DIR < table.csv > thicknesses.csv
"""
import csv
import math
import re
import sys

STOP, ITERATIONS, SETTLED, PASSES, TOLERANCE = 1e-5, 30, 0.1, 30, 1e-7
PI, TWO_PI = 3.14159265359, 6.28318530718


def read_tables(source_dir):
    text = open(source_dir + "/engine/reference_tables.cpp", encoding="utf-8").read()
    tables = {}
    for name, rows, cols, body in re.findall(r"constexpr double k(NormFlux\w+)\[(\d+) \* (\d+)\] = \{(.*?)\};", text,
                                             re.S):
        cells = [float(v) for v in re.sub(r"//[^\n]*", "", body).replace(",", " ").split()]
        tables[name] = [cells[r * int(cols):(r + 1) * int(cols)] for r in range(int(rows))]
    return tables


def lookup(table, row_arg, col_arg):
    keys = table[0]
    if not (keys[1] <= col_arg <= keys[-1]) or not (table[1][0] <= row_arg <= table[-1][0]):
        return None
    k = 1
    while k < len(table) - 1 and not (table[k][0] - row_arg > -TOLERANCE):
        k += 1
    j = 1
    while j < len(keys) - 1 and not (keys[j] - col_arg > -TOLERANCE):
        j += 1

    def along_rows(c):
        if k == 1:
            return table[1][c]
        return table[k - 1][c] + (row_arg - table[k - 1][0]) * (table[k][c] - table[k - 1][c]) / (
            table[k][0] - table[k - 1][0])

    if j == 1:
        return along_rows(1)
    left, right = along_rows(j - 1), along_rows(j)
    return left + (col_arg - keys[j - 1]) * (right - left) / (keys[j] - keys[j - 1])


def residual(a, b, x):
    return math.log(x) - a + b / x


def larger_root(a, b):
    low = b if b > 0 else sys.float_info.min
    if not residual(a, b, low) <= 0:
        return None
    high = max(2 * low, 1.0)
    while residual(a, b, high) <= 0:
        high *= 2
    while True:
        middle = low + (high - low) / 2
        if not (low < middle < high):
            break
        if residual(a, b, middle) <= 0:
            low = middle
        else:
            high = middle
    return low if abs(residual(a, b, low)) <= abs(residual(a, b, high)) else high


def solve(a, b, start):
    x, y, n = start, 0.0, 0
    while abs(x - y) > STOP and n < ITERATIONS:
        y = math.exp(a - b / x)
        x = (x + y) / 2
        n += 1
    return x if not abs(x - y) > STOP else larger_root(a, b)


def conductivity(t):
    if t <= 25:
        return 0.038
    return 0.0345 + 0.00014 * t if t <= 125 else 0.027 + 0.0002 * t


def heat_loss_norm(tables, air, d, carrier, indoors, metal, long_hours):
    if not air < carrier:
        return 0.0
    alpha = (6 if metal else 11) if indoors else 29
    name = ("NormFluxIndoor" if indoors else "NormFluxOutdoor") + ("Over5000" if long_hours else "UpTo5000")
    q = lookup(tables[name], d, carrier)
    if q is None:
        return 0.0
    estimate, passes = air, 0
    while True:
        lam = conductivity((estimate + carrier) / 2)
        passes += 1
        x = solve(math.log(d) + TWO_PI * lam * (carrier - air) / q, 2 * lam / alpha, 3 * d)
        surface = carrier - math.log(x / d) * q / (TWO_PI * lam)
        estimate = (estimate + surface) / 2
        if abs(estimate - surface) <= SETTLED or passes >= PASSES:
            return (x - d) / 2


def surface_temperature(air, d, carrier, surface, metal):
    if not air < surface or not carrier > surface or not d > 0:
        return 0.0
    alpha = 6 if metal else 11
    lam = conductivity((carrier + surface) / 2)
    x = solve(math.log(d), -2 * lam * (carrier - surface) / ((surface - air) * alpha), 3 * d)
    return (x - d) / 2


def main():
    tables = read_tables(sys.argv[1])
    rows = csv.DictReader(sys.stdin)
    out = csv.writer(sys.stdout, lineterminator="\n")
    out.writerow(["section", "thickness_mm"])
    flag = lambda row, key: row.get(key) == "1"
    for row in rows:
        air, d, carrier = float(row["air_temp"]), float(row["diameter_mm"]) / 1000, float(row["medium_temp"])
        if row["type"] == "1":
            m = heat_loss_norm(tables, air, d, carrier, flag(row, "indoors"), flag(row, "metal"),
                               flag(row, "long_hours"))
        else:
            m = surface_temperature(air, d, carrier, float(row["surface_temp"]), flag(row, "metal"))
        out.writerow([row["section"], repr(m * 1000)])


main()
