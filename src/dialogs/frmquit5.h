#pragma once
// Placeholder: the paper-kind selection.
class Frmquit5 {};
