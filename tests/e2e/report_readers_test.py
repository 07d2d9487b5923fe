#!/usr/bin/python3
"""End-to-end check of the report files: builds the report of every sample data file with
tavrix-cli, opens all of them in LibreOffice headless (one start, one csv file per sheet) and
with openpyxl, and compares cells with values computed here from the data files and the
library sources: scalars, cycle tables, operation logs, the totals' recomputed formulas, and
that headings, styles, page setup and charts survive.

    report_readers_test.py TAVRIX_CLI RUNTIME_DIR LIBRARY_SOURCES_DIR WORK_DIR
"""
import csv
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import warnings
import zipfile
from datetime import datetime

import openpyxl

NOW = datetime(2026, 11, 20, 10, 30, 0)
PASSPORT = 270337
WIDTHS = [20, 20, 20, 20, 20, 20, 20, 20, 5, 5, 150, 150, 150, 50, 20, 20, 20]
LIBRARY = {"ЗУЛ-52А": "rp52A", "ЗУЛ-52Д": "rp52D", "ЗУЛ-52Н": "rp52N", "ЗУЛ-38": "rp38"}
BUFFERS = {"Int": 4, "UShortInt": 2, "ShortInt": 2, "Char": 49, "UChar": 50, "Hex": 50,
           "Time": 4, "Data": 6, "Float": 4}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def general(v):
    """The report's general number format with the point: 15 significant digits."""
    text = "%.15g" % v
    if "e" in text:
        mantissa, exponent = text.split("e")
        text = mantissa + "E" + str(int(exponent))
    return text


NUMBER = re.compile(r"[+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?")


def typed(want, cell):
    """What a cell holds once the report has put the text `want` in it: a text that reads as a
    number (the point in the C locale) becomes that number, unless the cell's format is Text."""
    if isinstance(want, str) and cell.number_format != "@" and NUMBER.fullmatch(want.strip(" ")):
        return float(want)
    return want


def same(got, want):
    if isinstance(want, float):
        return isinstance(got, (int, float)) and abs(got - want) < 1e-6 * max(1, abs(want))
    return got == (want if want != "" else None)


def hh(b):
    return "%02X" % b


def bcd_stamp(b):
    return "%s.%s.%s %s:%s:%s" % (hh(b[0]), hh(b[1]), hh(b[2]), hh(b[5]), hh(b[4]), hh(b[3]))


def valid(slot, summed=None):
    return sum(slot[: summed or len(slot)]) % 256 == 0xFF


class DataFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.bytes = f.read()
        offsets, self.passport = PASSPORT, []
        for w in WIDTHS:
            field = self.bytes[offsets:offsets + w]
            self.passport.append(field.split(b"\0")[0].decode("cp1251"))
            offsets += w
        self.model = self.passport[0]

    def read(self, offset, count):
        if offset < 0 or count <= 0:
            return bytes(max(count, 0))
        chunk = self.bytes[offset:offset + count]
        return chunk + bytes(count - len(chunk))

    def u(self, offset, count, signed=False):
        return int.from_bytes(self.read(offset, count), "little", signed=signed)


# --- scalars ----------------------------------------------------------------------------

