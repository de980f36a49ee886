#include "ui/ReadingDataWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QVBoxLayout>

namespace mctf {

ReadingDataWindow::ReadingDataWindow()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bar_(new QProgressBar(this)) {
    setWindowTitle("Reading Data");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
}

void ReadingDataWindow::SetPosition(int position) {
    bar_->setValue(position);
    bar_->repaint();
}

int ReadingDataWindow::Position() const { return bar_->value(); }

void ReadingDataWindow::reject() {}

void PaintPendingWindows() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace mctf
