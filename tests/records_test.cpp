// The record classes' print operations, checked on edge values: the exact
// text, and that every line is flushed as it ends.

#include "records.hpp"

#include <climits>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Takes the place of std::cout's buffer and notes where each flush fell.
// Neither copyable nor movable: std::cout points at this very object.
class CapturedCout : public std::stringbuf {
public:
    CapturedCout() : saved(std::cout.rdbuf(this)) {}
    ~CapturedCout() override { std::cout.rdbuf(saved); }

    const std::vector<std::size_t>& flushes() const { return flush_points; }

protected:
    int sync() override
    {
        flush_points.push_back(str().size());
        return 0;
    }

private:
    std::streambuf* saved;
    std::vector<std::size_t> flush_points;
};

// Where the flushes must fall: right after each newline, and nowhere else.
std::vector<std::size_t> line_ends(const std::string& text)
{
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ends.push_back(i + 1);
        }
    }
    return ends;
}

struct PrintCase {
    const char* name;
    std::function<void()> print;
    std::string expected;
};

TEST(PrintOperations, WriteExactLinesEachFlushedAndRepeatWhenCalledAgain)
{
    const std::vector<PrintCase> cases = {
        {"point zero", [] { Point(0, 0).display_Point(); }, "Punkt (0,0)\n"},
        {"point negative", [] { Point(-3, 12).display_Point(); }, "Punkt (-3,12)\n"},
        {"point limits", [] { Point(INT_MIN, INT_MAX).display_Point(); }, "Punkt (-2147483648,2147483647)\n"},
        {"person empty texts", [] { Person("", "", 7, "").person_name(); },
         " Imie i nazwisko:  \nWiek: 7lat\nProfesja: umientnoszcz/n\n"},
        {"person spaces kept", [] { Person(" Jan ", "  Kos", -1, "stolarstwo ").person_name(); },
         " Imie i nazwisko:  Jan    Kos\nWiek: -1lat\nProfesja: stolarstwo umientnoszcz/n\n"},
        {"person limits", [] { Person("A", "B", INT_MIN, "x").person_name(); },
         " Imie i nazwisko: A B\nWiek: -2147483648lat\nProfesja: xumientnoszcz/n\n"},
        {"dog", [] { Dog("Burek", "", INT_MAX).return_age(); }, "2147483647\n"},
        {"book no trailing spaces", [] { Book("Lalka", "Prus", 0).book_wp(); },
         "tytul: Lalkaautor: Prusiloscz stron: 0\n"},
        {"book empty and negative", [] { Book("", " ", -5).book_wp(); }, "tytul: autor:  iloscz stron: -5\n"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        CapturedCout out;
        test.print();
        EXPECT_EQ(out.str(), test.expected);
        test.print();
        EXPECT_EQ(out.str(), test.expected + test.expected);
        EXPECT_EQ(out.flushes(), line_ends(out.str()));
    }
}

TEST(Dog, ReturnAgeReturnsTheNumberItWrote)
{
    for (const int age : {0, 5, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(age);
        CapturedCout out;
        const Dog dog("Azor", "Kundel", age);
        EXPECT_EQ(dog.return_age(), age);
        EXPECT_EQ(out.str(), std::to_string(age) + "\n");
    }
}

} // namespace
