// The INI document and the project loader on arbitrary bytes.
#include "TError.h"
#include "TFuzzFile.h"
#include "TMemIniFile.h"
#include "TProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = FuzzInputFile(data, size);
    try {
        TProject project;
        project.LoadFromFile(path);
        const TMemIniFile ini(path);
        (void)ini.ToBytes();
    } catch (const TError&) {
    }
    return 0;
}
