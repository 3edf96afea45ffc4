#pragma once
// The code generator's texts, blanks as the message window and the log show them.

namespace zel::stl::msg {

// Faults that count one error each; translation goes on.
inline constexpr const char* kErrorPrefix = "ERROR: ";
inline constexpr const char* kStepDefinedTwice = "multiple defined step.";
inline constexpr const char* kIncDecExpression = "cannot increment/decrement an expression.";
inline constexpr const char* kStepMissing = "step missing.";
inline constexpr const char* kUnknownBitOperation = "unknown bit operation.";
inline constexpr const char* kUnknownBitOperand = "unknown bit operand.";
inline constexpr const char* kUnknownWordOperand = "unknown word operand.";
inline constexpr const char* kIncDecConstant = "cannot increment/decrement a constant.";
inline constexpr const char* kUnknownTypeFormat = "of unknown type %d.";
inline constexpr const char* kFieldbusConfigUnreadable =
    " ERROR while reading the field-bus configuration. ";

// Faults that end the pass.
inline constexpr const char* kCompilerPrefix = " Compiler: ";
inline constexpr const char* kOutOfMemory = "out of memory.";
inline constexpr const char* kCodeSegmentOverflow = "code segment overflow.";
inline constexpr const char* kCannotOpenOutput = "Cannot open output file.";
inline constexpr const char* kUnknownOperation = "Unknown operation ";
inline constexpr const char* kFieldbusNotConfigured = "Kolva Fieldbus not configured";
inline constexpr const char* kInternalErrorFormat = "internal ERROR %d.";
inline constexpr const char* kSyntaxError = "Syntax error";
inline constexpr const char* kParserStackOverflow = "Parser stack overflow";
inline constexpr const char* kTokenBufferOverflow = "Token buffer overflow";

inline constexpr const char* kCompilationTerminated = "Compilation terminated";
inline constexpr const char* kTerminatedByException = "Compilation terminated by exception";
inline constexpr const char* kMachineCodeFormat = "%5u Bytes Machine Code";

}  // namespace zel::stl::msg
