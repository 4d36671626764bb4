#pragma once
// A temporary folder for the lifetime of the object: created in the temporary folder by the
// constructor, deleted with everything inside it by the destructor.

#include <QString>

class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder's full path, ending with "/".
    const QString& GetPath() const { return FPath; }

private:
    QString FPath;
};
