#pragma once

// Self-inverse in-place substitution of printable bytes 33..126 (b -> 159 - b), up to the first zero byte.
void Scramble(char* text);
