// Machine code of statements, sentences, steps and modules, and what the translator
// records and reports.

#include "stl/codegen/translator.h"

#include <gtest/gtest.h>

#include <functional>

#include "stl/codegen/emitter.h"
#include "test_support.h"

namespace zel::stl::code::test {
namespace {

const Bytes kPrologue = {0x55, 0x56, 0x57, 0x1E, 0x89, 0xE5, 0x0E, 0xE8, 0x00, 0x00, 0x81,
                         0x6E, 0xFC, 0x8A, 0x00, 0xC4, 0x7E, 0xFC, 0x26, 0xC5, 0x75, 0x08};
const Bytes kResume = {0x26, 0x8B, 0x45, 0x1C, 0x09, 0xC0, 0x74, 0x02, 0xFF, 0xE0};
const std::string kStations = FieldbusBytes({{2, 0x01}, {3, 0x21}});

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(CodeModule, PrologueAndEpilogueByModuleType) {
  Tree t;
  const NodeId nop = t.node(Op::Nop, {});
  EXPECT_EQ(TranslateOne(t, nop, "CZ0P05V1").code, Join({kPrologue, kResume, kEpilogue}));
  EXPECT_EQ(TranslateOne(t, nop, "CZ0B05V1").code, Join({kPrologue, kResume, kEpilogue}));
  EXPECT_EQ(TranslateOne(t, nop, "CZ0F05V1").code, Join({kPrologue, kEpilogue}));
}

struct Case {
  const char* name;
  std::function<NodeId(Tree&)> statement;
  Expect code;
  std::string module = "CZ0P05V1";
};

void ExpectBodies(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    Tree t;
    const NodeId root = c.statement(t);
    const Outcome run = TranslateOne(t, root, c.module, kStations);
    SCOPED_TRACE(c.name);
    // Every case is compared, so one run names all the statements whose code changed.
    if (run.stop) {
      ADD_FAILURE() << "stopped: " << run.stop->text;
      continue;
    }
    EXPECT_TRUE(run.faults.empty()) << run.faults.front().text;
    EXPECT_EQ(run.body, c.code.resolved(c.code.size()));
  }
}

Expect Timer(int function, int number) {
  return Expect()
      .b({0xB8})
      .w(function)
      .b({0x50, 0xB8})
      .w(number)
      .b({0x50, 0x26, 0xFF, 0x5D, 0x28, 0xC4, 0x7E, 0xFC});
}

Expect Program(int number, std::initializer_list<std::uint8_t> change) {
  return Expect()
      .b({0x8B, 0x84})
      .w(23072 + 2 * number)
      .b(change)
      .b({0xBB})
      .w(number)
      .b({0x53, 0x50, 0x26, 0xFF, 0x5D, 0x40, 0xC4, 0x7E, 0xFC, 0x58, 0x5B});
}

// The timer modes TON and TOFF are not pinned to bytes here: how they call the timer
// service is this generator's own choice, and the execution suite shows what they do.
TEST(CodeStatements, SetAndResetOfEveryOperandKind) {
  auto set = [](std::string l, int n, int s = -1, int b = -1) {
    return [=](Tree& t) { return t.node(Op::Set, {t.operand(l, n, s, b)}); };
  };
  auto reset = [](std::string l, int n, int s = -1, int b = -1) {
    return [=](Tree& t) { return t.node(Op::Reset, {t.operand(l, n, s, b)}); };
  };
  const Expect outputs2 = Expect().b({0x26, 0xC4, 0x7D, 0x6C, 0x26, 0xC4, 0xBD, 0x08, 0x00});
  const Expect inputs3 = Expect().b({0x26, 0xC4, 0x7D, 0x68, 0x26, 0xC4, 0xBD, 0x0C, 0x00});
  const std::vector<Case> cases = {
      {"SET F10.15", set("M", 10, 15), Expect().b({0x80, 0x8C, 0x15, 0x04, 0x80})},
      {"RESET F10.15", reset("M", 10, 15), Expect().b({0x80, 0xA4, 0x15, 0x04, 0x7F})},
      {"SET I0.3", set("E", 0, 3), Expect().b({0x80, 0x8C, 0x00, 0x00, 0x08})},
      {"SET O1.9", set("A", 1, 9), Expect().b({0x80, 0x8C, 0x03, 0x02, 0x02})},
      {"SET O2.4.3", set("A", 2, 4, 3),
       Expect().add(outputs2).b({0x26, 0x80, 0x8D, 0x04, 0x00, 0x08, 0xC4, 0x7E, 0xFC})},
      {"RESET I3.1.9", reset("E", 3, 1, 9),
       Expect().add(inputs3).b({0x26, 0x80, 0xA5, 0x03, 0x00, 0xFD, 0xC4, 0x7E, 0xFC})},
      {"SET C3", set("Z", 3),
       Expect().b({0x80, 0x8C, 0x32, 0x54, 0x01, 0xC7, 0x84, 0x36, 0x54, 0x00, 0x00})},
      {"RESET C3", reset("Z", 3), Expect().b({0x80, 0xA4, 0x32, 0x54, 0xFE})},
      {"SET T2", set("T", 2), Timer(1, 2)},
      {"RESET T2", reset("T", 2), Timer(2, 2)},
      {"SET P7", set("P", 7), Program(7, {0x0C, 0x03})},
      {"SET PS7", set("PS", 7), Program(7, {0x0C, 0x01})},
      {"RESET P7", reset("P", 7), Program(7, {0x24, 0xFC})},
      {"RESET PS7", reset("PS", 7), Program(7, {0x24, 0xFE})},
      {"RESET own P5", reset("P", 5), Program(5, {0x24, 0xFC}).exit()},
      {"RESET P5 from a CMP 5", reset("P", 5), Program(5, {0x24, 0xFC}), "CZ0B05V1"},
      {"RESET E", reset("F", -1),
       Expect().b({0x50, 0x31, 0xC0, 0x50, 0x26, 0xFF, 0x5D, 0x44, 0xC4, 0x7E, 0xFC, 0x58})},
  };
  ExpectBodies(cases);
}

TEST(CodeStatements, StoresOfOneBitValues) {
  const Expect e00 = Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x01});
  const Expect toF1015 = Expect().b(
      {0x75, 0x07, 0x80, 0xA4, 0x15, 0x04, 0x7F, 0xEB, 0x05, 0x80, 0x8C, 0x15, 0x04, 0x80});
  const std::vector<Case> cases = {
      {"TO F10.15",
       [](Tree& t) { return t.load(t.to(t.operand("E", 0, 0), t.operand("M", 10, 15))); },
       Expect().add(e00).b({0x9F}).add(toF1015)},
      {"bracket TO F10.15",
       [](Tree& t) {
         const NodeId v = t.node(Op::BitAnd, {t.operand("E", 0, 0), t.operand("E", 0, 1)});
         return t.load(t.to(v, t.operand("M", 10, 15)));
       },
       Expect()
           .add(e00)
           .b({0x9F, 0x8A, 0x84, 0x00, 0x00, 0x24, 0x02, 0x75, 0x02, 0xB4, 0x40, 0x9E})
           .add(toF1015)},
      {"TO F2.0 AND I0.7: the value goes on",
       [](Tree& t) {
         const NodeId to = t.to(t.operand("E", 0, 6), t.operand("M", 2, 0));
         return t.load(t.node(Op::BitAnd, {to, t.operand("E", 0, 7)}));
       },
       Expect()
           .b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x40, 0x9F, 0x75, 0x07, 0x80, 0xA4,
               0x04, 0x04, 0xFE, 0xEB, 0x05, 0x80, 0x8C, 0x04, 0x04, 0x01})
           .b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x80, 0x75, 0x02, 0xB4, 0x40})},
      {"SHIFT F10.15",
       [](Tree& t) {
         return t.load(t.node(Op::Shift, {t.operand("E", 0, 0), t.operand("M", 10, 15)}));
       },
       Expect().add(e00).b({0x9F, 0x8A, 0x84, 0x15, 0x04, 0x24, 0x80, 0x86, 0xE0, 0x9F, 0x86,
                            0xE0, 0x9E, 0x86, 0xE0, 0x50, 0x75, 0x07, 0x80, 0xA4, 0x15, 0x04,
                            0x7F, 0xEB, 0x05, 0x80, 0x8C, 0x15, 0x04, 0x80, 0x58})},
  };
  ExpectBodies(cases);
}

