// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

class QTableWidget;

// Lets the keyboard leave a table. Tab still moves from cell to cell (also while a cell
// is being edited), but Tab on the last cell moves on to the next widget of the focus
// chain and Shift+Tab on the first cell to the previous one; Ctrl+Tab and Ctrl+Shift+Tab
// leave from any cell. The table keeps its class and focus order.
void letTabLeaveTable(QTableWidget *table);
