// Synthetic programme-guide texts: titles with service marks, descriptions with kanji, kana
// runs, alphanumerics, symbols and line breaks.
#pragma once

#include <string>
#include <vector>

std::vector<std::u16string> makeProgrammeCorpus(std::size_t totalUnits, unsigned seed);
