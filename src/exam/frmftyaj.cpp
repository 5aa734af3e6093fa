#include "exam/frmftyaj.h"

#include "startup/module1.h"

Frmftyaj::Frmftyaj(startup::Module1& module)
    : ui::Form(ui::Form::Style::Maximized), m_(module) {}

Frmftyaj::~Frmftyaj() = default;
