// What the process sets up before Qt's application object exists.
#pragma once

// Settles the memory allocator, the session bus and the menu bar for the whole run. Called first
// thing by the program's entry point (and by the tools that time its start).
void PrepareProcess();

// With no session bus to be found (no address in the environment, no bus socket in the runtime
// folder), sets the address to one that fails at once, so that nothing launches a bus.
void SkipLaunchingABus();