TEST(CodeStatements, WithValuesIncAndDec) {
  auto step = [](Op op, std::string l, int n, int s = -1) {
    return [=](Tree& t) { return t.node(op, {t.operand(l, n, s)}); };
  };
  const Expect setC3 =
      Expect().b({0x80, 0x8C, 0x32, 0x54, 0x01, 0xC7, 0x84, 0x36, 0x54, 0x00, 0x00});
  const std::vector<Case> cases = {
      {"SET T2 WITH 1.5",
       [](Tree& t) {
         return t.node(Op::Set, {t.operand("T", 2), t.time(150)});
       },
       Expect().b({0xB8, 0x96, 0x00, 0x89, 0x84, 0xB6, 0x5A}).add(Timer(1, 2))},
      {"SET TON2 WITH FW7",
       [](Tree& t) {
         return t.node(Op::Set, {t.operand("TE", 2), t.operand("MW", 7)});
       },
       Expect().b({0x8B, 0x84, 0x0E, 0x04, 0x89, 0x84, 0xB6, 0x5A}).add(Timer(3, 2))},
      {"SET C3 WITH 10",
       [](Tree& t) {
         return t.node(Op::Set, {t.operand("Z", 3), t.constant(10)});
       },
       Expect().b({0xB8, 0x0A, 0x00, 0x89, 0x84, 0x34, 0x54}).add(setC3)},
      {"INC FW7", step(Op::Inc, "MW", 7), Expect().b({0xFF, 0x84, 0x0E, 0x04})},
      {"DEC R3", step(Op::Dec, "R", 3), Expect().b({0xFF, 0x8C, 0x26, 0x52})},
      {"INC CP3", step(Op::Inc, "ZV", 3), Expect().b({0xFF, 0x84, 0x34, 0x54})},
      {"INC CW3", step(Op::Inc, "ZW", 3),
       Expect().b({0xFF, 0x84, 0x36, 0x54, 0x8B, 0x84, 0x36, 0x54, 0x3B, 0x84, 0x34, 0x54, 0x75,
                   0x05, 0x80, 0xA4, 0x32, 0x54, 0xFE})},
      {"DEC C3", step(Op::Dec, "Z", 3),
       Expect().b({0xFF, 0x8C, 0x36, 0x54, 0x83, 0xBC, 0x36, 0x54, 0x00, 0x75, 0x05, 0x80, 0xA4,
                   0x32, 0x54, 0xFE})},
      {"INC FU32", step(Op::Inc, "O", 32),
       Expect().b({0x53, 0x51, 0x52, 0xB8, 0x20, 0x00, 0x50, 0x26, 0xFF, 0x5D, 0x34,
                   0xC4, 0x7E, 0xFC, 0x5A, 0x59, 0x5B, 0x40, 0x50, 0xBB, 0x20, 0x00,
                   0x53, 0x50, 0x26, 0xFF, 0x5D, 0x38, 0x58, 0xC4, 0x7E, 0xFC})},
      {"DEC EW", step(Op::Dec, "FW", -1),
       Expect()
           .b({0x8B, 0x84, 0xA0, 0x64, 0x48, 0x50, 0x26, 0xFF, 0x5D, 0x44,
               0xC4, 0x7E, 0xFC, 0x83, 0xBC, 0xA0, 0x64, 0x00, 0x74, 0x03})
           .exit()},
      {"INC IW3.2", step(Op::Inc, "EW", 3, 2),
       Expect().b({0x26, 0xC4, 0x7D, 0x68, 0x26, 0xC4, 0xBD, 0x0C, 0x00, 0x26, 0xFF, 0x85, 0x04,
                   0x00, 0xC4, 0x7E, 0xFC})},
      {"DEC OW2.1", step(Op::Dec, "AW", 2, 1),
       Expect().b({0x26, 0xC4, 0x7D, 0x6C, 0x26, 0xC4, 0xBD, 0x08, 0x00, 0x26, 0xFE, 0x8D, 0x01,
                   0x00, 0xC4, 0x7E, 0xFC})},
  };
  ExpectBodies(cases);
}

