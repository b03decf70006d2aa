// sixpackEncode: compresses the dictionary text for the program's build.
//
//   sixpackEncode TEXT --header FILE.h --source FILE.cpp [--raw FILE.bin]
//
// Writes the stream as a byte array (kDictionaryBlob, kDictionaryBlobSize) in
// FILE.cpp and the text's length (kDictionaryTextSize, the size of the text
// buffer and the decoder's capacity) in FILE.h; --raw also writes the bare
// stream. Before writing anything the tool decodes its own stream and stops
// with an error unless that gives back the text exactly.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/sixpackDecode.h"
#include "tools/sixpackEncode/SixpackEncoder.h"

namespace {

struct Options {
    std::string text;
    std::string header;
    std::string source;
    std::string raw;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--header" || arg == "--source" || arg == "--raw") && i + 1 < argc) {
            std::string& target = arg == "--header"   ? options.header
                                  : arg == "--source" ? options.source
                                                      : options.raw;
            target = argv[++i];
        } else if (options.text.empty() && arg.rfind("--", 0) != 0) {
            options.text = arg;
        } else {
            return false;
        }
    }
    return !options.text.empty() && !options.header.empty() && !options.source.empty();
}

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    out.close();
    if (!out) {
        std::cerr << "sixpackEncode: cannot write " << path << '\n';
        return false;
    }
    return true;
}

std::string headerText(std::size_t textSize) {
    std::ostringstream out;
    out << "// Made by sixpackEncode from the dictionary text; do not edit.\n"
           "#pragma once\n\n#include <cstddef>\n#include <cstdint>\n\n"
           "inline constexpr std::uint32_t kDictionaryTextSize = "
        << textSize
        << ";\n"
           "extern const std::uint8_t kDictionaryBlob[];\n"
           "extern const std::size_t kDictionaryBlobSize;\n";
    return out.str();
}

std::string sourceText(const std::string& headerName, const std::vector<std::uint8_t>& blob) {
    std::ostringstream out;
    out << "// Made by sixpackEncode from the dictionary text; do not edit.\n"
           "#include \""
        << headerName << "\"\n\nconst std::uint8_t kDictionaryBlob[] = {";
    for (std::size_t i = 0; i < blob.size(); ++i) {
        out << (i % 16 == 0 ? "\n    " : " ") << static_cast<unsigned>(blob[i]) << ',';
    }
    out << "\n};\nconst std::size_t kDictionaryBlobSize = sizeof kDictionaryBlob;\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr
            << "usage: sixpackEncode TEXT --header FILE.h --source FILE.cpp [--raw FILE.bin]\n";
        return 2;
    }
    std::ifstream in(options.text, std::ios::binary);
    if (!in) {
        std::cerr << "sixpackEncode: cannot read " << options.text << '\n';
        return 1;
    }
    const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    const std::vector<std::uint8_t> blob = sixpack::encode(text);

    std::vector<std::uint8_t> check(text.size());
    const std::uint32_t decoded = sixpackDecode(blob.data(), blob.size(), check.data(),
                                                static_cast<std::uint32_t>(check.size()));
    if (decoded != text.size() || check != text) {
        std::cerr << "sixpackEncode: the stream does not decode to the text\n";
        return 1;
    }

    const std::string headerName = options.header.substr(options.header.find_last_of('/') + 1);
    if (!writeFile(options.header, headerText(text.size())) ||
        !writeFile(options.source, sourceText(headerName, blob)) ||
        (!options.raw.empty() && !writeFile(options.raw, std::string(blob.begin(), blob.end())))) {
        return 1;
    }
    std::cout << "sixpackEncode: " << text.size() << " bytes -> " << blob.size() << " bytes\n";
    return 0;
}
