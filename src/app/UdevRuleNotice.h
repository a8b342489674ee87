// SPDX-License-Identifier: Apache-2.0
#pragma once

class QWidget;

// Tells the user, once per run and without blocking, that the meter is attached but may not be
// opened by them, and how to install the udev rule.
void showUdevRuleNotice(QWidget *window);
