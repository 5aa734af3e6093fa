#pragma once
// Placeholder: the main examination form.
class Frmftyaj {};
