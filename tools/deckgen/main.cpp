// Writes the card deck SVG. The output depends on nothing but this program, so two runs
// give the same bytes and the build can regenerate it at will.
#include "Deck.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    const bool icon = argc == 3 && std::string(argv[1]) == "--icon";
    // A lone option is a mistake, not a file name.
    if ((argc != 2 && !icon) || argv[argc - 1][0] == '-') {
        std::cerr << "usage: deckgen <output.svg>      (the card deck)\n"
                     "       deckgen --icon <output.svg>  (the application icon)\n";
        return 2;
    }
    const std::string doc = icon ? deckgen::iconDocument() : deckgen::deckDocument();
    const std::string target = argv[argc - 1];
    const std::string temp = target + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            std::cerr << "deckgen: cannot write " << temp << "\n";
            return 1;
        }
        out.write(doc.data(), static_cast<std::streamsize>(doc.size()));
        out.close();
        if (!out) {
            std::cerr << "deckgen: cannot write " << temp << "\n";
            std::remove(temp.c_str());
            return 1;
        }
    }
    // Replace the old file only once the new one is complete.
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        std::cerr << "deckgen: cannot replace " << target << "\n";
        std::remove(temp.c_str());
        return 1;
    }
    return 0;
}
