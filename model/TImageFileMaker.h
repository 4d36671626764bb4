#pragma once
// Stores pictures as files: a bitmap in the format its file name's extension names, and the
// pictures carried in an output map into a folder.

#include <QImage>
#include <QString>
#include <QStringList>

class TOutputDataMap;

class TImageFileMaker {
public:
    // Format by the upper-cased extension: .PNG .GIF .JPG .JPEG .BMP. The picture is encoded
    // in memory first and the file replaced in one step, so a failure writes nothing.
    static void SavePictureToFile(const QString& path, const QImage& picture);
    // Writes the decoded bytes as the file's whole content (created or replaced), in the
    // same one-step way.
    static void WriteBase64ToFile(const QString& path, const QString& base64Text);
    // Writes every entry with a file name and data, in tag-name order, and lists the paths.
    // `folder` ends with the separator. Every file name is checked before anything is
    // written.
    static QStringList MakeImageFiles(const TOutputDataMap& outputMap, const QString& folder);
    // Throws TError, naming `caption`, when `fileName` is empty, holds "/" or "\", or is
    // "." or "..": a picture must land inside the folder it is written to.
    static void CheckOutputFileName(const QString& caption, const QString& fileName);
};
