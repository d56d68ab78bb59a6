// Recording of a decided answer and the learner's standing.
#pragma once

int StoreResult(bool right);
double UpdateLevel();
