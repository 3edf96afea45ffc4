#include "platform/desktop.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/spawn.h"
#include "support/temp_dir.h"

namespace zel::platform {
namespace {

using test::TempDir;

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(std::string(3, '\0'))), std::string(3, '\0'));
}

TEST(CodePage, MapsTheWindowsTable) {
  struct Case {
    unsigned char byte;
    std::string_view utf8;
  };
  const Case cases[] = {
      {'A', "A"},         {0x80, "\u20AC"},   {0x81, "\xC2\x81"}, {0x8A, "\u0160"},
      {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x93, "\u201C"},
      {0x99, "\u2122"},   {0x9D, "\xC2\x9D"}, {0x9F, "\u0178"},   {0xA0, "\u00A0"},
      {0xB0, "\u00B0"},   {0xE4, "\u00E4"},   {0xFF, "\u00FF"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << int(c.byte);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << int(c.byte);
  }
}

TEST(CodePage, OemLettersKeepTheirCharacterAndGraphicsBecomeAscii) {
  struct Case {
    unsigned char oem;
    std::string_view utf8;  // what the Windows-1252 result shows as
  };
  const Case cases[] = {
      {'A', "A"},       {0x0D, "\r"},     {0x81, "\u00FC"}, {0x84, "\u00E4"}, {0x8E, "\u00C4"},
      {0x94, "\u00F6"}, {0x99, "\u00D6"}, {0x9A, "\u00DC"}, {0xE1, "\u00DF"}, {0x9B, "\u00F8"},
      {0x9D, "\u00D8"}, {0x9F, "\u0192"}, {0xB5, "\u00C1"}, {0xD5, "i"},      {0xF8, "\u00B0"},
      {0xFF, "\u00A0"}, {0xC4, "-"},      {0xCD, "="},      {0xB3, "|"},      {0xBA, "|"},
      {0xC5, "+"},      {0xDA, "+"},      {0xDB, "#"},      {0xB0, "#"},      {0xF2, "_"},
      {0xE6, "\u00B5"},
  };
  for (const Case& c : cases) {
    const std::string converted = OemToCp1252(std::string(1, static_cast<char>(c.oem)));
    ASSERT_EQ(converted.size(), 1u) << int(c.oem);
    EXPECT_EQ(Cp1252ToUtf8(converted), c.utf8) << int(c.oem);
  }
  // No letter of the code page is lost: every byte maps to a distinct byte or to one of
  // the ASCII signs the graphics become.
  std::set<unsigned char> seen;
  for (int b = 0x80; b < 0x100; ++b) {
    const auto out =
        static_cast<unsigned char>(OemToCp1252(std::string(1, static_cast<char>(b)))[0]);
    if (out < 0x80) continue;
    EXPECT_TRUE(seen.insert(out).second) << "byte " << b << " maps onto a taken character";
  }
  EXPECT_EQ(OemToCp1252(std::string("a\0b\x1A", 4)), std::string("a\0b\x1A", 4));
}

TEST(CodePage, UnmappableAndIllFormedBecomeQuestionMarks) {
  struct Case {
    std::string_view utf8;
    std::string_view cp1252;
  };
  const Case cases[] = {
      {"Stra\u00DFe \u4E2D",
       "Stra\xDF"
       "e ?"},
      {"\xC2\x80", "?"},            // U+0080 has no byte: 0x80 is the euro sign
      {"\xF0\x9F\x98\x80!", "?!"},  // outside the basic plane
      {"\xFF", "?"},
      {"a\xE2\x82", "a?"},  // cut short at the end
      {"\xE2\x82"
       "b",
       "?b"},                        // cut short before another character
      {"\xC0\xAF", "??"},            // overlong
      {"\xED\xA0\x80", "???"},       // surrogate
      {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
      {"\x80", "?"},                 // stray continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
}

TEST(CommandLine, SplitsWordsAndQuotes) {
  struct Case {
    std::string_view line;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"tool a b", {"tool", "a", "b"}},
      {"  tool\t a  ", {"tool", "a"}},
      {"\"C:/My Tools/x.exe\" \"two words\"", {"C:/My Tools/x.exe", "two words"}},
      {"a\"b c\"d", {"ab cd"}},
      {"x \"\" y", {"x", "", "y"}},
      {"open \"unterminated rest", {"open", "unterminated rest"}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(detail::SplitCommandLine(c.line), c.words) << c.line;
}

TEST(Process, ReportsExitCodes) {
  struct Case {
    std::string_view command;
    int code;
  };
  const Case cases[] = {
      {"true", 0},
      {"sh -c \"exit 3\"", 3},
      {"sh -c \"exit 255\"", 255},
      {"sh -c \"kill -9 $$\"", 128 + 9},
  };
  for (const Case& c : cases) {
    Process process = Process::start(c.command, {});
    ASSERT_TRUE(process.valid()) << c.command;
    EXPECT_EQ(process.wait(), c.code) << c.command;
    EXPECT_EQ(process.wait(0), c.code) << "the code is kept";
  }
}

// Our main thread's children as the kernel lists them; a zombie stays listed until reaped.
std::set<std::string> OurChildren() {
  const std::string pid = std::to_string(getpid());
  std::istringstream list(
      ReadWholeFile("/proc/" + pid + "/task/" + pid + "/children").value_or(""));
  return {std::istream_iterator<std::string>(list), std::istream_iterator<std::string>()};
}

TEST(Process, WaitTimesOutAndTheChildIsReapedLater) {
  const std::set<std::string> before = OurChildren();
  Process process = Process::start("sleep 0.3", {});
  ASSERT_TRUE(process.valid());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(process.wait(50), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
  std::vector<std::string> started;
  for (const std::string& child : OurChildren()) {
    if (!before.count(child)) started.push_back(child);
  }
  ASSERT_EQ(started.size(), 1u);
  { Process gone = std::move(process); }  // destroyed while the child still runs
  EXPECT_FALSE(process.valid());
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  EXPECT_EQ(OurChildren().count(started.front()), 0u) << "the child was left a zombie";
}

TEST(Process, KillEndsARunningChildAndLeavesAnEndedOneAlone) {
  Process running = Process::start("sleep 30", {});
  ASSERT_TRUE(running.valid());
  EXPECT_EQ(running.wait(0), std::nullopt);
  running.kill();
  EXPECT_EQ(running.wait(0), 128 + 9);

  Process ended = Process::start("sh -c \"exit 4\"", {});
  ASSERT_TRUE(ended.valid());
  EXPECT_EQ(ended.wait(), 4);
  ended.kill();
  EXPECT_EQ(ended.wait(0), 4);
}

TEST(Process, RunsInTheWorkingDirectoryWithoutOurDescriptors) {
  TempDir dir;
  const int leaked = open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(leaked, 3);
  const std::string command =
      "sh -c \"pwd > where.txt; test -e /proc/$$/fd/" + std::to_string(leaked) + "\"";
  Process process = Process::start(command, dir.path());
  ASSERT_TRUE(process.valid());
  EXPECT_EQ(process.wait(5000), 1) << "the child inherited a descriptor";
  close(leaked);
  EXPECT_EQ(ReadWholeFile(dir / "where.txt"), dir.path().string() + "\n");
}

TEST(Process, InvalidWhenItCannotStart) {
  TempDir dir;
  std::ofstream(dir / "not-executable.sh") << "#!/bin/sh\nexit 0\n";
  const std::string notExecutable = (dir / "not-executable.sh").string();
  for (const std::string& command :
       {std::string(), std::string("   "), std::string("zel-no-such-program-here"),
        std::string("/nonexistent/tool"), notExecutable}) {
    Process process = Process::start(command, {});
    EXPECT_FALSE(process.valid()) << command;
    EXPECT_EQ(process.wait(), std::nullopt);
  }
  EXPECT_FALSE(Process::start("true", dir / "missing-dir").valid());
}

// A stand-in for the desktop's opener, found first on PATH while the test runs.
class OpenDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* path = std::getenv("PATH")) m_oldPath = path;
    fs::create_directory(m_dir / "bin");
    setenv("PATH", (m_dir / "bin").c_str(), 1);
    std::ofstream(m_dir / "Project.txt") << "doc";
  }
  void TearDown() override { setenv("PATH", m_oldPath.c_str(), 1); }
  void InstallOpener(std::string_view script) {
    const fs::path opener = m_dir / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\n" << script << "\n";
    chmod(opener.c_str(), 0755);
  }
  TempDir m_dir;
  std::string m_oldPath;
};

TEST_F(OpenDocumentTest, ChecksTheDocumentFirst) {
  InstallOpener("exit 0");
  EXPECT_EQ(OpenDocument(m_dir / "Missing.txt", m_dir.path()), OpenDocumentResult::FileNotFound);
  EXPECT_EQ(OpenDocument(m_dir / "nodir" / "Project.txt", m_dir.path()),
            OpenDocumentResult::PathNotFound);
  EXPECT_EQ(OpenDocument(m_dir / "Project.txt" / "x", m_dir.path()),
            OpenDocumentResult::PathNotFound);
  EXPECT_EQ(OpenDocument(m_dir / "Project.txt", m_dir / "nodir"), OpenDocumentResult::PathNotFound);
}

TEST_F(OpenDocumentTest, MapsTheOpenersOutcome) {
  struct Case {
    std::string_view script;
    OpenDocumentResult result;
  };
  const Case cases[] = {
      {"exit 0", OpenDocumentResult::Ok},
      {"exit 1", OpenDocumentResult::AssociationIncomplete},
      {"exit 2", OpenDocumentResult::FileNotFound},
      {"exit 3", OpenDocumentResult::NoAssociation},
      {"exit 4", OpenDocumentResult::NoAssociation},
      {"exit 5", OpenDocumentResult::AccessDenied},
  };
  for (const Case& c : cases) {
    InstallOpener(c.script);
    EXPECT_EQ(OpenDocument(m_dir / "Project.txt", m_dir.path()), c.result) << c.script;
  }
  fs::remove(m_dir / "bin" / "xdg-open");
  EXPECT_EQ(OpenDocument(m_dir / "Project.txt", m_dir.path()), OpenDocumentResult::NoAssociation);
}

TEST_F(OpenDocumentTest, PassesTheDocumentAndWorkingDirectory) {
  InstallOpener("pwd > opened.txt; echo \"$1\" >> opened.txt");
  fs::create_directory(m_dir / "work");
  EXPECT_EQ(OpenDocument("../Project.txt", m_dir / "work"), OpenDocumentResult::Ok);
  EXPECT_EQ(ReadWholeFile(m_dir / "work" / "opened.txt"),
            (m_dir / "work").string() + "\n../Project.txt\n");
}

TEST_F(OpenDocumentTest, DoesNotWaitForALingeringOpener) {
  InstallOpener("exec /bin/sleep 5 </dev/null >/dev/null 2>&1");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(OpenDocument(m_dir / "Project.txt", m_dir.path()), OpenDocumentResult::Ok);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(ProcessLocale, NumbersStayInTheCForm) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* oldLcAll = std::getenv("LC_ALL");
  const std::optional<std::string> restoreLcAll = oldLcAll ? std::optional(oldLcAll) : std::nullopt;
  setenv("LC_ALL", "xx_NOWHERE.bogus", 1);  // setlocale from the environment fails
  SetUpProcessLocale();
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    setenv("LC_ALL", name, 1);
    SetUpProcessLocale();
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    EXPECT_STREQ(text, "1.5") << name;
  }
  if (restoreLcAll) {
    setenv("LC_ALL", restoreLcAll->c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace zel::platform
