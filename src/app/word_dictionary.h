// The program's dictionary for the words for a number: read from the executable's resources
// at its first use and kept for the rest of the run.
#pragma once

#include "core/word_list.h"

// Throws EToolkitError when the executable has no word list, or a damaged one.
const velkari::TWordList& ProgramWordList();
