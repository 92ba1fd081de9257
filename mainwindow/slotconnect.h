// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

class QObject;

// Connects every slot of `receiver` named on_<objectName>_<signal> to that signal of the
// receiver's child of that name. An action's "activated" is its "triggered" signal.
// A slot that finds no signal is reported with a warning.
void connectSlotsByObjectName(QObject *receiver);