def scalar(data, f):
    """What a scalar line writes: (cell, value) or None when the line is skipped."""
    f = f + [""] * (12 - len(f))
    keyword = f[3]
    if not f[6] or not f[7] or not f[8] or int(f[1]) >= len(data.bytes):
        return None
    offset, count = int(f[1]), min(int(f[4]), BUFFERS[keyword])
    prefix, separator, suffix = f[9], f[10], f[11]

    def larger(read):
        v = read(offset)
        if int(f[2]) != 0:
            v = max(v, read(int(f[2])))
        return v

    if keyword in ("Int", "UShortInt", "ShortInt"):
        width = {"Int": 4, "UShortInt": 2, "ShortInt": 2}[keyword]
        signed = keyword != "UShortInt"

        def read(o):
            raw = data.u(o, count)
            return int.from_bytes(raw.to_bytes(width, "little"), "little", signed=signed)

        v = larger(read)
        if f[5] == "1":
            return prefix + str(v) + suffix
        return struct.unpack("<f", struct.pack("<f", float(f[5].replace(",", ".")) * v))[0]
    if keyword == "Char":
        return prefix + data.read(offset, count).split(b"\0")[0].decode("cp1251") + suffix
    if keyword in ("UChar", "Hex"):
        b = data.read(offset, count)
        out = "".join((str(b[i]) if keyword == "UChar" else hh(b[i])) + separator
                      for i in range(count - 1, -1, -1))
        return prefix + out + suffix
    if keyword == "Time":
        t = larger(lambda o: data.u(o, count)) * int(f[5]) & 0xFFFFFFFF
        h, m, s = t // 3600, t // 60 % 60, t % 60
        return prefix + "%d:%02d:%02d" % (h, m, s) + suffix
    if keyword == "Data":
        b = data.read(offset, count) + bytes(6)
        if data.model in ("ЗУЛ-52Д", "ЗУЛ-52Н"):
            text = "%s.%s.%s" % (hh(b[0]), hh(b[1]), hh(b[2]))
        elif data.model == "ЗУЛ-38":
            lo = [x & 0x0F for x in b]
            text = "%d%d:%d%d %d%d.%d%d.20%d%d" % (
                (b[1] & 0x30) >> 4, lo[1], (b[0] & 0x70) >> 4, lo[0], (b[2] & 0x30) >> 4,
                lo[2], (b[3] & 0x10) >> 4, lo[3], b[4] >> 4, lo[4])
            if text == "00:00 00.00.2000":
                text = ""
        elif count == 4:
            text = "%s.%s.%s%s" % (hh(b[1]), hh(b[0]), hh(b[3]), hh(b[2]))
        else:
            text = "%s.%s.%s" % (hh(b[1]), hh(b[0]), hh(b[2]))
        return prefix + text + suffix
    if data.model == "ЗУЛ-38":
        b = data.read(offset, min(int(f[4]), 5)) + bytes(5)
        return general(b[4] * 65536 + b[3] * 256 + b[2] + b[1] / 256 + b[0] / 65536)
    v = struct.unpack("<f", data.read(offset, 4))[0]
    if int(f[2]) != 0:
        copy = struct.unpack("<f", data.read(int(f[2]), 4))[0]
        if copy > v:
            v = copy
    return prefix + general(v) + suffix


# --- cycle tables -----------------------------------------------------------------------

def cycle_rows(data, head, columns):
    a, width, n = int(head[1]), int(head[4]), int(head[5])
    size, last, base = int(head[9]), int(head[10]), int(head[11])
    start = 0
    if width in (4, 8):
        half = width // 2
        p, c = data.u(a, half, True), data.u(a + half, half, True)
        if width == 4:
            p, c = data.u(a, 2), data.u(a + 2, 2)
            start = (p - base) // size if (p + c) == 0xFFFF else 0
        else:
            start = int((p - base) / size) if p + c == -1 else 0
        if not 0 <= start < n:
            start = 0
    rows, slot = [], start
    for i in range(n):
        if start + i == n:
            slot = 0
        o = base + slot * size
        if sum(data.read(o, min(size, 32))[: last + 1]) % 256 == 0xFF:
            row = {}
            for c in columns:
                off, kind, count, scale, text, col = (int(c[1]), c[3], int(c[4]),
                                                      float(c[5].replace(",", ".")), c[6],
                                                      int(c[7]))
                if kind == "CycleInt":
                    v = data.u(o + off, min(count, 4))
                    v = int.from_bytes(v.to_bytes(4, "little"), "little", signed=True)
                    row[col] = general(v * scale)
                elif kind == "CycleDataTime":
                    b = data.read(o + off, min(count, 6))
                    row[col] = "%s.%s.%s" % (hh(b[0]), hh(b[1]), hh(b[2]))
                    if count == 6:
                        row[col] += " %s:%s:%s" % (hh(b[5]), hh(b[4]), hh(b[3]))
                elif kind == "CycleBin":
                    bit = (data.u(o + off, 1) >> (round(scale) - 1)) & 1
                    row[col] = text if 1 <= round(scale) <= 8 and bit == int(text) else ""
                else:
                    row[col] = ""
            rows.append(row)
        slot += 1
    return rows


