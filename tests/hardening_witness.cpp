// Compiled exactly as the release is and never linked: each function leaves a
// mark in the object file that one hardening option was at work, where the
// program's own code has no occasion to show it. tests/link-facts reads them,
// finding the functions by their unmangled names.

#include <array>
#include <cstddef>
#include <cstring>

void keep(char* data, std::size_t size); // never defined: the object is only read

// _FORTIFY_SOURCE: a copy of unknown length into a buffer of known size becomes
// a checked call (__memcpy_chk).
extern "C" void witness_fortify(const char* from, std::size_t length)
{
    std::array<char, 16> buffer{};
    std::memcpy(buffer.data(), from, length);
    keep(buffer.data(), buffer.size());
}

// Stack clash protection: a frame of many pages is touched page by page as it
// grows, never skipped over in one step.
extern "C" void witness_stack_clash()
{
    std::array<char, 1 << 16> frame{};
    keep(frame.data(), frame.size());
}
