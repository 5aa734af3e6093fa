#pragma once

#include <stdexcept>

namespace ui {

// A property value that a control refuses (a negative size, a picture that cannot be
// loaded): the statement that set it fails.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ui
