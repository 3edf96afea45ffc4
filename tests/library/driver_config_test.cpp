#include "library/driver_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/driver_documentation.h"
#include "library/driver_options_model.h"
#include "platform/profile.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOptionsScript =
    "[DRIVER]\r\nNAME_GB=Options demo\r\nDRIVERNO=5\r\n"
    "[EDIT]\r\n"
    "GB_0=Logging\r\nCTRL_0=LOG \"J\" $YESNO\r\n"
    "GB_1=Channels\r\nCTRL_1=CH \"1\" $DEC [1..4;8]\r\n"
    "GB_2=Port address\r\nCTRL_2=ADDR \"3f8\" $HEX [2f8;3e8..3ff]\r\n"
    "GB_3=Station name\r\nCTRL_3=NAME \"ST1\" $TEXT [3..8]\r\n"
    "GB_4=Speed\r\nCTRL_4=SPEED \"fast\" $TEXT [\"fast\" \"slow\"]\r\n"
    "GB_5=Drive\r\nCTRL_5=DRIVE \"C\" $IDV\r\n";

class DriverConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.writeFile("RUNTIME.VM1X/OPTS.dmk", kOptionsScript);
    m_dir.writeFile("RUNTIME.VM1X/FIELDBUS.dmk", "[DRIVER]\r\nNAME_GB=Fieldbus\r\nDRIVERNO=0\r\n");
    m_dir.writeFile("RUNTIME.VM1X/OTHERBUS.dmk",
                    "[DRIVER]\r\nNAME_GB=Other fieldbus\r\nDRIVERNO=0\r\n");
    m_dir.writeFile("RUNTIME.VM1X/NONUM.dmk", "[DRIVER]\r\nNAME_GB=No number\r\n");
    m_dir.writeFile("P/Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n");
    m_installed.load(m_dir.path(), "VM1X");
  }
  app::ProjectFile project() const { return app::ProjectFile(m_dir / "P/Project.FW4"); }
  std::string read(const std::string& section, const std::string& key) const {
    return project().read(section, key);
  }
  DriverScript script(const std::string& name) const {
    return *DriverScript::load(m_dir / "RUNTIME.VM1X" / (name + ".dmk"));
  }

  test::TempDir m_dir;
  test::ScriptedAnswers m_answers;
  DriverList m_installed;
};

TEST_F(DriverConfigTest, UnknownDriversSurviveLoadAndSave) {
  project().write("VM1X_DRV", "DRV_0", "OPTS");
  project().write("VM1X_DRV", "DRV_1", "GONE");
  project().write("VM1X_DRV", "DRV_3", "AFTERGAP");
  project().write("VM1X_DRV_GONE", "RATE", "7");
  DriverConfiguration config(project(), "VM1X");
  config.load(m_installed, true);
  EXPECT_EQ(m_answers.texts(), std::vector<std::string>{"'GONE'\n\nUnknown Driver."});
  ASSERT_EQ(config.rows().size(), 2u);
  const DriverRow* gone = config.find("gone");
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(gone->number, -1);
  EXPECT_EQ(gone->description, "< unknown >");
  EXPECT_EQ(gone->uses, "");
  EXPECT_FALSE(gone->known);

  ASSERT_TRUE(config.remove("OPTS"));
  EXPECT_EQ(read("VM1X_DRV", "DRV_0"), "GONE");
  EXPECT_EQ(read("VM1X_DRV", "DRV_1"), "");
  EXPECT_EQ(read("VM1X_DRV_GONE", "RATE"), "7");
  EXPECT_NE(read("PROJECT", "TIMESTAMP"), "");
}

TEST_F(DriverConfigTest, SameNumberIsRefusedNamingItsOwner) {
  DriverConfiguration config(project(), "VM1X");
  config.load(m_installed, true);
  ASSERT_TRUE(config.canInsertFrom(m_installed));
  ASSERT_TRUE(config.acceptNew(*m_installed.find("FIELDBUS")));
  ASSERT_TRUE(config.insert(*m_installed.find("FIELDBUS")).has_value());
  EXPECT_FALSE(config.acceptNew(*m_installed.find("OTHERBUS")));
  // Drivers without a number are told apart by name.
  ASSERT_TRUE(config.acceptNew(*m_installed.find("NONUM")));
  ASSERT_TRUE(config.insert(*m_installed.find("NONUM")).has_value());
  EXPECT_FALSE(config.acceptNew(*m_installed.find("NONUM")));
  EXPECT_EQ(m_answers.texts(),
            (std::vector<std::string>{"'FIELDBUS'\n\nDriver with same number already exists.",
                                      "'NONUM'\n\nDriver with same number already exists."}));

  DriverList none;
  EXPECT_FALSE(config.canInsertFrom(none));
  EXPECT_EQ(m_answers.texts().back(), "No drivers installed!");
}