# --- operation logs: the first column and the load of every row ------------------------

def s16(b, o):
    return int.from_bytes(b[o:o + 2], "little", signed=True)


def log_52n(data):
    rows = []
    for slot in range(7260):
        b = data.read(slot * 32, 32)
        if valid(b):
            rows.append((bcd_stamp(b), general(s16(b, 6) * 0.01)))
    c = data.read(234068, 9)
    count = 0
    for cond, v in ((c[0] - c[6] == 1, c[0]), (c[0] == c[3], c[0]), (c[0] == c[6], c[0]),
                    (c[3] == c[6], c[3])):
        if cond:
            count = v
    for slot in range(min(count or 33, 33)):
        b = data.read(232984 + slot * 32, 32)
        if valid(b):
            rows.append((bcd_stamp(b), general(s16(b, 6) * 0.01)))
    return "Журнал работы и дополнительный журнал", ("A7", "B", rows, 7293)


def log_52d(data):
    p = data.u(382, 4)
    start = int((p - 32768) / 32) if p >= 32768 else 0
    rows, slot = [], start
    for i in range(7168):
        if start + i == 7168:
            slot = 0
        b = data.read(32768 + slot * 32, 32)
        if valid(b, 31):
            rows.append((float(len(rows)), general(s16(b, 2) * 0.01)))
        slot += 1
    return "Журнал работы", ("A7", "C", rows, 7168)


def stamp_38(b):
    parts = [(b[k] >> 4 & mask) * 10 + (b[k] & 0x0F) for k, mask in
             ((0, 7), (1, 7), (2, 3), (3, 3), (4, 1))]
    second, minute, hour, day, month = parts
    second, minute, hour = [v if v <= top else 0 for v, top in
                            ((second, 59), (minute, 59), (hour, 23))]
    day, month = (day if day <= 31 else 1), (month if month <= 12 else 1)
    for year in (NOW.year, NOW.year - 1):
        try:
            t = datetime(year, month, day, hour, minute, second)
        except ValueError:
            return None
        if t <= NOW:
            return t
    return t


def log_38(data):
    stamps = []
    for slot in range(11000):
        b = data.read(slot * 24, 24)
        stamps.append(stamp_38(b) if valid(b) else None)
    newest, newest_slot = datetime(1999, 1, 1), 0
    for slot, t in enumerate(stamps):
        if t is not None and t > newest:
            newest, newest_slot = t, slot
    rows = []
    for i in range(11000):
        slot = (newest_slot + 1 + i) % 11000
        if stamps[slot] is not None:
            b = data.read(slot * 24, 24)
            rows.append((stamps[slot].strftime("%d.%m.%Y %H:%M:%S"),
                         general(s16(b, 5) * 0.01)))
    return "Журнал работы (год записи восстановлен по дате отчёта)", ("A7", "C", rows, 11000)


# The main operation log of each keyword: its table title and what it holds; it fills the
# sheet "Журнал работы".
LOG_SHEET = "Журнал работы"
LOGS = {"Oper52N": log_52n, "Oper52D": log_52d, "Oper38": log_38}


def column_index(letters):
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n


def split_cell(cell):
    m = re.fullmatch(r"([A-Z]+)(\d+)", cell)
    return column_index(m.group(1)), int(m.group(2))


# --- the checks -------------------------------------------------------------------------

def library_lines(sources, name):
    with open(os.path.join(sources, name + ".txt"), encoding="utf-8") as f:
        return [line.rstrip("\r\n").split("\t") for line in f]


