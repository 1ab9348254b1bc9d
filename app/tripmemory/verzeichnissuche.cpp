#include "app/tripmemory/verzeichnissuche.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <sys/stat.h>

#include <vector>

namespace kmk {

bool pseudoDateisystem(const QByteArray& typ)
{
    static const QSet<QByteArray> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "debugfs", "tracefs", "securityfs",
        "pstore", "bpf", "configfs", "fusectl", "mqueue", "hugetlbfs", "autofs", "binfmt_misc",
        "efivarfs", "nsfs", "rpc_pipefs", "selinuxfs"};
    return pseudo.contains(typ);
}

namespace {

struct Kennung {
    dev_t dev;
    ino_t ino;
    bool operator==(const Kennung& o) const { return dev == o.dev && ino == o.ino; }
};
size_t qHash(const Kennung& k, size_t seed = 0) { return ::qHash(quint64(k.ino), seed) ^ quint64(k.dev); }

bool lstatOrdner(const QString& pfad, struct stat& st)
{
    return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

int Verzeichnissuche::suchen(const QString& start, const QString& dateiname)
{
    int anzahl = 0;
    QString anfang = QDir::cleanPath(start);
    if (!anfang.endsWith(QLatin1Char('/')))
        anfang += QLatin1Char('/');
    struct stat st {};
    if (!lstatOrdner(anfang, st))
        return 0;
    if (pseudoDateisystem(QStorageInfo(anfang).fileSystemType()))
        return 0;
    const dev_t geraet = st.st_dev;
    QSet<Kennung> besucht{{st.st_dev, st.st_ino}};

    std::vector<QString> ordner{anfang};
    for (size_t pos = 0; pos < ordner.size(); ++pos) {
        const QString hier = ordner[pos];
        if (anzeige)
            anzeige(QStringLiteral("Suche in ") + hier);
        const QDir dir(hier);
        // Hidden folders and links are not entered.
        const QStringList unter = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
        std::vector<QString> neu;
        for (const QString& name : unter) {
            const QString pfad = hier + name + QLatin1Char('/');
            struct stat u {};
            if (!lstatOrdner(pfad, u) || u.st_dev != geraet)
                continue;
            const Kennung k{u.st_dev, u.st_ino};
            if (besucht.contains(k))
                continue;
            besucht.insert(k);
            neu.push_back(pfad);
        }
        ordner.insert(ordner.begin() + qsizetype(pos) + 1, neu.begin(), neu.end());

        const QFileInfoList dateien =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDir::Name);
        for (const QFileInfo& f : dateien)
            if (f.fileName().compare(dateiname, Qt::CaseInsensitive) == 0) {
                ++anzahl;
                if (treffer)
                    treffer(hier + f.fileName());
            }
        if (abbrechen && abbrechen())
            break;
    }
    return anzahl;
}

} // namespace kmk
