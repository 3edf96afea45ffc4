#include "ui/widgets/language_icons.h"

#include "ui/widgets/badge_icon.h"

namespace zel::ui {

QIcon LanguageIcon(app::Language language) {
  switch (language) {
    case app::Language::Stl:
      return BadgeIcon(QColor(40, 110, 190), "S");
    case app::Language::Ladder:
      return BadgeIcon(QColor(40, 150, 80), "L");
    case app::Language::Imported:
      return BadgeIcon(QColor(130, 130, 130), "O");
    case app::Language::Unknown:
      break;
  }
  return BadgeIcon(QColor(190, 60, 60), "?");
}

}  // namespace zel::ui
