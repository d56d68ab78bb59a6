// The pinyin syllable list and the example-word list.
#pragma once

class WordPairList;

int LoadPinyinList();
int LoadWdsList();

// Reads the named word file into 'list' (appending); 0 when it cannot be read.
int ReadWordFile(const char* name, WordPairList& list);

// How LoadWdsList gets the words of the named word file into the list: ReadWordFile, unless
// the program has read the file ahead on another thread and hands over what it read in its place.
using WordFileReader = int (*)(const char* name, WordPairList& list);
extern WordFileReader ReadWords;
