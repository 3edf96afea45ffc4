// Whole program files: loading into display text with the lines reported as invalid, and
// saving the display text back.

#include "stl/editor/document.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

using Lines = std::vector<std::string>;

TEST(StlDocument, LoadsCrLfAndLoneLfLinesAndReportsLoneCrAndLeftovers) {
  const LoadedDocument doc =
      LoadDocument("#S1;\r\nwE0.0\nsX9\r\n\"\" note\rdsA0.0\r\r\n", ConversionContext{});
  EXPECT_EQ(doc.lines, (Lines{"STEP S1", " IF                   I0.0", "       SET ????? X9",
                              "\"\" note", " THEN  SET            O0.0", ""}));
  EXPECT_EQ(doc.invalidLines, (std::vector<int>{3, 4, 5}));
  EXPECT_FALSE(doc.outOfMemory);
}

TEST(StlDocument, EmptyFileAndFinalLineWithoutBreak) {
  EXPECT_TRUE(LoadDocument("", {}).lines.empty());
  const LoadedDocument doc = LoadDocument("a\r\n\r\nf", {});
  EXPECT_EQ(doc.lines, (Lines{"                      NOP", "", " OTHRW"}));
  EXPECT_TRUE(doc.invalidLines.empty());
  const LoadedDocument crAtEnd = LoadDocument("a\r", {});
  EXPECT_EQ(crAtEnd.invalidLines, std::vector<int>{1});
}

TEST(StlDocument, InvalidLineMessage) {
  EXPECT_EQ(InvalidFileFormatMessage(12), "Invalid file format (Line 12).");
}

TEST(StlDocument, SavesEveryLineWithCrLfAndKeepsUnconvertibleLinesAsTyped) {
  const SavedDocument saved =
      SaveDocument("STEP S1\r\n if i0.0 then set o0.0\n\nSET Q$1\rWITH 2s\r\n");
  EXPECT_EQ(saved.storedText, "#S1;\r\nwE0.0\r\ndsA0.0\r\n\r\n?SET Q$1\r\nm2\r\n");
  ASSERT_EQ(saved.rejected.size(), 1u);
  EXPECT_EQ(saved.rejected[0].line, 4);
  EXPECT_EQ(saved.rejected[0].rejected, "Q$1");
  EXPECT_EQ(SaveDocument("").storedText, "");
}

TEST(StlDocument, LoadThenSaveKeepsAFileTheEditorWrote) {
  const std::string file =
      "\"\" Conveyor\r\n#S1;\r\nwE0.0\r\nunE0.1\r\ndsA0.0\"run\r\nsT1\r\nm2.5\r\n"
      "fbS1;\r\n?IF $$$\r\n";
  for (bool useElse : {false, true}) {
    ConversionContext context;
    context.elseForOtherwise = useElse;
    const LoadedDocument doc = LoadDocument(file, context);
    EXPECT_TRUE(doc.invalidLines.empty()) << useElse;
    std::string display;
    for (const auto& line : doc.lines) display += line + "\r\n";
    EXPECT_EQ(SaveDocument(display).storedText, file) << useElse;
  }
}

}  // namespace
}  // namespace zel::stl
