#pragma once

// The program from its command line to the end of its event loop; returns the exit code.
int runZelmora(int argc, char **argv);
