// libFuzzer's entry point: each input to the harness's FuzzOne. libFuzzer's own main runs
// it, on a corpus folder when fuzzing or on files named on the command line when replaying.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint8_t kNothing = 0;
  FuzzOne(size ? data : &kNothing, size);
  return 0;
}