def expected_tables(data, lines):
    """Table title -> (sheet, first cell, {column: text} rows, load column, rows of the range,
    whether it is a cycle table)."""
    tables = {}
    i = 2
    while i < len(lines):
        f = lines[i] + [""] * 12
        if f[3] == "AddrCycle":
            m = int(f[2])
            columns = lines[i + 1:i + 1 + m]
            rows = cycle_rows(data, f, columns)
            load = [int(c[7]) for c in columns if c[0] == "Масса груза, т"][0]
            tables[f[0]] = (f[0], f[7], rows, load, int(f[5]), True)
            i += 1 + m
            continue
        if f[3] in LOGS:
            title, (cell, load, rows, size) = LOGS[f[3]](data)
            tables[title] = (LOG_SHEET, cell,
                             [{0: a, column_index(load) - 1: b} for a, b in rows],
                             column_index(load) - 1, size, False)
        i += 1
    return tables


def check_workbook(path, data, lines, csv_dir):
    name = os.path.basename(path)
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        book = openpyxl.load_workbook(path)
    check(not caught, "%s: openpyxl warned: %s" % (name, [str(w.message) for w in caught]))
    first = book.worksheets[0]
    # Scalars on their sheets.
    for f in lines[2:]:
        if len(f) > 3 and f[3] in BUFFERS:
            want = scalar(data, f)
            if want is None:
                continue
            cell = book.worksheets[int(f[6]) - 1][f[7]]
            # Passport texts and serial numbers keep their leading zeros.
            if f[3] in ("Char", "Hex"):
                check(cell.number_format == "@", "%s: %s (%s) has the Text format" %
                      (name, f[7], f[0]))
            want = typed(want, cell)
            got = cell.value
            check(same(got, want),
                  "%s: %s (%s) is %r, expected %r" % (name, f[7], f[0], got, want))
            check(first["A" + f[7][1:]].value == f[0], "%s: caption of %s" % (name, f[7]))
    check(first["C4"].border.bottom.style == "hair", "%s: C4 keeps its template style" % name)
    # Tables.
    tables = expected_tables(data, lines)
    for title, (sheet_name, cell, rows, load, size, cycles) in tables.items():
        sheet = book[sheet_name]
        col, row = split_cell(cell)
        check(len(rows) > 0, "%s: %s has rows" % (name, title))
        for r in (0, len(rows) - 1):
            for c, want in rows[r].items():
                cell = sheet.cell(row + r, col + c)
                want = typed(want, cell)
                got = cell.value
                check(same(got, want),
                      "%s: %s row %d column %d is %r, expected %r" %
                      (name, title, r, c, got, want))
        after = sheet.cell(row + len(rows), col).value
        check(after is None, "%s: %s has nothing after its last row: %r" % (name, title, after))
        heading = sheet.cell(row - 1, col)
        check(heading.value and heading.font.b, "%s: %s heading is bold" % (name, title))
        check(sheet.freeze_panes is not None, "%s: %s frozen" % (name, title))
        check(sheet.page_setup.orientation == "landscape" and
              str(sheet.page_setup.paperSize) == "9", "%s: %s A4 landscape" % (name, title))
    # Totals recomputed by LibreOffice, against the counts and loads computed here.
    stem = os.path.splitext(name)[0]
    sheet1 = os.path.join(csv_dir, "%s-%s.csv" % (stem, book.sheetnames[0]))
    totals = {}
    if check(os.path.exists(sheet1), "%s: LibreOffice wrote %s" % (name, sheet1)):
        with open(sheet1, encoding="utf-8") as f:
            for row in csv.reader(f):
                if len(row) > 2 and row[0].startswith(("Записей: ", "Наибольшая")):
                    totals[row[0]] = row[2]
    for title, (sheet_name, cell, rows, load, size, cycles) in tables.items():
        count = totals.get("Записей: " + title)
        if count is not None:
            check(float(count) == len(rows),
                  "%s: recomputed record count of %s is %s, expected %d" %
                  (name, title, count, len(rows)))
        largest = totals.get("Наибольшая масса груза, т: " + title)
        if largest is not None:
            want = max(float(r[load]) for r in rows)
            check(abs(float(largest) - want) < 1e-9,
                  "%s: recomputed largest load of %s is %s, expected %s" %
                  (name, title, largest, want))
    check(any(k.startswith("Записей") for k in totals), "%s: totals in LibreOffice" % name)
    check(all(v != "" and "Err" not in v and "#" not in v for v in totals.values()),
          "%s: totals computed: %s" % (name, totals))
    check_charts(path, book, tables)


