#include "ui/ReadingDataDlg.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QVBoxLayout>

namespace mctf {

CReadingDataDlg::CReadingDataDlg()
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

void CReadingDataDlg::SetPosition(int position) {
    bar_->setValue(position);
    bar_->repaint();
}

int CReadingDataDlg::Position() const { return bar_->value(); }

void CReadingDataDlg::reject() {}

void PaintPendingWindows() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace mctf
