#pragma once
// A stop signal must end the program even while its one thread is busy
// (loading a large definition, say) and cannot look at its event loop.
namespace quelda {

// Watches fd, which becomes readable when a stop signal came, from a thread
// of its own; if the process still runs `ms` milliseconds after that, it
// ends at once with the shell's status for the signal. fd is duplicated, so
// the caller keeps reading and closing its own.
void ArmExitWatchdog(int fd, int ms);

}  // namespace quelda
