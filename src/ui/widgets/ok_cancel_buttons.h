#pragma once
// The OK and Cancel row under a dialog's contents. It calls the dialog's accept() and
// reject(), so a dialog that checks its entries on OK overrides accept() as usual.

#include <QDialog>
#include <QDialogButtonBox>

namespace zel::ui {

QDialogButtonBox* OkCancelButtons(QDialog* dialog);

}  // namespace zel::ui
