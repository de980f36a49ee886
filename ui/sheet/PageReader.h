// PageReader: reads a page's controls into its values in order and keeps the
// first failure; once something has failed, the later calls read nothing.
// The fill side is here too, so both directions treat values alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/sheet/SheetPage.h"

class QCheckBox;
class QLineEdit;

namespace mctf {

class MemoBox;
class TextBox;

// Page texts hold the bytes that go into the record's arrays.
QString PageText(const std::string& value);

void FillText(TextBox& box, const std::string& value);
void FillText(MemoBox& box, const std::string& value);
void FillNumber(QLineEdit& box, int32_t value);
// A check box value other than 0, 1 or 2 shows unticked and becomes 0;
// 2 (a third state the boxes do not have) shows ticked.
void FillCheck(QCheckBox& box, int32_t& value);

class PageReader {
public:
    void Text(TextBox& box, std::string& value);
    void Text(MemoBox& box, std::string& value);
    void Number(QLineEdit& box, int32_t& value, int32_t low, int32_t high);
    void AnyNumber(QLineEdit& box, int32_t& value);  // whole number, no range
    void Check(QCheckBox& box, int32_t& value);

    const std::optional<PageFailure>& Result() const { return failure_; }

private:
    void ReadText(QWidget& box, const QString& text, int limit, std::string& value);

    std::optional<PageFailure> failure_;
};

}  // namespace mctf
