#include "build/module_import.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "xref_import_fixture.h"

namespace zel::build::testing {
namespace {

using Lines = std::vector<std::string>;

class ModuleImportTest : public ProjectFixture {
 protected:
  // Imports `name` from the library folder as CMP `number` V1 with `comment`.
  ImportResult import(const std::string& name, int number, const std::string& comment) {
    m_asked.reset();
    return ImportModule(m_model, nullptr, m_library / name, [&](const app::ModuleEntry& preset) {
      m_asked = preset;
      app::ModuleEntry entry;
      entry.kind = app::ModuleKind::Cmp;
      entry.number = number;
      entry.version = 1;
      entry.comment = comment;
      return std::optional(entry);
    });
  }
  void writeLibraryFile(const std::string& name, const std::string& content) {
    m_temp->writeFile(fs::path("lib") / name, content);
  }
  Lines moduleNames() const {
    Lines names;
    for (const auto& module : m_model.modules()) names.push_back(module.fileName);
    return names;
  }

  fs::path m_library = fs::path();
  std::optional<app::ModuleEntry> m_asked;

  void SetUp() override {
    ProjectFixture::SetUp();
    m_library = m_root / "lib";
  }
};

TEST_F(ModuleImportTest, ImportsAnObjectFileWithItsCompanions) {
  const std::string object = ModuleFile({}, 0, 0x24, 40);
  writeLibraryFile("CMPLIB.OBJ", object);
  writeLibraryFile("CMPLIB.MFU", "uses");
  openProject({"CZ0P00V1.awl,1,main"});
  const std::int64_t before = platform::Now();

  const auto result = import("CMPLIB.OBJ", 12, "Valve");
  ASSERT_EQ(result.outcome, ImportOutcome::Imported);
  ASSERT_TRUE(m_asked);
  EXPECT_EQ(m_asked->comment, "CMPLIB.OBJ");
  EXPECT_EQ(storedEntries(), (Lines{"CZ0P00V1.awl,1,main", "CZ0B12V1.IMP,1,Valve"}));
  EXPECT_EQ(readFile("CZ0B12V1.VM1X.OBJ"), object);
  EXPECT_EQ(readFile("CZ0B12V1.MFU"), "uses");
  EXPECT_EQ(platform::ReadProfileString(m_dir / "CZ0B12V1.IMP", "Import", "VM1X", ""),
            (m_library / "CMPLIB.OBJ").string());
  const std::string log = readFile("CZ0B12V1.LOG");
  ASSERT_GE(log.size(), 25u);
  EXPECT_EQ(log.substr(24),
            "\nimporting CZ0B12V1.VM1X.OBJ \r\n  " + (m_library / "CMPLIB.OBJ").string() + "\r\n");
  const std::string stamp = log.substr(0, 24);
  EXPECT_TRUE(stamp == platform::TimeText24(before) || stamp == platform::TimeText24(before + 1))
      << stamp;
  EXPECT_TRUE(texts().empty());
  EXPECT_FALSE(hasFile("CZ0B12V1.VM1X.OBJ.new"));
}

TEST_F(ModuleImportTest, ImportingTheSameIdentityTwiceReusesTheModule) {
  writeLibraryFile("A.OBJ", ModuleFile({}, 0, 0x24, 10));
  writeLibraryFile("A.MFU", "first list");
  writeLibraryFile("B.OBJ", ModuleFile({}, 1, 0x30, 20));
  openProject({});
  ASSERT_EQ(import("A.OBJ", 5, "first").outcome, ImportOutcome::Imported);
  ASSERT_EQ(import("B.OBJ", 5, "second").outcome, ImportOutcome::Imported);
  EXPECT_EQ(storedEntries(), (Lines{"CZ0B05V1.IMP,1,second"}));
  EXPECT_EQ(readFile("CZ0B05V1.VM1X.OBJ"), ModuleFile({}, 1, 0x30, 20));
  // B has no companion: A's would describe another module.
  EXPECT_FALSE(hasFile("CZ0B05V1.MFU"));
  EXPECT_EQ(platform::ReadProfileString(m_dir / "CZ0B05V1.IMP", "Import", "VM1X", ""),
            (m_library / "B.OBJ").string());
}

TEST_F(ModuleImportTest, ReplacesAStatementListModuleOfThatIdentity) {
  writeLibraryFile("A.OBJ", ModuleFile());
  writeFile("CZ0B05V1.awl", "source");
  writeFile("CZ0B05V1.BAK", "backup");
  writeFile("cz0b05v1.xref", "E0.0 1\n");
  writeFile("CZ0B05V1.VM2X.OBJ", "old code of another type");
  writeFile("CZ0B05V1.VM1X.OBJ", "old code");
  openProject({"CZ0B05V1.awl,0,old", "CZ0P00V1.awl,1,main"});

  ASSERT_EQ(import("A.OBJ", 5, "new").outcome, ImportOutcome::Imported);
  EXPECT_EQ(storedEntries(), (Lines{"CZ0P00V1.awl,1,main", "CZ0B05V1.IMP,1,new"}));
  for (const char* gone : {"CZ0B05V1.awl", "CZ0B05V1.BAK", "cz0b05v1.xref", "CZ0B05V1.VM2X.OBJ"}) {
    EXPECT_FALSE(hasFile(gone)) << gone;
  }
  EXPECT_EQ(readFile("CZ0B05V1.VM1X.OBJ"), ModuleFile());
}

TEST_F(ModuleImportTest, RefusesAFileThatIsNoModuleBeforeAnythingChanges) {
  struct Case {
    const char* what;
    std::optional<std::string> content;
  };
  const Case cases[] = {
      {"text", std::string("hello")},
      {"unknown language", ModuleFile({}, 3)},
      {"format 3",
       [] {
         std::string f = ModuleFile();
         f[6] = 3;
         return std::optional(f);
       }()},
      {"missing", std::nullopt},
      {"a module header on a file larger than any module",
       [] {
         std::string f = ModuleFile();
         f.resize((1 << 20) + 1, '\0');
         return std::optional(f);
       }()},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    if (c.content) writeLibraryFile("X.OBJ", *c.content);
    writeFile("CZ0B05V1.awl", "source");
    writeFile("CZ0B05V1.VM1X.OBJ", "old code");
    openProject({"CZ0B05V1.awl,0,old"});
    const auto result = import("X.OBJ", 5, "new");
    EXPECT_EQ(result.outcome, ImportOutcome::NotAModule) << c.what;
    EXPECT_FALSE(m_asked) << c.what;
    EXPECT_EQ(texts(), (Lines{"'" + (m_library / "X.OBJ").string() +
                              "'\n\nThis file is not a compiled module. Nothing was imported."}))
        << c.what;
    EXPECT_EQ(storedEntries(), (Lines{"CZ0B05V1.awl,0,old"})) << c.what;
    EXPECT_EQ(readFile("CZ0B05V1.awl"), "source") << c.what;
    EXPECT_EQ(readFile("CZ0B05V1.VM1X.OBJ"), "old code") << c.what;
  }
}

TEST_F(ModuleImportTest, ACopyThatFailsLeavesTheOldModule) {
  writeLibraryFile("A.OBJ", ModuleFile());
  writeFile("CZ0B05V1.awl", "source");
  writeFile("CZ0B05V1.VM1X.OBJ", "old code");
  // The temporary file cannot be made where a directory of its name stands.
  ASSERT_TRUE(fs::create_directory(m_dir / "CZ0B05V1.VM1X.OBJ.new"));
  openProject({"CZ0B05V1.awl,0,old"});
  EXPECT_EQ(import("A.OBJ", 5, "new").outcome, ImportOutcome::CopyFailed);
  EXPECT_EQ(texts(), (Lines{(m_library / "A.OBJ").string() + "'\n\nFailed to copy the file."}));
  EXPECT_EQ(storedEntries(), (Lines{"CZ0B05V1.awl,0,old"}));
  EXPECT_EQ(readFile("CZ0B05V1.awl"), "source");
  EXPECT_EQ(readFile("CZ0B05V1.VM1X.OBJ"), "old code");
  EXPECT_FALSE(hasFile("CZ0B05V1.IMP"));
}

TEST_F(ModuleImportTest, CancelAndRefusedEntriesChangeNothing) {
  writeLibraryFile("A.OBJ", ModuleFile());
  openProject({});
  const auto cancelled = ImportModule(m_model, nullptr, m_library / "A.OBJ",
                                      [](const app::ModuleEntry&) { return std::nullopt; });
  EXPECT_EQ(cancelled.outcome, ImportOutcome::Cancelled);
  const auto refused = import("A.OBJ", 100, "too high");
  EXPECT_EQ(refused.outcome, ImportOutcome::Cancelled);
  EXPECT_EQ(texts(), (Lines{"Please enter an integer between 0 and 99."}));
  EXPECT_TRUE(storedEntries().empty());
  EXPECT_FALSE(hasFile("CZ0B100V1.VM1X.OBJ"));
}

TEST_F(ModuleImportTest, WithoutAControllerTypeNothingIsImported) {
  writeLibraryFile("A.OBJ", ModuleFile());
  ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "PROJECT", "TARGET", ""));
  openProject({});
  EXPECT_EQ(import("A.OBJ", 5, "x").outcome, ImportOutcome::CopyFailed);
  EXPECT_TRUE(storedEntries().empty());
  EXPECT_FALSE(hasFile("CZ0B05V1..OBJ"));
  EXPECT_FALSE(hasFile("CZ0B05V1.IMP"));
}

