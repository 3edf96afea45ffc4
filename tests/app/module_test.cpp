#include "app/modules/module.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "app/modules/module_entry.h"
#include "app/project/controller_type.h"

namespace zel::app {
namespace {

struct ParsedCase {
  std::string entry;
  ModuleKind kind;
  int number;
  int version;
  Language language;
  bool selected;
  std::string comment;
  std::string displayName;
};

// Test runners list a case by its printed value: the entry, not the struct's bytes.
void PrintTo(const ParsedCase& c, std::ostream* out) {
  *out << c.entry;
}

class ModuleEntryParses : public ::testing::TestWithParam<ParsedCase> {};

TEST_P(ModuleEntryParses, IntoTheRecord) {
  const ParsedCase& c = GetParam();
  const auto module = ParseModuleEntry(c.entry);
  ASSERT_TRUE(module) << c.entry;
  EXPECT_EQ(module->kind, c.kind);
  EXPECT_EQ(module->number, c.number);
  EXPECT_EQ(module->version, c.version);
  EXPECT_EQ(module->language, c.language);
  EXPECT_EQ(module->selected, c.selected);
  EXPECT_EQ(module->comment, c.comment);
  EXPECT_EQ(module->displayName, c.displayName);
  EXPECT_EQ(module->fileName, c.entry.substr(0, c.entry.find(',')));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ModuleEntryParses,
    ::testing::Values(ParsedCase{"CZ0B07V2.awl,1,Valve, left side", ModuleKind::Cmp, 7, 2,
                                 Language::Stl, true, "Valve, left side", "CMP  7 (V2)"},
                      ParsedCase{"CZ0P01V1.awl,0,Main", ModuleKind::Program, 1, 1, Language::Stl,
                                 false, "Main", "Program  1 (V1)"},
                      ParsedCase{"CZ0F12V3.KOP,1,", ModuleKind::Cfm, 12, 3, Language::Ladder, true,
                                 "", "CFM 12 (V3)"},
                      ParsedCase{"CZ0p63V9.imp,0,x", ModuleKind::Program, 63, 9, Language::Imported,
                                 false, "x", "Program 63 (V9)"},
                      ParsedCase{"CZ0b99V0.txt,1,x", ModuleKind::Cmp, 99, 0, Language::Unknown,
                                 true, "x", "CMP 99 (V0)"},
                      // What "%d" reads: blanks, a sign, any count of digits.
                      ParsedCase{"CZ0P 5V+2.awl,0,", ModuleKind::Program, 5, 2, Language::Stl,
                                 false, "", "Program  5 (V2)"},
                      ParsedCase{"CZ0P007V1.awl,0,", ModuleKind::Program, 7, 1, Language::Stl,
                                 false, "", "Program  7 (V1)"},
                      // Only "1" right after the first comma selects.
                      ParsedCase{"CZ0P02V1.awl,10,a,b", ModuleKind::Program, 2, 1, Language::Stl,
                                 true, "a,b", "Program  2 (V1)"},
                      ParsedCase{"CZ0P02V1.awl,y,a", ModuleKind::Program, 2, 1, Language::Stl,
                                 false, "a", "Program  2 (V1)"},
                      ParsedCase{"CZ0P02V1.awl,1", ModuleKind::Program, 2, 1, Language::Stl, true,
                                 "", "Program  2 (V1)"},
                      ParsedCase{"CZ0P02V1.awl", ModuleKind::Program, 2, 1, Language::Stl, false,
                                 "", "Program  2 (V1)"},
                      // Stored names of any case name the same files.
                      ParsedCase{"cz0p02v1.awl,0,", ModuleKind::Program, 2, 1, Language::Stl, false,
                                 "", "Program  2 (V1)"}));

class ModuleEntryDropped : public ::testing::TestWithParam<std::string> {};

TEST_P(ModuleEntryDropped, WhenTheNameCannotBeAModule) {
  EXPECT_FALSE(ParseModuleEntry(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Entries, ModuleEntryDropped,
                         ::testing::Values("README.awl,0,x", "", ",1,x", "CZ0", "CZ0P",
                                           "CZ0PV1.awl,0,x", "CZ0P01.awl,0,x", "CZ0P01V.awl,0,x",
                                           "CZ0P01X1.awl,0,x", "CZ0X01V1.awl,0,x",
                                           "CZ1P01V1.awl,0,x", "CZ0P-1V1.awl,0,x",
                                           "CZ0P100V1.awl,0,x", "CZ0P01V10.awl,0,x",
                                           "CZ0P01V-1.awl,0,x", "CZ0P99999999999999V1.awl,0,x",
                                           " CZ0P01V1.awl,0,x",
                                           // Names that would lead out of the project.
                                           "CZ0P01V1/../../victim.awl,0,x", "CZ0P01V1.awl/..,0,x",
                                           "CZ0P01V1\t.awl,0,x"));

TEST(ModuleEntry, CommentIsCutTo255Characters) {
  const std::string comment(300, 'c');
  const auto module = ParseModuleEntry("CZ0P01V1.awl,1," + comment);
  ASSERT_TRUE(module);
  EXPECT_EQ(module->comment, std::string(255, 'c'));
}

TEST(ModuleEntry, FormatReadsBackTheSameRecord) {
  const ModuleRecord made = MakeModule(Language::Stl, ModuleKind::Cfm, 4, 2, "Pump, main");
  ModuleRecord selected = made;
  selected.selected = true;
  for (const ModuleRecord& record : {made, selected}) {
    const std::string entry = FormatModuleEntry(record);
    const auto parsed = ParseModuleEntry(entry);
    EXPECT_TRUE(parsed) << entry;
    if (!parsed) continue;
    EXPECT_EQ(parsed->fileName, record.fileName);
    EXPECT_EQ(parsed->selected, record.selected);
    EXPECT_EQ(parsed->comment, record.comment);
    EXPECT_TRUE(parsed->sameIdentity(record));
  }
  EXPECT_EQ(FormatModuleEntry(selected), "CZ0F04V2.awl,1,Pump, main");
}

struct MadeCase {
  Language language;
  ModuleKind kind;
  int number;
  int version;
  std::string fileName;
  std::string displayName;
};

void PrintTo(const MadeCase& c, std::ostream* out) {
  *out << c.fileName;
}

class MakeModuleNames : public ::testing::TestWithParam<MadeCase> {};

TEST_P(MakeModuleNames, FollowThePatterns) {
  const MadeCase& c = GetParam();
  const ModuleRecord module = MakeModule(c.language, c.kind, c.number, c.version, "c");
  EXPECT_EQ(module.fileName, c.fileName);
  EXPECT_EQ(module.displayName, c.displayName);
  EXPECT_EQ(module.comment, "c");
  EXPECT_EQ(LanguageOfFileName(module.fileName), c.language);
}

INSTANTIATE_TEST_SUITE_P(Modules, MakeModuleNames,
                         ::testing::Values(MadeCase{Language::Stl, ModuleKind::Program, 1, 1,
                                                    "CZ0P01V1.awl", "Program  1 (V1)"},
                                           MadeCase{Language::Ladder, ModuleKind::Cmp, 42, 9,
                                                    "CZ0B42V9.kop", "CMP 42 (V9)"},
                                           MadeCase{Language::Imported, ModuleKind::Cfm, 0, 3,
                                                    "CZ0F00V3.IMP", "CFM  0 (V3)"}));

TEST(ModuleNames, DerivedFilesReplaceTheExtension) {
  EXPECT_EQ(ObjectFileName("CZ0P01V1.awl", "VM1X"), "CZ0P01V1.VM1X.OBJ");
  EXPECT_EQ(ObjectFileName("CZ0P01V1", "RUD"), "CZ0P01V1.RUD.OBJ");
  EXPECT_EQ(ObjectFileName("CZ0P01V1.awl", "/../../x"), "CZ0P01V1._.._.._x.OBJ");
  EXPECT_EQ(ObjectFileName("CZ0P01V1.awl", "..\\etc"), "CZ0P01V1..._etc.OBJ");
  EXPECT_EQ(ReplaceExtension("CZ0P01V1.awl", ".LOG"), "CZ0P01V1.LOG");
  EXPECT_EQ(ReplaceExtension("CZ0P01V1.x.awl", ".XREF"), "CZ0P01V1.x.XREF");
  EXPECT_EQ(ReplaceExtension("CZ0P01V1", ".BAK"), "CZ0P01V1.BAK");
  EXPECT_EQ(LanguageOfFileName("CZ0P01V1"), Language::Unknown);
  EXPECT_EQ(LanguageOfFileName("CZ0P01V1.awl.bak"), Language::Unknown);
  EXPECT_EQ(MaxModuleNumber(ModuleKind::Program), 63);
  EXPECT_EQ(MaxModuleNumber(ModuleKind::Cmp), 99);
}

TEST(ControllerTypes, NamesLabelsAndDefaults) {
  std::string labels;
  for (const auto& info : ControllerTypes()) labels += std::string(info.label) + "|";
  EXPECT_EQ(labels, "RUD Compact|RUD Standard|VM0X|VM1X|VM2X|");

  EXPECT_EQ(ParseControllerType("rud2"), ControllerType::Rud2);
  EXPECT_EQ(ParseControllerType("RUD Compact"), std::nullopt);
  EXPECT_EQ(ControllerTypeFromLabel("rud standard"), ControllerType::Rud2);
  EXPECT_EQ(TypeLabel("rud"), "RUD Compact");
  EXPECT_EQ(TypeLabel("vm1x"), "VM1X");
  EXPECT_EQ(TypeLabel("XYZ"), "XYZ");

  const auto vm1x = DefaultsFor("Vm1x");
  EXPECT_EQ(std::string({vm1x.driveProject, vm1x.driveStartup, vm1x.driveKernel}), "CCA");
  EXPECT_EQ(vm1x.kernelComPort, '1');
  const auto rud = DefaultsFor("RUD");
  EXPECT_EQ(std::string({rud.driveProject, rud.driveStartup, rud.driveKernel}), "BBA");
  EXPECT_EQ(rud.kernelComPort, '0');
  const auto unknown = DefaultsFor("VM9X");
  EXPECT_EQ(std::string({unknown.driveProject, unknown.driveStartup, unknown.driveKernel}), "CCC");
  EXPECT_EQ(unknown.kernelComPort, '1');
}

}  // namespace
}  // namespace zel::app

namespace zel::app {
namespace {

// A refusal says which entry it is about, since its message does not.
TEST(ModuleEntryRefusal, NamesTheFieldOfTheFirstFault) {
  struct Row {
    ModuleEntry entry;
    std::optional<ModuleEntryField> field;
    std::string message;
  };
  const std::vector<Row> rows = {
      {{ModuleKind::Program, 5, 1, "ok"}, std::nullopt, ""},
      {{ModuleKind::Program, 64, 1, "ok"},
       ModuleEntryField::Number,
       "Please enter an integer between 0 and 63."},
      {{ModuleKind::Program, -1, 0, "ok"},
       ModuleEntryField::Number,
       "Please enter an integer between 0 and 63."},
      {{ModuleKind::Program, 1, 10, "ok"},
       ModuleEntryField::Version,
       "Please enter an integer between 1 and 9."},
      {{ModuleKind::Program, 1, 1, std::string(256, 'c')},
       ModuleEntryField::Comment,
       "Please enter no more than 255 characters."},
  };
  for (const Row& row : rows) {
    const auto refusal = RefuseModuleEntry(row.entry);
    ASSERT_EQ(refusal.has_value(), row.field.has_value()) << row.message;
    EXPECT_EQ(CheckModuleEntry(row.entry).value_or(""), row.message);
    if (!refusal) continue;
    EXPECT_EQ(refusal->field, *row.field) << row.message;
    EXPECT_EQ(refusal->message, row.message);
  }
}

}  // namespace
}  // namespace zel::app
