#pragma once
// Writes version-3 installations for the converter's tests: the fixed-record files are
// built field by field here, so each test states the bytes it feeds in.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel::orvix::test {

namespace fs = std::filesystem;

// A length byte and `text`, padded with blanks to `capacity` characters. `length`
// overrides the length byte (a crafted file may claim more than its field holds).
std::string Counted(std::string_view text, std::size_t capacity, int length = -1);

// A record of `size` bytes, blanks where no field is put.
std::string Record(std::size_t size,
                   const std::vector<std::pair<std::size_t, std::string>>& fields);

std::string ProjectListRecord(std::string_view name, std::string_view comment);
std::string ModuleRecordBytes(std::string_view base, std::string_view ext, bool selected,
                              std::string_view comment);
std::string IoRecordBytes(std::string_view module, std::string_view sw, std::string_view iw,
                          std::string_view ow);
std::string RunModeRecord(std::string_view text);
std::string DriverRecord(std::string_view name);
std::string AllocationRecord(std::string_view operand, std::string_view symbol,
                             std::string_view comment, int commentLength = -1);
// "konfig.kzc" whose 16th record holds `path` (15 records of other settings before it).
std::string KonfigFile(std::string_view path);

// A program directory with ZEL.INI naming "Projects" as the project directory, an IO
// module script per type that declares a version-3 name, and a version-3 installation
// in "v3" with the project list `projects`.
struct Installation {
  fs::path root;
  fs::path programDirectory() const { return root / "zel"; }
  fs::path projectDirectory() const { return root / "zel" / "Projects"; }
  fs::path v3() const { return root / "v3"; }
  fs::path v3Project(std::string_view name) const { return v3() / std::string(name); }

  void write(const fs::path& file, std::string_view data) const;
  void writeProjectList(const std::vector<std::pair<std::string, std::string>>& projects) const;
};
Installation MakeInstallation(const fs::path& root);

// The project "PLANT" with every kind of file: modules of each kind (an OBJ among
// them, one refused name, one missing file), documentation, allocation list, IO
// configuration, run mode, port, download flags, drives, drivers with options, a
// password, OEM characters, short records at the ends of the record files, and files
// the conversion drops or copies.
void WritePlantProject(const Installation& installation);

}  // namespace zel::orvix::test
