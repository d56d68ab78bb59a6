// The file "sound": "on" or "off" and a line end.
#include "data/sound_choice.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "data/byte_io.h"
#include "data/file_places.h"
#include "data/replace_file.h"

int LoadSoundChoice() {
    ByteFile file(RecordFile("sound").c_str(), "rb");
    if (!file.IsOpen()) return 1;
    char text[8] = "";
    const std::size_t got = std::fread(text, 1, sizeof text - 1, file.get());
    text[got] = '\0';
    return std::strncmp(text, "off", 3) == 0 ? 0 : 1;
}

int SaveSoundChoice(int on) {
    const char* text = on ? "on\n" : "off\n";
    return ReplaceFile(RecordFile("sound").c_str(), reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}
