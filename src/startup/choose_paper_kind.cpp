// Placeholder until the paper-kind selection lands.
#include "startup/module1.h"

#include "dialogs/frmquit5.h"

namespace startup {
bool Module1::ChoosePaperKind() { return true; }
}  // namespace startup
