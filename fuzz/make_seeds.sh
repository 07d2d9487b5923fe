#!/usr/bin/env bash
# Makes the seed inputs of the fuzz targets from our own samples, one folder per target:
#   fuzz/make_seeds.sh BIN_DIR OUT_DIR
# dump: a generated image of each model (tables filled, and one with failing blocks);
# data_file: the sample data files; library: a library of each model's tables, scrambled;
# download: a downloaded image as a line stream; template: small workbooks, stored and deflated.
set -euo pipefail
bin=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"/{dump,data_file,library,download,ini,template}

for model in 52A 52D 52N 38; do
  "$bin/tavrix-gen" --model "$model" --seed 7 --tables --invalid-share 0.1 -o "$out/dump/$model"
  "$bin/tavrix-gen" --model "$model" --seed 8 --failing 2 -o "$out/dump/$model-failing"
done
"$here/../scripts/samples.sh" "$bin" "$out/data_file"

# One library per model: scalar lines of the header and the passport, the model's operation
# log and its cycle tables ("pointer width slots size base" as the generator lays them out, but
# at most 64 slots: a walk of thousands of slots makes each input slow and teaches no more).
library() {
  local log=$1; shift
  printf 'шаблон\tТаблицы\\Отчет.xlsx\r\nотчет\r\n'
  printf 'x\t0\t2\tInt\t2\t1\t1\tB2\tB2\t№\t\t.\r\n'
  printf 'x\t6\t0\tUShortInt\t2\t0,01\t1\tB3\tB3\r\n'
  printf 'x\t270337\t0\tChar\t49\t1\t1\tB4\tC4\r\n'
  printf 'x\t14\t0\tHex\t4\t1\t1\tB5\tB5\t\t:\r\n'
  printf 'x\t18\t0\tData\t3\t1\t1\tB6\tB6\r\n'
  printf 'x\t24\t0\tTime\t2\t60\t1\tB7\tB7\r\n'
  printf 'x\t30\t0\tFloat\t4\t1\t1\tB8\tB8\r\n'
  [ -n "$log" ] && printf 'log\t\t\t%s\r\n' "$log"
  local sheet=5
  while [ $# -gt 0 ]; do
    local pointer=$1 width=$2 slots=$(($3 < 64 ? $3 : 64)) size=$4 base=$5; shift 5
    printf 'cycles\t%s\t5\tAddrCycle\t%s\t%s\t%s\tA2\tE%s\t%s\t%s\t%s\r\n' \
      "$pointer" "$width" "$slots" "$sheet" "$((slots + 1))" "$size" "$((size - 1))" "$base"
    printf 'stamp\t0\t\tCycleDataTime\t6\t0\t\t0\r\n'
    printf 'load\t6\t\tCycleInt\t2\t0.01\t\t1\r\n'
    printf 'radius\t8\t\tCycleInt\t2\t0.01\t\t2\r\n'
    printf 'cycle\t10\t\tCycleInt\t2\t1\t\t3\r\n'
    printf 'flag\t12\t\tCycleBin\t1\t1\t1\t4\r\n'
    sheet=$((sheet + 1))
  done
}
text=$(mktemp)
trap 'rm -f "$text"' EXIT
library "" 1024 4 1900 16 1040 32768 8 7000 32 32784 | iconv -f UTF-8 -t CP1251 >"$text"
"$bin/tavrix-cli" scramble "$text" "$out/library/52A"
library Oper52D 262800 8 40 32 262816 | iconv -f UTF-8 -t CP1251 >"$text"
"$bin/tavrix-cli" scramble "$text" "$out/library/52D"
library Oper52N 262000 8 60 32 262016 | iconv -f UTF-8 -t CP1251 >"$text"
"$bin/tavrix-cli" scramble "$text" "$out/library/52N"
library Oper38 264400 8 150 24 264416 | iconv -f UTF-8 -t CP1251 >"$text"
"$bin/tavrix-cli" scramble "$text" "$out/library/38"

# Line streams: the probe's answer, then a generated image in literal events of 127 bytes.
/usr/bin/python3 - "$out/dump/52N" "$out/download/image" <<'PY'
import sys
image = open(sys.argv[1], 'rb').read()
stream = bytearray([1, 0xA0])
for i in range(0, len(image), 127):
    chunk = image[i:i + 127]
    stream += bytes([len(chunk)]) + chunk
open(sys.argv[2], 'wb').write(stream)
PY

# Templates: two worksheets (the second by a path from the root, cells with styles, a shared
# string, a formula and a merged range), a calculation chain, stored and deflated.
/usr/bin/python3 - "$out/template" <<'PY'
import sys, zipfile
main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
ct = 'application/vnd.openxmlformats-officedocument.spreadsheetml.'
parts = {
    '[Content_Types].xml':
        '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/'
        'package/2006/content-types"><Default Extension="rels" ContentType="application/'
        'vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" '
        'ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="'
        + ct + 'template.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" '
        'ContentType="' + ct + 'worksheet+xml"/><Override PartName="/xl/worksheets/b.xml" '
        'ContentType="' + ct + 'worksheet+xml"/><Override PartName="/xl/calcChain.xml" '
        'ContentType="' + ct + 'calcChain+xml"/></Types>',
    '_rels/.rels':
        '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
        '2006/relationships"><Relationship Id="rId1" Type="' + rel + '/officeDocument" '
        'Target="xl/workbook.xml"/></Relationships>',
    'xl/workbook.xml':
        '<?xml version="1.0"?><workbook xmlns="' + main + '" xmlns:r="' + rel + '"><sheets>'
        '<sheet name="Паспорт" sheetId="1" r:id="rId1"/><sheet name="Циклы" sheetId="7" '
        'r:id="rId2"/></sheets><calcPr calcId="191029"/></workbook>',
    'xl/_rels/workbook.xml.rels':
        '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
        '2006/relationships"><Relationship Id="rId1" Type="' + rel + '/worksheet" '
        'Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="' + rel + '/worksheet" '
        'Target="/xl/worksheets/b.xml"/><Relationship Id="rId3" Type="' + rel + '/calcChain" '
        'Target="calcChain.xml"/><Relationship Id="rId4" Type="' + rel + '/sharedStrings" '
        'Target="sharedStrings.xml"/></Relationships>',
    'xl/sharedStrings.xml':
        '<sst xmlns="' + main + '" count="1" uniqueCount="1"><si><t>Кран</t></si></sst>',
    'xl/calcChain.xml': '<calcChain xmlns="' + main + '"><c r="C1" i="1"/></calcChain>',
    'xl/worksheets/sheet1.xml':
        '<?xml version="1.0"?><worksheet xmlns="' + main + '"><dimension ref="A1:C3"/>'
        '<cols><col min="2" max="4" width="12" style="1"/></cols><sheetData>'
        '<row r="1" spans="1:3"><c r="A1" t="s"><v>0</v></c><c r="B1" s="1"><v>2</v></c>'
        '<c r="C1"><f>B1*2</f><v>4</v></c></row><row r="3" s="2" customFormat="1">'
        '<c r="A3" t="inlineStr"><is><t> x </t></is></c></row></sheetData>'
        '<mergeCells count="1"><mergeCell ref="A5:B5"/></mergeCells>'
        '<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" '
        'footer="0.3"/></worksheet>',
    'xl/worksheets/b.xml': '<worksheet xmlns="' + main + '"><sheetData/></worksheet>',
}
for name, method in (('stored', zipfile.ZIP_STORED), ('deflated', zipfile.ZIP_DEFLATED)):
    with zipfile.ZipFile(sys.argv[1] + '/' + name + '.xltx', 'w', method) as z:
        for part, text in parts.items():
            z.writestr(part, text)
PY
