// Machine code of one-bit and word expressions.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "test_support.h"

namespace zel::stl::code::test {
namespace {

struct Case {
  const char* name;
  std::function<NodeId(Tree&)> expression;  // loaded by a LOAD statement
  Expect code;
};

void ExpectBodies(const std::vector<Case>& cases, std::optional<std::string> fieldbus = {}) {
  for (const Case& c : cases) {
    Tree t;
    const NodeId root = t.load(c.expression(t));
    const Outcome run = TranslateOne(t, root, "CZ0P05V1", fieldbus);
    SCOPED_TRACE(c.name);
    // Every case is compared, so one run names all the expressions whose code changed.
    if (run.stop) {
      ADD_FAILURE() << "stopped: " << run.stop->text;
      continue;
    }
    EXPECT_TRUE(run.faults.empty()) << run.faults.front().text;
    EXPECT_EQ(run.body, c.code.resolved(c.code.size()));
  }
}

// Readers of the operands the tables use.
Expect E00() {
  return Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x01});
}
Expect Mw7() {
  return Expect().b({0x8B, 0x84, 0x0E, 0x04});
}
Expect R3() {
  return Expect().b({0x8B, 0x84, 0x26, 0x52});
}

TEST(CodeBits, OperandReads) {
  const std::vector<Case> cases = {
      {"E0.3", [](Tree& t) { return t.operand("E", 0, 3); },
       Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x08})},
      {"N A1.9", [](Tree& t) { return t.node(Op::BitNot, {t.operand("A", 1, 9)}); },
       Expect().b({0x8A, 0x84, 0x03, 0x02, 0xF6, 0xD0, 0x24, 0x02})},
      {"M10.15", [](Tree& t) { return t.operand("M", 10, 15); },
       Expect().b({0x8A, 0x84, 0x15, 0x04, 0x24, 0x80})},
      {"Z3", [](Tree& t) { return t.operand("Z", 3); },
       Expect().b({0x8A, 0x84, 0x32, 0x54, 0x24, 0x01})},
      {"P5", [](Tree& t) { return t.operand("P", 5); },
       Expect().b({0x8A, 0x84, 0x2A, 0x5A, 0x24, 0x02})},
      {"PS5", [](Tree& t) { return t.operand("PS", 5); },
       Expect().b({0x8A, 0x84, 0x2A, 0x5A, 0x24, 0x01})},
      {"TA2", [](Tree& t) { return t.operand("TA", 2); },
       Expect().b({0x8A, 0x84, 0xB4, 0x5A, 0x24, 0x01})},
      {"F", [](Tree& t) { return t.operand("F"); }, Expect().b({0x83, 0xBC, 0xA0, 0x64, 0x00})},
      {"N F", [](Tree& t) { return t.node(Op::BitNot, {t.operand("F")}); },
       Expect().b({0x83, 0xBC, 0xA0, 0x64, 0x00, 0x9F, 0x80, 0xF4, 0x40})},
      {"S", [](Tree& t) { return t.operand("S"); },
       Expect().b({0x26, 0xFF, 0x5D, 0x3C, 0xC4, 0x7E, 0xFC, 0x85, 0xC0})},
      {"N S", [](Tree& t) { return t.node(Op::BitNot, {t.operand("S")}); },
       Expect().b({0x26, 0xFF, 0x5D, 0x3C, 0xC4, 0x7E, 0xFC, 0x85, 0xC0, 0x9F, 0x80, 0xF4, 0x40})},
  };
  ExpectBodies(cases);
}

