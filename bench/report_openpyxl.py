"""The report benchmark's openpyxl writer: loads the template, writes the cells that
report_reference listed (sheet, row, column, kind, value; TAB-separated) and saves the workbook.
Prints the wall and CPU seconds that loading, writing and saving took (reading the list is not
counted).
Usage: report_openpyxl.py TEMPLATE CELLS.tsv OUT.xlsx"""
import sys
import time

import openpyxl


def main():
    template, cells_path, out = sys.argv[1:4]
    cells = []
    with open(cells_path, encoding="utf-8") as f:
        for line in f:
            sheet, row, column, kind, value = line.rstrip("\n").split("\t", 4)
            cells.append((int(sheet), int(row), int(column), float(value) if kind == "n" else value))
    start, cpu = time.perf_counter(), time.process_time()
    book = openpyxl.load_workbook(template)
    sheets = book.worksheets
    for sheet, row, column, value in cells:
        sheets[sheet - 1].cell(row=row, column=column, value=value)
    book.save(out)
    print("%.3f %.3f" % (time.perf_counter() - start, time.process_time() - cpu))


if __name__ == "__main__":
    main()
