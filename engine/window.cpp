// The engine's side of the window services: each call goes to the connected window layer.
#include "engine/window.h"

namespace {
const WindowServices* Connected = nullptr;
}

void ConnectWindow(const WindowServices* services)
{
    Connected = services;
}

void EnableCommand(int id, bool enabled)
{
    if (Connected != nullptr) Connected->EnableCommand(id, enabled);
}

void SendCommand(int id)
{
    if (Connected != nullptr) Connected->SendCommand(id);
}

void SendAbort(int quitCode)
{
    if (Connected != nullptr) Connected->SendAbort(quitCode);
}

void RepaintMainWindow()
{
    if (Connected != nullptr) Connected->RepaintMainWindow();
}

void DestroyCaret()
{
    if (Connected != nullptr) Connected->DestroyCaret();
}

void FlushDrawing()
{
    if (Connected != nullptr && Connected->FlushDrawing != nullptr) Connected->FlushDrawing();
}
