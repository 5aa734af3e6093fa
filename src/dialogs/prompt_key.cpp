#include "dialogs/prompt_key.h"

#include "platform/ui/keys.h"

namespace dialogs {

std::optional<bool> TakePromptKey(int& keyCode) {
    if (ui::IsModifierOrLock(keyCode)) return std::nullopt;
    if (keyCode == ui::vk::Digit0 + 1 || keyCode == ui::vk::Numpad0 + 1) return true;
    keyCode = 0;
    return false;
}

}  // namespace dialogs
