// The options AddressSanitizer's runtime starts with in every program of the
// address-sanitized build; ASAN_OPTIONS set by the caller still take
// precedence.
//
// intercept_tls_get_addr=0: the runtime that comes with GCC 12 (libasan 8)
// watches __tls_get_addr to learn where the thread-local blocks of
// dlopen()ed libraries lie. For a block whose address lies 16 bytes past a
// 4 KiB boundary it reads start and size from a header that glibc 2.19 put
// in front of such blocks; the glibc of today allocates them with malloc and
// puts no such header there, so the runtime takes two words of the
// allocator's own chunk header for a range of gigabytes. When a block
// happens to land at such an address (the monitor tests load Qt's JPEG
// plugin, whose libjpeg keeps a few thread-local bytes), the leak check at
// exit reads that range and dies with "Tracer caught signal 11". The blocks
// are ordinary heap blocks that glibc keeps reachable, so the leak check
// still follows what they hold without the interception.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
