#pragma once

// Gives a variable a value for as long as a scope lasts, and another one when the
// scope ends, however it ends.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& slot, T during, T after) : slot_(slot), after_(after) { slot_ = during; }
    ~ScopedValue() { slot_ = after_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& slot_;
    T after_;
};
