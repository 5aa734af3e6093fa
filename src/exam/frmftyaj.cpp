#include "exam/frmftyaj.h"

#include "shared/module1.h"

Frmftyaj::Frmftyaj(shared::Module1& module)
    : ui::Form(ui::Form::Style::Maximized), m_(module) {}

Frmftyaj::~Frmftyaj() = default;
