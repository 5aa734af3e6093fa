#pragma once

#include <stdexcept>
#include <string>

namespace db {

// A failure of the database layer, carrying the engine's message or the layer's own.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace db
