// Sanitizer defaults of the fuzz targets (ASAN_OPTIONS still overrides them).
// The default quarantine holds back 256 MB of freed blocks, so a short run
// allocates fresh pages for nearly every block and spends most of its time
// in page faults. A 16 MB quarantine still outlasts many inputs, so a block
// used after its free is still caught.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
