#include "report/xlsx/zip_package.h"

#include <zip.h>

#include <algorithm>
#include <memory>

#include "core/error.h"
#include "report/xlsx/xlsx_messages.h"

namespace tavrix::report::xlsx {
namespace {

// No part of a workbook that we read comes near this; a bigger one is damage or a zip bomb.
constexpr zip_uint64_t kMaxPartBytes = zip_uint64_t{512} << 20;
constexpr std::string_view kContentTypes = "[Content_Types].xml";

std::string Lower(std::string_view name) {
  std::string s(name);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return s;
}

std::string ZipErrorText(zip_error_t* error) {
  std::string text = zip_error_strerror(error);
  zip_error_fini(error);
  return text;
}

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};

}  // namespace

ZipPackage::ZipPackage(std::vector<std::uint8_t> bytes, std::string label)
    : bytes_(std::move(bytes)), label_(std::move(label)) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
  if (source != nullptr) archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive_ == nullptr) {
    if (source != nullptr) zip_source_free(source);
    zip_error_fini(&error);
    throw Error(TemplateProblem(label_, kNotZipProblem));
  }
  zip_error_fini(&error);
  const zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    names_.emplace_back(name != nullptr ? name : "");
    index_.emplace(Lower(names_.back()), static_cast<std::size_t>(i));
  }
}

ZipPackage::~ZipPackage() {
  if (archive_ != nullptr) zip_discard(archive_);
}

std::optional<std::string> ZipPackage::Find(std::string_view name) const {
  const auto it = index_.find(Lower(name));
  if (it == index_.end()) return std::nullopt;
  return names_[it->second];
}

std::string ZipPackage::Read(std::string_view name) const {
  const auto it = index_.find(Lower(name));
  if (it == index_.end()) throw Error(TemplateProblem(label_, MissingPartProblem(name)));
  const auto index = static_cast<zip_uint64_t>(it->second);
  zip_stat_t stat;
  if (zip_stat_index(archive_, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
    throw Error(TemplateProblem(label_, BadPartProblem(name, zip_strerror(archive_))));
  }
  if (stat.size > kMaxPartBytes) {
    throw Error(TemplateProblem(label_, BadPartProblem(name, "слишком велика")));
  }
  std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive_, index, 0),
                                                         zip_fclose);
  std::string text(static_cast<std::size_t>(stat.size), '\0');
  if (!file ||
      zip_fread(file.get(), text.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
    throw Error(TemplateProblem(label_, BadPartProblem(name, zip_strerror(archive_))));
  }
  return text;
}

std::vector<std::uint8_t> ZipPackage::Rebuild(const std::map<std::string, std::string>& replaced,
                                              const std::set<std::string>& removed,
                                              int deflate_level) const {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* output = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (output == nullptr) throw Error("Не удалось создать книгу: " + ZipErrorText(&error));
  zip_source_keep(output);
  std::unique_ptr<zip_source_t, void (*)(zip_source_t*)> output_owner(output, zip_source_free);
  std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(output, ZIP_TRUNCATE, &error));
  if (!archive) throw Error("Не удалось создать книгу: " + ZipErrorText(&error));
  zip_error_fini(&error);
  const auto fail = [&archive](std::string_view what) {
    throw Error("Не удалось записать книгу (" + std::string(what) +
                "): " + zip_strerror(archive.get()));
  };

  std::vector<std::size_t> order(names_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_partition(order.begin(), order.end(),
                        [this](std::size_t i) { return names_[i] == kContentTypes; });
  for (const std::size_t i : order) {
    const std::string& name = names_[i];
    if (removed.contains(name)) continue;
    const auto replacement = replaced.find(name);
    zip_source_t* source = replacement != replaced.end()
                               ? zip_source_buffer(archive.get(), replacement->second.data(),
                                                   replacement->second.size(), 0)
                               : zip_source_zip(archive.get(), archive_, i, 0, 0, -1);
    if (source == nullptr) fail(name);
    const zip_int64_t added = zip_file_add(archive.get(), name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
      zip_source_free(source);
      fail(name);
    }
    // A copied entry keeps its method, so libzip passes its compressed data through as it is.
    zip_stat_t stat;
    const bool kept_method = replacement == replaced.end() &&
                             zip_stat_index(archive_, i, 0, &stat) == 0 &&
                             (stat.valid & ZIP_STAT_COMP_METHOD) != 0;
    const zip_int32_t method = kept_method ? stat.comp_method : ZIP_CM_DEFLATE;
    const auto level = static_cast<zip_uint32_t>(kept_method ? 0 : deflate_level);
    if (zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(added), method, level) !=
        0) {
      fail(name);
    }
  }
  if (zip_close(archive.get()) != 0) fail("zip");
  archive.release();

  zip_stat_t stat;
  if (zip_source_stat(output, &stat) != 0 || zip_source_open(output) != 0) {
    throw Error("Не удалось записать книгу: " +
                std::string(zip_error_strerror(zip_source_error(output))));
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.size));
  const zip_int64_t read = zip_source_read(output, bytes.data(), stat.size);
  zip_source_close(output);
  if (read != static_cast<zip_int64_t>(stat.size)) throw Error("Не удалось записать книгу.");
  return bytes;
}

}  // namespace tavrix::report::xlsx
