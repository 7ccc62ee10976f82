#pragma once
// Table cases that carry their own name print as that name: the test list (and ctest, which
// shows each case's printed value) and failure messages show "DefaultsTransmit" rather than a
// dump of the case's bytes. A test file brings it in with `using evaltest::PrintTo;` in the
// namespace of its case types.
#include <concepts>
#include <ostream>

namespace evaltest {

template <class Case>
requires requires(const Case& c) {
    { c.name } -> std::convertible_to<const char*>;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

} // namespace evaltest
