#include "BenchSummary.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace BenchSummary {
namespace {

std::vector<std::pair<std::string, std::string>> &lines()
{
    static std::vector<std::pair<std::string, std::string>> all;
    return all;
}

void add(const std::string &key, const std::string &line)
{
    for (auto &[k, l] : lines()) {
        if (k == key) {
            l = line;
            return;
        }
    }
    lines().emplace_back(key, line);
}

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

void target(const std::string &what, double figure, Goal goal, double target, const std::string &unit,
            const std::string &note)
{
    const bool met = goal == Goal::AtMost ? figure <= target : figure >= target;
    std::string line = what + ": " + format("%.4g", figure) + ' ' + unit + "; target "
        + (goal == Goal::AtMost ? "<= " : ">= ") + format("%.4g", target) + ' ' + unit + ": "
        + (met ? "PASS" : "FAIL");
    if (!note.empty())
        line += " (" + note + ')';
    add(what, line);
}

std::string number(double value)
{
    return format("%.4g", value);
}

std::string times(double ratio)
{
    return format("%.3g", ratio) + 'x';
}

void print()
{
    if (lines().empty())
        return;
    std::printf("== summary\n");
    for (const auto &[key, line] : lines())
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace BenchSummary
