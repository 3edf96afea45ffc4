#include "build/driver_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zel::build {
namespace {

class DriverCommandsTest : public ::testing::Test {
 protected:
  DriverCommandsTest() {
    m_dir.writeFile("fail3.sh", "#!/bin/sh\nexit 3\n");
    m_dir.writeFile("fail4.sh", "#!/bin/sh\nexit 4\n");
    std::filesystem::permissions(m_dir / "fail3.sh", std::filesystem::perms::owner_all);
    std::filesystem::permissions(m_dir / "fail4.sh", std::filesystem::perms::owner_all);
    m_dir.writeFile("errors.txt", "; what the tool's codes mean\r\n\r\n3: disk full\r\n");
    m_options.workingDirectory = m_dir.path();
    m_options.timeLimit = std::chrono::milliseconds(300);
    m_options.errorTone = [this] { ++m_tones; };
  }

  std::string run(std::vector<DriverCommand> commands, std::string errorFile = {}) {
    DriverEntry driver;
    driver.name = "DRV";
    driver.commands = std::move(commands);
    driver.commandErrorFile = std::move(errorFile);
    RunDriverCommands({driver}, m_options, m_log);
    return m_log.text();
  }

  std::string path(std::string_view name) const { return (m_dir / name).string(); }

  test::TempDir m_dir;
  DriverCommandOptions m_options;
  TextLog m_log;
  int m_tones = 0;
};

TEST_F(DriverCommandsTest, ASuccessfulCommandSaysNothing) {
  EXPECT_EQ(run({{"true", true}}), "");
  EXPECT_EQ(m_log.errors(), 0u);
  EXPECT_EQ(m_tones, 0);
}

TEST_F(DriverCommandsTest, AFailedCommandIsAnErrorWithTheDescriptionOfItsCode) {
  const std::string text =
      run({{path("fail3.sh"), true}, {path("fail4.sh") + " arg", true}}, "errors.txt");
  EXPECT_EQ(text, "ERROR: execution of driver command  \"" + path("fail3.sh") +
                      "\"  failed [3] \r\nDriver Error Description:   disk full\r\n"
                      "ERROR: execution of driver command  \"" +
                      path("fail4.sh") + " arg\"  failed [4] \r\n");
  EXPECT_EQ(m_log.errors(), 2u);
  EXPECT_EQ(m_tones, 2);
}

TEST_F(DriverCommandsTest, ACommandThatCannotStartIsAnError) {
  EXPECT_EQ(run({{"/nonexistent/tool  -x  y", true}}),
            "ERROR: Cannot execute Command:  \"/nonexistent/tool -x  y\", Error 2\r\n");
  EXPECT_EQ(m_log.errors(), 1u);
  EXPECT_EQ(m_tones, 1);
}

TEST_F(DriverCommandsTest, ACommandPastTheTimeLimitIsStoppedAndTheNextRuns) {
  const std::string text = run({{"sleep 30", true}, {"touch after", true}});
  EXPECT_EQ(text,
            "ERROR: driver command  \"sleep 30\"  did not end within 0.3 seconds and was "
            "stopped\r\n");
  EXPECT_EQ(m_log.errors(), 1u);
  EXPECT_TRUE(std::filesystem::exists(m_dir / "after"));
}

TEST_F(DriverCommandsTest, LinesRunWithoutAShellAndNeverWithAFailedReplacement) {
  run({{"touch \"two words\" semi;colon $HOME", true}, {"touch never", false}});
  EXPECT_TRUE(std::filesystem::exists(m_dir / "two words"));
  EXPECT_TRUE(std::filesystem::exists(m_dir / "semi;colon"));
  EXPECT_TRUE(std::filesystem::exists(m_dir / "$HOME"));
  EXPECT_FALSE(std::filesystem::exists(m_dir / "never"));
  EXPECT_EQ(m_log.text(), "INFO: driver command  \"touch never\"  not executed\r\n");
  EXPECT_EQ(m_log.errors(), 0u);
}

}  // namespace
}  // namespace zel::build
