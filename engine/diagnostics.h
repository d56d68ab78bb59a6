// The hidden commands typed into an entry row: "dump1", "dump2", "dump3".
#pragma once

void WriteDumpFiles();
void MarkAllQueuedKnown();
void ReverseQueue();
