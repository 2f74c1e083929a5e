// Each function shows one hardening option in code, for tests/link-facts to compare built with and
// without it.

#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>

void keep(char* data, std::size_t size); // never defined: the object is only read

// A local array whose address escapes gets a canary.
extern "C" void witness_stack_protector()
{
    std::array<char, 64> buffer{};
    keep(buffer.data(), buffer.size());
}

// A frame of many pages is touched page by page as it grows.
extern "C" void witness_stack_clash()
{
    std::array<char, 1 << 16> frame{};
    keep(frame.data(), frame.size());
}

// Reached indirectly, and calls indirectly.
extern "C" void witness_control_flow(void (*call)()) { call(); }

// A copy of unknown length into a buffer of known size becomes a checked call.
extern "C" void witness_fortify(const char* from, std::size_t length)
{
    std::array<char, 16> buffer{};
    std::memcpy(buffer.data(), from, length);
    keep(buffer.data(), buffer.size());
}

// _FORTIFY_SOURCE=3 only: the buffer's size is known at run time alone.
extern "C" void witness_fortify_3(const char* from, std::size_t length, std::size_t size)
{
    auto* buffer = static_cast<char*>(std::malloc(size)); // NOLINT(cppcoreguidelines-no-malloc)
    std::memcpy(buffer, from, length);
    keep(buffer, size);
}
