// corpus_generator FOLDER: writes every corpus file into FOLDER.
#include <cstdio>
#include <stdexcept>

#include "Corpus.h"

namespace ReaderCorpus {

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr) ok = std::fclose(f) == 0 && ok;
    if (!ok) throw std::runtime_error("cannot write " + name);
}

void Put16(Bytes& b, unsigned v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace ReaderCorpus

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corpus_generator FOLDER\n");
        return 2;
    }
    try {
        ReaderCorpus::WriteBmpFiles(argv[1]);
        ReaderCorpus::WritePngFiles(argv[1]);
        ReaderCorpus::WriteJpegFiles(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corpus_generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
