#include "stl/editor/layout.h"

namespace zel::stl {

void PlaceToken(std::string& line, std::size_t column, std::string_view token) {
  if (line.size() < column)
    line.append(column - line.size(), ' ');
  else if (!line.empty())
    line += ' ';
  line += token;
}

}  // namespace zel::stl
