#include "imagegen/recorder_tables.h"

#include <array>
#include <stdexcept>

#include "imagegen/random.h"

namespace tavrix::gen {
namespace {

constexpr int kMinutesBetweenRecords = 7;

std::uint8_t Bcd(int v) { return static_cast<std::uint8_t>((v / 10 % 10) << 4 | v % 10); }

// Whole days since 1970-01-01 and back (the proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = static_cast<int>(y - era * 400);
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}
LocalDateTime CivilFromMinutes(std::int64_t minutes) {
  std::int64_t z = (minutes >= 0 ? minutes : minutes - 1439) / 1440;
  const int minute_of_day = static_cast<int>(minutes - z * 1440);
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = static_cast<int>(z - era * 146097);
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp + (mp < 10 ? 3 : -9);
  const int y = static_cast<int>(yoe + era * 400) + (m <= 2);
  return {y, m, d, minute_of_day / 60, minute_of_day % 60, 0};
}

class TableFiller {
 public:
  TableFiller(std::vector<std::uint8_t>& image, const TableSpec& image_spec, std::uint64_t seed)
      : image_(image), spec_(image_spec), random_(seed ^ 0x7AB1E5ull) {
    const LocalDateTime& t = image_spec.newest;
    newest_minutes_ = DaysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
  }

  Random& random() { return random_; }
  int Value(int low, int high) { return random_.Between(low, high); }

  void Byte(std::uint32_t offset, int v) { image_.at(offset) = static_cast<std::uint8_t>(v); }
  void U16(std::uint32_t offset, int v) {
    Byte(offset, v & 0xFF);
    Byte(offset + 1, v >> 8 & 0xFF);
  }
  void U32(std::uint32_t offset, std::uint32_t v) {
    U16(offset, static_cast<int>(v & 0xFFFF));
    U16(offset + 2, static_cast<int>(v >> 16));
  }

  // The time of the record `age` places before the newest.
  LocalDateTime TimeOf(int age) const {
    return CivilFromMinutes(newest_minutes_ - std::int64_t{age} * kMinutesBetweenRecords);
  }
  // Day, month, year, second, minute, hour as BCD bytes.
  void Stamp(std::uint32_t offset, const LocalDateTime& t) {
    const int bytes[] = {t.day, t.month, t.year % 100, t.second, t.minute, t.hour};
    for (int i = 0; i < 6; ++i) Byte(offset + static_cast<std::uint32_t>(i), Bcd(bytes[i]));
  }

  // Sets the last byte of the run so that the run sums to 0xFF, or, for the chosen share of
  // slots, to something else.
  void Seal(std::uint32_t offset, std::uint32_t summed) {
    const std::uint32_t check = offset + summed - 1;
    std::uint8_t sum = 0;
    for (std::uint32_t i = offset; i < check; ++i)
      sum = static_cast<std::uint8_t>(sum + image_.at(i));
    const bool invalid = spec_.invalid_share > 0 && static_cast<double>(random_.Next() % 1000000) <
                                                        spec_.invalid_share * 1000000;
    Byte(check, (invalid ? 0xFE : 0xFF) - sum);
  }

  // The slot where a ring of `slots` starts, that is, where its oldest record lies.
  int StartOf(int slots) {
    return spec_.pointer_slot >= 0 ? spec_.pointer_slot % slots : Value(0, slots - 1);
  }
  // Calls fill(slot, age) for every slot of a ring, the oldest at `start`.
  template <typename Fill>
  void Ring(int slots, int start, Fill fill) {
    for (int i = 0; i < slots; ++i) fill((start + i) % slots, slots - 1 - i);
  }

