// The libFuzzer entry of one target; ZELKOR_FUZZ_TARGET names its function.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return zelkor::fuzz::ZELKOR_FUZZ_TARGET(data, size);
}