TEST_F(DriverConfigTest, SectionFollowsTheShownOrder) {
  DriverConfiguration config(project(), "VM1X");
  config.load(m_installed, false);
  config.setOrder(DriverColumn::Number, true);
  ASSERT_TRUE(config.insert(*m_installed.find("FIELDBUS")));
  ASSERT_TRUE(config.insert(*m_installed.find("OPTS")));
  EXPECT_EQ(read("VM1X_DRV", "DRV_0"), "OPTS");
  EXPECT_EQ(read("VM1X_DRV", "DRV_1"), "FIELDBUS");
  config.setOrder(DriverColumn::Description, false);
  ASSERT_TRUE(config.save());
  EXPECT_EQ(read("VM1X_DRV", "DRV_0"), "FIELDBUS");
  ASSERT_TRUE(config.remove(std::vector<std::size_t>{0, 1, 0}));
  EXPECT_TRUE(project().keys("VM1X_DRV").empty());
}

TEST_F(DriverConfigTest, OptionsShowStoredValuesOrDefaultsAndNormaliseOnSave) {
  project().write("VM1X_DRV_OPTS", "LOG", "0");
  project().write("VM1X_DRV_OPTS", "CH", "8");
  DriverOptionsModel model(script("OPTS"), project(), "VM1X");
  EXPECT_EQ(model.title(), "Driver Options - Options demo");
  ASSERT_EQ(model.size(), 6u);
  EXPECT_FALSE(model.checked(0));
  EXPECT_EQ(model.rows()[1].value, "8");
  EXPECT_EQ(model.rows()[2].value, "3f8");  // the default, as written
  model.setValue(2, "2f8");
  EXPECT_EQ(model.rows()[2].value, "2F8");
  model.setValue(3, "STATION-NAME-TOO-LONG");
  EXPECT_EQ(model.rows()[3].value, "STATION-");
  EXPECT_EQ(model.validate(), std::nullopt);
  ASSERT_TRUE(model.save());
  EXPECT_EQ(read("VM1X_DRV_OPTS", "LOG"), "N");
  EXPECT_EQ(read("VM1X_DRV_OPTS", "ADDR"), "2F8");
  EXPECT_EQ(read("VM1X_DRV_OPTS", "SPEED"), "fast");
  EXPECT_EQ(project().keys("VM1X_DRV_OPTS"),
            (std::vector<std::string>{"LOG", "CH", "ADDR", "NAME", "SPEED", "DRIVE"}));
}

TEST_F(DriverConfigTest, FirstRefusalNamesItsRow) {
  DriverOptionsModel model(script("OPTS"), project(), "VM1X");
  model.setValue(3, "ab");
  model.setValue(1, "5");
  const auto refusal = model.validate();
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->row, 1u);
  EXPECT_EQ(refusal->message, "Please enter a decimal number in the range of [1..4;8].");
  model.setDefaults();
  EXPECT_EQ(model.validate(), std::nullopt);
  EXPECT_EQ(model.rows()[1].value, "1");
}

TEST_F(DriverConfigTest, DeletedDriverKeepsItsOptionsForTheNextInsert) {
  DriverConfiguration config(project(), "VM1X");
  config.load(m_installed, false);
  ASSERT_TRUE(config.insert(*m_installed.find("OPTS")));
  DriverOptionsModel first(script("OPTS"), project(), "VM1X");
  first.setValue(1, "4");
  ASSERT_TRUE(first.save());
  ASSERT_TRUE(config.remove("OPTS"));
  ASSERT_TRUE(config.insert(*m_installed.find("OPTS")));
  DriverOptionsModel again(script("OPTS"), project(), "VM1X");
  EXPECT_EQ(again.rows()[1].value, "4");
}

TEST_F(DriverConfigTest, DocumentationPrintsTableAndOptions) {
  project().write("VM1X_DRV", "DRV_0", "OPTS");
  project().write("VM1X_DRV", "DRV_1", "GONE");
  project().write("VM1X_DRV", "DRV_2", "FIELDBUS");
  project().write("VM1X_DRV_OPTS", "CH", "8");
  project().write("VM1X_DRV_GONE", "RATE", "7");
  const auto lines = DriverDocumentationLines(project(), "VM1X", m_installed, m_dir.path());
  const std::vector<std::string> expected = {
      "Driver Configuration",
      "Name                Number    Uses      Description",
      "OPTS                5         -         Options demo",
      "GONE                -1                  < unknown >",
      "FIELDBUS            0         -         Fieldbus",
      "",
      "Options for 'OPTS'",
      "",
      "  Logging:                              ?",
      "  Channels:                             8",
      "  Port address:                         ?",
      "  Station name:                         ?",
      "  Speed:                                ?",
      "  Drive:                                ?",
      "",
      "Options for 'GONE'",
      "",
      "  RATE:                                 7",
      "",
      "Options for 'FIELDBUS'",
      "",
      "  <none>",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(DriverConfigTest, SettingsOfAPlaceholderListEveryStoredKey) {
  project().write("VM1X_DRV_GONE", "RATE", "7");
  project().write("VM1X_DRV_GONE", "MODE", "x");
  EXPECT_EQ(ReadStoredOptions(project(), "VM1X", "GONE"),
            (std::vector<std::pair<std::string, std::string>>{{"RATE", "7"}, {"MODE", "x"}}));
  EXPECT_EQ(DriverSettingsTitle("GONE", "< unknown >"), "Driver Settings - GONE < unknown >");
  DriverOptionsModel none(script("FIELDBUS"), project(), "VM1X");
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.noOptionsMessage(), "There are no options for driver 'FIELDBUS'.");
}

}  // namespace
}  // namespace zel::library
