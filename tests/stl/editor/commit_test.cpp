// Committing an edited line: the stored result, the lines shown instead, the message for
// what could not be converted and the entries offered to the allocation list.

#include "stl/editor/commit.h"

#include <gtest/gtest.h>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {
namespace {

using Lines = std::vector<std::string>;

class StlCommit : public ::testing::Test {
 protected:
  StlCommit() {
    Add("O0.0", "PUMP", "Main pump");
    Add("I0.0", "", "");
    m_context.allocationList = &m_list;
  }
  void Add(std::string_view operand, std::string symbol, std::string comment) {
    m_list.append({*ParseDisplayOperand(operand), std::move(symbol), std::move(comment)});
  }

  AllocationList m_list;
  ConversionContext m_context;
};

TEST_F(StlCommit, ReplacesTheLineWithTheConvertedLines) {
  const CommitResult result = CommitLine("if i0.0 then set o0.0", m_context, false);
  EXPECT_EQ(result.storedLines, (Lines{"wE0.0", "dsA0.0"}));
  EXPECT_EQ(result.displayLines,
            (Lines{" IF                   I0.0",
                   " THEN  SET            O0.0" + std::string(11, ' ') + "'Main pump"}));
  EXPECT_FALSE(result.failureMessage);
  EXPECT_EQ(result.offers, std::vector<AllocationOffer>(2));
}

TEST_F(StlCommit, AnUnconvertibleLineIsKeptAndNamesTheRejectedPart) {
  const CommitResult result = CommitLine("IF I0.0 THEN SET #5", m_context, true);
  EXPECT_EQ(result.storedLines, Lines{"?IF I0.0 THEN SET #5"});
  EXPECT_EQ(result.displayLines, Lines{"IF I0.0 THEN SET #5"});
  EXPECT_EQ(result.failureMessage, "'#5'\n\nUnknown instruction");
  EXPECT_EQ(result.offers, std::vector<AllocationOffer>(1));
}

TEST_F(StlCommit, OffersUnknownSymbolsFirstThenUnknownOperandsOncePerLine) {
  const CommitResult result =
      CommitLine("IF Start AND I0.1 AND I0.0 THEN SET pump SET O0.1 SET Start", m_context, true);
  EXPECT_EQ(result.storedLines,
            (Lines{"w:Start;", "uE0.1", "uE0.0", "ds:pump;", "sA0.1", "s:Start;"}));
  EXPECT_EQ(result.offers, (std::vector<AllocationOffer>{{OfferKind::Symbol, "Start"},
                                                         {OfferKind::Operand, "I0.1"},
                                                         {},
                                                         {},
                                                         {OfferKind::Operand, "O0.1"},
                                                         {}}));
}

// Two operands in a row are a mistake, not two symbols to enter: only the first is offered.
// A line broken before a keyword still offers its own.
TEST_F(StlCommit, AnOperandBrokenOffTheLineBeforeIsNotOffered) {
  const CommitResult twoInARow = CommitLine("if foo bar", m_context, true);
  EXPECT_EQ(twoInARow.storedLines, (Lines{"w:foo;", ":bar;"}));
  EXPECT_EQ(twoInARow.offers, (std::vector<AllocationOffer>{{OfferKind::Symbol, "foo"}, {}}));
  EXPECT_EQ(CommitLine("if foo then set bar", m_context, true).offers,
            (std::vector<AllocationOffer>{{OfferKind::Symbol, "foo"}, {OfferKind::Symbol, "bar"}}));
  EXPECT_EQ(CommitLine("if I0.0 (I0.7)", m_context, true).offers,
            (std::vector<AllocationOffer>{{}, {}}));
  // Alone on its line an operand may go on the sentence of the line above.
  EXPECT_EQ(CommitLine("bar", m_context, true).offers,
            (std::vector<AllocationOffer>{{OfferKind::Symbol, "bar"}}));
}

TEST_F(StlCommit, NoOffersWithoutThePreferenceOrWithoutAList) {
  EXPECT_EQ(CommitLine("SET O7.0", m_context, false).offers, std::vector<AllocationOffer>(1));
  EXPECT_EQ(CommitLine("SET O7.0", ConversionContext{}, true).offers,
            std::vector<AllocationOffer>(1));
  EXPECT_EQ(CommitLine("SET O7.0", m_context, true).offers,
            (std::vector<AllocationOffer>{{OfferKind::Operand, "O7.0"}}));
}

TEST(StlCommitCaret, KeepsTheDistanceFromTheLineEnd) {
  EXPECT_EQ(CaretAfterCommit(20, 20, 50), 50u);
  EXPECT_EQ(CaretAfterCommit(20, 15, 50), 45u);
  EXPECT_EQ(CaretAfterCommit(20, 0, 10), 0u);
  EXPECT_EQ(CaretAfterCommit(20, 30, 10), 10u);
}

}  // namespace
}  // namespace zel::stl