TEST(ImportPreset, ALibraryFileNamedLikeAModuleSuggestsItsIdentity) {
  struct Case {
    const char* file;
    app::ModuleKind kind;
    int number;
    int version;
  };
  for (const Case& c : {Case{"/lib/CZ0B07V2.VM1X.OBJ", app::ModuleKind::Cmp, 7, 2},
                        Case{"/lib/cz0f03v1.obj", app::ModuleKind::Cfm, 3, 1},
                        Case{"/lib/TIMER.OBJ", app::ModuleKind::Program, 0, 1}}) {
    const auto preset = ImportPreset(c.file);
    EXPECT_EQ(preset.kind, c.kind) << c.file;
    EXPECT_EQ(preset.number, c.number) << c.file;
    EXPECT_EQ(preset.version, c.version) << c.file;
    EXPECT_EQ(preset.comment, fs::path(c.file).filename().string());
  }
}

TEST(CompanionMfuPath, ReplacesOrAppendsTheExtension) {
  EXPECT_EQ(CompanionMfuPath("/l/CMP.OBJ"), fs::path("/l/CMP.MFU"));
  EXPECT_EQ(CompanionMfuPath("/l/CZ0B01V1.VM1X.OBJ"), fs::path("/l/CZ0B01V1.VM1X.MFU"));
  EXPECT_EQ(CompanionMfuPath("/l/CMP"), fs::path("/l/CMP.MFU"));
}

TEST(LibraryModules, OffersTheCompiledModulesOfTheType) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.VM1X/TIMER.OBJ", ModuleFile());
  dir.writeFile("RUNTIME.VM1X/ramp.obj", ModuleFile({}, 1));
  dir.writeFile("RUNTIME.VM1X/BROKEN.OBJ", "not a module");
  dir.writeFile("RUNTIME.VM1X/TIMER.MFU", "list");
  dir.writeFile("RUNTIME.VM2X/OTHER.OBJ", ModuleFile());
  const auto modules = LibraryModules(dir.path(), "vm1x");
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0].fileName, "ramp.obj");
  EXPECT_EQ(modules[0].description, "Language: \tLadder (compiled)\r\nVersion: \t2.24\r\n");
  EXPECT_EQ(modules[1].fileName, "TIMER.OBJ");
  EXPECT_TRUE(LibraryModules(dir.path(), "RUD").empty());
}

}  // namespace
}  // namespace zel::build::testing
