#include "support/fakes.h"

namespace testing_support {

float ScriptedRandom::Next() {
    ++drawn;
    if (!values.empty()) {
        last_ = values.front();
        values.pop_front();
    }
    return last_;
}

FakeServices::FakeServices(const QString& folder, const QString& exeName)
    : services{&clock, &random, &end, &shutdown, &keys, folder, exeName} {}

}  // namespace testing_support
