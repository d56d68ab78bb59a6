// The learner's words for a file that stopped the start: which file, what is wrong with it, and
// what to do about it.
#pragma once
#include <cstdint>
#include <string>

struct FileFault;
struct FileNotice;

// Why a file could not be read: one or two sentences naming the file (and its folder) and what is
// wrong with it. The fatal start-up message and the offer to restore the records both use it.
std::string WhyFileUnreadable(const FileFault& fault);
// What the learner can do about it: reinstall or rebuild a database file, put an empty settings
// file in place, or what is left for the records when no backup loads.
std::string WhatToDoAbout(const FileFault& fault);
// The fatal start-up message: the fatal line, then the file's fault and what to do when a file
// stopped the start.
std::string FatalStartMessage(const char* fatalLine, const FileFault& fault);
// Whether the fault is one of the learner file's.
bool IsLearnerFileFault(const FileFault& fault);
// A size in the units a person reads: "3.0 GB", "64 MB", "12 KB", "500 bytes".
std::string SizeText(std::uint64_t bytes);
// What the learner is told about their files while the program runs.
std::string FileNoticeText(const FileNotice& notice);
