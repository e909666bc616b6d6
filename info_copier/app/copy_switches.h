// The switch letters of copy mode, shared by the single-file and the folder command lines.
#pragma once

#include "common/option_flags.h"

namespace app {

// Sets the copy flag of `letter` (d t p z m s c n b i e x g); false for any other letter.
bool setCopyFlag(char letter, common::OptionFlags& flags);

// True for the letters of the parameter options (D T P Z M S C N B I E G).
bool isParameterLetter(char letter);

}  // namespace app
