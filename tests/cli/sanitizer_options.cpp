// Options for this test binary when it runs under AddressSanitizer: the STEP run meets Open
// CASCADE's one-time translator set-up, whose allocations .ci/lsan.supp names by function.
// OCCT is built without frame pointers, so only the slow unwinder reaches those functions.
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}
