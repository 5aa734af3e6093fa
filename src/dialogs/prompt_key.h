#pragma once
// The answer of a yes/no prompt: the key 1, of the main row or the keypad, means yes
// and goes on; every other key means no and is swallowed.

namespace dialogs {

bool TakePromptKey(int& keyCode);

}  // namespace dialogs
