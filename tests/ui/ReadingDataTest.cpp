// The Qt desktop's "Reading Data" window.
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProgressBar>

#include <gtest/gtest.h>

#include "ui/QtDesktop.h"
#include "ui/ReadingDataWindow.h"

namespace mctf::testing {
namespace {

// Counts the paints of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

// Runs the event loop until the bar shows `value`, at most a second.
bool BarReaches(const QProgressBar& bar, int value) {
    QDeadlineTimer deadline(1000);
    while (bar.value() != value && !deadline.hasExpired()) QApplication::processEvents();
    return bar.value() == value;
}

TEST(ReadingData, OpensWithoutOwnerMovesItsBarAndCloses) {
    QtDesktop desktop;
    EXPECT_EQ(desktop.ProgressWindow(), nullptr);

    desktop.OpenProgress();
    ReadingDataWindow* window = desktop.ProgressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->windowTitle(), "Reading Data");
    EXPECT_TRUE(window->findChildren<QAbstractButton*>().isEmpty());
    QProgressBar* bar = window->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);

    desktop.SetProgress(35);
    EXPECT_EQ(window->Position(), 35);
    EXPECT_TRUE(BarReaches(*bar, 35));

    // Escape must not close it under the running operation.
    window->reject();
    EXPECT_TRUE(window->isVisible());

    desktop.CloseProgress();
    EXPECT_EQ(desktop.ProgressWindow(), nullptr);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->windowTitle(), "Reading Data");
    }
}

TEST(ReadingData, AStormOfPositionsPaintsRarelyAndEndsOnTheLatest) {
    QtDesktop desktop;
    desktop.OpenProgress();
    ReadingDataWindow* window = desktop.ProgressWindow();
    QProgressBar* bar = window->findChild<QProgressBar*>();
    PaintCounter counter(bar);

    // 20000 match starts by the position rule, as fast as a log is read.
    QElapsedTimer took;
    took.start();
    int position = 0;
    for (int match = 0; match < 20000; ++match) {
        position += 5;
        if (position > 100) position = 0;
        desktop.SetProgress(position);
    }
    // One paint per interval, and one spare for the window being shown.
    int allowed = 2 + int(took.elapsed() / ReadingDataWindow::kPaintIntervalMs);
    EXPECT_LE(counter.paints, allowed);
    EXPECT_EQ(window->Position(), position);
    EXPECT_TRUE(BarReaches(*bar, position));
    desktop.CloseProgress();
}

}  // namespace
}  // namespace mctf::testing
