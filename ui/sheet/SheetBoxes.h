// The edit boxes of the settings pages.
//
// TextBox and MemoBox refuse typing past a page's character limit, counted in
// the bytes the record's character arrays will hold. A text that is already
// longer (from a hand-edited settings file) is shown whole and can be
// shortened, but never grown; the page's check then asks for it to be cut.
// NumberBox refuses typed characters other than digits, so a slip of the
// finger never reaches the check; pasting is left alone because the page's
// check rejects anything that is not a whole number.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

#include "ui/TextField.h"

namespace mctf {

class TextBox : public QLineEdit {
public:
    TextBox(int limit, QWidget* parent = nullptr);

    int Limit() const { return limit_; }
    // Replaces the text without cutting it to the limit.
    void ShowText(const QString& text);

private:
    void Settle();

    int limit_;
    ByteLimitValidator* validator_;  // accepts the limit, or more while an over-long text is cut
};

// A multi-line text box; Return goes to the sheet's OK button, and line
// breaks are never inserted because the text ends up on one script line.
class MemoBox : public QPlainTextEdit {
public:
    MemoBox(int limit, QWidget* parent = nullptr);

    int Limit() const { return limit_; }
    void ShowText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Room left for new text when the selection is replaced.
    int Room() const;

    int limit_;
    int allowance_;
};

class NumberBox : public QLineEdit {
public:
    // digitsOnly false gives a box that takes any typing (Port).
    explicit NumberBox(bool digitsOnly = true, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool digitsOnly_;
};

}  // namespace mctf
