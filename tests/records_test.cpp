// The records' print operations on edge values: the exact text, each line flushed as it ends, the
// same again when called again; and a dog's age handed back as printed.

#include "records.hpp"

#include <climits>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Stands in for std::cout's buffer (never copied: std::cout points at it); notes each flush.
struct CapturedCout : std::stringbuf {
    CapturedCout() : saved(std::cout.rdbuf(this)) {}
    ~CapturedCout() override { std::cout.rdbuf(saved); }
    int sync() override
    {
        flushes.push_back(str().size());
        return 0;
    }
    std::streambuf* saved;
    std::vector<std::size_t> flushes;
};

void dog_age(int age) { EXPECT_EQ(Dog("Azor", "Kundel", age).return_age(), age); }

TEST(PrintOperations, WriteExactLinesEachFlushedAndRepeatWhenCalledAgain)
{
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[] { Point(0, 0).display_Point(); }, "Punkt (0,0)\n"},
        {[] { Point(-3, 12).display_Point(); }, "Punkt (-3,12)\n"},
        {[] { Point(INT_MIN, INT_MAX).display_Point(); }, "Punkt (-2147483648,2147483647)\n"},
        {[] { Person("", "", 7, "").person_name(); }, " Imie i nazwisko:  \nWiek: 7lat\nProfesja: umientnoszcz/n\n"},
        {[] { Person(" Jan ", "  Kos", -1, "stolarstwo ").person_name(); },
         " Imie i nazwisko:  Jan    Kos\nWiek: -1lat\nProfesja: stolarstwo umientnoszcz/n\n"},
        {[] { Person("A", "B", INT_MIN, "x").person_name(); },
         " Imie i nazwisko: A B\nWiek: -2147483648lat\nProfesja: xumientnoszcz/n\n"},
        {[] { Book("Lalka", "Prus", 0).book_wp(); }, "tytul: Lalkaautor: Prusiloscz stron: 0\n"},
        {[] { Book("", " ", -5).book_wp(); }, "tytul: autor:  iloscz stron: -5\n"},
        {[] { dog_age(0); }, "0\n"},
        {[] { dog_age(5); }, "5\n"},
        {[] { dog_age(-1); }, "-1\n"},
        {[] { dog_age(INT_MIN); }, "-2147483648\n"},
        {[] { dog_age(INT_MAX); }, "2147483647\n"},
    };
    for (const auto& [print, expected] : cases) {
        SCOPED_TRACE(expected);
        CapturedCout out;
        print();
        EXPECT_EQ(out.str(), expected);
        print();
        const std::string text = out.str();
        EXPECT_EQ(text, expected + expected);
        std::vector<std::size_t> line_ends;
        for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
            line_ends.push_back(end + 1);
        }
        EXPECT_EQ(out.flushes, line_ends);
    }
}

} // namespace
