#include "dialogs/prompt_key.h"

#include "platform/ui/keys.h"

namespace dialogs {

bool TakePromptKey(int& keyCode) {
    if (keyCode == ui::vk::Digit0 + 1 || keyCode == ui::vk::Numpad0 + 1) return true;
    keyCode = 0;
    return false;
}

}  // namespace dialogs
