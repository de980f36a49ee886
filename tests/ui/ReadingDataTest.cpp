// The Qt desktop's "Reading Data" window.
#include <QAbstractButton>
#include <QApplication>
#include <QProgressBar>

#include <gtest/gtest.h>

#include "ui/QtDesktop.h"
#include "ui/ReadingDataWindow.h"

namespace mctf::testing {
namespace {

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
    EXPECT_EQ(bar->value(), 35);
    desktop.SetProgress(100);
    EXPECT_EQ(window->Position(), 100);

    // Escape must not close it under the running operation.
    window->reject();
    EXPECT_TRUE(window->isVisible());

    desktop.CloseProgress();
    EXPECT_EQ(desktop.ProgressWindow(), nullptr);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->windowTitle(), "Reading Data");
    }
}

}  // namespace
}  // namespace mctf::testing
