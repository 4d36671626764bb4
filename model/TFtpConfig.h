#pragma once
// Where and how pages and pictures are published: the FTP server, the login and the two
// remote folders.

#include <QString>
#include <cstdint>

struct TFtpConfig {
    bool IsUse = false;
    QString Host;
    QString User;
    QString Password;
    QString DirHtml;   // remote folder for pages
    QString DirImage;  // remote folder for pictures
    int32_t Port = 21;
    bool Passive = false;  // passive data connections, for those behind a router
};
