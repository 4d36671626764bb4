// The settings file reader on arbitrary bytes.
#include "TConfig.h"
#include "TError.h"
#include "TFuzzFile.h"
#include "TMemIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const TMemIniFile ini(FuzzInputFile(data, size));
        TOrvaneConfig config;
        config.LoadFromIni(ini);
        TMemIniFile out(QStringLiteral("/nonexistent/settings.INI"));
        config.SaveToIni(out);
    } catch (const TError&) {
    }
    return 0;
}
