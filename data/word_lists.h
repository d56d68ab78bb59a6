// The pinyin syllable list and the example-word list.
#pragma once

int LoadPinyinList();
int LoadWdsList();
