// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLoggingCategory>

// "lumivex.link": silent unless QT_LOGGING_RULES="lumivex.link.debug=true" (or "lumivex.*.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lumivexLink)
