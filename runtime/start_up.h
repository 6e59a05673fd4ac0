// Start-up of the run, the console-event handler, and the floating-point setup.
#pragma once

// Notes the standard streams, installs the console-event handler and fixes the
// floating-point environment. Does its work only the first time it is called.
void startUp();

// Reports a console event and ends the process with the event number.
// Returns without a word when the main line is already ending the run.
void consoleEventHandler(int event);

// The name a report gives a console event.
const char* consoleEventName(int event);

// Clears the floating-point flags, rounds to nearest, keeps every exception masked.
void setUpFloatingPoint();
