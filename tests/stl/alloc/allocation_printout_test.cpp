#include "stl/alloc/allocation_printout.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

TEST(AllocationPrintout, RowsInTheViewsFirstOrderUnderAlignedColumns) {
  AllocationList list;
  const char* rows[][3] = {{"F0.0", "RUNNING", "Plant running"},
                           {"I0.1", "STOP", ""},
                           {"O0.0", "PUMP1", "Pump 1 contactor"},
                           {"FW10", "", "Level set point"},
                           {"I0.0", "START", "Start button"}};
  for (const auto& row : rows) list.append({*ParseDisplayOperand(row[0]), row[1], row[2]});
  EXPECT_EQ(AllocationPrintRows(list), (std::vector<std::string>{
                                           "O0.0       PUMP1      Pump 1 contactor",
                                           "I0.0       START      Start button",
                                           "I0.1       STOP",
                                           "F0.0       RUNNING    Plant running",
                                           "FW10                  Level set point",
                                       }));
  const std::string columns = AllocationPrintColumns();
  EXPECT_EQ(columns.find("Symbol"), 11u);
  EXPECT_EQ(columns.find("Comment"), 22u);
  EXPECT_TRUE(AllocationPrintRows(AllocationList{}).empty());
}

TEST(AllocationPrintout, ShowsTheDisplayNotation) {
  AllocationList list;
  list.append({*ParseDisplayOperand("o1.2"), "LAMP", ""});
  // What the user typed and reads everywhere else, not the stored "A1.2".
  EXPECT_EQ(AllocationPrintRows(list), std::vector<std::string>{"O1.2       LAMP"});
}

}  // namespace
}  // namespace zel::stl
