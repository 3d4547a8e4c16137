// The program: the shell on the linked device layer.
#include "shell/shell.h"

int main() { return runApplication(); }