TEST(CodeBits, Combinations) {
  auto e = [](Tree& t, int bit) { return t.operand("E", 0, bit); };
  const Expect orTail = Expect().b({0x74, 0x02, 0x30, 0xE4});
  const Expect andTail = Expect().b({0x75, 0x02, 0xB4, 0x40});
  const Expect e01 = Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x02});
  const Expect e02 = Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x04});
  const std::vector<Case> cases = {
      {"AND",
       [&](Tree& t) {
         return t.node(Op::BitAnd, {e(t, 0), t.operand("M", 1, 1)});
       },
       E00().b({0x9F, 0x8A, 0x84, 0x02, 0x04, 0x24, 0x02}).add(andTail)},
      {"OR",
       [&](Tree& t) {
         return t.node(Op::BitOr, {e(t, 0), e(t, 1)});
       },
       E00().b({0x9F}).add(e01).add(orTail)},
      {"EXOR",
       [&](Tree& t) {
         return t.node(Op::BitExor, {e(t, 0), e(t, 1)});
       },
       E00().b({0x9F}).add(e01).b({0x88, 0xE0, 0x9F, 0x30, 0xC4, 0xF6, 0xD4})},
      {"AND N bracket",
       [&](Tree& t) {
         const NodeId inner = t.node(Op::BitOr, {e(t, 1), e(t, 2)});
         return t.node(Op::BitAnd, {e(t, 0), t.node(Op::BitNot, {inner})});
       },
       E00()
           .b({0x9F, 0x50})
           .add(e01)
           .b({0x9F})
           .add(e02)
           .add(orTail)
           .b({0x80, 0xF4, 0x40, 0x9E, 0x58})
           .add(andTail)},
      {"AND FI",
       [&](Tree& t) {
         return t.node(Op::BitAnd, {e(t, 0), t.operand("S")});
       },
       E00()
           .b({0x9F, 0x50, 0x26, 0xFF, 0x5D, 0x3C, 0xC4, 0x7E, 0xFC, 0x85, 0xC0, 0x58})
           .add(andTail)},
      {"OR E without save",
       [&](Tree& t) {
         return t.node(Op::BitOr, {e(t, 0), t.operand("F")});
       },
       E00().b({0x9F, 0x83, 0xBC, 0xA0, 0x64, 0x00}).add(orTail)},
      {"AND N E saved",
       [&](Tree& t) {
         return t.node(Op::BitAnd, {e(t, 0), t.node(Op::BitNot, {t.operand("F")})});
       },
       E00()
           .b({0x9F, 0x50, 0x83, 0xBC, 0xA0, 0x64, 0x00, 0x9F, 0x80, 0xF4, 0x40, 0x9E, 0x58})
           .add(andTail)},
      {"bracket AND bracket",
       [&](Tree& t) {
         const NodeId left = t.node(Op::BitOr, {e(t, 0), e(t, 1)});
         const NodeId right = t.node(Op::BitOr, {e(t, 2), e(t, 3)});
         return t.node(Op::BitAnd, {left, right});
       },
       E00()
           .b({0x9F})
           .add(e01)
           .add(orTail)
           .b({0x50})
           .add(e02)
           .b({0x9F, 0x8A, 0x84, 0x00, 0x00, 0x24, 0x08})
           .add(orTail)
           .b({0x9E, 0x58})
           .add(andTail)},
      {"AND comparison",
       [&](Tree& t) {
         const NodeId less = t.node(Op::Less, {t.operand("MW", 7), t.constant(5)});
         return t.node(Op::BitAnd, {e(t, 0), less});
       },
       E00()
           .b({0x9F, 0x50})
           .add(Mw7())
           .b({0x93, 0xB8, 0x05, 0x00, 0x39, 0xD8, 0x77, 0x04, 0xB4, 0x40, 0xEB, 0x02, 0x30, 0xE4,
               0x9E, 0x58})
           .add(andTail)},
      {"N of a comparison in the zero flag",
       [&](Tree& t) {
         const NodeId ne = t.node(Op::NotEqual, {t.operand("MW", 7), t.operand("R", 3)});
         return t.node(Op::BitNot, {ne});
       },
       Mw7().b({0x93}).add(R3()).b({0x29, 0xD8, 0x9F, 0x80, 0xF4, 0x40})},
  };
  ExpectBodies(cases);
}

