// Recording a decided answer, and the learner's standing (training) or the exam's estimate.
#include "engine/results.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "engine/selection.h"

namespace {

constexpr int StepQueueInconsistent = 1001;

// Answer counters stop here so that they never wrap in their 16 bits.
constexpr std::uint16_t CounterLimit = 4096;

void CountUp(std::uint16_t& counter) {
    if (counter < CounterLimit) ++counter;
}

// Where a right answer sends the character: 5^(d+1) places back for a net d of right answers,
// at least 25, and the end of the queue once the right answers lead by more than ten.
std::int32_t RightTarget(const CharRecord& record) {
    if (record.Good > record.Wrong + 10) return App.QueueLength;
    const int net = static_cast<int>(record.Good) - static_cast<int>(record.Wrong);
    const auto target = static_cast<std::int32_t>(std::pow(5.0, net + 1));
    return target < 25 ? 25 : target;
}

}  // namespace

int StoreResult(bool right) {
    LogTrace("StoreResult");
    if (!App.TrainingMode) {
        if (right) ++App.ExamGood;
        ++App.AnswerCount;
        return 1;
    }

    CharRecord& record = App.CharTable[App.CurrentChar];
    std::int32_t target;
    if (right) {
        CountUp(record.Good);
        CountUp(record.Streak);
        target = RightTarget(record);
    } else {
        CountUp(record.Wrong);
        record.Streak = 0;
        target = 10;
    }
    Place(static_cast<std::uint32_t>(App.CurrentChar), target);
    if (!TestData()) {
        LogStep(StepQueueInconsistent);
        return 0;
    }
    return 1;
}

double UpdateLevel() {
    LogTrace("UpdateLevel");
    const std::int32_t before = App.KnownCount;

    if (App.TrainingMode) {
        // Whole-number sums: the learned weight is a sum of 32-bit weights, exact in a double as
        // well, so summing it as an integer gives the same percentage.
        std::int64_t totalWeight = 0;
        std::int64_t knownWeight = 0;
        std::int32_t known = 0;
        std::int32_t answers = 0;
        const CodeSpan span = App.QueuedCodes;
        assert(span == FindQueuedCodes());
        for (int code = span.first; code < span.end; ++code) {
            const CharRecord& record = App.CharTable[code];
            const int queued = record.QueuePos != 0;
            const int isKnown = queued & (record.Good > record.Wrong);
            totalWeight += queued * static_cast<std::int64_t>(record.Weight);
            knownWeight += isKnown * static_cast<std::int64_t>(record.Weight);
            known += isKnown;
            answers += queued * (record.Good + record.Wrong);
        }
        App.AnswerCount = answers;
        App.KnownCount = known;
        App.LearnedPercent = totalWeight != 0 ? static_cast<double>(knownWeight) * 100 / static_cast<double>(totalWeight) : 0;
        return App.KnownCount - before;
    }

    // The share p of right answers in a sample of n drawn from the R most frequent characters:
    // estimate p * R, 95% half-width 1.96 * sqrt(p (1 - p) / n) * R.
    const std::int64_t n = App.AnswerCount;
    const std::int64_t good = App.ExamGood;
    const double range = App.ExamRange;
    const double share = n >= 1 ? static_cast<double>(good) / static_cast<double>(n) : 0;
    App.KnownCount = static_cast<std::int32_t>(range * share);
    if (n >= 1 && (good == 0 || good == n)) {
        // The normal approximation collapses to a margin of 0 when every answer is right or every one
        // is wrong, a certainty no sample can give. There the exact (Clopper-Pearson) 95% interval is
        // used: a share of 1 - 0.025^(1/n) on the open side, the same for all right and all wrong.
        App.KnownMargin = range * (1 - std::pow(0.025, 1.0 / static_cast<double>(n)));
    } else if (n >= 1) {
        const double spread = static_cast<double>(good * (n - good)) / static_cast<double>(n);
        App.KnownMargin = 1.96 * std::sqrt(spread) / static_cast<double>(n) * range;
    } else {
        App.KnownMargin = 0;
    }
    return App.KnownCount - before;
}
