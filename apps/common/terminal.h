// Whether the programs' standard error is a terminal, where a progress bar
// can be drawn: asked of the platform (terminal_posix.cpp) or of node (terminal_node.cpp).
#pragma once

namespace apps {

bool StandardErrorIsTerminal();

}  // namespace apps
