#include "THtmlTemplate.h"

uint16_t CharCodeToCodePage(int32_t charCode) {
    switch (charCode) {
        case THtmlTemplate::CharCodeUtf8:
            return 65001;
        case THtmlTemplate::CharCodeShiftJis:
            return 932;
        case THtmlTemplate::CharCodeEucJp:
            return 20932;
        default:
            return 65535;
    }
}
