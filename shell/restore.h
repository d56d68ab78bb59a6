// The way back to a backup of the learner's records: offered at start when the records cannot be
// read, and chosen at any time from Help > Restore records.
#pragma once

// The loader of the records in the loading sequence: LoadStudent, and when it fails on the learner
// file and a backup loads, the offer to restore it (Return restores). Restoring moves the damaged
// file aside and loads the backup; declining, or no backup, fails as LoadStudent did.
int LoadStudentOrRestore();

// Set when the learner declined the offer: the start then ends without a further message.
extern bool RestoreDeclined;

// Help > Restore records: lists the backups with their dates and learned counts, restores the one
// chosen after a confirmation (the current records are saved and moved aside first) and goes on
// with the restored records.
void RunRestoreRecords();
