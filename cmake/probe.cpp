#include <iostream>
int main() { std::cout << 1 << std::endl; }
