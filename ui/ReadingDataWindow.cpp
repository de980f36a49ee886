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
    latePaint_.setSingleShot(true);
    latePaint_.setInterval(kPaintIntervalMs);
    connect(&latePaint_, &QTimer::timeout, this, &ReadingDataWindow::Paint);
}

void ReadingDataWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    sincePaint_.start();
}

void ReadingDataWindow::SetPosition(int position) {
    position_ = position;
    if (sincePaint_.isValid() && sincePaint_.elapsed() < kPaintIntervalMs) {
        if (!latePaint_.isActive()) latePaint_.start();
        return;
    }
    Paint();
}

void ReadingDataWindow::Paint() {
    latePaint_.stop();
    bar_->setValue(position_);
    bar_->repaint();
    PaintPendingWindows();
    sincePaint_.start();
}

void ReadingDataWindow::reject() {}

void PaintPendingWindows() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace mctf
