#pragma once
// A small but whole program file for update tests: the ELF header of a
// reference program (so it is "for this computer"), one program header
// whose loadable segment covers the file, one naming the loader (left out
// for a library), and a one-entry section table at the very end, as a
// linker puts it. Cut anywhere, it is no longer whole.
//
//   const QByteArray prog = kmktest::elfProgramm(lies(QCoreApplication::applicationFilePath()), 300000);

#include <QByteArray>
#include <QRandomGenerator>

namespace kmktest {

inline QByteArray elfProgramm(const QByteArray& referenz, int groesse, bool lader = true)
{
    const bool b64 = referenz.size() > 4 && referenz[4] == 2;
    const bool big = referenz.size() > 5 && referenz[5] == 2;
    const int ehsize = b64 ? 64 : 52, phentsize = b64 ? 56 : 32, shentsize = b64 ? 64 : 40;
    QByteArray b = referenz.left(ehsize);
    QRandomGenerator gen(16);
    while (b.size() < groesse)
        b += char(gen.bounded(256));   // every byte value, CR LF CR LF among them
    b.resize(groesse);
    auto put = [&](int at, quint64 value, int width) {
        for (int i = 0; i < width; ++i)
            b[at + (big ? width - 1 - i : i)] = char(value >> (8 * i));
    };
    const int word = b64 ? 8 : 4;
    const int shoff = groesse - shentsize;
    put(b64 ? 32 : 28, quint64(ehsize), word);                       // e_phoff
    put(b64 ? 40 : 32, quint64(shoff), word);                        // e_shoff
    put(b64 ? 54 : 42, quint64(phentsize), 2);                       // e_phentsize
    put(b64 ? 56 : 44, lader ? 2 : 1, 2);                            // e_phnum
    put(b64 ? 58 : 46, quint64(shentsize), 2);                       // e_shentsize
    put(b64 ? 60 : 48, 1, 2);                                        // e_shnum
    put(b64 ? 62 : 50, 0, 2);                                        // e_shstrndx
    const int ph = ehsize;
    put(ph, 1, 4);                                                   // PT_LOAD
    put(ph + (b64 ? 8 : 4), 0, word);                                // p_offset
    put(ph + (b64 ? 32 : 16), quint64(groesse), word);               // p_filesz
    if (lader) {
        const QByteArray name("/lib/ld-linux.so.2", 19);
        const int at = ph + phentsize, text = ph + 2 * phentsize;
        put(at, 3, 4);                                               // PT_INTERP
        put(at + (b64 ? 8 : 4), quint64(text), word);                // p_offset
        put(at + (b64 ? 32 : 16), quint64(name.size()), word);       // p_filesz
        b.replace(text, name.size(), name);
    }
    b.replace(shoff, shentsize, QByteArray(shentsize, '\0'));        // the null section
    return b;
}

} // namespace kmktest
