#include "report/xlsx/xlsx_spreadsheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "report/report_job.h"
#include "report/xlsx/xlsx_messages.h"
#include "support/fail_write.h"
#include "support/files.h"
#include "support/memory_report_host.h"
#include "support/temp_dir.h"
#include "support/xlsx_package.h"

namespace tavrix::report::xlsx {
namespace {

using tavrix::testing::SheetCells;
using tavrix::testing::SheetXml;
using tavrix::testing::TemplateSpec;
using tavrix::testing::ZipText;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A template of one worksheet with these rows and the parts before them.
TemplateSpec OneSheet(const std::string& rows, const std::string& before = "") {
  TemplateSpec template_spec;
  template_spec.sheet_texts = {SheetXml(rows, before)};
  return template_spec;
}

class XlsxTest : public ::testing::Test {
 protected:
  XlsxSpreadsheet& Open(const TemplateSpec& template_spec = {}) {
    tavrix::testing::WriteTemplate(template_path, template_spec);
    sheet.Connect();
    sheet.OpenTemplate(template_path);
    return sheet;
  }
  SheetCells Saved(const std::string& part = "xl/worksheets/sheet1.xml") {
    const auto text = ZipText(out_path, part);
    EXPECT_TRUE(text.has_value()) << part;
    return SheetCells(text.value_or(""));
  }