Expect WriteFu(int number) {
  return Expect()
      .b({0x50, 0xBB})
      .w(number)
      .b({0x53, 0x50, 0x26, 0xFF, 0x5D, 0x38, 0x58, 0xC4, 0x7E, 0xFC});
}

TEST(CodeStatements, ModuleCalls) {
  const std::vector<Case> cases = {
      {"CMP 5 WITH FW7, 3, R3",
       [](Tree& t) {
         return t.node(Op::CallCmp, {t.operand("MW", 7), t.constant(3), t.operand("R", 3)}, 5);
       },
       Expect()
           .b({0x8B, 0x84, 0x0E, 0x04})
           .add(WriteFu(32))
           .b({0xB8, 0x03, 0x00})
           .add(WriteFu(33))
           .b({0x8B, 0x84, 0x26, 0x52})
           .add(WriteFu(34))
           .b({0x26, 0x8B, 0x45, 0x1C, 0x26, 0x89, 0x45, 0x1E, 0xE8, 0x00,
               0x00, 0x58, 0x05, 0x16, 0x00, 0x26, 0x89, 0x45, 0x1C, 0xB8,
               0x05, 0x00, 0x50, 0x26, 0xFF, 0x5D, 0x24, 0xC4, 0x7E, 0xFC})
           .exit()
           .b({0x26, 0x8B, 0x45, 0x1E, 0x26, 0x89, 0x45, 0x1C})},
      {"CFM 7 WITH eight parameters",
       [](Tree& t) {
         std::vector<NodeId> parameters;
         for (int i = 0; i < 8; ++i) parameters.push_back(t.constant(i));
         return t.node(Op::CallCfm, parameters, 7);
       },
       [] {
         Expect e;
         for (int i = 0; i < 7; ++i) e.b({0xB8}).w(i).add(WriteFu(32 + i));
         return e.b({0xB8, 0x07, 0x00, 0x89, 0x84, 0xF0, 0x64})
             .b({0xB8, 0x07, 0x00, 0x50, 0x26, 0xFF, 0x5D, 0x2C, 0xC4, 0x7E, 0xFC});
       }()},
  };
  ExpectBodies(cases);
}

