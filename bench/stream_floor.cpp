// records-demo's six lines in the same pieces through std::cout and std::endl, with no classes.

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
