// The engine's side of the sound: which recordings a decided character has, and when they play.
#include "engine/speech.h"

#include "data/program_state.h"
#include "data/zhuyin.h"

namespace {
const SpeechServices* Connected = nullptr;
}

void ConnectSpeech(const SpeechServices* services) {
    Connected = services;
}

std::vector<std::string> DecidedRecordings() {
    std::vector<std::string> files;
    int row = 0;
    for (const PairNode* node = App.ReadingList.head; node != nullptr && row < App.ReadingCount && row < 3;
         node = node->next, ++row) {
        std::string file = RecordingFile(NarrowString(node->pair.first).c_str());
        if (!file.empty()) files.push_back(std::move(file));
    }
    return files;
}

void SpeakReadings() {
    if (Connected != nullptr) Connected->Speak(DecidedRecordings());
}

void StopSpeaking() {
    if (Connected != nullptr) Connected->Silence();
}
