// SheetPage: one tab of the "Server Settings" sheet.
//
// A page keeps its values in plain members. The sheet fills the controls from
// them each time the page is selected and reads them back (checking every
// limit) when the operator leaves the page or presses OK on it; a page that
// is never selected is never filled or read, so its values pass through
// untouched.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <string>

namespace mctf {

// Why reading a page stopped: the control to put right and what to say.
struct PageFailure {
    QWidget* control = nullptr;
    std::string message;
};

class SheetPage : public QWidget {
public:
    explicit SheetPage(const QString& title) { setWindowTitle(title); }

    // The tab title.
    QString Title() const { return windowTitle(); }

    // Runs once, the first time the page is selected, before its first Fill.
    virtual void FirstOpen() {}
    // Values into controls.
    virtual void Fill() = 0;
    // Controls into values, in the page's order; stops at the first value
    // that does not pass and says which.
    virtual std::optional<PageFailure> Read() = 0;
};

}  // namespace mctf
