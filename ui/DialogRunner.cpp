#include "ui/DialogRunner.h"

#include <QDialog>

namespace mctf {

int ExecDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace mctf
