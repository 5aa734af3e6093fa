#pragma once
// Layer 3, the operator and candidate dialogs: the operator code (Frmquit), the end-exam
// prompt (Frmquit1), the candidate confirmation (Frmquit2), the keypad instructions
// (Frmquit3), the review prompt (Frmquit4) and the paper-kind selection (Frmquit5).
// Each is a small modal form that answers through its public fields. They may use the
// platform layer and the shared module; they know neither the examination form nor
// the start-up.

#include "dialogs/frmquit.h"
#include "dialogs/frmquit1.h"
#include "dialogs/frmquit2.h"
#include "dialogs/frmquit3.h"
#include "dialogs/frmquit4.h"
#include "dialogs/frmquit5.h"
