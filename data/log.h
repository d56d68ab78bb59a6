// Diagnostic log "log.txt": trace lines when switched on, step codes always.
// Standard library only, so that every subsystem may write to it.
#pragma once

extern int LogEnabled;

void LogTrace(const char* text);
void LogStep(int code);
// A line written whether or not tracing is on, for what the learner's machine lacks (no failure of
// the program, so no step code): the recordings, or a sound server.
void LogNote(const char* text);

// The start-up switch: tracing on when "need_log_file.txt" exists (with its notice), then "log.txt" emptied.
void SwitchLog();
