// The terminal the builder reports to: whether stderr is one, how wide it is, and
// Ctrl-C, which asks a running build to stop instead of ending the program at once.
#pragma once

bool IsStderrTerminal();
// Columns of the terminal behind stderr; 80 when unknown.
int TerminalColumns();
// From now on Ctrl-C only sets the interrupt flag.
void CatchInterrupt();
bool WasInterrupted();
