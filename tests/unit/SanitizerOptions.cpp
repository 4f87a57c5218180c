// Undefined behaviour fails the test that meets it: in the sanitized host
// build the first report ends the test program instead of scrolling past in
// a passing run. The sanitizer runtime reads this hook at start-up; other
// builds never call it.
extern "C" const char* __ubsan_default_options();
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
