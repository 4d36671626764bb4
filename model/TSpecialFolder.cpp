#include "TSpecialFolder.h"

#include <QDir>
#include <QStandardPaths>

#include <array>
#include <optional>

#include "TError.h"

namespace {

using TLocation = std::optional<QStandardPaths::StandardLocation>;
constexpr auto None = std::nullopt;

// Kind -> the desktop folder that plays its part here. Folders that are virtual on the
// original platform (recycle bin, control panel, drives, network, printers) have none.
const std::array<TLocation, 30> Locations = {{
    QStandardPaths::ApplicationsLocation,   // 0 ALTSTARTUP
    QStandardPaths::GenericConfigLocation,  // 1 APPDATA
    None,                                   // 2 BITBUCKET
    QStandardPaths::ApplicationsLocation,   // 3 COMMON_ALTSTARTUP
    QStandardPaths::DesktopLocation,        // 4 COMMON_DESKTOPDIRECTORY
    None,                                   // 5 COMMON_FAVORITES
    QStandardPaths::ApplicationsLocation,   // 6 COMMON_PROGRAMS
    QStandardPaths::ApplicationsLocation,   // 7 COMMON_STARTMENU
    QStandardPaths::ApplicationsLocation,   // 8 COMMON_STARTUP
    None,                                   // 9 CONTROLS
    None,                                   // 10 COOKIES
    QStandardPaths::DesktopLocation,        // 11 DESKTOP
    QStandardPaths::DesktopLocation,        // 12 DESKTOPDIRECTORY
    None,                                   // 13 DRIVES
    None,                                   // 14 FAVORITES
    QStandardPaths::FontsLocation,          // 15 FONTS
    None,                                   // 16 HISTORY
    None,                                   // 17 INTERNET
    QStandardPaths::GenericCacheLocation,   // 18 INTERNET_CACHE
    None,                                   // 19 NETHOOD
    None,                                   // 20 NETWORK
    QStandardPaths::DocumentsLocation,      // 21 PERSONAL
    None,                                   // 22 PRINTERS
    None,                                   // 23 PRINTHOOD
    QStandardPaths::ApplicationsLocation,   // 24 PROGRAMS
    None,                                   // 25 RECENT
    None,                                   // 26 SENDTO
    QStandardPaths::ApplicationsLocation,   // 27 STARTMENU
    QStandardPaths::ApplicationsLocation,   // 28 STARTUP
    QStandardPaths::DocumentsLocation,      // 29 TEMPLATES
}};

}  // namespace

QString TSpecialFolder::GetSpecialFolderPath(int kind) {
    if (kind < 0 || kind >= static_cast<int>(Locations.size())) {
        throw TError(QStringLiteral("指定されたコードが見つかりません。"));
    }
    const TLocation location = Locations[static_cast<size_t>(kind)];
    return location ? QStandardPaths::writableLocation(*location) : QString();
}
