// Diagnostic log "log.txt": trace lines when switched on, step codes always.
// Standard library only, so that every subsystem may write to it.
#pragma once

extern int LogEnabled;

void LogTrace(const char* text);
void LogStep(int code);

// The start-up switch: tracing on when "need_log_file.txt" exists (with its notice), then "log.txt" emptied.
void SwitchLog();