  tavrix::testing::TempDir dir;
  std::filesystem::path template_path = dir / "template.xltx";
  std::filesystem::path out_path = dir / "out.xlsx";
  std::vector<std::filesystem::path> opened;
  XlsxSpreadsheet sheet{[this] { return out_path; },
                        [this](const std::filesystem::path& p) { opened.push_back(p); }, ','};
};

TEST_F(XlsxTest, WrittenCellsKeepTheirStyleAndLoseEveryOldValue) {
  Open(OneSheet("<row r=\"1\" spans=\"1:4\" ht=\"20\" customHeight=\"1\">"
                "<c r=\"A1\" s=\"3\" t=\"s\"><v>0</v></c>"
                "<c r=\"B1\" s=\"4\" t=\"str\"><f>A1&amp;\"x\"</f><v>old</v></c>"
                "<c r=\"C1\" s=\"5\" t=\"inlineStr\"><is><t>old</t></is></c>"
                "<c r=\"D1\" t=\"str\"><f>C1</f><v>cached</v></c></row>"))
      .SelectWorksheet(1);
  sheet.WriteRange("A1", "A1", 0.1f);
  sheet.WriteRange("B1", "B1", std::string_view("new"));
  CellBlock block(1, 1);
  block.SetNumber(0, 0, -2.25);
  sheet.WriteRange("C1", "C1", block);
  sheet.Show();

  const SheetCells cells = Saved();
  const pugi::xml_node a1 = cells["A1"], b1 = cells["B1"], c1 = cells["C1"], d1 = cells["D1"];
  EXPECT_STREQ(a1.attribute("s").value(), "3");
  EXPECT_FALSE(a1.attribute("t"));
  EXPECT_STREQ(a1.child_value("v"),
               "0.10000000149011612");  // the double of the float, as Excel keeps it
  EXPECT_STREQ(b1.attribute("s").value(), "4");
  EXPECT_STREQ(b1.attribute("t").value(), "inlineStr");
  EXPECT_FALSE(b1.child("f"));
  EXPECT_FALSE(b1.child("v"));
  EXPECT_STREQ(b1.child("is").child_value("t"), "new");
  EXPECT_STREQ(c1.attribute("s").value(), "5");
  EXPECT_FALSE(c1.attribute("t"));
  EXPECT_FALSE(c1.child("is"));
  EXPECT_STREQ(c1.child_value("v"), "-2.25");
  // A formula the report did not touch keeps its formula and recomputes on load.
  EXPECT_STREQ(d1.child_value("f"), "C1");
  EXPECT_FALSE(d1.child("v"));
  EXPECT_FALSE(d1.attribute("t"));
  const pugi::xml_node row = a1.parent();
  EXPECT_STREQ(row.attribute("ht").value(), "20");
  EXPECT_FALSE(row.attribute("spans"));
  EXPECT_EQ(opened, std::vector<std::filesystem::path>{out_path});
  EXPECT_EQ(sheet.saved_path(), out_path);
}

TEST_F(XlsxTest, RowsAndCellsComeInOrderWithATrueDimension) {
  Open(OneSheet("<row r=\"2\"><c r=\"AB2\"><v>7</v></c></row>"
                "<row r=\"9\"><c r=\"B9\"><v>8</v></c></row>",
                "<dimension ref=\"A1\"/>"))
      .SelectWorksheet(1);
  // Three columns on each side of Z|AA, crossing the template's row 2.
  CellBlock block(3, 6);
  for (std::size_t r = 0; r < 3; ++r) {
    for (std::size_t c = 0; c < 6; ++c) block.SetNumber(r, c, double(r * 10 + c));
  }
  sheet.WriteRange("X1", "AC3", block);
  sheet.WriteRange("C12", "C12", 4.0f);
  sheet.Show();

  const SheetCells cells = Saved();
  EXPECT_THAT(cells.order, ElementsAre("row 1", "X1", "Y1", "Z1", "AA1", "AB1", "AC1",  //
                                       "row 2", "X2", "Y2", "Z2", "AA2", "AB2", "AC2",  //
                                       "row 3", "X3", "Y3", "Z3", "AA3", "AB3", "AC3",  //
                                       "row 9", "B9", "row 12", "C12"));
  EXPECT_STREQ(cells["AB2"].child_value("v"), "14");  // the block wins over the template
  EXPECT_EQ(cells.Dimension(), "B1:AC12");
}

TEST_F(XlsxTest, BlockIsClippedToTheRangeAndItsEmptyCellsClearOnlyInside) {
  Open(OneSheet("<row r=\"1\"><c r=\"A1\" s=\"2\"><v>1</v></c>"
                "<c r=\"B1\"><v>2</v></c><c r=\"C1\"><v>3</v></c></row>"
                "<row r=\"2\"><c r=\"A2\"><v>4</v></c></row>"))
      .SelectWorksheet(1);
  CellBlock block(3, 3);  // one row and one column larger than the range, as the logs make them
  block.SetText(0, 1, "b");
  block.SetNumber(0, 2, 99);
  block.SetNumber(2, 0, 99);
  sheet.WriteRange("A1", "B2", block);
  sheet.Show();

  const SheetCells cells = Saved();
  EXPECT_STREQ(cells["A1"].attribute("s").value(), "2");  // emptied, style kept
  EXPECT_FALSE(cells["A1"].child("v"));
  EXPECT_STREQ(cells["B1"].child("is").child_value("t"), "b");
  EXPECT_STREQ(cells["C1"].child_value("v"), "3");  // outside the range: as it was
  EXPECT_FALSE(cells["A2"]);                        // emptied, no style: no cell at all
  EXPECT_FALSE(cells["A3"]);
  EXPECT_EQ(cells.Dimension(), "A1:C1");
}

TEST_F(XlsxTest, NewCellsTakeTheRowStyleElseTheColumnStyle) {
  Open(OneSheet("<row r=\"2\" s=\"7\" customFormat=\"1\"/>"
                "<row r=\"3\" s=\"8\"/>",
                "<cols><col min=\"2\" max=\"3\" width=\"9\" style=\"5\"/></cols>"))
      .SelectWorksheet(1);
  sheet.WriteRange("A2", "C3", 1.0f);
  sheet.Show();

  const SheetCells cells = Saved();
  EXPECT_STREQ(cells["A2"].attribute("s").value(), "7");
  EXPECT_STREQ(cells["C2"].attribute("s").value(), "7");
  EXPECT_FALSE(cells["A3"].attribute("s"));  // without customFormat the row's s is not the cells'
  EXPECT_STREQ(cells["B3"].attribute("s").value(), "5");
}

TEST_F(XlsxTest, TextsAreEscapedAndKeepTheirBlanks) {
  Open().SelectWorksheet(1);
  const std::string cyrillic = Utf8ToCp1251("Кран №5");
  sheet.WriteRange("A1", "A1", std::string_view(cyrillic));
  sheet.WriteRange("A2", "A2", std::string_view(" a<b & c>\x01_x0041_ "));
  sheet.WriteRange("A3", "A3", std::string_view(std::string(40000, 'x')));
  sheet.Show();

  const SheetCells cells = Saved();
  EXPECT_STREQ(cells["A1"].child("is").child_value("t"), "Кран №5");
  const pugi::xml_node t = cells["A2"].child("is").child("t");
  EXPECT_STREQ(t.child_value(), " a<b & c>_x0001__x005F_x0041_ ");
  EXPECT_STREQ(t.attribute("xml:space").value(), "preserve");
  EXPECT_EQ(std::string_view(cells["A3"].child("is").child_value("t")).size(), 32767u);
}

// Texts in the user's notation arrive as numbers, as the spreadsheet application takes them.
TEST_F(XlsxTest, TextsThatReadAsNumbersBecomeNumbers) {
  const struct {
    const char* text;
    const char* value;  // "" when the cell stays a text
  } cases[] = {
      {"19,68", "19.68"}, {"-0,5", "-0.5"}, {" 7 ", "7"},      {"1,5E-7", "1.5e-07"},
      {"+3", "3"},        {",25", "0.25"},  {"1E20", "1e+20"}, {"1.5", ""},
      {"0A", ""},         {"1E", ""},       {"30.05.26", ""},  {"1,2,3", ""},
      {"-", ""},          {",", ""},        {"1E999", ""},     {"12 34", ""},
  };
  Open().SelectWorksheet(1);
  CellBlock block(std::size(cases), 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) block.SetText(i, 0, cases[i].text);
  sheet.WriteRange("A1", "A100", block);
  sheet.WriteRange("B1", "B1", std::string_view("2,5"));
  sheet.WriteRange("B2", "B2", std::string_view(""));
  sheet.Show();

  const SheetCells cells = Saved();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const pugi::xml_node c = cells["A" + std::to_string(i + 1)];
    if (*cases[i].value != 0) {
      EXPECT_STREQ(c.child_value("v"), cases[i].value) << cases[i].text;
      EXPECT_FALSE(c.attribute("t")) << cases[i].text;
    } else {
      EXPECT_STREQ(c.child("is").child_value("t"), cases[i].text) << cases[i].text;
    }
  }
  EXPECT_STREQ(cells["B1"].child_value("v"), "2.5");
  EXPECT_FALSE(cells["B2"]);  // an empty text empties the cell
}

TEST_F(XlsxTest, WorksheetNumberFollowsTheWorkbookOrderNotThePartNames) {
  TemplateSpec template_spec;
  template_spec.parts = {"sheet3.xml", "sheet1.xml", "sheet2.xml"};
  template_spec.sheet_texts = {SheetXml(""), SheetXml(""), SheetXml("")};
  Open(template_spec).SelectWorksheet(2);
  sheet.WriteRange("A1", "A1", 2.0f);
  sheet.ReleaseWorksheet();
  sheet.SelectWorksheet(1);
  sheet.WriteRange("A1", "A1", 1.0f);
  sheet.Show();

  EXPECT_STREQ(Saved("xl/worksheets/sheet3.xml")["A1"].child_value("v"), "1");
  EXPECT_STREQ(Saved("xl/worksheets/sheet1.xml")["A1"].child_value("v"), "2");
  EXPECT_FALSE(Saved("xl/worksheets/sheet2.xml")["A1"]);
}

TEST_F(XlsxTest, PackageLosesItsCalcChainBecomesAWorkbookAndKeepsOtherEntries) {
  TemplateSpec template_spec;
  template_spec.workbook_type =
      "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
  template_spec.calc_chain = true;
  Open(template_spec).SelectWorksheet(1);
  sheet.Show();

  const auto entries = tavrix::testing::ReadZip(out_path);
  std::vector<std::string> names;
  for (const auto& [name, info] : entries) names.push_back(name);
  EXPECT_THAT(names, ElementsAre("[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                                 "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                                 "xl/worksheets/sheet1.xml"));
  const std::string types = *ZipText(out_path, "[Content_Types].xml");
  EXPECT_THAT(types, Not(HasSubstr("calcChain")));
  EXPECT_THAT(types, HasSubstr("spreadsheetml.sheet.main+xml"));
  EXPECT_THAT(types, Not(HasSubstr("template.main")));
  EXPECT_THAT(*ZipText(out_path, "xl/_rels/workbook.xml.rels"), Not(HasSubstr("calcChain")));
  EXPECT_THAT(*ZipText(out_path, "xl/workbook.xml"), HasSubstr("<calcPr fullCalcOnLoad=\"1\""));
  // An entry we do not change is copied as stored, not decompressed and deflated again.
  const auto& styles = entries[4].second;
  EXPECT_EQ(styles.method, ZIP_CM_STORE);
  EXPECT_EQ(styles.text, tavrix::testing::TemplateEntries(template_spec)[4].second);
  EXPECT_EQ(entries[5].second.method, ZIP_CM_DEFLATE);
}

TEST_F(XlsxTest, BadTemplatesWorksheetsAndAddressesThrowError) {
  tavrix::testing::Spit(dir / "not-a-zip.xlsx", std::string("PK not really"));
  tavrix::testing::WriteZip(dir / "no-workbook.xlsx", {{"a.txt", "hello"}});
  sheet.Connect();
  EXPECT_THROW(sheet.OpenTemplate(dir / "missing.xlsx"), Error);
  EXPECT_THROW(sheet.OpenTemplate(dir / "not-a-zip.xlsx"), Error);
  EXPECT_THROW(sheet.OpenTemplate(dir / "no-workbook.xlsx"), Error);

  TemplateSpec template_spec;
  template_spec.parts = {"sheet1.xml", "gone.xml"};
  template_spec.sheet_texts = {SheetXml(""), "<worksheet/>"};
  auto entries = tavrix::testing::TemplateEntries(template_spec);
  entries.pop_back();  // the second worksheet's part is missing
  tavrix::testing::WriteZip(template_path, entries);
  sheet.OpenTemplate(template_path);
  EXPECT_THROW(sheet.SelectWorksheet(3), Error);
  EXPECT_THROW(sheet.SelectWorksheet(0), Error);
  EXPECT_THROW(sheet.SelectWorksheet(2), Error);
  EXPECT_THROW(sheet.WriteRange("A1", "A1", 1.0f), Error);  // no worksheet selected
  sheet.SelectWorksheet(1);
  for (const char* bad : {"", "A0", "1A", "XFE1", "A1048577", "A1:B2"}) {
    EXPECT_THROW(sheet.WriteRange(bad, "A1", 1.0f), Error) << bad;
  }
  EXPECT_THROW(sheet.WriteRange("A1", "XFD1048576", 1.0f), Error);  // a whole sheet of one value
}

TEST_F(XlsxTest, ATemplateAboveTheLimitIsRefusedWithAMessage) {
  sheet.Connect();
  tavrix::testing::Spit(template_path, std::string());
  std::filesystem::resize_file(template_path, kMaxTemplateBytes);
  EXPECT_THAT([&] { sheet.OpenTemplate(template_path); },
              ::testing::ThrowsMessage<Error>(HasSubstr(std::string(kNotZipProblem))));
  std::filesystem::resize_file(template_path, kMaxTemplateBytes + 1);
  EXPECT_THAT([&] { sheet.OpenTemplate(template_path); },
              ::testing::ThrowsMessage<Error>(
                  TemplateProblem(PathToUtf8(template_path), kTooLargeProblem)));
}

TEST_F(XlsxTest, ShowThatCannotWriteLeavesNoFileAndQuitDiscards) {
  Open().SelectWorksheet(1);
  sheet.WriteRange("A1", "A1", 1.0f);
  tavrix::testing::Spit(dir / "file", std::string("x"));
  XlsxSpreadsheet blocked([this] { return dir / "file" / "out.xlsx"; }, {}, ',');
  blocked.Connect();
  blocked.OpenTemplate(template_path);
  EXPECT_THROW(blocked.Show(), Error);

  const std::string message = tavrix::testing::RunWithFileSizeLimit(200, [this] { sheet.Show(); });
  EXPECT_FALSE(message.empty());
  EXPECT_THAT(dir.Entries(), ElementsAre("file", "template.xltx"));

  sheet.Quit();
  EXPECT_THROW(sheet.Show(), Error);
  EXPECT_THAT(dir.Entries(), ElementsAre("file", "template.xltx"));
  EXPECT_TRUE(opened.empty());
}

// A report saved over an earlier one on a full disk: the earlier file stays byte for byte and the
// message names the file and the reason.
TEST_F(XlsxTest, AFailedSaveKeepsTheEarlierReport) {
  const std::string earlier = "earlier report";
  tavrix::testing::Spit(out_path, earlier);
  Open().SelectWorksheet(1);
  sheet.WriteRange("A1", "A1", 1.0f);
  EXPECT_THAT(tavrix::testing::RunWithFileSizeLimit(200, [this] { sheet.Show(); }),
              HasSubstr("out.xlsx»: File too large"));
  EXPECT_EQ(tavrix::testing::Slurp(out_path),
            std::vector<std::uint8_t>(earlier.begin(), earlier.end()));
  EXPECT_THAT(dir.Entries(), ElementsAre("out.xlsx", "template.xltx"));
}

// The report job's failure path with this backend: an invalid address in a library line stops
// the report, the host is told, and nothing is saved or shown.
class XlsxHost : public report::testing::TestHost {
 public:
  explicit XlsxHost(XlsxSpreadsheet& s) : xlsx(s) {}
  Spreadsheet& spreadsheet() override { return xlsx; }
  XlsxSpreadsheet& xlsx;
};

TEST_F(XlsxTest, ReportWithAnInvalidAddressFailsAndSavesNothing) {
  XlsxHost host(sheet);
  std::filesystem::create_directories(host.ProgramDirectory());
  tavrix::testing::WriteTemplate(host.ProgramDirectory() / "t.xlsx");
  tavrix::testing::Spit(host.dir / "data.rpk", std::vector<std::uint8_t>(271067));
  host.descriptions = DescriptionList({"x\tt.xlsx", "", "v\t0\t\tUChar\t1\t1\t1\tZZZZ1\tZZZZ1"});
  TZULToExcel job(host, std::chrono::milliseconds(0));
  const bool made = job.Execute();
  FinishReport(sheet, made, {});
  EXPECT_FALSE(made);
  ASSERT_EQ(host.failures.size(), 1u);
  EXPECT_THAT(host.failures[0], HasSubstr("ZZZZ1"));
  EXPECT_FALSE(std::filesystem::exists(out_path));
  EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace tavrix::report::xlsx
