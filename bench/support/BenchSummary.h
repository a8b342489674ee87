#pragma once

#include <string>

// Figures that only mean something next to a peer or a target, collected while the benchmarks
// run and printed together at the end, so they can be read without the counter columns.
namespace BenchSummary {

enum class Goal { AtMost, AtLeast };

// "<what>: <figure> <unit>; target <op> <target> <unit>: PASS|FAIL". A later line under the same
// key replaces the earlier one (benchmarks may be entered more than once).
void target(const std::string &what, double figure, Goal goal, double target, const std::string &unit,
            const std::string &note = {});
// "0.45x": a ratio as the notes print it; a figure with four significant digits.
std::string times(double ratio);
std::string number(double value);
// Prints every line under "== summary"; nothing when none was added.
void print();

} // namespace BenchSummary
