#include "platform/atoms.h"

#include <gtest/gtest.h>

#include <set>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace zel::platform {

// Test runners list a case by its printed value: the table's name, not its bytes.
void PrintTo(AtomTable table, std::ostream* out) {
  *out << (table == AtomTable::Global ? "Global" : "Local");
}

namespace {

// Both tables behave alike; every case runs on each and leaves it empty.
class AtomsTest : public ::testing::TestWithParam<AtomTable> {
 protected:
  void SetUp() override { ASSERT_EQ(AtomCount(table()), 0u); }
  void TearDown() override { EXPECT_EQ(AtomCount(table()), 0u); }
  AtomTable table() const { return GetParam(); }
};

TEST_P(AtomsTest, SameTextGivesSameAtomUntilTheLastDelete) {
  const Atom first = AddAtom(table(), "Download complete");
  ASSERT_NE(first, 0);
  EXPECT_GE(first, 0xC000);
  EXPECT_EQ(AddAtom(table(), "Download complete"), first);
  EXPECT_EQ(AtomCount(table()), 1u);

  EXPECT_TRUE(DeleteAtom(table(), first));
  EXPECT_EQ(AtomName(table(), first), "Download complete");  // one reference left
  EXPECT_TRUE(DeleteAtom(table(), first));
  EXPECT_EQ(AtomName(table(), first), "");
  EXPECT_FALSE(DeleteAtom(table(), first));
  EXPECT_EQ(AtomCount(table()), 0u);
}

TEST_P(AtomsTest, NamesMatchWithRegardToCaseAndBlanks) {
  const std::vector<std::string> texts = {"INFO: ok", "info: ok", "INFO: OK", "INFO: ok ", " "};
  std::set<Atom> atoms;
  for (const std::string& text : texts) {
    const Atom atom = AddAtom(table(), text);
    ASSERT_NE(atom, 0) << text;
    EXPECT_EQ(AtomName(table(), atom), text);
    atoms.insert(atom);
  }
  EXPECT_EQ(atoms.size(), texts.size());
  for (Atom atom : atoms) {
    EXPECT_TRUE(DeleteAtom(table(), atom));
  }
}

TEST_P(AtomsTest, LengthLimits) {
  struct Case {
    std::size_t length;
    bool accepted;
  };
  for (const Case& c : {Case{0, false}, Case{1, true}, Case{kAtomMaxLength, true},
                        Case{kAtomMaxLength + 1, false}, Case{1000, false}}) {
    const std::string text(c.length, 'x');
    const Atom atom = AddAtom(table(), text);
    EXPECT_EQ(atom != 0, c.accepted) << c.length;
    if (atom != 0) {
      EXPECT_EQ(AtomName(table(), atom), text);
      EXPECT_TRUE(DeleteAtom(table(), atom));
    }
  }
}

TEST_P(AtomsTest, NameIsCutToTheBuffer) {
  const std::string text(kAtomMaxLength, 'a');
  const Atom atom = AddAtom(table(), text);
  ASSERT_NE(atom, 0);
  struct Case {
    std::size_t bufferSize;
    std::size_t expectedLength;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 0}, Case{2, 1}, Case{100, 99}, Case{255, 254},
                        Case{256, 255}, Case{261, 255}}) {
    EXPECT_EQ(AtomName(table(), atom, c.bufferSize), text.substr(0, c.expectedLength))
        << c.bufferSize;
  }
  EXPECT_EQ(AtomName(table(), atom), text);
  EXPECT_TRUE(DeleteAtom(table(), atom));
}

TEST_P(AtomsTest, UnknownAtomsHaveNoNameAndCannotBeDeleted) {
  for (Atom atom : {Atom{0}, Atom{1}, Atom{0xBFFF}, Atom{0xC000}, Atom{0xFFFF}}) {
    EXPECT_EQ(AtomName(table(), atom), "") << atom;
    EXPECT_FALSE(DeleteAtom(table(), atom)) << atom;
  }
}

TEST_P(AtomsTest, FullTableGivesZeroAndAFreedHandleIsUsedAgain) {
  std::vector<Atom> atoms;
  for (int i = 0;; ++i) {
    const Atom atom = AddAtom(table(), "text " + std::to_string(i));
    if (atom == 0) {
      break;
    }
    atoms.push_back(atom);
  }
  EXPECT_EQ(atoms.size(), 0x4000u);  // 0xC000 to 0xFFFF
  EXPECT_EQ(std::set<Atom>(atoms.begin(), atoms.end()).size(), atoms.size());
  EXPECT_EQ(AddAtom(table(), "text 5"), atoms[5]);  // present texts still count up
  EXPECT_TRUE(DeleteAtom(table(), atoms[5]));

  EXPECT_TRUE(DeleteAtom(table(), atoms[100]));
  const Atom again = AddAtom(table(), "one more");
  EXPECT_EQ(again, atoms[100]);
  EXPECT_EQ(AtomName(table(), again), "one more");
  atoms[100] = again;
  for (Atom atom : atoms) {
    ASSERT_TRUE(DeleteAtom(table(), atom));
  }
}

TEST_P(AtomsTest, ConcurrentAddAndDeleteLeaveNothingBehind) {
  constexpr int kThreads = 6;
  constexpr int kRounds = 3000;
  std::vector<std::thread> threads;
  std::vector<int> mismatches(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t, &mismatches] {
      for (int i = 0; i < kRounds; ++i) {
        // Shared texts race on the reference count, private ones on the handles.
        const std::string text = (i % 2 == 0)
                                     ? "shared " + std::to_string(i % 7)
                                     : "own " + std::to_string(t) + " " + std::to_string(i);
        const Atom atom = AddAtom(table(), text);
        if (atom == 0 || AtomName(table(), atom) != text || !DeleteAtom(table(), atom)) {
          ++mismatches[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(mismatches, std::vector<int>(kThreads, 0));
  EXPECT_EQ(AtomCount(table()), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothTables, AtomsTest,
                         ::testing::Values(AtomTable::Global, AtomTable::Local),
                         [](const ::testing::TestParamInfo<AtomTable>& info) {
                           return info.param == AtomTable::Global ? "Global" : "Local";
                         });

TEST(AtomTables, AreSeparate) {
  const Atom global = AddAtom(AtomTable::Global, "only global");
  ASSERT_NE(global, 0);
  EXPECT_EQ(AtomCount(AtomTable::Local), 0u);
  EXPECT_EQ(AtomName(AtomTable::Local, global), "");
  EXPECT_FALSE(DeleteAtom(AtomTable::Local, global));
  EXPECT_TRUE(DeleteAtom(AtomTable::Global, global));
}

}  // namespace
}  // namespace zel::platform
