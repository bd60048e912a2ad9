#pragma once
// What the checker needs of the terminal it prints to.

namespace checker::console {

struct Terminal {
    bool colour; // 24-bit colour escapes work (a terminal, not a file or a pipe)
    int width;   // columns to keep lines within
    bool own;    // the console is the checker's alone: started by a double-click
};

// Looks at standard output; on Windows also turns on escape sequences in the console.
Terminal open_terminal();

// Keeps a console window that closes with the checker open until Enter.
void wait_before_closing(const Terminal& terminal);

} // namespace checker::console