TEST(CodeBits, Comparisons) {
  struct Row {
    Op op;
    Expect tail;
  };
  auto ordered = [](std::uint8_t jump) {
    return Expect().b({0x39, 0xD8, jump, 0x04, 0xB4, 0x40, 0xEB, 0x02, 0x30, 0xE4});
  };
  const Row rows[] = {
      {Op::Less, ordered(0x77)},
      {Op::Greater, ordered(0x72)},
      {Op::LessEqual, ordered(0x73)},
      {Op::GreaterEqual, ordered(0x76)},
      {Op::NotEqual, Expect().b({0x29, 0xD8})},
      {Op::Equal, Expect().b({0x29, 0xD8, 0x9F, 0x80, 0xF4, 0x40})},
  };
  for (const Row& row : rows) {
    const Op op = row.op;
    const std::vector<Case> cases = {
        {"plain",
         [op](Tree& t) {
           return t.node(op, {t.operand("MW", 7), t.operand("R", 3)});
         },
         Mw7().b({0x93}).add(R3()).add(row.tail)},
        {"constant",
         [op](Tree& t) {
           return t.node(op, {t.operand("MW", 7), t.constant(-2)});
         },
         Mw7().b({0x93, 0xB8, 0xFE, 0xFF}).add(row.tail)},
        {"computed",
         [op](Tree& t) {
           const NodeId right = t.node(Op::Add, {t.operand("R", 3), t.constant(1)});
           return t.node(op, {t.operand("MW", 7), right});
         },
         Mw7().b({0x50}).add(R3()).b({0x05, 0x01, 0x00, 0x5B}).add(row.tail)},
    };
    SCOPED_TRACE(static_cast<int>(op));
    ExpectBodies(cases);
  }
}

Expect DivideTail() {
  return Expect()
      .b({0x83, 0xFB, 0x00, 0x75, 0x0E, 0xB8, 0x22, 0x00, 0x50, 0x26, 0xFF, 0x5D, 0x44, 0xC4, 0x7E,
          0xFC})
      .exit()
      .b({0x83, 0xFB, 0xFF, 0x75, 0x04, 0xF7, 0xD8, 0xEB, 0x03, 0x99, 0xF7, 0xFB});
}

TEST(CodeWords, BinaryOperations) {
  struct Row {
    Op op;
    Expect plain, constant, computed;
  };
  const Expect shlR3 = Expect().b({0x50}).add(R3()).b({0xD1, 0xE0});
  auto simple = [&](Op op, std::uint8_t plain, std::uint8_t constant, std::uint8_t computed) {
    Expect c = Expect().add(shlR3).b({0x5B, computed, 0xD8});
    if (op == Op::Subtract) c.b({0xF7, 0xD8});
    return Row{op, Expect().b({plain, 0x84, 0x26, 0x52}), Expect().b({constant, 0x34, 0x12}), c};
  };
  const Row rows[] = {
      simple(Op::Add, 0x03, 0x05, 0x01),
      simple(Op::Subtract, 0x2B, 0x2D, 0x29),
      simple(Op::WordOr, 0x0B, 0x0D, 0x09),
      simple(Op::WordAnd, 0x23, 0x25, 0x21),
      simple(Op::WordExor, 0x33, 0x35, 0x31),
      {Op::Multiply, Expect().b({0xF7, 0xAC, 0x26, 0x52}),
       Expect().b({0xBB, 0x34, 0x12, 0xF7, 0xEB}), Expect().add(shlR3).b({0x5A, 0xF7, 0xEA})},
      {Op::Divide, Expect().b({0x8B, 0x9C, 0x26, 0x52}).add(DivideTail()),
       Expect().b({0xBB, 0x34, 0x12}).add(DivideTail()),
       Expect().add(shlR3).b({0x5B, 0x93}).add(DivideTail())},
  };
  for (const Row& row : rows) {
    const Op op = row.op;
    const std::vector<Case> cases = {
        {"plain",
         [op](Tree& t) {
           return t.node(op, {t.operand("MW", 7), t.operand("R", 3)});
         },
         Mw7().add(row.plain)},
        {"constant",
         [op](Tree& t) {
           return t.node(op, {t.operand("MW", 7), t.constant(0x1234)});
         },
         Mw7().add(row.constant)},
        {"computed",
         [op](Tree& t) {
           return t.node(op, {t.operand("MW", 7), t.node(Op::Shl, {t.operand("R", 3)})});
         },
         Mw7().add(row.computed)},
    };
    SCOPED_TRACE(static_cast<int>(op));
    ExpectBodies(cases);
  }
}

