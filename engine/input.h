// Pinyin typing and answer checking.
#pragma once
#include "data/strings.h"

void OnChar(unsigned key);
int OnPinyinChanged();
int CheckAnswer(const WideString& text);
