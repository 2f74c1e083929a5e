// Test-only allocator for records-demo: the Nth request for memory fails with
// std::bad_alloc, N taken from FAIL_ALLOC_AT, so that each allocation of a run
// can be made to fail in turn. Without it, or past the last request, every
// allocation succeeds.

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

long fail_at()
{
    static const long at = [] {
        const char* text = std::getenv("FAIL_ALLOC_AT");
        return text == nullptr ? 0L : std::strtol(text, nullptr, 10);
    }();
    return at;
}

long requests = 0; // the allocator's own count of requests so far

} // namespace

void* operator new(std::size_t size)
{
    if (++requests == fail_at()) {
        throw std::bad_alloc();
    }
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): this is the allocator itself
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// NOLINTNEXTLINE(cppcoreguidelines-no-malloc): pairs with the malloc above
void operator delete(void* memory) noexcept { std::free(memory); }

// NOLINTNEXTLINE(cppcoreguidelines-no-malloc): pairs with the malloc above
void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }
