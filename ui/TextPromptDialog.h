// TextPromptDialog: a small modal dialog asking for one line of text: a label,
// an edit field limited to what a record field holds, OK and Cancel. The Game
// Path and Player Stats dialogs are this dialog with their own wording.
#pragma once

#include <QDialog>
#include <QString>

#include <cstddef>

class QLineEdit;

namespace mctf {

class TextPromptDialog : public QDialog {
    Q_OBJECT
public:
    TextPromptDialog(const QString& title, const QString& label, std::size_t fieldSize,
                     QWidget* parent);

    QString Text() const;
    void SetText(const QString& text);

private:
    QLineEdit* edit_;
};

}  // namespace mctf