TEST(CodeWords, UnaryOperations) {
  struct Row {
    Op op;
    Expect code;
  };
  const Row rows[] = {
      {Op::Swap, Expect().b({0x86, 0xC4})},
      {Op::Shl, Expect().b({0xD1, 0xE0})},
      {Op::Shr, Expect().b({0xD1, 0xE8})},
      {Op::Rol, Expect().b({0xD1, 0xC0})},
      {Op::Ror, Expect().b({0xD1, 0xC8})},
      {Op::Inv, Expect().b({0xF7, 0xD0})},
      {Op::Cpl, Expect().b({0xF7, 0xD8})},
      {Op::Bid,
       Expect().b({0x31, 0xD2, 0xB9, 0xE8, 0x03, 0xF7, 0xF1, 0xB1, 0x04, 0xD3, 0xE0, 0x89, 0xC3,
                   0x89, 0xD0, 0x31, 0xD2, 0xB9, 0x64, 0x00, 0xF7, 0xF1, 0x09, 0xC3, 0x89, 0xD0,
                   0xB1, 0x0A, 0xF6, 0xF1, 0xB1, 0x04, 0xD2, 0xE0, 0x08, 0xE0, 0x88, 0xDC})},
      {Op::Deb, Expect().b({0x89, 0xC3, 0x31, 0xC0, 0x88, 0xF8, 0xB1, 0x04, 0xD2, 0xE8, 0xB9, 0x0A,
                            0x00, 0xF7, 0xE1, 0x80, 0xE7, 0x0F, 0x00, 0xF8, 0xF7, 0xE1, 0x88, 0xDF,
                            0xB1, 0x04, 0xD2, 0xEF, 0x00, 0xF8, 0x80, 0xD4, 0x00, 0xB9, 0x0A, 0x00,
                            0xF7, 0xE1, 0x80, 0xE3, 0x0F, 0x00, 0xD8, 0x80, 0xD4, 0x00})},
  };
  for (const Row& row : rows) {
    const Op op = row.op;
    ExpectBodies({{"unary", [op](Tree& t) { return t.node(op, {t.operand("TW", 2)}); },
                   Expect().b({0x8B, 0x84, 0xB8, 0x5A}).add(row.code)}});
  }
}

