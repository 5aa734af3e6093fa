// Placeholder until the idle cycle, the keyboard, the countdown and the hand-in land.
#include "exam/frmftyaj.h"

void Frmftyaj::Form_Load() {}
void Frmftyaj::Form_KeyDown(int&, int) {}
void Frmftyaj::Timer1_Timer() {}
void Frmftyaj::Timer2_Timer() {}
void Frmftyaj::Gets1() {}
