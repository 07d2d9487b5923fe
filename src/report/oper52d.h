// The operation logs of a ЗУЛ-52Д ("Oper52D"): the short log on worksheet 2, four small tables
// side by side on worksheet 3, the main log on worksheet 4, walked in ring order from the slot
// that the pointer at 382 designates (slot 0 when the pointer lies below the log).
#pragma once

namespace tavrix::report {

class TZULToExcel;

void WriteOper52D(TZULToExcel& job);

}  // namespace tavrix::report
