// The hidden commands: dump the learner data as text, mark every queued character known, reverse the queue.
#include "engine/diagnostics.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "data/byte_io.h"
#include "data/file_places.h"
#include "data/log.h"
#include "data/program_state.h"
#include "engine/drawing.h"
#include "engine/results.h"
#include "engine/window.h"

namespace {

// UTF-16 little-endian text, built unit by unit.
class WideText {
public:
    WideText() { units_.push_back(0xFEFF); }
    WideText& Ascii(const char* text) {
        while (*text != '\0') units_.push_back(static_cast<unsigned char>(*text++));
        return *this;
    }
    WideText& Number(long long value) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "%lld", value);
        return Ascii(digits);
    }
    WideText& Unit(std::uint16_t unit) {
        units_.push_back(unit);
        return *this;
    }
    WideText& EndLine() { return Ascii("\r\n"); }

    void WriteTo(const char* name) const {
        ByteFile file(name, "wb");
        if (!file.IsOpen()) return;
        std::vector<unsigned char> bytes;
        bytes.reserve(units_.size() * 2);
        for (std::uint16_t unit : units_) {
            bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
        std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    }

private:
    std::vector<std::uint16_t> units_;
};

void RefreshAfterChange() {
    RepaintMainWindow();
    UpdateLevel();
    UpdateStatusBar();
}

}  // namespace

void WriteDumpFiles() {
    LogTrace("WriteDumpFiles");
    // Position -> code. Starts all empty, so a gap in a damaged queue names no character.
    constexpr std::uint32_t NoCode = 0xFFFFFFFF;
    std::vector<std::uint32_t> codeAt(65536, NoCode);
    for (std::uint32_t code = 0; code < CodeCount; ++code)
        if (App.CharTable[code].QueuePos != 0) codeAt[App.CharTable[code].QueuePos] = code;

    WideText student;
    const std::int32_t last = App.QueueLength < 65535 ? App.QueueLength : 65535;
    for (std::int32_t pos = 1; pos <= last; ++pos) {
        const std::uint32_t code = codeAt[pos];
        if (code == NoCode) continue;
        const CharRecord& record = App.CharTable[code];
        student.Number(pos).Ascii(" ").Unit(static_cast<std::uint16_t>(code)).Ascii(" ");
        student.Number(record.Good).Ascii(" ").Number(record.Wrong).Ascii(" ").Number(record.Streak).EndLine();
    }
    student.WriteTo(RecordFile("student.txt").c_str());

    WideText exam;
    for (int k = 0; k < HistoryCount; ++k) {
        const ExamRecord& entry = App.ExamHistory[k];
        exam.Number(k).Ascii(": ").Number(entry.Day).Ascii(" ").Number(entry.Asked).Ascii(" ");
        exam.Number(entry.Known).Ascii(" ").Number(entry.Margin).EndLine();
    }
    exam.WriteTo(RecordFile("exam.txt").c_str());
}

void MarkAllQueuedKnown() {
    LogTrace("MarkAllQueuedKnown");
    for (int code = 0; code < CodeCount; ++code) {
        CharRecord& record = App.CharTable[code];
        if (record.QueuePos == 0) continue;
        record.Good = 1000;
        record.Wrong = 0;
    }
    // Sample results: estimates from 8000 falling by 200, every 50 days back from day 2500.
    for (int k = 0; k < 30; ++k) {
        ExamRecord& entry = App.ExamHistory[k];
        entry.Known = static_cast<std::uint16_t>(8000 - 200 * k);
        entry.Margin = 1333;
        entry.Day = static_cast<std::uint16_t>(2500 - 50 * k);
    }
    RefreshAfterChange();
}

void ReverseQueue() {
    LogTrace("ReverseQueue");
    for (int code = 0; code < CodeCount; ++code) {
        std::uint16_t& pos = App.CharTable[code].QueuePos;
        // Positions outside the queue (only in a damaged one) are left alone rather than wrapped.
        if (pos != 0 && pos <= App.QueueLength) pos = static_cast<std::uint16_t>(App.QueueLength - pos + 1);
    }
    RefreshAfterChange();
}
