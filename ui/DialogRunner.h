// DialogRunner: how the program shows its own modal dialogs.
//
// The window runs them with exec(); tests hand in a function that fills the
// fields and closes the dialog instead, so nothing ever waits for a person.
#pragma once

#include <functional>

class QDialog;

namespace mctf {

// Shows the dialog modally and returns its result (QDialog::Accepted or
// QDialog::Rejected).
using DialogRunner = std::function<int(QDialog&)>;

// The runner of the real program: QDialog::exec().
int ExecDialog(QDialog& dialog);

}  // namespace mctf
