#include "app/shell/list_order.h"

#include <array>

#include "app/text/field_scanner.h"

namespace zel::app {

std::optional<ListOrder> ParseListOrder(std::string_view text, int columns) {
  std::array<long long, 2> v{};
  if (!ScanExactly(text, ',', v)) return std::nullopt;
  if (v[0] < 0 || v[0] >= columns || (v[1] != 0 && v[1] != 1)) return std::nullopt;
  return ListOrder{static_cast<int>(v[0]), v[1] == 1};
}

std::string FormatListOrder(const ListOrder& order) {
  return std::to_string(order.column) + "," + (order.reversed ? "1" : "0");
}

std::optional<ListOrder> ReadListOrder(const ProjectFile& file, std::string_view window,
                                       int columns) {
  return ParseListOrder(file.read(kSectionListOrder, window), columns);
}

bool WriteListOrder(const ProjectFile& file, std::string_view window, const ListOrder& order) {
  return file.write(kSectionListOrder, window, FormatListOrder(order));
}

}  // namespace zel::app
