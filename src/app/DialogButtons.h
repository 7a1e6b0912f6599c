// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QHBoxLayout;

// The button row of the program's dialogs: Cancel at the left, OK (the
// default button) at the right, whatever the platform's usual order.
QHBoxLayout* CancelOkButtons(QDialog& dialog);
