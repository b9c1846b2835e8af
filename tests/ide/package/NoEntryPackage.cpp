// A shared library that is no design package: it has no registration entry point.
extern "C" __attribute__((visibility("default"))) int NotAPackage() { return 1; }