 private:
  std::vector<std::uint8_t>& image_;
  const TableSpec& spec_;
  Random random_;
  std::int64_t newest_minutes_;
};

void FillCycleTable(TableFiller& f, const CycleTableLayout& t) {
  const int start = f.StartOf(t.slots);
  f.Ring(t.slots, start, [&](int slot, int age) {
    const std::uint32_t o = t.base + static_cast<std::uint32_t>(slot * t.slot_size);
    LocalDateTime time = f.TimeOf(age * 11);
    time.second = f.Value(0, 59);
    f.Stamp(o, time);
    f.U16(o + 6, f.Value(0, 2500));
    f.U16(o + 8, f.Value(300, 2200));
    f.U16(o + 10, t.slots - age);
    f.Byte(o + 12, f.Value(0, 255));
    for (int k = 13; k < t.slot_size - 1; ++k)
      f.Byte(o + static_cast<std::uint32_t>(k), f.Value(0, 255));
    f.Seal(o, static_cast<std::uint32_t>(t.slot_size));
  });
  const std::uint32_t p = t.base + static_cast<std::uint32_t>(start * t.slot_size);
  if (t.pointer_width == 4) {
    f.U16(t.pointer, static_cast<int>(p));
    f.U16(t.pointer + 2, static_cast<int>(~p & 0xFFFF));
  } else {
    f.U32(t.pointer, p);
    f.U32(t.pointer + 4, ~p);
  }
}

// A log record of 32 bytes in the layout of the ЗУЛ-52Н main log.
void Record52N(TableFiller& f, std::uint32_t o, int age) {
  LocalDateTime time = f.TimeOf(age);
  time.second = f.Value(0, 59);
  f.Stamp(o, time);
  f.U16(o + 6, f.Value(-100, 2500));
  f.U16(o + 8, f.Value(0, 3000));
  f.U16(o + 10, f.Value(300, 2200));
  f.U16(o + 12, f.Value(-50, 800));
  f.U16(o + 14, f.Value(0, 10000));
  f.U16(o + 16, f.Value(-900, 900));
  f.U16(o + 18, f.Value(0, 3600));
  for (int k = 20; k <= 30; ++k) f.Byte(o + static_cast<std::uint32_t>(k), f.Value(0, 255));
  f.Seal(o, 32);
}

void Fill52N(TableFiller& f, bool full) {
  constexpr std::uint32_t kSupplementary = 232984, kCount = 234068;
  const int supplementary = full ? 33 : f.Value(1, 33);
  const int main_slots = 7260;
  for (int slot = 0; slot < main_slots; ++slot) {
    Record52N(f, slot * 32u, main_slots - 1 - slot + supplementary);
  }
  // The slots past the supplementary log's length keep older records.
  for (int slot = 0; slot < 33; ++slot) {
    const int age = supplementary - 1 - slot;
    Record52N(f, kSupplementary + slot * 32u, age >= 0 ? age : main_slots - age);
  }
  for (int k = 0; k < 3; ++k) f.Byte(kCount + 3u * k, supplementary);

  struct RingLayout {
    std::uint32_t pointers, base_offset;
    int slots;
  };
  for (const RingLayout ring : {RingLayout{234077, 2020, 2600}, RingLayout{234083, 28024, 150}}) {
    const int start = f.StartOf(ring.slots);
    const std::uint32_t base = 232320 + ring.base_offset;
    f.Ring(ring.slots, start, [&](int slot, int age) {
      const std::uint32_t o = base + slot * 10u;
      const LocalDateTime t = f.TimeOf(age * 60);
      if (ring.slots == 2600) {
        f.U16(o, f.Value(0, 2500));
        f.U16(o + 2, f.Value(-200, 200));
        f.Byte(o + 4, f.Value(0, 255));
        f.Byte(o + 5, Bcd(t.day));
        f.Byte(o + 6, Bcd(t.month));
        f.Byte(o + 7, Bcd(t.year % 100));
        f.Byte(o + 8, f.Value(0, 255));
      } else {
        f.U16(o, f.Value(-300, 3000));
        f.Byte(o + 2, f.Value(0, 40));
        f.Stamp(o + 3, t);
      }
      f.Seal(o, 10);
    });
    for (int k = 0; k < 3; ++k)
      f.U16(ring.pointers + 2u * k, static_cast<int>(ring.base_offset) + start * 10);
  }
}

void Fill52D(TableFiller& f, bool full) {
  for (int slot = 0; slot < 3200; ++slot) {
    const std::uint32_t o = 766 + slot * 10u;
    const LocalDateTime t = f.TimeOf((3200 - slot) * 90);
    f.U16(o, f.Value(-100, 2500));
    f.U16(o + 2, f.Value(0, 2200));
    f.Byte(o + 4, f.Value(0, 255));
    f.Byte(o + 5, Bcd(t.day));
    f.Byte(o + 6, Bcd(t.month));
    f.Byte(o + 7, Bcd(t.year % 100));
    f.Seal(o, 9);
    f.Byte(o + 9, f.Value(0, 255));
  }
  struct Small {
    std::uint32_t count, records;
    int max;
  };
  for (const Small s : {Small{262256, 262258, 40}, Small{262420, 262422, 40},
                        Small{262584, 262586, 20}, Small{262668, 262670, 20}}) {
    const int count = full ? s.max : f.Value(0, s.max);
    f.U16(s.count, count);
    for (int k = 0; k < count; ++k) {
      f.U16(s.records + 4u * k, f.Value(0, 2500));
      f.U16(s.records + 4u * k + 2, f.Value(-500, 2500));
    }
  }
  const int slots = 7168, start = f.StartOf(slots);
  f.Ring(slots, start, [&](int slot, int age) {
    const std::uint32_t o = 32768 + slot * 32u;
    const LocalDateTime t = f.TimeOf(age);
    for (int k = 0; k < 16; k += 2) f.U16(o + static_cast<std::uint32_t>(k), f.Value(-300, 3000));
    for (int k = 16; k <= 24; ++k) f.Byte(o + static_cast<std::uint32_t>(k), f.Value(0, 255));
    const bool date = age % 50 == 0;
    const int bytes[] = {date ? t.day : f.Value(0, 59), date ? t.month : t.minute,
                         date ? t.year % 100 : t.hour};
    for (int k = 0; k < 3; ++k) f.Byte(o + 25 + static_cast<std::uint32_t>(k), Bcd(bytes[k]));
    f.Byte(o + 28, f.Value(0, 255));
    f.Byte(o + 29, f.Value(0, 255));
    f.Seal(o, 31);
    f.Byte(o + 31, date ? 0x91 : 0x00);
  });
  f.U32(382, 32768 + start * 32u);
  f.U32(386, ~(32768 + start * 32u));
}

void Fill38(TableFiller& f) {
  const int slots = 11000, start = f.StartOf(slots);
  f.Ring(slots, start, [&](int slot, int age) {
    const std::uint32_t o = slot * 24u;
    const LocalDateTime t = f.TimeOf(age * 2);
    const int second = f.Value(0, 59);
    f.Byte(o, Bcd(second));
    f.Byte(o + 1, Bcd(t.minute));
    f.Byte(o + 2, Bcd(t.hour));
    f.Byte(o + 3, Bcd(t.day));
    f.Byte(o + 4, Bcd(t.month));
    f.U16(o + 5, f.Value(0, 2500));
    f.U16(o + 7, f.Value(0, 1023));
    for (int k = 9; k < 17; k += 2) f.U16(o + static_cast<std::uint32_t>(k), f.Value(-300, 3000));
    for (int k = 17; k <= 22; ++k) f.Byte(o + static_cast<std::uint32_t>(k), f.Value(0, 255));
    f.Seal(o, 24);
  });
}

}  // namespace

