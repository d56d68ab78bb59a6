// lumora-voice: the trainer's sound helper. The trainer starts it at its first sound and talks to it
// through its standard input, so that nothing of the sound stack is ever loaded into the trainer
// itself and nothing here can hold up a key there. It decodes Ogg Vorbis files with libvorbisfile
// and plays them through the desktop's sound server (PulseAudio, or PipeWire's server for it).
//
// Commands, one a line on standard input:
//   play FILE   adds FILE to what is playing (a file that cannot be decoded is skipped)
//   stop        cuts what is playing at once and forgets the rest
// The end of the input (the trainer quit or died) cuts the sound and ends the helper.
//
// Reports, one a line on standard output: "ready" once the sound server has accepted it, or
// "failed <reason>" when there is none to be had, and then it ends with status 1. It never starts
// a sound server of its own.
#include <pulse/pulseaudio.h>
#include <vorbis/vorbisfile.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

namespace {

pa_mainloop* Loop = nullptr;
pa_context* Context = nullptr;
pa_stream* Stream = nullptr;  // the stream of what is playing now, or null
pa_sample_spec StreamSpec{};
bool Draining = false;         // every file has been written: the stream is playing out its end

OggVorbis_File Decoder;
bool DecoderOpen = false;
pa_sample_spec DecoderSpec{};
std::deque<std::string> Waiting;  // files to play after the one being decoded

std::string InputLine;

void Report(const char* text, const char* detail = nullptr)
{
    static bool failed = false;  // one failure is reported, not the states that follow it
    if (std::strcmp(text, "failed") == 0) {
        if (failed)
            return;
        failed = true;
    }
    if (detail != nullptr)
        std::printf("%s %s\n", text, detail);
    else
        std::printf("%s\n", text);
    std::fflush(stdout);
}

void Quit(int status)
{
    pa_mainloop_quit(Loop, status);
}

void CloseDecoder()
{
    if (DecoderOpen)
        ov_clear(&Decoder);
    DecoderOpen = false;
}

// Opens the next waiting file that decodes; false when none is left.
bool OpenNextFile()
{
    CloseDecoder();
    while (!Waiting.empty()) {
        const std::string name = Waiting.front();
        Waiting.pop_front();
        if (ov_fopen(name.c_str(), &Decoder) != 0) {
            Report("skipped", name.c_str());
            continue;
        }
        const vorbis_info* info = ov_info(&Decoder, -1);
        if (info == nullptr || info->channels < 1 || info->channels > 2) {
            ov_clear(&Decoder);
            Report("skipped", name.c_str());
            continue;
        }
        DecoderOpen = true;
        DecoderSpec.format = PA_SAMPLE_S16LE;
        DecoderSpec.rate = static_cast<std::uint32_t>(info->rate);
        DecoderSpec.channels = static_cast<std::uint8_t>(info->channels);
        return true;
    }
    return false;
}

void EndStream()
{
    if (Stream == nullptr)
        return;
    // Disconnecting drops whatever the server still holds of it: the sound stops now.
    pa_stream_set_write_callback(Stream, nullptr, nullptr);
    pa_stream_set_state_callback(Stream, nullptr, nullptr);
    pa_stream_disconnect(Stream);
    pa_stream_unref(Stream);
    Stream = nullptr;
    Draining = false;
}

void StartStream();

void OnDrained(pa_stream* stream, int, void*)
{
    if (stream != Stream)
        return;
    EndStream();
    // A file of another format waits for a stream of its own.
    if (DecoderOpen || OpenNextFile())
        StartStream();
}

// Fills what the server asks for with decoded sound; once every file is written, plays out the end.
void OnWritable(pa_stream* stream, std::size_t bytes, void*)
{
    while (bytes > 0 && DecoderOpen && !Draining) {
        if (!pa_sample_spec_equal(&DecoderSpec, &StreamSpec)) {
            Draining = true;
            pa_operation_unref(pa_stream_drain(stream, OnDrained, nullptr));
            return;
        }
        void* buffer = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || size == 0)
            return;
        std::size_t filled = 0;
        while (filled < size) {
            int section = 0;
            const long got = ov_read(&Decoder, static_cast<char*>(buffer) + filled,
                                     static_cast<int>(size - filled), 0, 2, 1, &section);
            if (got <= 0)
                break;  // the end of the file, or a damaged stretch: the file ends there
            filled += static_cast<std::size_t>(got);
        }
        if (filled > 0) {
            pa_stream_write(stream, buffer, filled, nullptr, 0, PA_SEEK_RELATIVE);
            bytes -= filled;
        } else {
            pa_stream_cancel_write(stream);
        }
        if (filled < size && !OpenNextFile())
            break;
    }
    if (!DecoderOpen && !Draining) {
        Draining = true;
        pa_operation_unref(pa_stream_drain(stream, OnDrained, nullptr));
    }
}

