// SheetPage: one tab of the "Server Settings" sheet.
//
// A page binds each of its controls to a field of the settings record (the
// rows of core/SettingsFields.h) in the order the page fills and checks
// them, and keeps one plain value per binding. The sheet fills the controls
// from those values each time the page is selected and reads them back,
// checking every limit, when the operator leaves the page or presses OK on
// it; a page that is never selected is never filled or read, so its values
// pass through untouched.
//
// The kind of a field decides how its value travels: texts, numbers, check
// boxes and the slider are copies that go back to the record on OK; a flag
// box (FlagBox) changes its bit of the live record at each click, so its
// value is shown and read but never copied back.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <variant>

class QCheckBox;
class QSlider;

namespace mctf {

class FlagBox;
class MemoBox;
class NumberBox;
class TextBox;
struct ServerSettings;
struct SettingsField;

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
    // Values into controls, in binding order.
    virtual void Fill();
    // Controls into values, in binding order; stops at the first value that
    // does not pass and says which.
    virtual std::optional<PageFailure> Read();

    // The sheet's two copies: every bound field from the record, and back
    // every bound field but the flag boxes.
    void ValuesFromSettings(const ServerSettings& settings);
    void SettingsFromValues(ServerSettings& settings) const;

    // Whether the page shows the field (for tests).
    bool Binds(const SettingsField& field) const;

protected:
    // Controls made to a field's limits (text length, digits only or not).
    static TextBox* MakeTextBox(const SettingsField& field);
    static MemoBox* MakeMemoBox(const SettingsField& field);
    static NumberBox* MakeNumberBox(const SettingsField& field);

    using Control = std::variant<TextBox*, MemoBox*, NumberBox*, QCheckBox*, FlagBox*, QSlider*>;
    // Binds control to field; the order of the calls is the page's order.
    void Bind(const SettingsField& field, Control control);

private:
    struct Binding {
        const SettingsField* field;
        Control control;
        std::string text;    // texts: the bytes that go into the record;
                             // number boxes: the text the last fill showed
        int32_t number = 0;  // every other kind
    };

    std::deque<Binding> bindings_;  // a deque: the slider keeps a pointer
};

}  // namespace mctf
