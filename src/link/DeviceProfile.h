#pragma once

#include <QtGlobal>
#include <array>

// What sets the instrument's device types apart, in one row per type. The device type comes
// from the meter table.
struct DeviceProfile
{
    // Where the Lab, LCh and spectral record counters are read.
    enum class Counters { First, Moved };

    int type;
    bool usesTolerance;         // haze/T tolerance settings; the others keep a ΔE parameter
    bool usesInstrumentFormula; // judges with the formula of its ΔE parameter; the others with ΔE*ab
    bool choosesFormula;        // its ΔE parameter dialog offers the formula, not only the threshold
    std::array<bool, 6> resultKinds; // display parameters it can measure
    quint32 spectralValues;     // stored spectra: values region, then names region
    quint32 spectralNames;
    Counters counters;
    const char *axisTitle;      // the spectral chart's vertical title, context "MeterPageFor310"
    const char *spectralButton; // the comparison page's spectral button, context "FirstPageFor310"
};

// Null for unknown types.
const DeviceProfile *deviceProfile(int type);
