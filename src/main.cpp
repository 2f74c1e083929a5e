// The demonstration run: one sample of each record, each printed as soon as it
// is built. Arguments and standard input are never looked at.

#include "records.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

namespace {

constexpr const char* program_name = "records-demo";

// Reports why the run failed, on one line of standard error.
void report(const char* what, int cause) noexcept
{
    std::cerr << program_name << ": " << what;
    if (cause != 0) {
        std::cerr << ": " << std::strerror(cause);
    }
    std::cerr << std::endl;
}

// Every line was flushed as it ended, so the stream's state says whether any
// of them failed to go out (a full disk, a closed descriptor). The writes
// after a failure are skipped by the stream, so errno still names its cause.
int finish_output() noexcept
{
    std::cout.flush();
    if (std::cout) {
        return EXIT_SUCCESS;
    }
    report("cannot write standard output", errno);
    return EXIT_FAILURE;
}

} // namespace

int main()
{
    try {
        const Book book1("sahshsu  ", "Lidora Wolbek   ", 328);
        book1.book_wp();
        const Dog dog1("Burek", "Owczarek-Niemiecki", 5);
        static_cast<void>(dog1.return_age());
        const Person osoba1("Tomir", "Zawirta", 25, "kucharstwo");
        osoba1.person_name();
        const Point p1(5, 1);
        p1.display_Point();
    } catch (const std::bad_alloc&) {
        // Lines already printed stay printed; the rest of the run is dropped.
        report("out of memory", 0);
        return EXIT_FAILURE;
    }
    return finish_output();
}
