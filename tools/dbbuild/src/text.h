// UTF-8 and small string helpers shared by the builder's readers and cleaners.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Decodes UTF-8 into code points; a malformed byte becomes U+FFFD so that a bad line cannot stop a read.
std::vector<char32_t> DecodeUtf8(std::string_view text);
std::string EncodeUtf8(char32_t code);
std::string EncodeUtf8(const std::u32string& text);

std::vector<std::string> Split(std::string_view text, char separator);
std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);

// CJK ideographs of the Basic Multilingual Plane: the only characters a 16-bit code can name.
bool IsBmpHan(char32_t code);
// Any CJK ideograph, radical or CJK punctuation: what a meaning text must not contain.
bool IsCjk(char32_t code);

// "U+4E00" -> 0x4E00; 0 when the text is not such a code.
char32_t ParseCodePoint(std::string_view text);
