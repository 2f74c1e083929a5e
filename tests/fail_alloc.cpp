// Test-only allocator (tests/e2e alloc): request number FAIL_ALLOC_AT throws std::bad_alloc.

#include <cstddef>
#include <cstdlib>
#include <new>

// NOLINTBEGIN(cppcoreguidelines-no-malloc): this is the allocator itself
void* operator new(std::size_t size)
{
    static const char* const fail_at = std::getenv("FAIL_ALLOC_AT");
    static long requests = 0;
    if (fail_at != nullptr && ++requests == std::strtol(fail_at, nullptr, 10)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }
// NOLINTEND(cppcoreguidelines-no-malloc)
