// dictionaryText: makes the dictionary text from the reviewed word list.
//
//   dictionaryText WORDS.txt OUTPUT
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/dictionaryText/DictionaryText.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: dictionaryText WORDS.txt OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "dictionaryText: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const dictionary_text::Result result = dictionary_text::fromWordList(lines);
    if (!result.error.empty()) {
        std::cerr << argv[1] << ": " << result.error << '\n';
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << result.text;
    out.close();
    if (!out) {
        std::cerr << "dictionaryText: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
