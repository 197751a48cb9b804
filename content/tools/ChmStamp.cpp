// chmstamp FILE: clears the compile times in a compiled help file, in place.
#include "ChmFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.chm\n", argv[0]);
        return 2;
    }
    std::vector<uint8_t> bytes;
    {
        std::ifstream in(argv[1], std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!Chm::ClearTimeStamps(bytes)) {
        std::fprintf(stderr, "%s: not a help file with the expected time stamps\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
