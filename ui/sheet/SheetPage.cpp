#include "ui/sheet/SheetPage.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSlider>

#include "core/SettingsFields.h"
#include "ui/TextField.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// A check box value other than 0, 1 or 2 shows unticked and becomes 0;
// 2 (a third state the boxes do not have) shows ticked.
void FillCheck(QCheckBox& box, int32_t& value) {
    if (value < 0 || value > 2) value = 0;
    box.setChecked(value != 0);
}

}  // namespace

TextBox* SheetPage::MakeTextBox(const SettingsField& field) {
    return new TextBox(static_cast<int>(field.textLimit));
}

MemoBox* SheetPage::MakeMemoBox(const SettingsField& field) {
    return new MemoBox(static_cast<int>(field.textLimit));
}

NumberBox* SheetPage::MakeNumberBox(const SettingsField& field) {
    // The port box takes any typing, so that a stored value outside its
    // range shows as it is; the check reads it.
    return new NumberBox(field.kind != FieldKind::Port);
}

void SheetPage::Bind(const SettingsField& field, Control control) {
    Binding& binding = bindings_.emplace_back(Binding{&field, control, {}, 0});
    if (QSlider* const* slider = std::get_if<QSlider*>(&control)) {
        // Mouse and keyboard alike move the value; fills do not.
        connect(*slider, &QSlider::valueChanged, this,
                [&binding](int position) { binding.number = position; });
    }
}

void SheetPage::Fill() {
    for (Binding& b : bindings_) {
        std::visit(Overloaded{
                       [&](TextBox* box) { box->ShowText(ToQString(b.text)); },
                       [&](MemoBox* box) { box->ShowText(ToQString(b.text)); },
                       [&](NumberBox* box) {
                           b.text = std::to_string(b.number);
                           box->setText(QString::fromStdString(b.text));
                       },
                       [&](QCheckBox* box) { FillCheck(*box, b.number); },
                       [&](FlagBox* box) {
                           // Showing the bit must not write it.
                           const QSignalBlocker quiet(box);
                           FillCheck(*box, b.number);
                       },
                       [&](QSlider* slider) {
                           const QSignalBlocker quiet(slider);
                           slider->setRange(b.field->low, b.field->high);
                           slider->setValue(b.number);
                       },
                   },
                   b.control);
    }
}

std::optional<PageFailure> SheetPage::Read() {
    for (Binding& b : bindings_) {
        std::optional<PageFailure> failure;
        auto readText = [&](QWidget* box, const QString& text) {
            b.text = ToBytes(text);
            if (std::optional<std::string> refused = CheckFieldText(*b.field, b.text))
                failure = PageFailure{box, *refused};
        };
        std::visit(Overloaded{
                       [&](TextBox* box) { readText(box, box->text()); },
                       [&](MemoBox* box) { readText(box, box->toPlainText()); },
                       [&](NumberBox* box) {
                           const std::string typed = ToBytes(box->text());
                           // A stored port outside the range passes until it is edited.
                           if (b.field->kind == FieldKind::Port && typed == b.text) return;
                           FieldCheck check = CheckNumberText(*b.field, typed);
                           // A number out of range is still taken: the check
                           // comes after the reading.
                           if (check.isNumber) b.number = check.number;
                           if (!check.ok) failure = PageFailure{box, check.message};
                       },
                       [&](QCheckBox* box) { b.number = box->isChecked() ? 1 : 0; },
                       [&](FlagBox* box) { b.number = box->isChecked() ? 1 : 0; },
                       [&](QSlider*) {},  // follows the slider as it moves
                   },
                   b.control);
        if (failure) return failure;
    }
    return std::nullopt;
}

void SheetPage::ValuesFromSettings(const ServerSettings& settings) {
    for (Binding& b : bindings_) {
        if (b.field->kind == FieldKind::Text) {
            b.text = std::string(TextOf(settings, *b.field));
        } else if (FlagBox* const* box = std::get_if<FlagBox*>(&b.control)) {
            b.number = (NumberOf(settings, *b.field) & (*box)->Bit()) != 0 ? 1 : 0;
        } else {
            b.number = NumberOf(settings, *b.field);
        }
    }
}

void SheetPage::SettingsFromValues(ServerSettings& settings) const {
    for (const Binding& b : bindings_) {
        if (std::holds_alternative<FlagBox*>(b.control)) continue;  // already in the record
        if (b.field->kind == FieldKind::Text) {
            SetText(settings, *b.field, b.text);
        } else {
            SetNumber(settings, *b.field, b.number);
        }
    }
}

bool SheetPage::Binds(const SettingsField& field) const {
    for (const Binding& b : bindings_) {
        if (b.field == &field) return true;
    }
    return false;
}

}  // namespace mctf
