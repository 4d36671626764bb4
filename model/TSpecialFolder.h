#pragma once
// Resolves a shell special folder from a folder kind number (0 to 29, the classic folder
// constants in alphabetical order of their names). Kind 1, the per-user application-data
// folder, is the user's config folder; the others give their nearest desktop folder or "".

#include <QString>

class TSpecialFolder {
public:
    static constexpr int AppData = 1;
    // Throws TError "指定されたコードが見つかりません。" for a kind outside 0..29.
    static QString GetSpecialFolderPath(int kind);
};