TEST(CodeSentences, ThenAndOthrwJumps) {
  auto setF = [](Tree& t) { return t.node(Op::Set, {t.operand("M", 10, 15)}); };
  auto resetF = [](Tree& t) { return t.node(Op::Reset, {t.operand("M", 10, 15)}); };
  auto actions = [](Tree& t, std::initializer_list<NodeId> list) {
    return t.node(Op::Actions, list);
  };
  auto e00 = [](Tree& t) { return t.operand("E", 0, 0); };
  auto and01 = [&](Tree& t) {
    return t.node(Op::BitAnd, {t.operand("E", 0, 0), t.operand("E", 0, 1)});
  };
  const Expect read = Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x01, 0x9F});
  const Expect readAnd =
      Expect().add(read).b({0x8A, 0x84, 0x00, 0x00, 0x24, 0x02, 0x75, 0x02, 0xB4, 0x40});
  const Expect set = Expect().b({0x80, 0x8C, 0x15, 0x04, 0x80});
  const Expect reset = Expect().b({0x80, 0xA4, 0x15, 0x04, 0x7F});
  const std::vector<Case> cases = {
      {"IF THEN", [&](Tree& t) { return t.sentence(e00(t), actions(t, {setF(t)}), kNoNode); },
       Expect().add(read).b({0x75, 0x03, 0xE9, 0x05, 0x00}).add(set)},
      {"IF THEN two actions",
       [&](Tree& t) {
         return t.sentence(e00(t), actions(t, {setF(t), resetF(t)}), kNoNode);
       },
       Expect().add(read).b({0x75, 0x03, 0xE9, 0x0A, 0x00}).add(set).add(reset)},
      {"IF THEN OTHRW in AH only",
       [&](Tree& t) {
         return t.sentence(and01(t), actions(t, {setF(t)}), actions(t, {resetF(t)}));
       },
       Expect()
           .add(readAnd)
           .b({0x9E, 0x75, 0x03, 0xE9, 0x08, 0x00})
           .add(set)
           .b({0xE9, 0x05, 0x00})
           .add(reset)},
      {"IF THEN NOP OTHRW",
       [&](Tree& t) { return t.sentence(e00(t), actions(t, {}), actions(t, {setF(t)})); },
       Expect().add(read).b({0x74, 0x03, 0xE9, 0x05, 0x00}).add(set)},
      {"IF THEN NOP OTHRW in AH only",
       [&](Tree& t) { return t.sentence(and01(t), actions(t, {}), actions(t, {setF(t)})); },
       Expect().add(readAnd).b({0x9E, 0x74, 0x03, 0xE9, 0x05, 0x00}).add(set)},
      {"IF THEN NOP", [&](Tree& t) { return t.sentence(e00(t), actions(t, {}), kNoNode); }, read},
      {"THEN without condition",
       [&](Tree& t) { return t.sentence(kNoNode, actions(t, {setF(t)}), kNoNode); },
       Expect()
           .b({0x30, 0xE4, 0x26, 0x89, 0x45, 0x20, 0x9E, 0x75, 0x03, 0xE9, 0x05, 0x00})
           .add(set)},
  };
  ExpectBodies(cases);
}

