// What the report job needs from the program that runs it: the desktop application (job on a
// worker thread, steps carried onto the main thread), the command line and the tests (steps run
// directly). Inside its first Synchronize step the job reads ProgramDirectory, VersionText and
// the template line of Descriptions; on its own thread it reads the other texts once each before
// the walk, and the clock whenever a record's stamp needs the current time.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "report/description_list.h"
#include "report/spreadsheet.h"

namespace tavrix::report {

class ReportHost {
 public:
  virtual ~ReportHost() = default;

  virtual std::filesystem::path ProgramDirectory() const = 0;
  virtual std::filesystem::path WorkingDirectory() const = 0;
  // The selected data file's name in the working directory (UTF-8); empty when none.
  virtual std::string FileName() const = 0;
  // The recorder version text (code page 1251), as the passport panel shows it.
  virtual std::string VersionText() const = 0;
  // Header value list entry 0, the model designation (code page 1251).
  virtual std::string ModelDesignation() const = 0;
  virtual DescriptionList Descriptions() const = 0;
  // The user's decimal separator, for numbers written as texts.
  virtual char DecimalSeparator() const = 0;
  virtual const Clock& clock() const = 0;

  // Sinks, called inside Synchronize steps: the progress bar (0..100), and a failed report's
  // message (UTF-8), which the host shows and after which it sets its error mark.
  virtual void ShowProgress(int percent) = 0;
  virtual void ReportFailure(std::string_view message) = 0;
  // Called only inside Synchronize steps.
  virtual Spreadsheet& spreadsheet() = 0;

  // Runs `step` where the spreadsheet and the windows live, and returns when it has finished.
  // The job's steps never throw out of `step`: the job carries their failures back itself.
  virtual void Synchronize(const std::function<void()>& step) = 0;
};

}  // namespace tavrix::report
