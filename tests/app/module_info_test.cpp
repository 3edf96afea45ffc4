#include "app/modules/module_info.h"

#include <gtest/gtest.h>

#include "app/project/documentation_move.h"
#include "app/project/documentation_open.h"
#include "module_test_project.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::app::testing {
namespace {

using Lines = std::vector<std::string>;

class ModuleInfoTest : public ModuleProjectTest {};

TEST_F(ModuleInfoTest, GeneralTextShowsSourceAndLastCompilation) {
  writeFile("CZ0P01V1.awl", "12345");
  writeFile("cz0p01v1.vm1x.obj", "obj");
  writeFile("CZ0P01V1.VM2X.OBJ", "other type");
  openProject({"CZ0P01V1.awl,0,a", "CZ0P02V1.awl,0,b"});
  const std::int64_t sourceTime = 1'700'000'000;
  const std::int64_t objectTime = 1'700'003'600;
  ASSERT_TRUE(platform::SetFileTime(m_dir / "CZ0P01V1.awl", sourceTime));
  ASSERT_TRUE(platform::SetFileTime(m_dir / "cz0p01v1.vm1x.obj", objectTime));

  const auto facts = ReadModuleFileFacts(m_model, m_model.modules()[0]);
  EXPECT_EQ(GeneralInfoText(facts), "File:\t\t" + (m_dir / "CZ0P01V1.awl").string() +
                                        "\nSize:\t\t5 Bytes\nDate:\t\t" +
                                        platform::TimeText24(sourceTime) + "\n\nLast Compiled:\t" +
                                        platform::TimeText24(objectTime));

  const auto missing = ReadModuleFileFacts(m_model, m_model.modules()[1]);
  EXPECT_EQ(GeneralInfoText(missing), "File:\t\t" + (m_dir / "CZ0P02V1.awl").string() +
                                          "\nSize:\t\t0 Bytes\nDate:\t\t\n\nLast Compiled:\t");
}

TEST_F(ModuleInfoTest, LanguageTextByModuleKindOfSource) {
  writeFile("CZ0B01V1.VM1X.OBJ", "obj");
  openProject({"CZ0P01V1.awl,0,a", "CZ0P02V1.kop,0,b", "CZ0B01V1.IMP,0,c", "CZ0B02V1.IMP,0,d"});
  fs::path asked;
  const CompiledLanguageText describe = [&](const fs::path& object) {
    asked = object;
    return std::string("STL (compiled)");
  };
  const auto text = [&](std::size_t i) {
    const auto& module = m_model.modules()[i];
    return LanguageInfoText(module, ReadModuleFileFacts(m_model, module), describe);
  };
  EXPECT_EQ(text(0), "Language:\tSTL");
  EXPECT_EQ(text(1), "Language:\tLDR");
  EXPECT_EQ(text(2), "Language:\tSTL (compiled)");
  EXPECT_EQ(asked, m_dir / "CZ0B01V1.VM1X.OBJ");
  EXPECT_EQ(text(3), "Language:\tPlease import this module for the current controller type");
}

TEST_F(ModuleInfoTest, LogPageShowsTheLogWhenThereIsOne) {
  writeFile("cz0p01v1.log", "line 1\nline 2\n");
  openProject({"CZ0P01V1.awl,0,a", "CZ0P02V1.awl,0,b"});
  EXPECT_EQ(ReadModuleLog(m_model, m_model.modules()[0]), "line 1\nline 2\n");
  EXPECT_EQ(ReadModuleLog(m_model, m_model.modules()[1]), std::nullopt);
}

class DocumentationMoveTest : public ModuleProjectTest {
 protected:
  void SetUp() override {
    ModuleProjectTest::SetUp();
    openProject({});
  }
};

TEST_F(DocumentationMoveTest, MovesTheFileAndReplacesOneAtTheTarget) {
  writeFile("Project.txt", "doc");
  writeFile("notes.TXT", "old notes");
  EXPECT_TRUE(MoveDocumentationFile(m_model.file(), m_dir / "NOTES.txt"));
  EXPECT_EQ(moduleFiles(), Lines{"notes.TXT"});
  EXPECT_EQ(readFile("notes.TXT"), "doc");
  EXPECT_EQ(m_model.file().docFile(), m_dir / "notes.TXT");
  EXPECT_TRUE(texts().empty());
}

TEST_F(DocumentationMoveTest, ChoosingTheSameFileKeepsIt) {
  writeFile("Project.txt", "doc");
  EXPECT_TRUE(MoveDocumentationFile(m_model.file(), m_dir / "PROJECT.TXT"));
  EXPECT_EQ(readFile("Project.txt"), "doc");
  EXPECT_EQ(m_model.file().docFile(), m_dir / "Project.txt");
}

TEST_F(DocumentationMoveTest, FailedMoveKeepsFileAndSetting) {
  writeFile("Project.txt", "doc");
  const fs::path target = m_root / "missing" / "Doc.txt";
  EXPECT_FALSE(MoveDocumentationFile(m_model.file(), target));
  EXPECT_EQ(texts(), Lines{"'" + target.string() +
                           "'\n\nFailed to move the documentation file. The documentation "
                           "file was not changed."});
  EXPECT_EQ(readFile("Project.txt"), "doc");
  EXPECT_EQ(projectValue("DOCFILE"), "");
  EXPECT_EQ(m_model.file().docFile(), m_dir / "Project.txt");
}

TEST_F(DocumentationMoveTest, WithoutADocumentationFileOnlyThePathChanges) {
  ASSERT_TRUE(platform::WriteFileAtomically(m_root / "Manual.txt", "manual"));
  EXPECT_TRUE(MoveDocumentationFile(m_model.file(), m_root / "Manual.txt"));
  EXPECT_EQ(m_model.file().docFile(), m_root / "Manual.txt");
  EXPECT_EQ(platform::ReadWholeFile(m_root / "Manual.txt"), "manual");
}

TEST(DocumentationOpenTest, EachFailureHasItsText) {
  using platform::OpenDocumentResult;
  struct {
    OpenDocumentResult result;
    std::string text;
  } const cases[] = {
      {OpenDocumentResult::FileNotFound, "'/p/Doc.txt'\n\nThe specified file was not found."},
      {OpenDocumentResult::PathNotFound, "'/p/Doc.txt'\n\nThe specified path was not found."},
      {OpenDocumentResult::AccessDenied,
       "'/p/Doc.txt'\n\nThe operating system denied access \nto the specified file."},
      {OpenDocumentResult::OutOfMemory, "There was not enough memory \nto complete the operation."},
      {OpenDocumentResult::BadExecutable,
       "'/p/Doc.txt'\n\nThe .exe file is invalid \n(non-Win32\u00AE .exe or error in .exe image)."},
      {OpenDocumentResult::SharingViolation, "'/p/Doc.txt'\n\nA sharing violation occurred."},
      {OpenDocumentResult::AssociationIncomplete,
       "'/p/Doc.txt'\n\nThe file name association \nis incomplete or invalid."},
      {OpenDocumentResult::NoAssociation,
       "'/p/Doc.txt'\n\nThere is no application associated with \nthe given file name extension."},
      {OpenDocumentResult::LibraryNotFound,
       "'/p/Doc.txt'\n\nThe specified dynamic-link library \nwas not found."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DocumentationOpenFailure(c.result, "/p/Doc.txt"), c.text)
        << static_cast<int>(c.result);
  }
  EXPECT_EQ(DocumentationOpenFailure(OpenDocumentResult::Ok, "/p/Doc.txt"), std::nullopt);
}

}  // namespace
}  // namespace zel::app::testing
