// Texts at the edge between the core and the windows: the core's UTF-8 literals and code page
// 1251 texts as QString, and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "core/cp1251.h"

namespace tavrix::app {

inline QString Utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QString Cp1251Text(std::string_view cp1251) { return Utf8Text(Cp1251ToUtf8(cp1251)); }
inline std::string ToCp1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

}  // namespace tavrix::app
