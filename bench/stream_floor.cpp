// The least a C++ program can do to print records-demo's six lines the same way: the same
// pieces through std::cout, each line ended by std::endl, with no classes and no strings of its own.

#include <iostream>

int main()
{
    std::cout << "tytul: "
              << "sahshsu  "
              << "autor: "
              << "Lidora Wolbek   "
              << "iloscz stron: " << 328 << std::endl;
    std::cout << 5 << std::endl;
    std::cout << " Imie i nazwisko: "
              << "Tomir"
              << " "
              << "Zawirta" << std::endl;
    std::cout << "Wiek: " << 25 << "lat" << std::endl;
    std::cout << "Profesja: "
              << "kucharstwo"
              << "umientnoszcz/n" << std::endl;
    std::cout << "Punkt (" << 5 << "," << 1 << ")" << std::endl;
}
