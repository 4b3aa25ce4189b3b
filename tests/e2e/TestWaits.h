#pragma once
// Upper bounds of the end-to-end tests' waits. Each wait ends as soon as the state it waits for
// is there; a bound is reached only when something is wrong, so it is generous for a busy machine.
#include <chrono>

namespace zr::test {

// A program started under Wine showing its first window.
constexpr std::chrono::seconds kStartTimeout{30};
// One action of a user (a click, a key, a menu entry) having its effect.
constexpr std::chrono::seconds kActionTimeout{10};

}  // namespace zr::test
