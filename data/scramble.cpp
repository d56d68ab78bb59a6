#include "data/scramble.h"

void Scramble(char* text) {
    if (!text) return;
    for (; *text != 0; ++text) {
        unsigned char b = static_cast<unsigned char>(*text);
        if (b >= 33 && b <= 126) *text = static_cast<char>(159 - b);
    }
}
