#include "orvix/v3_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zel::orvix::test {

std::string Counted(std::string_view text, std::size_t capacity, int length) {
  std::string out(1,
                  static_cast<char>(length < 0 ? text.size() : static_cast<std::size_t>(length)));
  out += text.substr(0, capacity);
  out.resize(capacity + 1, ' ');
  return out;
}

std::string Record(std::size_t size,
                   const std::vector<std::pair<std::size_t, std::string>>& fields) {
  std::string record(size, ' ');
  for (const auto& [offset, bytes] : fields) record.replace(offset, bytes.size(), bytes);
  record.resize(size);
  return record;
}

std::string ProjectListRecord(std::string_view name, std::string_view comment) {
  return Record(83, {{0, Counted(name, 20)}, {21, Counted(comment, 61)}});
}

std::string ModuleRecordBytes(std::string_view base, std::string_view ext, bool selected,
                              std::string_view comment) {
  return Record(83, {{0, Counted(base, 8)},
                     {9, Counted(ext, 3)},
                     {13, selected ? "*" : " "},
                     {21, Counted(comment, 61)}});
}

std::string IoRecordBytes(std::string_view module, std::string_view sw, std::string_view iw,
                          std::string_view ow) {
  return Record(
      33,
      {{0, Counted(module, 20)}, {21, Counted(sw, 3)}, {25, Counted(iw, 3)}, {29, Counted(ow, 3)}});
}

std::string RunModeRecord(std::string_view text) {
  return Record(41, {{0, Counted(text, 40)}});
}

std::string DriverRecord(std::string_view name) {
  return Record(10, {{0, Counted(name, 9)}});
}

std::string AllocationRecord(std::string_view operand, std::string_view symbol,
                             std::string_view comment, int commentLength) {
  return Record(64, {{0, Counted(operand, 9)},
                     {10, Counted(symbol, 9)},
                     {20, Counted(comment, 43, commentLength)}});
}

std::string KonfigFile(std::string_view path) {
  std::string data;
  for (int i = 0; i < 15; ++i) data += Record(41, {{0, Counted("setting", 40)}});
  data += Record(41, {{0, Counted(path, 40)}});
  return data;
}

void Installation::write(const fs::path& file, std::string_view data) const {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  ASSERT_TRUE(out.good()) << file;
}

void Installation::writeProjectList(
    const std::vector<std::pair<std::string, std::string>>& projects) const {
  std::string data;
  for (const auto& [name, comment] : projects) data += ProjectListRecord(name, comment);
  write(v3() / "kzcproj.zel", data);
}

Installation MakeInstallation(const fs::path& root) {
  Installation installation{root};
  fs::create_directories(installation.projectDirectory());
  installation.write(installation.programDirectory() / "ZEL.INI",
                     "[PREFERENCES]\r\nPROJECT_DIR=Projects\r\n");
  for (std::string_view type : {"RUD", "RUD2", "VM0X", "VM1X", "VM2X"}) {
    const fs::path runtime = installation.programDirectory() / ("RUNTIME." + std::string(type));
    installation.write(runtime / "DIGIN.IOD",
                       ";$NE Digital inputs 16\r\n;$EA 2 0 1 0 $300 $310\r\n;$NR DE16\r\n"
                       ";$CE\r\n;$CA\r\n");
    installation.write(runtime / "AOUT.IOD",
                       ";$NE Analog outputs\r\n;$EA 0 8 0 2 $320\r\n;$NR  AA4 \r\n");
  }
  return installation;
}

