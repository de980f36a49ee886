// ReadingDataWindow: the modeless "Reading Data" window with one progress bar
// (0 to 100), open while a log analysis or a pak scan runs. It has no buttons
// and cannot be closed by the person; the operation closes it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QProgressBar;

namespace mctf {

class ReadingDataWindow : public QDialog {
    Q_OBJECT
public:
    // The least time between two paints of the bar. A busy log can start a
    // match every few microseconds; painting each one (with the event loop it
    // needs) made the window's analysis many times slower than mctfcli's.
    static constexpr int kPaintIntervalMs = 50;

    ReadingDataWindow();

    // Takes the operation's new position. The bar is painted at once when
    // the last paint is kPaintIntervalMs old, otherwise the position waits
    // for the next paint: the operation holds the thread, so no event loop
    // would get round to it by itself.
    void SetPosition(int position);
    // The latest position, painted or not yet.
    int Position() const { return position_; }

    void reject() override;  // Escape does not end the operation's window

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Paint();

    QProgressBar* bar_;
    int position_ = 0;
    QElapsedTimer sincePaint_;
    QTimer latePaint_;  // a position left unpainted is shown once events run
};

// Lets the windows paint while a long operation holds the thread, without
// taking any input from the person.
void PaintPendingWindows();

}  // namespace mctf
