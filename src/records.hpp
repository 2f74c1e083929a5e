#ifndef RECORDS_HPP
#define RECORDS_HPP

// The four sample records. Each one owns its data, never changes after it is
// built, and prints itself straight to standard output. Every line ends with
// std::endl rather than "\n": each line must be out before the next step of
// the run, so it is flushed as it ends.

#include <iostream>
#include <string>
#include <utility>

class Point {
public:
    Point(int xCoord, int yCoord) : x(xCoord), y(yCoord) {}

    void display_Point() const { std::cout << "Punkt (" << x << "," << y << ")" << std::endl; }

private:
    int x;
    int y;
};

class Person {
public:
    Person(std::string f, std::string l, int a, std::string u)
        : firstName(std::move(f)), lastName(std::move(l)), age(a), umientnoszcz(std::move(u))
    {
    }

    // "umientnoszcz/n" is part of the line as written: a slash and an n, not a line break.
    void person_name() const
    {
        std::cout << " Imie i nazwisko: " << firstName << " " << lastName << std::endl;
        std::cout << "Wiek: " << age << "lat" << std::endl;
        std::cout << "Profesja: " << umientnoszcz << "umientnoszcz/n" << std::endl;
    }

private:
    std::string firstName;
    std::string lastName;
    int age;
    std::string umientnoszcz;
};

class Dog {
public:
    Dog(std::string n, std::string b, int a) : name(std::move(n)), breed(std::move(b)), age(a) {}

    // Writes the bare age on a line of its own and hands the same number back.
    int return_age() const
    {
        std::cout << age << std::endl;
        return age;
    }

private:
    std::string name;
    std::string breed;
    int age;
};

class Book {
public:
    Book(std::string t, std::string a, int n) : title(std::move(t)), author(std::move(a)), numberOfPages(n) {}

    // No separators of its own: any spacing before a label comes from the data.
    void book_wp() const
    {
        std::cout << "tytul: " << title << "autor: " << author << "iloscz stron: " << numberOfPages << std::endl;
    }

private:
    std::string title;
    std::string author;
    int numberOfPages;
};

#endif