// Two steps that jump to each other; offsets are within the body.
TEST(CodeSentences, StepProgram) {
  Tree t;
  const NodeId step1 = t.leaf(Op::Step, 1);
  const NodeId step2 = t.leaf(Op::Step, 2);
  auto jumpIf = [&](int bit, int target) {
    const NodeId jump = t.leaf(Op::Jump, target);
    return t.sentence(t.operand("E", 0, bit), t.node(Op::Actions, {jump}), kNoNode);
  };
  const NodeId toStep2 = jumpIf(0, 2);
  const NodeId toStep1 = jumpIf(1, 1);
  const NodeId other = t.sentence(t.operand("E", 0, 2), t.node(Op::Actions, {}),
                                  t.node(Op::Actions, {t.leaf(Op::Jump, 1)}));
  const Outcome run =
      Translate({{&t, step1}, {&t, toStep2}, {&t, step2}, {&t, toStep1}, {&t, other}});
  ASSERT_FALSE(run.stop);
  EXPECT_TRUE(run.faults.empty());
  auto entry = [](int step) {
    return Expect()
        .b({0xB8})
        .w(step)
        .b({0x26, 0x89, 0x45, 0x22, 0xE8, 0x00, 0x00, 0x58, 0x05, 0x0B, 0x00, 0x26, 0x89, 0x45,
            0x1C})
        .exit()
        .b({0x26, 0xC7, 0x45, 0x20, 0x00, 0x00});
  };
  auto condition = [](std::uint8_t mask) {
    return Expect().b({0x8A, 0x84, 0x00, 0x00, 0x24, mask, 0x9F, 0x26, 0x89, 0x45, 0x20});
  };
  const Expect stepEnd = Expect().b({0x26, 0x8B, 0x45, 0x20, 0x9E, 0x75, 0x03});
  Expect e;
  e.b({0x26, 0xC7, 0x45, 0x22, 0x01, 0x00});  // 0
  e.add(entry(1));                            // 6: step 1
  e.add(condition(0x01)).b({0x75, 0x03, 0xE9, 0x03, 0x00});
  e.b({0xE9}).w(62 - 52);              // 49: JMP TO 2
  e.add(stepEnd).b({0xE9}).w(6 - 62);  // back to step 1's entry
  e.add(entry(2));                     // 62: step 2
  e.add(condition(0x02)).b({0x75, 0x03, 0xE9, 0x03, 0x00});
  e.b({0xE9}).w(6 - 108);  // 105: JMP TO 1
  e.add(condition(0x04)).b({0x74, 0x03, 0xE9, 0x09, 0x00});
  e.b({0xE9}).w(6 - 127);  // 124: JMP TO 1
  e.b({0x26, 0xC7, 0x45, 0x20, 0x00, 0x40});
  e.add(stepEnd).exit();
  EXPECT_EQ(run.body, e.resolved(e.size()));
}

