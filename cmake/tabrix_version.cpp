// Version string of the shared library.
extern "C" const char* TabrixVersion() { return "0.1.0"; }
