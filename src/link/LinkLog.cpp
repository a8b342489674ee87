// SPDX-License-Identifier: Apache-2.0
#include "LinkLog.h"

// Debug lines off by default: an idle program must not fill the journal.
Q_LOGGING_CATEGORY(lumivexLink, "lumivex.link", QtInfoMsg)
