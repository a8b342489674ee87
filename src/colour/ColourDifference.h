#pragma once

#include <QString>

struct MeasurementValues;

struct Lab
{
    double L = 0, a = 0, b = 0;
};

Lab labOf(const MeasurementValues &measurement);

// Formula index as stored in the instrument's ΔE parameter.
enum DeltaEFormula : int { DeltaEab, DeltaEuv, DeltaE94, DeltaECmc21, DeltaECmc11, DeltaE00, DeltaEFormulaCount };

// ΔE of sample against standard; weights come from the standard.
// An index outside 0-5 gives ΔE*ab.
double colorDifference(int formula, const Lab &standard, const Lab &sample);

// "△E*ab" ... "△E*00" (U+25B3), untranslated: callers translate in the "Colorimeter"
// context. Empty for an index outside 0-5.
QString formulaName(int formula);

// Only device type 1 uses the instrument's formula; everything else judges with ΔE*ab.
int formulaInForce(int deviceType, int formula);
