// FlagBox: a check box that keeps one bit of a live flag field (dmFlags,
// modFlags) in step with its tick. The field changes at once, not on OK;
// closing the sheet without OK reloads the settings and so takes it back.
#pragma once

#include <QCheckBox>

#include <cstdint>
#include <functional>

namespace mctf {

class FlagBox : public QCheckBox {
public:
    // afterToggle runs after each change of the bit (the Death Match page
    // shows the field). A fill sets the tick with the box's signals blocked.
    FlagBox(const QString& label, int32_t bit, int32_t& field,
            std::function<void()> afterToggle = {});

    int32_t Bit() const { return bit_; }

private:
    int32_t bit_;
};

}  // namespace mctf
