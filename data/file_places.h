// The two folders the program's files live in: the read-only folder (database, pictures, help)
// and the records folder (the learner's records, settings, log and dumps). Both start empty, which
// names every file by its bare name in the current folder; the entry point sets them once.
#pragma once
#include <string>

#include "data/strings.h"

void SetFilePlaces(const std::string& readOnlyFolder, const std::string& recordsFolder);

// Full names: the folder, a slash and the name; the bare name while the folder is empty.
NarrowString ReadOnlyFile(const char* name);
NarrowString RecordFile(const char* name);

// The per-user records folder of an installed program: "$XDG_DATA_HOME/lumora" when that is an
// absolute path, else "$HOME/.local/share/lumora"; empty when neither gives an absolute folder.
std::string UserRecordsFolder(const char* xdgDataHome, const char* home);