TEST(CodeWords, ReadsAndWritesOfEveryKind) {
  const Expect readFu32 = Expect().b({0x53, 0x51, 0x52, 0xB8, 0x20, 0x00, 0x50, 0x26, 0xFF, 0x5D,
                                      0x34, 0xC4, 0x7E, 0xFC, 0x5A, 0x59, 0x5B});
  const Expect reportEw = Expect()
                              .b({0x50, 0x26, 0xFF, 0x5D, 0x44, 0xC4, 0x7E, 0xFC, 0x83, 0xBC, 0xA0,
                                  0x64, 0x00, 0x74, 0x03})
                              .exit();
  const std::vector<Case> cases = {
      {"FU32 read", [](Tree& t) { return t.to(t.operand("O", 32), t.operand("MW", 7)); },
       Expect().add(readFu32).b({0x89, 0x84, 0x0E, 0x04})},
      {"FU33 write", [](Tree& t) { return t.to(t.operand("MW", 7), t.operand("O", 33)); },
       Mw7().b(
           {0x50, 0xBB, 0x21, 0x00, 0x53, 0x50, 0x26, 0xFF, 0x5D, 0x38, 0x58, 0xC4, 0x7E, 0xFC})},
      {"FU39 in the area", [](Tree& t) { return t.to(t.operand("O", 39), t.operand("O", 5)); },
       Expect().b({0x8B, 0x84, 0xF0, 0x64, 0x89, 0x84, 0xAC, 0x64})},
      {"FU32 as a computed right operand",
       [](Tree& t) {
         return t.node(Op::Add, {t.operand("MW", 7), t.operand("O", 32)});
       },
       Mw7().b({0x50}).add(readFu32).b({0x5B, 0x01, 0xD8})},
      {"EW write", [](Tree& t) { return t.to(t.operand("MW", 7), t.operand("FW")); },
       Mw7().add(reportEw)},
      {"EW write used further",
       [](Tree& t) { return t.to(t.to(t.operand("MW", 7), t.operand("FW")), t.operand("R", 3)); },
       Mw7().add(reportEw).b({0x8B, 0x84, 0xA0, 0x64, 0x89, 0x84, 0x26, 0x52})},
      {"CW write sets the counter bit",
       [](Tree& t) { return t.to(t.operand("R", 3), t.operand("ZW", 3)); },
       R3().b({0x89, 0x84, 0x36, 0x54, 0x80, 0x8C, 0x32, 0x54, 0x01})},
      {"time value and timer preselect",
       [](Tree& t) { return t.to(t.time(150), t.operand("TV", 2)); },
       Expect().b({0xB8, 0x96, 0x00, 0x89, 0x84, 0xB6, 0x5A})},
  };
  ExpectBodies(cases);
}

// Station 2 addresses bytes, station 3 words.
const std::string kStations = FieldbusBytes({{2, 0x01}, {3, 0x21}});

TEST(CodeFieldbus, WordsAndBits) {
  const Expect inputs2 = Expect().b({0x26, 0xC4, 0x7D, 0x68, 0x26, 0xC4, 0xBD, 0x08, 0x00});
  const Expect outputs2 = Expect().b({0x26, 0xC4, 0x7D, 0x6C, 0x26, 0xC4, 0xBD, 0x08, 0x00});
  const Expect inputs3 = Expect().b({0x26, 0xC4, 0x7D, 0x68, 0x26, 0xC4, 0xBD, 0x0C, 0x00});
  const Expect outputs3 = Expect().b({0x26, 0xC4, 0x7D, 0x6C, 0x26, 0xC4, 0xBD, 0x0C, 0x00});
  const Expect restore = Expect().b({0xC4, 0x7E, 0xFC});
  const std::vector<Case> cases = {
      {"byte station word read, word station write",
       [](Tree& t) { return t.to(t.operand("EW", 2, 5), t.operand("AW", 3, 4)); },
       Expect()
           .add(inputs2)
           .b({0x26, 0x8A, 0x85, 0x05, 0x00})
           .add(restore)
           .b({0x30, 0xE4})
           .add(outputs3)
           .b({0x26, 0x89, 0x85, 0x08, 0x00})
           .add(restore)},
      {"word station word read, byte station write",
       [](Tree& t) { return t.to(t.operand("EW", 3, 5), t.operand("AW", 2, 4)); },
       Expect()
           .add(inputs3)
           .b({0x26, 0x8B, 0x85, 0x0A, 0x00})
           .add(restore)
           .add(outputs2)
           .b({0x26, 0x88, 0x85, 0x04, 0x00})
           .add(restore)},
      {"bit read of a word station's high byte, TO a byte station's bit",
       [](Tree& t) { return t.to(t.operand("E", 3, 1, 9), t.operand("A", 2, 4, 3)); },
       Expect()
           .add(inputs3)
           .b({0x26, 0x8A, 0x85, 0x03, 0x00})
           .add(restore)
           .b({0x24, 0x02, 0x9F, 0x50, 0x75, 0x14})
           .add(outputs2)
           .b({0x26, 0x80, 0xA5, 0x04, 0x00, 0xF7})
           .add(restore)
           .b({0xEB, 0x12})
           .add(outputs2)
           .b({0x26, 0x80, 0x8D, 0x04, 0x00, 0x08})
           .add(restore)
           .b({0x58})},
      {"N of a fieldbus bit", [](Tree& t) { return t.node(Op::BitNot, {t.operand("E", 2, 0, 7)}); },
       Expect()
           .add(inputs2)
           .b({0x26, 0x8A, 0x85, 0x00, 0x00})
           .add(restore)
           .b({0xF6, 0xD0, 0x24, 0x80})},
  };
  ExpectBodies(cases, kStations);
}

