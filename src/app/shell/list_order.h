#pragma once
// The sort order of a list window (column and direction), kept in the project file beside
// the window's placement so the list comes back sorted as the user left it. Section
// "LIST_ORDER", one key per window name: "column,reversed".

#include <optional>
#include <string>
#include <string_view>

#include "app/project/project_file.h"

namespace zel::app {

inline constexpr std::string_view kSectionListOrder = "LIST_ORDER";

struct ListOrder {
  int column = 0;
  bool reversed = false;
  bool operator==(const ListOrder&) const = default;
};

// Two numbers: a column below `columns`, and 0 or 1; anything else is nullopt.
std::optional<ListOrder> ParseListOrder(std::string_view text, int columns);
std::string FormatListOrder(const ListOrder& order);

std::optional<ListOrder> ReadListOrder(const ProjectFile& file, std::string_view window,
                                       int columns);
bool WriteListOrder(const ProjectFile& file, std::string_view window, const ListOrder& order);

}  // namespace zel::app
