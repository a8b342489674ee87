#pragma once

#include <QString>

#include <array>

struct Lab;

// The instrument's display parameter; also indexes the record counters and regions.
enum ResultKind : int { ResultHazeT, ResultHaze, ResultT, ResultLab, ResultLCh, ResultYxy, ResultKindCount };

struct JudgementSettings
{
    double hazeTolerance = 0;
    double transmittanceTolerance = 0;
    double workingThreshold = 0;   // allowed ΔE as last read or written
    double parameterThreshold = 0; // allowed ΔE of the ΔE parameter block
    int formula = 0;
    int deviceType = 0;
    std::array<bool, ResultKindCount> resultKinds{true, false, false, false, false, false};
};

// ΔE by the formula in force. For device type 1 the working threshold also becomes
// the ΔE-parameter threshold, which is why the settings are taken by reference.
double judgedDeltaE(JudgementSettings &settings, const Lab &standard, const Lab &sample);

// PASS or not; every bound inclusive (up to decimal rounding); with no result kind set
// the sample passes.
bool passes(const JudgementSettings &settings, double deltaHaze, double deltaTransmittance, double deltaE);

// Untranslated texts in the "FirstPageFor310" context; the page translates them.
const char *resultText(bool pass); // "PASS" / "NG"
enum DeviationAxis : int { AxisL, AxisA, AxisB };
const char *deviationWord(int axis, double difference);

// Unqualified / qualified / total and the record sequence number of the comparison page.
class ComparisonCounters
{
public:
    // Counters as a previous session left them.
    static ComparisonCounters restored(unsigned unqualified, unsigned qualified, unsigned total, int sequence);

    void add(bool pass);
    // Deleting a record; never drops below 0 even if the list was filled without counting.
    void remove(bool wasNg);
    // Clearing the record list: counters and sequence number to 0.
    void reset();
    // Rejudging: counters to 0, the sequence number kept; then add() for every record.
    void resetCounts();
    // "Comp1", "Comp2", ...: advances the sequence number; deleted names are not reused.
    QString nextTestName();

    unsigned unqualified() const { return unqualified_; }
    unsigned qualified() const { return qualified_; }
    unsigned total() const { return total_; }
    int sequence() const { return sequence_; }

private:
    unsigned unqualified_ = 0;
    unsigned qualified_ = 0;
    unsigned total_ = 0;
    int sequence_ = 0;
};
