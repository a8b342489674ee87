#pragma once

#include <QString>

class QApplication;

namespace Theme {

// The palette colour a style sheet names in characters 20-26 of its first rule.
QString paletteColourName(const QString &styleSheet);
// Applies ":/qss/psblue.css" (palette and style sheet); false when the theme is missing.
bool applyTheme(QApplication &app);
// "Microsoft Yahei" 12 pt, falling back to an installed CJK family where it is missing.
void applyFont(QApplication &app);
// The main window's size rules: the seven templates filled and joined.
QString sizeRules();

} // namespace Theme