std::vector<CycleTableLayout> CycleTablesOf(Model model) {
  switch (model) {
    case Model::k52A:
      return {{1024, 4, 1040, 1900, 16}, {32768, 8, 32784, 7000, 32}};
    case Model::k52D:
      return {{262800, 8, 262816, 40, 32}};
    case Model::k52N:
      return {{262000, 8, 262016, 60, 32}};
    case Model::k38:
      return {{264400, 8, 264416, 150, 24}};
  }
  return {};
}

void FillTables(std::vector<std::uint8_t>& image, Model model, const TableSpec& image_spec,
                std::uint64_t seed) {
  if (image_spec.invalid_share < 0 || image_spec.invalid_share > 1)
    throw std::invalid_argument("the share of invalid slots must lie between 0 and 1");
  TableFiller f(image, image_spec, seed);
  // Without invalid slots the tables are full: small tables and the supplementary log too.
  const bool full = image_spec.invalid_share == 0;
  switch (model) {
    case Model::k52A:
      break;
    case Model::k52D:
      Fill52D(f, full);
      break;
    case Model::k52N:
      Fill52N(f, full);
      break;
    case Model::k38:
      Fill38(f);
      break;
  }
  for (const CycleTableLayout& t : CycleTablesOf(model)) FillCycleTable(f, t);
}

}  // namespace tavrix::gen
