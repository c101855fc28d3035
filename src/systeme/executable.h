// Where the running program's own executable file lives.
#pragma once

#include <string>

// The full path of the executable this process runs, in UTF-8; empty when
// the system does not tell.
std::string chemin_executable();
