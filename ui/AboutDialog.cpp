#include "ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/Resources.h"

namespace mctf {
namespace {

QLabel* Picture(const char* resource, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap(ArtForScale(resource, parent->devicePixelRatio())));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* CentredText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About mctfutil");

    auto* pictures = new QHBoxLayout;
    pictures->addStretch();
    pictures->addWidget(Picture(kAboutLeftPicture, this));
    pictures->addWidget(Picture(kAboutRightPicture, this));
    pictures->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        CentredText("Morvane Quake\nMCTF Utility\nVersion 2.00\n"
                    "Written by the mctfutil developers",
                    this));
    layout->addLayout(pictures);
    layout->addWidget(CentredText("Flags and rockets drawn by the mctfutil team", this));
    layout->addWidget(buttons);
}

}  // namespace mctf
