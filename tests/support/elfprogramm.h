#pragma once
// A small program file for update tests whose structure is whole and of
// this computer: the ELF header of a reference program, three program
// headers (a readable segment over the first half of the file, the
// reference's loader entry, an executable segment over the second half,
// where the entry point lies) and a one-entry section table at the very
// end, as a linker puts it. Cut anywhere, it is no longer whole. Its
// content is random: it is never started. For a library the loader entry
// is left out (its header is a null one).
//
//   const QByteArray prog = kmktest::elfProgramm(lies(QCoreApplication::applicationFilePath()), 4096);
//   // offsets: program headers at the header's size, the loader's name after the third

#include <QByteArray>
#include <QRandomGenerator>

namespace kmktest {

inline QByteArray elfProgramm(const QByteArray& referenz, int groesse, bool lader = true)
{
    const bool b64 = referenz.size() > 4 && referenz[4] == 2;
    const bool big = referenz.size() > 5 && referenz[5] == 2;
    const int ehsize = b64 ? 64 : 52, phentsize = b64 ? 56 : 32, shentsize = b64 ? 64 : 40;
    const int word = b64 ? 8 : 4;
    auto get = [&](const QByteArray& b, qsizetype at, int width) {
        quint64 v = 0;
        for (int i = 0; i < width && at + i < b.size(); ++i)
            v |= quint64(quint8(b[at + i])) << (8 * (big ? width - 1 - i : i));
        return v;
    };
    // The reference's loader entry, its NUL included.
    QByteArray name("/lib/ld-linux.so.2", 19);
    const quint64 refPh = get(referenz, b64 ? 32 : 28, word), refNum = get(referenz, b64 ? 56 : 44, 2);
    for (quint64 i = 0; i < refNum; ++i) {
        const qsizetype at = qsizetype(refPh + i * quint64(phentsize));
        if (get(referenz, at, 4) == 3)
            name = referenz.mid(qsizetype(get(referenz, at + (b64 ? 8 : 4), word)),
                                qsizetype(get(referenz, at + (b64 ? 32 : 16), word)));
    }

    QByteArray b = referenz.left(ehsize);
    QRandomGenerator gen(16);
    while (b.size() < groesse)
        b += char(gen.bounded(256));   // every byte value, CR LF CR LF among them
    b.resize(groesse);
    auto put = [&](int at, quint64 value, int width) {
        for (int i = 0; i < width; ++i)
            b[at + (big ? width - 1 - i : i)] = char(value >> (8 * i));
    };
    const int shoff = groesse - shentsize, haelfte = groesse / 2;
    put(24, quint64(haelfte + (groesse - haelfte) / 2), word);   // e_entry
    put(b64 ? 32 : 28, quint64(ehsize), word);                       // e_phoff
    put(b64 ? 40 : 32, quint64(shoff), word);                        // e_shoff
    put(b64 ? 54 : 42, quint64(phentsize), 2);                       // e_phentsize
    put(b64 ? 56 : 44, 3, 2);                                        // e_phnum
    put(b64 ? 58 : 46, quint64(shentsize), 2);                       // e_shentsize
    put(b64 ? 60 : 48, 1, 2);                                        // e_shnum
    put(b64 ? 62 : 50, 0, 2);                                        // e_shstrndx
    auto segment = [&](int at, quint64 typ, quint64 flags, quint64 offset, quint64 size) {
        b.replace(at, phentsize, QByteArray(phentsize, '\0'));
        put(at, typ, 4);                                             // p_type
        put(at + (b64 ? 4 : 24), flags, 4);                          // p_flags
        put(at + (b64 ? 8 : 4), offset, word);                       // p_offset
        put(at + (b64 ? 16 : 8), offset, word);                      // p_vaddr
        put(at + (b64 ? 24 : 12), offset, word);                     // p_paddr
        put(at + (b64 ? 32 : 16), size, word);                       // p_filesz
        put(at + (b64 ? 40 : 20), size, word);                       // p_memsz
    };
    const int ph = ehsize, text = ph + 3 * phentsize;
    segment(ph, 1, 4, 0, quint64(haelfte));                                       // PT_LOAD, R
    if (lader) {
        segment(ph + phentsize, 3, 4, quint64(text), quint64(name.size()));       // PT_INTERP
        b.replace(text, name.size(), name);
    } else {
        segment(ph + phentsize, 0, 0, 0, 0);                                      // PT_NULL
    }
    segment(ph + 2 * phentsize, 1, 5, quint64(haelfte), quint64(groesse - haelfte));   // PT_LOAD, R+X
    b.replace(shoff, shentsize, QByteArray(shentsize, '\0'));        // the null section
    return b;
}

// A whole static program for x86-64 Linux that really runs: asked anything,
// it waits one second, answers as the program does to "--version" and ends
// with status 0; a trial of it takes that long. Empty where the reference
// is of another kind.
inline QByteArray elfLangsamerStart(const QByteArray& referenz)
{
    if (referenz.size() < 20 || referenz[4] != 2 || referenz[5] != 1 || quint8(referenz[18]) != 62)
        return {};
    static const unsigned char code[] = {
        0x48, 0x8d, 0x3d, 0x2a, 0x00, 0x00, 0x00,   // lea rdi, [rip+ts]
        0x31, 0xf6,                                 // xor esi, esi
        0xb8, 0x23, 0x00, 0x00, 0x00, 0x0f, 0x05,   // nanosleep(&ts, 0)
        0xbf, 0x01, 0x00, 0x00, 0x00,               // mov edi, 1
        0x48, 0x8d, 0x35, 0x25, 0x00, 0x00, 0x00,   // lea rsi, [rip+text]
        0xba, 0x13, 0x00, 0x00, 0x00,               // mov edx, 19
        0xb8, 0x01, 0x00, 0x00, 0x00, 0x0f, 0x05,   // write(1, text, 19)
        0x31, 0xff, 0xb8, 0x3c, 0x00, 0x00, 0x00, 0x0f, 0x05,   // exit(0)
        1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,         // ts: 1 s, 0 ns
    };
    const QByteArray text = "Kilometrika 21.0.1\n";
    const quint64 basis = 0x400000, kopf = 64 + 56;
    QByteArray b(int(kopf), '\0');
    auto put = [&](int at, quint64 value, int width) {
        for (int i = 0; i < width; ++i)
            b[at + i] = char(value >> (8 * i));
    };
    b.replace(0, 16, referenz.left(16));
    put(16, 2, 2);                          // e_type: executable
    put(18, 62, 2);                         // e_machine: x86-64
    put(20, 1, 4);                          // e_version
    put(24, basis + kopf, 8);               // e_entry: the code
    put(32, 64, 8);                         // e_phoff
    put(52, 64, 2);                         // e_ehsize
    put(54, 56, 2);                         // e_phentsize
    put(56, 1, 2);                          // e_phnum
    b += QByteArray(reinterpret_cast<const char*>(code), sizeof code) + text;
    put(64, 1, 4);                          // PT_LOAD
    put(68, 5, 4);                          // R+X
    put(80, basis, 8);                      // p_vaddr
    put(88, basis, 8);                      // p_paddr
    put(96, quint64(b.size()), 8);          // p_filesz
    put(104, quint64(b.size()), 8);         // p_memsz
    put(112, 0x1000, 8);                    // p_align
    return b;
}

} // namespace kmktest
