// The pinyin syllable list and the example-word list.
#pragma once

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

// How LoadWdsList gets the words of the named word file into the list, and why it could not:
// ReadWordFile, unless the program has read the file ahead on another thread and hands over what
// it read, or why that failed, in its place.
using WordFileReader = int (*)(const char* name, WordPairList& list, FileFault* fault);
extern WordFileReader ReadWords;
