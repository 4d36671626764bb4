#pragma once
// A temporary file for the lifetime of the object: reserved in the temporary folder by the
// constructor, deleted by the destructor.

#include <QString>

class TTempFile {
public:
    // `extension` with its leading dot (".html") replaces ".TMP"; empty keeps the reserved name.
    explicit TTempFile(const QString& extension = QString());
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    const QString& GetFileName() const { return FFileName; }

private:
    QString FFileName;
};