TEST(CodeFieldbus, UnitsPerStationAndDirection) {
  Tree t;
  const NodeId a = t.load(t.to(t.operand("EW", 2, 5), t.operand("AW", 3, 4)));
  const NodeId b = t.load(t.to(t.operand("E", 3, 1, 9), t.operand("A", 2, 4, 3)));
  const NodeId c = t.load(t.operand("E", 2, 1, 0));
  const Outcome run = Translate({{&t, a}, {&t, b}, {&t, c}}, "CZ0P05V1", kStations);
  ASSERT_FALSE(run.stop);
  ASSERT_EQ(run.usage.stations.size(), 2u);
  const StationUse& s2 = run.usage.stations[0];
  const StationUse& s3 = run.usage.stations[1];
  EXPECT_EQ(s2.station, 2);
  EXPECT_EQ(s2.type, 0x01);
  EXPECT_EQ(s2.inputUnits, 6);   // highest input word 5
  EXPECT_EQ(s2.outputUnits, 5);  // highest output word 4
  EXPECT_EQ(s3.station, 3);
  EXPECT_EQ(s3.type, 0x21);
  EXPECT_EQ(s3.inputUnits, 4);    // word 1, doubled
  EXPECT_EQ(s3.outputUnits, 10);  // word 4, doubled
  // Fieldbus operands are not in the operand area.
  EXPECT_EQ(std::count(run.usage.operands.begin(), run.usage.operands.end(), 0),
            static_cast<long>(kOperandAreaSize));
}

TEST(CodeFieldbus, ConfigurationMissingOrUnreadable) {
  Tree t;
  const NodeId a = t.load(t.to(t.operand("EW", 3, 5), t.operand("AW", 3, 4)));
  const Outcome missing = TranslateOne(t, a);
  ASSERT_TRUE(missing.stop);
  EXPECT_EQ(missing.stop->text, "Kolva Fieldbus not configured");

  int reads = 0;
  TranslatorSetup setup;
  setup.module = "CZ0P05V1";
  setup.readFieldbusConfig = [&reads]() -> std::optional<std::string> {
    ++reads;
    return std::string(699, '\x21');
  };
  Translator translator(setup);
  translator.begin();
  translator.translate(t.tree(), a);
  translator.translate(t.tree(), a);
  translator.finish();
  EXPECT_EQ(reads, 1);
  ASSERT_EQ(translator.faults().size(), 1u);
  EXPECT_EQ(translator.faults()[0].text, " ERROR while reading the field-bus configuration. ");
  // Unknown stations are byte stations: the word is read as a byte at unit 5.
  const std::vector<std::uint8_t>& code = translator.code();
  const std::uint8_t byteRead[] = {0x26, 0x8A, 0x85, 0x05, 0x00};
  EXPECT_NE(std::search(code.begin(), code.end(), std::begin(byteRead), std::end(byteRead)),
            code.end());
}

}  // namespace
}  // namespace zel::stl::code::test
