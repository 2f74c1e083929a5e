// The records' print operations on edge values: the exact text, each line flushed as it ends.

#include "records.hpp"

#include <climits>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Stands in for std::cout's buffer; a flush writes a '|'.
struct CapturedCout : std::stringbuf {
    CapturedCout() : saved(std::cout.rdbuf(this)) {}
    ~CapturedCout() override { std::cout.rdbuf(saved); }
    int sync() override
    {
        sputc('|');
        return 0;
    }
    std::streambuf* saved;
};

TEST(PrintOperations, WriteExactLinesEachFlushedAndRepeatWhenCalledAgain)
{
    const std::vector<std::pair<void (*)(), std::string>> cases = {
        {[] { Point(0, 0).display_Point(); }, "Punkt (0,0)\n|"},
        {[] { Point(-3, 12).display_Point(); }, "Punkt (-3,12)\n|"},
        {[] { Point(INT_MIN, INT_MAX).display_Point(); }, "Punkt (-2147483648,2147483647)\n|"},
        {[] { Person("", "", 7, "").person_name(); }, " Imie i nazwisko:  \n|Wiek: 7lat\n|Profesja: umientnoszcz/n\n|"},
        {[] { Person(" Jan ", "  Kos", -1, "stolarstwo ").person_name(); },
         " Imie i nazwisko:  Jan    Kos\n|Wiek: -1lat\n|Profesja: stolarstwo umientnoszcz/n\n|"},
        {[] { Person("A", "B", INT_MIN, "x").person_name(); },
         " Imie i nazwisko: A B\n|Wiek: -2147483648lat\n|Profesja: xumientnoszcz/n\n|"},
        {[] { Book("Lalka", "Prus", 0).book_wp(); }, "tytul: Lalkaautor: Prusiloscz stron: 0\n|"},
        {[] { Book("", " ", -5).book_wp(); }, "tytul: autor:  iloscz stron: -5\n|"},
        {[] { Dog("Burek", "", INT_MAX).return_age(); }, "2147483647\n|"},
    };
    for (const auto& [print, expected] : cases) {
        SCOPED_TRACE(expected);
        CapturedCout out;
        print();
        EXPECT_EQ(out.str(), expected);
        print();
        EXPECT_EQ(out.str(), expected + expected);
    }
}

TEST(Dog, ReturnAgeReturnsTheNumberItWrote)
{
    for (const int age : {0, 5, -1, INT_MIN, INT_MAX}) {
        CapturedCout out;
        EXPECT_EQ(Dog("Azor", "Kundel", age).return_age(), age);
        EXPECT_EQ(out.str(), std::to_string(age) + "\n|");
    }
}

} // namespace