void WritePlantProject(const Installation& in) {
  const fs::path dir = in.v3Project("PLANT");
  const std::string shortTail(17, 'x');
  // "Größe" and "Zähler" in code page 850.
  const std::string groesse =
      "Gr\x94\xE1"
      "e";
  const std::string zaehler = "Z\x84hler";

  in.write(dir / "PLANT.zel", ModuleRecordBytes("CZ0P01V1", "AWL", true, groesse + ", main") +
                                  ModuleRecordBytes("CZ0B02V1", "KOP", false, "Ladder") +
                                  ModuleRecordBytes("CZ0F03V1", "OBJ", true, "Timer block") +
                                  ModuleRecordBytes("CZ0P09V1", "TXT", false, "not a module") +
                                  ModuleRecordBytes("../EVIL", "AWL", true, "escape") +
                                  ModuleRecordBytes("CZ0P04V1", "AWL", true, "file missing") +
                                  ModuleRecordBytes("CZ0P05V1", "awl", false, zaehler) + shortTail);
  in.write(dir / "CZ0P01V1.AWL", "L E 0.0\r\n= A 1.0 ;" + groesse + "\r\n\x1A");
  in.write(dir / "CZ0P01V1.OBJ", "old object");
  in.write(dir / "cz0p01v1.log", "old log");
  in.write(dir / "CZ0P01V1.INT", "old intermediate");
  in.write(dir / "CZ0B02V1.KOP", std::string("ladder\0\x81", 8));
  in.write(dir / "CZ0F03V1.OBJ", std::string("\xEB\x7E\0\0object", 10));
  in.write(dir / "cz0p05v1.awl", "NOP\r\n");
  in.write(dir / "CZ0P05V1.BAK", "backup");
  in.write(dir / "CZ0P09V1.TXT", "text module");

  in.write(dir / "c.doc", "Pumpen" + std::string("\x81") + "berwachung\r\n\xC4\xC4\x1A");
  in.write(dir / "c.bel", AllocationRecord("E0.0", "START", "Start " + zaehler) +
                              AllocationRecord("A1.0", "M\x99TOR", std::string(40, 'c')) +
                              shortTail);
  in.write(dir / "eacfg.kzc", IoRecordBytes("DE16", "1", "0", "") +
                                  IoRecordBytes("", "9", "9", "9") +
                                  IoRecordBytes("UNKNOWNX", "", "", "") +
                                  IoRecordBytes("aa4", "0", "4", "8") + shortTail);
  in.write(dir / "runmode.kzc", RunModeRecord("V3 run mode") + RunModeRecord("J") +
                                    RunModeRecord("J") + RunModeRecord("3.4") + RunModeRecord("5") +
                                    RunModeRecord("J") + RunModeRecord("7.1"));
  in.write(dir / "machpre.txt", "");
  in.write(dir / "vm1xcomp.cfg", "2");
  in.write(dir / "rudcomp.cfg", "0");
  in.write(dir / "ldsrcyn.cfg", "JNN");
  std::string drives(30, ' ');
  drives[1] = 'D';
  drives[7] = 'B';
  drives[19] = '?';
  in.write(dir / "destdrv.cfg", drives);
  in.write(dir / "drivers.kzc", DriverRecord("PROFI") + DriverRecord("") + DriverRecord("..\\X") +
                                    DriverRecord("SERIAL") + "PR");
  in.write(dir / "driver.dat", "[PROFI]\r\nBAUD=500\r\nSTATION=3\r\nTEXT=" + std::string(420, 'v') +
                                   "\r\n[SERIAL]\r\nPORT=COM2\r\n[UNUSED]\r\nX=1\r\n");
  in.write(dir / "driver._d_", "backup");
  in.write(dir / "password.txt", "secret\r\nsecond line\r\n");
  for (std::string_view dropped :
       {"title.doc", "header.doc", "makro.kzc", "page", "startup.bat", "PLANT.run", "machpost.txt",
        "unitpre.txt", "unitpost.txt", "input.scn", "outputv0.scn", "eacfg.rud"}) {
    in.write(dir / std::string(dropped), "dropped");
  }
  in.write(dir / "notes.txt", "kept as it is\x81");
  fs::create_directories(dir / "subdir");
  in.write(dir / "subdir" / "inner.txt", "not copied");
}

}  // namespace zel::orvix::test
