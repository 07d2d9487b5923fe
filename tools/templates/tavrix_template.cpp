// tavrix-template: writes the report template of a report library from its readable source.
#include <iostream>

#include "templates/report_template.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tavrix-template LIBRARY_SOURCE.txt TEMPLATE.xlsx\n";
    return 2;
  }
  try {
    tavrix::templates::BuildReportTemplate(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "tavrix-template: " << argv[1] << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
