// The pinyin syllable list and the example-word list.
#pragma once

#include <string>

class WordPairList;

int LoadPinyinList();
int LoadWdsList();

// Reads the named word file into 'list' (appending); 0 when it cannot be read.
int ReadWordFile(const char* name, WordPairList& list);

// The word file read ahead on another thread while the program starts. The main thread says which
// file beforehand (ExpectWordsAhead), the other thread reads it (ReadWordsAhead), and LoadWdsList,
// when the start comes to the word file, waits for those words and takes them instead of reading
// the file itself. Its trace line and step code come in their place as always.
void ExpectWordsAhead(const std::string& name);
void ReadWordsAhead();
