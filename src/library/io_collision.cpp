#include "library/io_collision.h"

#include <cstdint>

namespace zel::library {
namespace {

// The highest word of the IW and OW areas an entry may start at, before its own extent.
constexpr int kLastAreaWord = 255;
constexpr int kLastSwitchPosition = 255;

struct Range {
  std::int64_t first = 0;
  std::int64_t size = 0;
  bool overlaps(const Range& other) const {
    return first < other.first + other.size && other.first < first + size;
  }
};

struct Placed {
  const IoEntry& entry;
  const IoModuleScript& module;
  Range inputs() const { return {module.addressOf(entry.switchPosition), module.in}; }
  Range outputs() const { return {module.addressOf(entry.switchPosition), module.out}; }
  Range iw() const { return {2 * std::int64_t{entry.iw}, module.iwSize}; }
  Range ow() const { return {2 * std::int64_t{entry.ow}, module.owSize}; }
};

bool IoAddressesCollide(const Placed& a, const Placed& b) {
  if (a.module.in == 0 && a.module.out == 0) return false;
  if (b.module.in == 0 && b.module.out == 0) return false;
  if (a.module.out > 0 && b.module.out > 0 && a.outputs().overlaps(b.outputs())) return true;
  return a.module.in > 0 && b.module.in > 0 && a.inputs().overlaps(b.inputs());
}

bool IwCollide(const Placed& a, const Placed& b) {
  return a.module.iwSize > 0 && b.module.iwSize > 0 && a.iw().overlaps(b.iw());
}

bool OwCollide(const Placed& a, const Placed& b) {
  return a.module.owSize > 0 && b.module.owSize > 0 && a.ow().overlaps(b.ow());
}

std::string Quoted(const IoEntry& other) {
  return "'" + FormatIoEntry(other) + "'\n\n";
}

std::string RangeMessage(int low, int high) {
  return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) +
         ".";
}

}  // namespace

std::optional<IoEntryProblem> FindIoCollision(const IoEntry& entry,
                                              const std::vector<IoEntry>& entries, std::size_t self,
                                              const IoModuleList& modules) {
  const IoModuleScript* module = modules.find(entry.module);
  if (!module) return std::nullopt;
  const Placed placed{entry, *module};
  using Check = bool (*)(const Placed&, const Placed&);
  struct Step {
    Check collide;
    const char* text;
    IoField field;
  };
  static constexpr Step kSteps[] = {
      {IoAddressesCollide, "IO address collision.\nSelect another switch position.",
       IoField::Switch},
      {IwCollide, "ZEL IW collision.", IoField::Iw},
      {OwCollide, "ZEL OW collision.", IoField::Ow},
  };
  for (const auto& step : kSteps) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (i == self) continue;
      const IoModuleScript* otherModule = modules.find(entries[i].module);
      if (!otherModule) continue;
      if (step.collide(placed, Placed{entries[i], *otherModule}))
        return IoEntryProblem{Quoted(entries[i]) + step.text, step.field};
    }
  }
  return std::nullopt;
}

std::optional<IoEntryProblem> ValidateIoEntry(const IoEntry& entry, const IoModuleScript* module) {
  if (!module) return IoEntryProblem{"No Module Type selected!", IoField::Module};
  if (module->allowedPositionCount() > 0 &&
      (entry.switchPosition < 0 || entry.switchPosition > kLastSwitchPosition ||
       !module->allowsPosition(entry.switchPosition)))
    return IoEntryProblem{"Valid switch positions are:\n\n" + ListSwitchPositionsDecimal(*module),
                          IoField::Switch};
  if (module->in > 0 && (entry.iw < 0 || entry.iw > kLastAreaWord - module->iwSize))
    return IoEntryProblem{RangeMessage(0, kLastAreaWord - module->iwSize), IoField::Iw};
  if (module->out > 0 && (entry.ow < 0 || entry.ow > kLastAreaWord - module->owSize))
    return IoEntryProblem{RangeMessage(0, kLastAreaWord - module->owSize), IoField::Ow};
  return std::nullopt;
}

}  // namespace zel::library
