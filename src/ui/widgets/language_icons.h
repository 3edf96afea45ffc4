#pragma once
// Small icons that tell a module's language at a glance: statement list, ladder and
// imported (compiled) modules.

#include <QIcon>

#include "app/modules/module.h"

namespace zel::ui {

QIcon LanguageIcon(app::Language language);

}  // namespace zel::ui
