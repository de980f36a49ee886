// AboutDialog: the "About mctfutil" box: name and version, the credits and two
// pictures side by side, closed with OK.
#pragma once

#include <QDialog>

namespace mctf {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace mctf
