#include "library/io_documentation.h"

#include <gtest/gtest.h>

#include "library/test_io_module.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

TEST(IoDocumentation, OneAlignedRowPerStoredEntry) {
  const IoModuleList modules(
      {testing::TestModule("DI16.IOD", "Digital Input 16", 2, 0, 2, 0, {0x300}),
       testing::TestModule("AO2.IOD", "Analogue Output 2x12 Bit", 0, 4, 0, 4, {0x310, 0x320})});
  const auto rows = IoDocumentationRows(
      {"di16.iod,0,1,0", "AO2.IOD, 1, 0, 12", "GONE.IOD,3,4,5", "nonsense"}, modules);
  const std::string columns = IoDocumentationColumns();
  EXPECT_EQ(columns, "IO Module                      Switch   IW   OW  IW size  OW size");
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "Digital Input 16                    0    1    0        2        0",
                      "Analogue Output 2x12 Bit            1    0   12        0        4",
                      "GONE.IOD (not installed)            3    4    5        ?        ?",
                      "Invalid IO entry: 'nonsense'",
                  }));
  // Every number column ends where its heading ends.
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i].size(), columns.size()) << i;
}

TEST(IoDocumentation, ALongNameShiftsItsRowRatherThanLosingText) {
  const std::string name(40, 'N');
  const IoModuleList modules({testing::TestModule("X.IOD", name, 2, 2, 0, 0, {0x300})});
  const auto rows = IoDocumentationRows({"X.IOD,0,0,0"}, modules);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].rfind(name, 0), 0u);
  EXPECT_EQ(rows[0].size(), name.size() + IoDocumentationColumns().size() - 30);
}

TEST(IoDocumentation, ReadsTheTypesSection) {
  test::TempDir dir;
  dir.writeFile("Project.FW4",
                "[VM1X_IO]\r\nIO_0=VM1X.IOD,0,0,0\r\nIO_1=DI16.IOD,0,1,0\r\n"
                "[RUD_IO]\r\nIO_0=RUD.IOD,0,0,0\r\n");
  const app::ProjectFile file(dir / "Project.FW4");
  EXPECT_EQ(StoredIoEntries(file, "VM1X"),
            (std::vector<std::string>{"VM1X.IOD,0,0,0", "DI16.IOD,0,1,0"}));
  EXPECT_EQ(StoredIoEntries(file, "VM2X"), std::vector<std::string>{});
}

}  // namespace
}  // namespace zel::library
