#include "data/passport.h"

#include <algorithm>

#include "core/byte_view.h"
#include "core/file_io.h"
#include "data/dump.h"

namespace tavrix {

const std::array<PassportField, kPassportEntries> kPassportFields = {{
    {270337, 20},   // 0 model designation
    {270357, 20},   // 1 recorder version
    {270377, 20},   // 2 limiter mark
    {270397, 20},   // 3 limiter serial number
    {270417, 20},   // 4 installation date
    {270437, 20},   // 5 crane model
    {270457, 20},   // 6 crane serial number
    {270477, 20},   // 7 crane registration number
    {270497, 5},    // 8 crane year of manufacture
    {270502, 5},    // 9 loading group
    {270507, 150},  // 10 crane manufacturer
    {270657, 150},  // 11 crane owner
    {270807, 150},  // 12 service organisation
    {270957, 50},   // 13 operator's name
    {271007, 20},   // 14 operator's certificate number
    {271027, 20},   // 15 certificate valid until
    {271047, 20},   // 16 read-out date and time
}};

const std::array<std::string_view, kPassportEntries> kPassportCaptions = {
    "Модель",
    "Верс. РП",
    "Марка прибора",
    "Зав. №",
    "Дата установки",
    "Марка крана",
    "Зав. №",
    "Рег. №",
    "Год изготовления крана",
    "Группа режима нагружиния (паспортная)",
    "Изготовитель",
    "Владелец",
    "Наименование",
    "Ф.И.О. оператора",
    "Удост. №",
    "действ. до",
    "Дата считывания",
};

std::vector<std::uint8_t> BuildDataFile(std::span<const std::uint8_t> dump,
                                        const HeaderValueList& list) {
  std::vector<std::uint8_t> file(kDataFileSize, 0);
  std::copy_n(dump.begin(), std::min(dump.size(), kDumpSize), file.begin());
  for (std::size_t k = 0; k < kPassportEntries; ++k) {
    const PassportField& field = kPassportFields[k];
    const std::size_t n = std::min(list[k].size(), field.width);
    std::copy_n(list[k].begin(), n, file.begin() + static_cast<std::ptrdiff_t>(field.offset));
  }
  return file;
}

void ReadPassport(const std::filesystem::path& path, std::size_t first, std::size_t last,
                  HeaderValueList& list) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, kDataFileSize);
  const ByteView file(bytes);
  for (std::size_t k = first; k <= last && k < kPassportEntries; ++k) {
    list[k] = file.Text(kPassportFields[k].offset, kPassportFields[k].width);
  }
}

void WriteDataFile(const std::filesystem::path& path, std::span<const std::uint8_t> dump,
                   const HeaderValueList& list) {
  WriteFileAtomically(path, BuildDataFile(dump, list));
}

}  // namespace tavrix
