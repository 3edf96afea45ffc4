#include "archive/entry_path.h"

#include <gtest/gtest.h>

namespace zel::archive {
namespace {

TEST(EntryPath, KeepsEveryNameInsideItsDirectory) {
  struct Case {
    const char* stored;
    const char* joined;  // nullptr: refused
    bool directory;
  };
  const Case cases[] = {
      {"Project.FW4", "Project.FW4", false},
      {"sub/a.awl", "sub/a.awl", false},
      {"sub\\a.awl", "sub/a.awl", false},
      {"./sub//a.awl", "sub/a.awl", false},
      {"sub/", "sub", true},
      {"sub\\", "sub", true},
      {"a..b", "a..b", false},  // dots inside a name are a name
      {"..", nullptr, false},
      {"../a", nullptr, false},
      {"sub/../../a", nullptr, false},
      {"sub\\..\\..\\a", nullptr, false},
      {"sub/..", nullptr, false},
      {"/etc/passwd", nullptr, false},
      {"\\etc\\passwd", nullptr, false},
      {"C:\\a.txt", nullptr, false},
      {"c:a.txt", nullptr, false},
      {"C:/a.txt", nullptr, false},
      {"", nullptr, false},
      {".", nullptr, false},
      {"a\nb", nullptr, false},
  };
  for (const Case& c : cases) {
    const auto path = ParseEntryPath(c.stored);
    if (!c.joined) {
      EXPECT_FALSE(path) << c.stored;
      continue;
    }
    ASSERT_TRUE(path) << c.stored;
    EXPECT_EQ(JoinEntryPath(path->parts), c.joined) << c.stored;
    EXPECT_EQ(path->directory, c.directory) << c.stored;
  }
}

}  // namespace
}  // namespace zel::archive
