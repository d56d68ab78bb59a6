// The pinyin syllable list and the example-word list.
#pragma once

#include <string>

class WordPairList;
struct FileFault;

int LoadPinyinList();
int LoadWdsList();

// Step codes beyond the missing files' 498 and 738: 499 pinyin or 739 wtf over its size limit
// (refused unread); 497 pinyin holds no syllable, so nothing could ever be answered; 740 wtf holds
// far more records than words of its size could fill (it is no word file).
constexpr int StepNoSyllables = 497;
constexpr int StepPinyinTooLarge = 499;
constexpr int StepWordsTooLarge = 739;
constexpr int StepNotWords = 740;

// Reads the named word file into 'list' (appending); 0 when it cannot be read, with why in 'fault'.
int ReadWordFile(const char* name, WordPairList& list, FileFault* fault = nullptr);

// The word file read ahead on another thread while the program starts. The main thread says which
// file beforehand (ExpectWordsAhead), the other thread reads it (ReadWordsAhead), and LoadWdsList,
// when the start comes to the word file, waits for those words and takes them instead of reading
// the file itself. Its trace line and step code come in their place as always.
void ExpectWordsAhead(const std::string& name);
void ReadWordsAhead();
