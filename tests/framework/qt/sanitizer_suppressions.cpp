// Leak checking under the sanitizers: fontconfig keeps its configuration
// and caches for the life of the process (Qt never finalizes it), and so
// does D-Bus its connection on an X display, which the leak checker reports
// at exit. Nothing of ours is hidden by this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