// Faults as "line: text", so that a table compares every one of them.
std::vector<std::string> Lines(const std::vector<CodeFault>& faults) {
  std::vector<std::string> lines;
  for (const CodeFault& fault : faults)
    lines.push_back(std::to_string(fault.line) + ": " + fault.text);
  return lines;
}

TEST(CodeSentences, StepFaults) {
  Tree t;
  t.line(4);
  const NodeId step1 = t.leaf(Op::Step, 1);
  t.line(7);
  const NodeId jump = t.leaf(Op::Jump, 9);
  const Outcome run = Translate({{&t, step1}, {&t, jump}, {&t, step1}});
  EXPECT_FALSE(run.stop);
  EXPECT_EQ(Lines(run.faults),
            (std::vector<std::string>{"4: multiple defined step.", "7: step missing."}));
}

TEST(CodeStatements, Faults) {
  struct Row {
    const char* name;
    std::function<NodeId(Tree&)> statement;
    std::string text;
  };
  const Row rows[] = {
      {"SET E", [](Tree& t) { return t.node(Op::Set, {t.operand("F")}); },
       "unknown bit operation."},
      {"RESET FI", [](Tree& t) { return t.node(Op::Reset, {t.operand("S")}); },
       "unknown bit operation."},
      {"SET F1.0 WITH 5",
       [](Tree& t) {
         return t.node(Op::Set, {t.operand("M", 1, 0), t.constant(5)});
       },
       "unknown bit operation."},
      {"SHIFT to T1",
       [](Tree& t) {
         return t.load(t.node(Op::Shift, {t.operand("E", 0, 0), t.operand("T", 1)}));
       },
       "unknown bit operation."},
      {"SET FW1", [](Tree& t) { return t.node(Op::Set, {t.operand("MW", 1)}); },
       "unknown bit operand."},
      {"SET F10000.0", [](Tree& t) { return t.node(Op::Set, {t.operand("M", 10000, 0)}); },
       "unknown bit operand."},
      {"AND of an unknown operand",
       [](Tree& t) {
         return t.load(t.node(Op::BitAnd, {t.operand("E", 0, 0), t.operand("Q", 1, 1)}));
       },
       "unknown bit operand."},
      {"word of an unknown operand",
       [](Tree& t) { return t.load(t.to(t.operand("Q", 1), t.operand("MW", 1))); },
       "unknown word operand."},
      {"INC F1.0", [](Tree& t) { return t.node(Op::Inc, {t.operand("M", 1, 0)}); },
       "unknown word operand."},
      {"INC V5", [](Tree& t) { return t.node(Op::Inc, {t.constant(5)}); },
       "cannot increment/decrement a constant."},
      {"DEC an expression",
       [](Tree& t) {
         return t.node(Op::Dec, {t.node(Op::Add, {t.operand("MW", 1), t.constant(1)})});
       },
       "cannot increment/decrement an expression."},
      {"SET T1 WITH an expression",
       [](Tree& t) {
         const NodeId sum = t.node(Op::Add, {t.operand("MW", 1), t.constant(1)});
         return t.node(Op::Set, {t.operand("T", 1), sum});
       },
       "of unknown type 13."},
  };
  for (const Row& row : rows) {
    Tree t;
    t.line(9);
    const Outcome run = TranslateOne(t, row.statement(t));
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(run.stop);
    EXPECT_EQ(Lines(run.faults), std::vector<std::string>{"9: " + row.text});
  }
}

