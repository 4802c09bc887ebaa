// A shared library that exports none of an add-in's entry points.
extern "C" __attribute__((visibility("default"))) int NotAnAddIn() {
  return 42;
}
