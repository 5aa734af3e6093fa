#pragma once
// The answer of a yes/no prompt: the key 1, of the main row or the keypad, means yes
// and goes on; every other key means no and is swallowed. A modifier or lock key
// alone answers nothing (no value): it comes before the key it goes with.

#include <optional>

namespace dialogs {

std::optional<bool> TakePromptKey(int& keyCode);

}  // namespace dialogs
