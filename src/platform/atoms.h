#pragma once
// Atom tables: short texts (at most 255 characters) behind 16-bit handles, reference
// counted, used to carry text with posted messages. The receiver reads and deletes the
// atom. Unlike the tables of the original platform, names are compared with regard to
// case, so a posted text always arrives exactly as it was sent.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zel::platform {

using Atom = std::uint16_t;  // 0 is "no atom"
inline constexpr std::size_t kAtomMaxLength = 255;

enum class AtomTable { Global, Local };

// 0 when the text is empty, longer than kAtomMaxLength or the table is full. Adding a
// text already present returns the same atom with its count raised.
Atom AddAtom(AtomTable table, std::string_view text);
// The text cut to bufferSize - 1 characters; empty for an unknown atom.
std::string AtomName(AtomTable table, Atom atom, std::size_t bufferSize = 256);
// Lowers the count and frees the atom at 0; false for an unknown atom.
bool DeleteAtom(AtomTable table, Atom atom);
std::size_t AtomCount(AtomTable table);  // live atoms, for leak checks in tests

}  // namespace zel::platform
