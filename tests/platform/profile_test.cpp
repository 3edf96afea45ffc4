#include "platform/profile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <future>
#include <thread>
#include <utility>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::platform {
namespace {

using test::TempDir;

void WriteText(const std::filesystem::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::filesystem::path& path) {
  return ReadWholeFile(path).value_or("<missing>");
}

TEST(IniDocument, SerializeReproducesEveryByte) {
  const std::string_view texts[] = {
      "",
      "\r\n",
      "\n\n",
      "[A]\r\nkey=value\r\n",
      "[A]\nkey=value\n",
      "[A]\r\nkey=value",  // no final line end
      "; leading comment\r\nstray=before any section\r\n\r\n[Sec]\r\n  x = 1 \r\n; c\r\n"
      "no equals sign\r\n[broken\r\n=no key\r\n\r\n[Other]\r\ny=\"q\"\r\n",
      std::string_view("[Bin]\r\nk=\0\x01\xff\xfe\r\n\0\0\r\n", 19),
      "lone CR\ronly",
  };
  for (std::string_view text : texts) {
    EXPECT_EQ(IniDocument::parse(text).serialize(), text) << text;
  }
}

TEST(IniDocument, MixedLineEndsSettleOnTheFirstStyle) {
  struct Case {
    std::string_view text;
    std::string_view settled;
  } cases[] = {
      {"[A]\r\nx=1\ny=2\r\n", "[A]\r\nx=1\r\ny=2\r\n"},
      {"[A]\nline ends with CR\r\nnext\n", "[A]\nline ends with CR\nnext\n"},
      {"[A]\r\nlast line ends with CR\r", "[A]\r\nlast line ends with CR"},
  };
  for (const Case& c : cases) {
    const std::string once = IniDocument::parse(c.text).serialize();
    EXPECT_EQ(once, c.settled);
    EXPECT_EQ(IniDocument::parse(once).serialize(), once);
  }
}

struct GetCase {
  std::string_view text;
  std::string_view section;
  std::string_view key;
  std::optional<std::string> expected;
};

TEST(IniDocument, GetFindsValuesAsThePrivateProfileFunctionsDo) {
  constexpr std::string_view kText =
      "orphan=1\r\n"
      "[Project]\r\n"
      "Target = VM1X  \r\n"
      "\tComment=\t two words \t\r\n"
      "Quoted=\"  padded  \"\r\n"
      "Single='x'\r\n"
      "Mismatched=\"x'\r\n"
      "OneQuote=\"\r\n"
      "Empty=\r\n"
      "Equation=a=b=c\r\n"
      "my key = spaced\r\n"
      "; Hidden=1\r\n"
      "NoEquals\r\n"
      "Target=second\r\n"
      "[broken\r\n"
      "AfterBroken=still project\r\n"
      "[ Spaced Name ]\r\n"
      "k=v\r\n"
      "[project]\r\n"
      "Late=duplicate section\r\n";
  const GetCase cases[] = {
      {kText, "PROJECT", "target", "VM1X"},
      {kText, "Project", "Comment", "two words"},
      {kText, "Project", "Quoted", "  padded  "},
      {kText, "Project", "Single", "x"},
      {kText, "Project", "Mismatched", "\"x'"},
      {kText, "Project", "OneQuote", "\""},
      {kText, "Project", "Empty", ""},
      {kText, "Project", "Equation", "a=b=c"},
      {kText, "Project", "MY KEY", "spaced"},
      {kText, "Project", " Target ", "VM1X"},
      {kText, "Project", "; Hidden", std::nullopt},
      {kText, "Project", "NoEquals", std::nullopt},
      {kText, "Project", "AfterBroken", "still project"},
      {kText, "Project", "Late", std::nullopt},  // only the first section of a name counts
      {kText, "spaced name", "K", "v"},
      {kText, "", "orphan", std::nullopt},
      {kText, "Missing", "Target", std::nullopt},
      {"[A]\nk=lf file\n", "a", "k", "lf file"},
      {"[A]\nk=stray cr\r\n", "a", "k", "stray cr"},
      {"[A]\r\nk=no final eol", "a", "k", "no final eol"},
  };
  for (const GetCase& c : cases) {
    EXPECT_EQ(IniDocument::parse(c.text).get(c.section, c.key), c.expected)
        << c.section << "/" << c.key;
  }
}

struct EditCase {
  std::string_view name;
  std::string_view before;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view after;
};

TEST(IniDocument, SetChangesOnlyTheLinesItMust) {
  const EditCase cases[] = {
      {"replace keeps the rest", "; top\r\n[A]\r\nx=1\r\n; note\r\ny=2\r\n", "a", "X", "9",
       "; top\r\n[A]\r\nx=9\r\n; note\r\ny=2\r\n"},
      {"new key after the last key", "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\nz=3\r\n", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n\r\n; about B\r\n[B]\r\nz=3\r\n"},
      {"new key in empty section", "[A]\r\n[B]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n[B]\r\n"},
      {"new section at the end", "[A]\r\nx=1\r\n", "B", "k", "v",
       "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"no second blank line", "[A]\r\nx=1\r\n\r\n", "B", "k", "v",
       "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"new file uses CR LF", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"LF file stays LF", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"missing final line end", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"unchanged value keeps its blanks", "[A]\r\n  x =  1  \r\n", "A", "x", "1",
       "[A]\r\n  x =  1  \r\n"},
      {"line break in value is cut", "[A]\r\n", "A", "k", "one\r\nevil=1", "[A]\r\nk=one\r\n"},
      {"value kept verbatim", "[A]\r\n", "A", "k", " \"q\" ", "[A]\r\nk= \"q\" \r\n"},
      {"invalid section ignored", "[A]\r\n", "a]b", "k", "v", "[A]\r\n"},
      {"key with equals ignored", "[A]\r\n", "A", "k=x", "v", "[A]\r\n"},
      {"comment key ignored", "[A]\r\n", "A", ";k", "v", "[A]\r\n"},
      {"empty key ignored", "[A]\r\n", "A", " ", "v", "[A]\r\n"},
  };
  for (const EditCase& c : cases) {
    IniDocument doc = IniDocument::parse(c.before);
    doc.set(c.section, c.key, c.value);
    EXPECT_EQ(doc.serialize(), c.after) << c.name;
  }
}

TEST(IniDocument, SetValueReadsBack) {
  IniDocument doc;
  doc.set("Modules", "SRC_0", "CZ0P01V0.awl,1,Valve, left side");
  doc.set("modules", "src_0", "CZ0P01V0.awl,0,changed");
  EXPECT_EQ(doc.get("MODULES", "Src_0"), "CZ0P01V0.awl,0,changed");
  EXPECT_EQ(doc.keys("Modules"), std::vector<std::string>{"SRC_0"});
}

TEST(IniDocument, RemoveKeyAndSection) {
  constexpr std::string_view kText =
      "[A]\r\nx=1\r\n; keep\r\nX=dup\r\ny=2\r\n\r\n[B]\r\nx=3\r\n[a]\r\nx=4\r\nz=5\r\n";
  struct Case {
    std::string_view name;
    bool section;
    std::string_view sectionName;
    std::string_view key;
    bool removed;
    std::string_view after;
  };
  const Case cases[] = {
      {"key everywhere in its sections", false, "A", "x", true,
       "[A]\r\n; keep\r\ny=2\r\n\r\n[B]\r\nx=3\r\n[a]\r\nz=5\r\n"},
      {"missing key", false, "A", "nope", false, kText},
      {"missing section", false, "C", "x", false, kText},
      {"section with all duplicates", true, "a", "", true, "[B]\r\nx=3\r\n"},
      {"middle section", true, "B", "", true,
       "[A]\r\nx=1\r\n; keep\r\nX=dup\r\ny=2\r\n\r\n[a]\r\nx=4\r\nz=5\r\n"},
      {"absent section", true, "C", "", false, kText},
  };
  for (const Case& c : cases) {
    IniDocument doc = IniDocument::parse(kText);
    const bool removed =
        c.section ? doc.removeSection(c.sectionName) : doc.removeKey(c.sectionName, c.key);
    EXPECT_EQ(removed, c.removed) << c.name;
    EXPECT_EQ(doc.serialize(), c.after) << c.name;
  }
}

TEST(IniDocument, ListsSectionsAndKeysInFileOrderOnce) {
  const IniDocument doc = IniDocument::parse(
      "k0=orphan\n[Windows]\nProjectTree=1\n;c=2\nAllocList=3\nprojecttree=4\nbare\n"
      "[DOWNLOAD]\n[windows]\nIOConfig=5\n");
  EXPECT_EQ(doc.sections(), (std::vector<std::string>{"Windows", "DOWNLOAD"}));
  EXPECT_EQ(doc.keys("WINDOWS"), (std::vector<std::string>{"ProjectTree", "AllocList"}));
  EXPECT_TRUE(doc.keys("download").empty());
  EXPECT_TRUE(doc.keys("none").empty());
  EXPECT_TRUE(doc.hasSection("Download"));
  EXPECT_FALSE(doc.hasSection("none"));
}

TEST(IniDocument, LargeInputStaysFast) {
  std::string text;
  for (int i = 0; i < 100000; ++i)
    text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  text += std::string(2'000'000, 'x') + "=" + std::string(1'000'000, '\0') + "\n";
  IniDocument doc = IniDocument::parse(text);
  EXPECT_EQ(doc.sections().size(), 100000u);
  EXPECT_EQ(doc.get("s99999", "K"), "99999");
  doc.set("S50000", "new", "1");
  doc.removeSection("S7");
  EXPECT_EQ(doc.get("S50000", "new"), "1");
  EXPECT_FALSE(doc.hasSection("S7"));
}

class ProfileFile : public ::testing::Test {
 protected:
  TempDir m_dir;
  std::filesystem::path m_file = m_dir / "ZEL.INI";
};

TEST_F(ProfileFile, ReadsAreCutAtTheBufferSize) {
  const std::string longValue(300, 'v');
  ASSERT_TRUE(WriteProfileString(m_file, "PREFERENCES", "PROJECT_DIR", longValue));
  struct Case {
    std::size_t bufferSize;
    std::size_t length;
  };
  for (const Case c : {Case{kProfileBufferSize, 259}, Case{301, 300}, Case{500, 300}, Case{2, 1},
                       Case{1, 0}, Case{0, 0}}) {
    EXPECT_EQ(ReadProfileString(m_file, "Preferences", "project_dir", "", c.bufferSize),
              longValue.substr(0, c.length))
        << c.bufferSize;
  }
  EXPECT_EQ(ReadProfileString(m_file, "PREFERENCES", "MISSING", "default", 4), "def");
  EXPECT_EQ(ReadProfileString(m_dir / "none.ini", "A", "B", "fallback"), "fallback");
}

TEST_F(ProfileFile, DefaultsLoseTheirTrailingBlanks) {
  WriteText(m_file, "[A]\r\nblank=  \r\n");
  struct Case {
    std::string_view key;
    std::string_view def;
    std::string_view expected;
  };
  const Case cases[] = {
      {"missing", "VM1X  ", "VM1X"}, {"missing", "  lead", "  lead"}, {"missing", "   ", ""},
      {"missing", "tab\t", "tab\t"}, {"blank", "unused ", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileString(m_file, "A", c.key, c.def), c.expected) << c.def;
  }
}

TEST_F(ProfileFile, AFifoNamedLikeTheFileNeitherBlocksNorIsReplaced) {
  ASSERT_EQ(mkfifo(m_file.c_str(), 0600), 0);
  auto calls = std::async(std::launch::async, [this] {
    return std::pair(ReadProfileString(m_file, "A", "k", "def"),
                     WriteProfileString(m_file, "A", "k", "v"));
  });
  for (int i = 0; i < 10 && calls.wait_for(std::chrono::seconds(1)) != std::future_status::ready;
       ++i) {
    // A blocked open gets a writer that goes at once, so the test ends instead of hanging.
    ADD_FAILURE() << "opening the FIFO blocked";
    const int writer = open(m_file.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  const auto [read, written] = calls.get();
  EXPECT_EQ(read, "def");
  EXPECT_FALSE(written);
  struct stat st {};
  ASSERT_EQ(stat(m_file.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(ProfileFile, ReadsIntegersAsGetPrivateProfileInt) {
  struct Case {
    std::string_view value;
    long expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"-7", -7},
      {"+5", 5},
      {"  42abc", 42},
      {"975000000l", 975000000},
      {"\"13\"", 13},
      {"abc", -99},
      {"", -99},
      {"-", -99},
      {"0x10", 0},
      {"99999999999999999999", LONG_MAX},
      {"-99999999999999999999", LONG_MIN},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteProfileString(m_file, "S", "n", c.value));
    EXPECT_EQ(ReadProfileInt(m_file, "s", "N", -99), c.expected) << c.value;
  }
  EXPECT_EQ(ReadProfileInt(m_file, "S", "absent", 1000000), 1000000);
}

TEST_F(ProfileFile, FileIsFoundWithoutRegardToCase) {
  const std::filesystem::path lower = m_dir / "zel.ini";
  WriteText(lower, "; mine\n[Preferences]\nLANGUAGE=DE\n");
  EXPECT_EQ(ReadProfileString(m_file, "PREFERENCES", "LANGUAGE", ""), "DE");
  ASSERT_TRUE(WriteProfileString(m_file, "PREFERENCES", "LANGUAGE", "GB"));
  EXPECT_FALSE(std::filesystem::exists(m_file));
  EXPECT_EQ(ReadText(lower), "; mine\n[Preferences]\nLANGUAGE=GB\n");
}

TEST_F(ProfileFile, WritesKeepCommentsUnknownKeysAndOrder) {
  const std::string original =
      "; written by hand\r\n[PROJECT]\r\nCREATED=ZEL: today by me\r\nFUTURE_KEY=keep me\r\n"
      "TARGET=VM1X\r\n\r\n[UNKNOWN]\r\na=b\r\n";
  WriteText(m_file, original);
  ASSERT_TRUE(WriteProfileString(m_file, "project", "target", "RUD2"));
  ASSERT_TRUE(WriteProfileString(m_file, "PROJECT", "TIMESTAMP", "975000000l"));
  ASSERT_TRUE(RemoveProfileKey(m_file, "PROJECT", "CREATED"));
  EXPECT_EQ(ReadText(m_file),
            "; written by hand\r\n[PROJECT]\r\nFUTURE_KEY=keep me\r\nTARGET=RUD2\r\n"
            "TIMESTAMP=975000000l\r\n\r\n[UNKNOWN]\r\na=b\r\n");
  ASSERT_TRUE(RemoveProfileSection(m_file, "unknown"));
  EXPECT_EQ(ProfileSections(m_file), std::vector<std::string>{"PROJECT"});
  EXPECT_EQ(ProfileKeys(m_file, "Project"),
            (std::vector<std::string>{"FUTURE_KEY", "TARGET", "TIMESTAMP"}));
}

TEST_F(ProfileFile, RemovingFromAMissingFileCreatesNothing) {
  EXPECT_TRUE(RemoveProfileKey(m_file, "A", "b"));
  EXPECT_TRUE(RemoveProfileSection(m_file, "A"));
  EXPECT_FALSE(std::filesystem::exists(m_file));
  EXPECT_TRUE(ProfileSections(m_file).empty());
}

TEST_F(ProfileFile, InvalidNamesAreRefused) {
  EXPECT_FALSE(WriteProfileString(m_file, "", "k", "v"));
  EXPECT_FALSE(WriteProfileString(m_file, "A", "k=1", "v"));
  EXPECT_FALSE(std::filesystem::exists(m_file));
}

TEST_F(ProfileFile, FailedWriteLeavesTheOldFile) {
  const std::filesystem::path notADir = m_dir / "plain";
  WriteText(notADir, "x");
  EXPECT_FALSE(WriteProfileString(notADir / "Project.FW4", "A", "k", "v"));

  // A profile "file" that cannot be read (here a directory) is never replaced.
  const std::filesystem::path dirNamedLikeFile = m_dir / "Dir.ini";
  std::filesystem::create_directory(dirNamedLikeFile);
  EXPECT_FALSE(WriteProfileString(dirNamedLikeFile, "A", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(dirNamedLikeFile));

  // The disk "fills up" while the new file is written: even root cannot pass a file
  // size limit.
  const std::string original = "[A]\r\nk=old\r\n";
  WriteText(m_file, original);
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteProfileString(m_file, "A", "k", std::string(1000, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadText(m_file), original);
  EXPECT_EQ(ListDirectory(m_dir.path()).size(), 3u) << "a temporary file was left behind";
}

TEST_F(ProfileFile, ConcurrentWritersLoseNothing) {
  constexpr int kThreads = 4;
  constexpr int kKeys = 15;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([this, t] {
      for (int k = 0; k < kKeys; ++k) {
        WriteProfileString(m_file, "S" + std::to_string(t), "K" + std::to_string(k), "v");
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(ProfileKeys(m_file, "S" + std::to_string(t)).size(), std::size_t{kKeys});
  }
}

TEST_F(ProfileFile, WriteKeepsModeAndSymbolicLink) {
  const std::filesystem::path real = m_dir / "real.ini";
  WriteText(real, "[A]\nk=1\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  const std::filesystem::path link = m_dir / "link.ini";
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(WriteProfileString(link, "A", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(real), "[A]\nk=2\n");
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace zel::platform

namespace zel::platform {
namespace {

TEST(ReplaceProfileSection, RewritesTheWholeSectionInOneStep) {
  TempDir dir;
  const auto file = dir / "Project.FW4";
  dir.writeFile("Project.FW4",
                "[PROJECT]\r\nTARGET=VM1X\r\n\r\n[MODULES]\r\nSRC_0=a\r\nSRC_1=b\r\nSRC_2=c\r\n"
                "\r\n[modules]\r\nSRC_3=stale\r\n\r\n[WINDOWS]\r\nAllocList=1\r\n");
  ASSERT_TRUE(ReplaceProfileSection(file, "Modules", {{"SRC_0", "x"}, {"SRC_1", "y"}}));
  EXPECT_EQ(dir.readFile("Project.FW4"),
            "[PROJECT]\r\nTARGET=VM1X\r\n\r\n[WINDOWS]\r\nAllocList=1\r\n\r\n"
            "[Modules]\r\nSRC_0=x\r\nSRC_1=y\r\n");

  ASSERT_TRUE(ReplaceProfileSection(file, "MODULES", {}));
  EXPECT_TRUE(ProfileKeys(file, "MODULES").empty());
  EXPECT_EQ(ReadProfileString(file, "WINDOWS", "AllocList", ""), "1");
}

TEST(ReplaceProfileSection, RefusesBadKeysWithoutTouchingTheFile) {
  TempDir dir;
  dir.writeFile("ZEL.INI", "[MODULES]\nSRC_0=a\n");
  for (const ProfileEntries& bad : {ProfileEntries{{"SRC_0", "x"}, {"A=B", "y"}},
                                    ProfileEntries{{"", "x"}}, ProfileEntries{{"[X", "y"}}}) {
    EXPECT_FALSE(ReplaceProfileSection(dir / "ZEL.INI", "MODULES", bad));
    EXPECT_EQ(dir.readFile("ZEL.INI"), "[MODULES]\nSRC_0=a\n");
  }
  EXPECT_FALSE(ReplaceProfileSection(dir / "ZEL.INI", "A]B", {{"K", "v"}}));
}

}  // namespace
}  // namespace zel::platform

namespace zel::platform {
namespace {

// Found by fuzzing: once the lines before it went, a CR LF line of an LF-style file became
// the first line end and switched the whole file to CR LF on the next read.
TEST(IniDocument, RemovingTheFirstLinesKeepsTheStyleStable) {
  for (const std::string_view text : {"[A]\nx=1\n[B]\r\ny=2\n", "[A]\nx=1\n[B]\r\r\r\ny=2\n"}) {
    IniDocument doc = IniDocument::parse(text);
    doc.removeSection("A");
    const std::string after = doc.serialize();
    EXPECT_EQ(after, "[B]\ny=2\n");
    EXPECT_EQ(IniDocument::parse(after).serialize(), after);
  }
  // Nor does a line added after a last line ending in CR change the style.
  IniDocument doc = IniDocument::parse("[A]\nx=1\r");
  doc.set("A", "y", "2");
  const std::string after = doc.serialize();
  EXPECT_EQ(after, "[A]\nx=1\ny=2\n");
  EXPECT_EQ(IniDocument::parse(after).serialize(), after);
}

}  // namespace
}  // namespace zel::platform