TEST(CodeStatements, InconsistentTreesStop) {
  struct Row {
    const char* name;
    std::function<NodeId(Tree&)> item;
    std::string text;
  };
  const Row rows[] = {
      {"constant in a logic combination",
       [](Tree& t) {
         return t.load(t.node(Op::BitAnd, {t.operand("E", 0, 0), t.constant(1)}));
       },
       "internal ERROR 3."},
      {"bit in a word expression",
       [](Tree& t) {
         return t.load(t.node(Op::Add, {t.operand("MW", 1), t.node(Op::BitNot, {})}));
       },
       "internal ERROR 4."},
      {"LOAD without expression", [](Tree& t) { return t.node(Op::Load, {}); },
       "internal ERROR 7."},
      {"sentence with two parts",
       [](Tree& t) {
         return t.node(Op::Sentence, {kNoNode, kNoNode});
       },
       "internal ERROR 6."},
      {"step 0", [](Tree& t) { return t.leaf(Op::Step, 0); }, "internal ERROR 8."},
      {"CMP 100", [](Tree& t) { return t.leaf(Op::CallCmp, 100); }, "internal ERROR 9."},
  };
  for (const Row& row : rows) {
    Tree t;
    t.line(5);
    const Outcome run = TranslateOne(t, row.item(t));
    SCOPED_TRACE(row.name);
    EXPECT_EQ(run.stop ? Lines({{run.stop->line, run.stop->text}}) : std::vector<std::string>{},
              std::vector<std::string>{"5: " + row.text});
  }
}

TEST(CodeModule, CodeSegmentOverflow) {
  Emitter buffer;
  buffer.setLine(3);
  for (std::size_t i = 0; i + 1 < kCodeLimit; ++i) buffer.byte(0x90);
  EXPECT_THROW(buffer.word(1), CodeStop);
  buffer.byte(0x90);
  EXPECT_EQ(buffer.size(), kCodeLimit);
  try {
    buffer.byte(0x90);
    FAIL() << "a byte beyond the limit";
  } catch (const CodeStop& stop) {
    EXPECT_EQ(stop.line, 3);
    EXPECT_EQ(stop.text, "code segment overflow.");
  }

  // 13,000 SETs of five bytes after the prologue pass the limit.
  Tree t;
  t.line(12);
  const NodeId set = t.node(Op::Set, {t.operand("M", 1, 0)});
  const Outcome run = Translate(std::vector<Item>(13000, Item{&t, set}));
  ASSERT_TRUE(run.stop);
  EXPECT_EQ(run.stop->line, 12);
  EXPECT_EQ(run.stop->text, "code segment overflow.");
  EXPECT_LE(run.code.size(), kCodeLimit);
}

TEST(CodeModule, UsageRecords) {
  Tree t;
  const NodeId read = t.load(t.node(Op::BitAnd, {t.operand("E", 0, 3), t.operand("A", 1, 9)}));
  const NodeId write = t.load(t.to(t.operand("O", 32), t.operand("MW", 7)));
  const NodeId counter = t.node(Op::Set, {t.operand("Z", 3)});
  const NodeId program = t.node(Op::Reset, {t.operand("P", 6)});
  const NodeId cmp = t.leaf(Op::CallCmp, 5);
  const NodeId cfm = t.leaf(Op::CallCfm, 99);
  const Outcome run =
      Translate({{&t, read}, {&t, write}, {&t, counter}, {&t, program}, {&t, cmp}, {&t, cfm}});
  ASSERT_FALSE(run.stop);
  std::vector<std::uint8_t> expected(kOperandAreaSize, 0);
  expected[0] = 0x08;                        // I0.3
  expected[515] = 0x02;                      // O1.9
  expected[1038] = expected[1039] = 0xFF;    // FW7
  expected[25826] = expected[25827] = 0xFF;  // FU32
  expected[21554] = 0x01;                    // C3
  expected[23084] = 0x02;                    // P6
  EXPECT_EQ(run.usage.operands, expected);
  for (std::size_t n = 0; n < kCalledModules; ++n) {
    EXPECT_EQ(run.usage.cmp[n], n == 5 ? 1 : 0) << n;
    EXPECT_EQ(run.usage.cfm[n], n == 99 ? 1 : 0) << n;
  }
  EXPECT_TRUE(run.usage.stations.empty());
}

}  // namespace
}  // namespace zel::stl::code::test
