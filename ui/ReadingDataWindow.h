// ReadingDataWindow: the modeless "Reading Data" window with one progress bar
// (0 to 100), open while a log analysis or a pak scan runs. It has no buttons
// and cannot be closed by the person; the operation closes it.
#pragma once

#include <QDialog>

class QProgressBar;

namespace mctf {

class ReadingDataWindow : public QDialog {
    Q_OBJECT
public:
    ReadingDataWindow();

    // Moves the bar and paints it at once: the operation holds the thread, so
    // no event loop would get round to it.
    void SetPosition(int position);
    int Position() const;

    void reject() override;  // Escape does not end the operation's window

private:
    QProgressBar* bar_;
};

// Lets the windows paint while a long operation holds the thread, without
// taking any input from the person.
void PaintPendingWindows();

}  // namespace mctf