void StartStream()
{
    StreamSpec = DecoderSpec;
    Stream = pa_stream_new(Context, "Reading", &StreamSpec, nullptr);
    if (Stream == nullptr) {
        Report("failed", pa_strerror(pa_context_errno(Context)));
        Quit(1);
        return;
    }
    Draining = false;
    pa_stream_set_write_callback(Stream, OnWritable, nullptr);
    // The server's usual buffer sizes: a cut does not wait for them, it disconnects the stream.
    if (pa_stream_connect_playback(Stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0) {
        Report("failed", pa_strerror(pa_context_errno(Context)));
        Quit(1);
    }
}

void Stop()
{
    Waiting.clear();
    CloseDecoder();
    EndStream();
}

void Play(const std::string& name)
{
    Waiting.push_back(name);
    if (Stream != nullptr && !Draining) {
        // Playing: the file follows the one being decoded.
        if (!DecoderOpen && OpenNextFile()) {
            std::size_t writable = pa_stream_writable_size(Stream);
            if (writable != static_cast<std::size_t>(-1) && writable > 0)
                OnWritable(Stream, writable, nullptr);
        }
        return;
    }
    if (Stream != nullptr)
        return;  // playing out its end: the drain starts the next stream
    // Before the server has accepted the helper, the files wait for it.
    if (pa_context_get_state(Context) == PA_CONTEXT_READY && OpenNextFile())
        StartStream();
}

void RunCommand(const std::string& line)
{
    if (line == "stop")
        Stop();
    else if (line.rfind("play ", 0) == 0)
        Play(line.substr(5));
}

void OnInput(pa_mainloop_api* api, pa_io_event* event, int fd, pa_io_event_flags_t, void*)
{
    char bytes[4096];
    const ssize_t got = read(fd, bytes, sizeof bytes);
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (got <= 0) {
        // The trainer is gone: silence at once.
        api->io_free(event);
        Stop();
        Quit(0);
        return;
    }
    InputLine.append(bytes, static_cast<std::size_t>(got));
    std::size_t end;
    while ((end = InputLine.find('\n')) != std::string::npos) {
        RunCommand(InputLine.substr(0, end));
        InputLine.erase(0, end + 1);
    }
}

void OnContextState(pa_context* context, void*)
{
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        Report("ready");
        if (Stream == nullptr && OpenNextFile())
            StartStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        Report("failed", pa_strerror(pa_context_errno(context)));
        Quit(1);
        break;
    default:
        break;
    }
}

}  // namespace

int main()
{
    Loop = pa_mainloop_new();
    if (Loop == nullptr) {
        Report("failed", "no main loop");
        return 1;
    }
    pa_mainloop_api* api = pa_mainloop_get_api(Loop);
    Context = pa_context_new(api, "Lumora");
    int status = 1;
    if (Context == nullptr) {
        Report("failed", "no sound server context");
    } else {
        pa_context_set_state_callback(Context, OnContextState, nullptr);
        // Only a running server: a learner who has none wants silence, not one started for him.
        if (pa_context_connect(Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            Report("failed", pa_strerror(pa_context_errno(Context)));
        } else {
            api->io_new(api, STDIN_FILENO, PA_IO_EVENT_INPUT, OnInput, nullptr);
            pa_mainloop_run(Loop, &status);
        }
        Stop();
        pa_context_set_state_callback(Context, nullptr, nullptr);
        pa_context_disconnect(Context);
        pa_context_unref(Context);
    }
    pa_mainloop_free(Loop);
    return status;
}
