// TextPromptDialog: a small modal dialog asking for one folder: a label, an
// edit field limited to what a record field holds, a "Browse…" button that
// opens the desktop's folder chooser, OK and Cancel. The Game Path and
// Player Stats dialogs are this dialog with their own wording.
//
// The field takes any text, as before; the chooser only fills it in, and a
// folder the record field cannot hold is refused with that field's message.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace mctf {

class Desktop;
struct SettingsField;

class TextPromptDialog : public QDialog {
    Q_OBJECT
public:
    TextPromptDialog(const QString& title, const QString& label, const SettingsField& field,
                     Desktop& desktop, QWidget* parent);

    QString Text() const;
    void SetText(const QString& text);

    // As the "Browse…" button: the chooser opens in the folder the field
    // names when there is one, and a chosen folder replaces the text.
    void Browse();

    QPushButton* browseButton = nullptr;

private:
    QLineEdit* edit_;
    QString label_;
    const SettingsField& field_;
    Desktop& desktop_;
};

}  // namespace mctf
