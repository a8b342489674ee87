#pragma once

#include <QString>

// Exit statuses shared by every command.
enum ExitStatus : int { ExitSuccess = 0, ExitUnreadableInput = 1, ExitBadUsage = 2 };

void writeOut(const QString &text);
void writeError(const QString &text);
