#pragma once
// Helpers for the controls of the windows.

class QAbstractItemView;

class TFormUtils {
public:
    // Fits every column of a list (a tree or table view) to its header and its widest entry.
    static void AutoSizeColumns(QAbstractItemView* view);
};
