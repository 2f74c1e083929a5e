/* The least any program can do to print records-demo's six lines as it does: a write each. */

#include <string.h>
#include <unistd.h>

static const char* const lines[] = {
    "tytul: sahshsu  autor: Lidora Wolbek   iloscz stron: 328\n",
    "5\n",
    " Imie i nazwisko: Tomir Zawirta\n",
    "Wiek: 25lat\n",
    "Profesja: kucharstwoumientnoszcz/n\n",
    "Punkt (5,1)\n",
};

int main(void)
{
    for (size_t i = 0; i < sizeof lines / sizeof lines[0]; ++i) {
        const size_t length = strlen(lines[i]);
        if (write(STDOUT_FILENO, lines[i], length) != (ssize_t)length) {
            return 1;
        }
    }
    return 0;
}
