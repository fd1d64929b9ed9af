#include "app/device_combo_box.h"

#include "skin/combo_box.h"

namespace {

constexpr TColor kBorderAndArrowColor = 6842472;
constexpr TColor kButtonColor = 14609391;

}  // namespace

TskComboBox* MakeDeviceComboBox(QWidget* parent)
{
    auto* combo = new TskComboBox(parent);
    // The look first: it sets the colours, which the window then overrides.
    combo->SetUIStyle(TskUIStyle::Azure);
    combo->SetArrowColor(kBorderAndArrowColor);
    combo->SetBorderColor(kBorderAndArrowColor);
    combo->SetButtonColor(kButtonColor);
    return combo;
}
