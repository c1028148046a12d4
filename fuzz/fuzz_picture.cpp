#include "picturetarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzPicture(data, size);
    return 0;
}
