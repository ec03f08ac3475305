// Coverage for libFuzzer from GCC's instrumentation. GCC can keep our Shift-JIS literals
// but offers only -fsanitize-coverage=trace-pc (one call per basic block), which libFuzzer
// no longer reads: here each call becomes an edge counter, AFL style (previous block XOR
// this one), in a table handed to libFuzzer as its inline 8-bit counters. The comparison
// hooks of trace-cmp are libFuzzer's own.
#include <cstddef>
#include <cstdint>

extern "C" void __sanitizer_cov_8bit_counters_init(uint8_t* start, uint8_t* stop);
extern "C" void __sanitizer_cov_pcs_init(const uintptr_t* beg, const uintptr_t* end);
extern "C" char __executable_start;

namespace {

constexpr size_t kCounters = 1 << 18;
uint8_t g_counters[kCounters];
// libFuzzer wants one (pc, flags) pair per counter; the counter's index stands for the pc.
uintptr_t g_pcs[2 * kCounters];
thread_local uintptr_t t_previous;

struct Registration {
  __attribute__((no_sanitize_coverage)) Registration() {
    for (size_t i = 0; i < kCounters; i++) g_pcs[2 * i] = i + 1;
    __sanitizer_cov_8bit_counters_init(g_counters, g_counters + kCounters);
    __sanitizer_cov_pcs_init(g_pcs, g_pcs + 2 * kCounters);
  }
} g_registration __attribute__((init_priority(101)));

}  // namespace

// Offsets from the program's start, so that every process (libFuzzer's fork mode runs
// several) numbers the same edge alike whatever address the program was loaded at.
extern "C" __attribute__((no_sanitize_coverage, no_sanitize_address, no_sanitize_undefined)) void
__sanitizer_cov_trace_pc() {
  uintptr_t block = (uintptr_t)__builtin_return_address(0) - (uintptr_t)&__executable_start;
  block = (block ^ (block >> 15)) * 0x9E3779B1u;
  const uintptr_t here = (block >> 7) & (kCounters - 1);
  g_counters[here ^ t_previous]++;
  t_previous = here >> 1;
}

// GCC also reports floating-point comparisons, which libFuzzer has no use for.
extern "C" __attribute__((no_sanitize_coverage)) void __sanitizer_cov_trace_cmpf(float, float) {}
extern "C" __attribute__((no_sanitize_coverage)) void __sanitizer_cov_trace_cmpd(double, double) {}
