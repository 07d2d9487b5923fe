// The spreadsheet application as the report drives it: the operations of the automation object
// model that reports use, nothing more. Every call is made on the thread that owns the
// spreadsheet (the desktop's main thread); a call that cannot be done throws Error with a message
// for the user, and the report turns it into its failure path.
#pragma once

#include <filesystem>
#include <string_view>

#include "report/cell_block.h"

namespace tavrix::report {

class Spreadsheet {
 public:
  virtual ~Spreadsheet() = default;

  // Attaches to the application, starting it when needed.
  virtual void Connect() = 0;
  // Opens the template as a new workbook and makes it the one that later calls address.
  virtual void OpenTemplate(const std::filesystem::path& path) = 0;
  // Connects to worksheet `number` (1 = the first in the workbook's order) and activates it.
  virtual void SelectWorksheet(int number) = 0;
  // Disconnects the worksheet; another may be selected next.
  virtual void ReleaseWorksheet() = 0;

  // Range writes on the selected worksheet. The corners are A1 addresses in either order.
  // A number or a text lands in every cell of the range. A block fills the range from its
  // top-left cell; block cells that fall outside the range are dropped, range cells beyond the
  // block keep what they held, empty block cells empty their cell. Texts are code page 1251.
  virtual void WriteRange(std::string_view corner1, std::string_view corner2, float number) = 0;
  virtual void WriteRange(std::string_view corner1, std::string_view corner2,
                          std::string_view text) = 0;
  virtual void WriteRange(std::string_view corner1, std::string_view corner2,
                          const CellBlock& block) = 0;

  // Shows the finished workbook to the user.
  virtual void Show() = 0;
  // Closes the application without saving and disconnects from it; harmless when not connected.
  virtual void Quit() = 0;
};

}  // namespace tavrix::report