def check_charts(path, book, tables):
    """Each cycle table has a histogram, the workbook a load-over-time chart; every chart
    reads ranges that cover the table it belongs to."""
    name = os.path.basename(path)
    with zipfile.ZipFile(path) as z:
        charts = [z.read(n).decode("utf-8") for n in z.namelist()
                  if re.fullmatch(r"xl/charts/chart\d+\.xml", n)]
    refs = [re.findall(r"<c:f>([^<]*)</c:f>", c) for c in charts]
    check(len(charts) == 1 + sum(1 for t in tables.values() if t[5]),
          "%s: %d charts" % (name, len(charts)))
    for title, (sheet_name, cell, rows, load, size, cycles) in tables.items():
        col, row = split_cell(cell)
        last = "$%d" % (row + size - 1)
        on_sheet = [r for chart in refs for r in chart if r.startswith("'%s'!" % sheet_name)]
        if cycles:
            # The histogram reads the counts, which count the loads of the whole range.
            counts = on_sheet[-1].split("!")[1].split(":")[0].replace("$", "") if on_sheet else ""
            formula = str(book[sheet_name][counts].value) if counts else ""
            check("COUNTIFS" in formula and last + "," in formula,
                  "%s: the histogram of %s counts down to row %s: %s" % (name, title, last,
                                                                          formula))
        elif on_sheet:
            check(all(r.endswith(last) for r in on_sheet),
                  "%s: the chart of %s reads down to row %s: %s" % (name, title, last,
                                                                     on_sheet))


def run_libreoffice(command):
    """Runs soffice in a session of its own, so that a hang kills all of its processes."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               text=True, start_new_session=True)
    try:
        out, err = process.communicate(timeout=600)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, 9)
        out, err = process.communicate()
        err += "\nLibreOffice did not finish within 600 s"
    return subprocess.CompletedProcess(command, process.returncode, out, err)


def main():
    cli, runtime, sources, work = [os.path.abspath(a) for a in sys.argv[1:5]]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "csv"))
    env = dict(os.environ, LC_ALL="C")
    reports = []
    for sample in sorted(glob.glob(os.path.join(runtime, "samples", "*.rpk"))):
        data = DataFile(sample)
        out = os.path.join(work, LIBRARY[data.model] + ".xlsx")
        run = subprocess.run([cli, "report", sample, "-o", out, "--program-dir", runtime,
                              "--now", NOW.strftime("%Y-%m-%d %H:%M:%S")],
                             env=env, capture_output=True, text=True)
        check(run.returncode == 0, "%s: tavrix-cli report failed: %s" % (sample, run.stderr))
        check("нет" not in run.stderr and "Библиотека" not in run.stderr,
              "%s: the version map knows the sample: %s" % (sample, run.stderr))
        reports.append((out, data))
    profile = os.path.join(work, "profile")
    lo = run_libreoffice(
        ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore",
         "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,"
         "false,false,-1", "--outdir", os.path.join(work, "csv")] + [r[0] for r in reports])
    check(lo.returncode == 0, "LibreOffice failed: %s" % lo.stderr)
    check("Error" not in lo.stdout + lo.stderr, "LibreOffice reports: %s" % lo.stderr)
    for out, data in reports:
        if os.path.exists(out):
            check_workbook(out, data, library_lines(sources, LIBRARY[data.model]),
                           os.path.join(work, "csv"))
    for f in failures:
        print("FAIL:", f)
    print("%d reports checked, %d failures" % (len(reports), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
