#include "platform/com/profile.h"

#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <memory>

#include <sys/stat.h>

namespace com {

namespace {

bool isSectionLine(const QString& line, QString* name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

// Splits "key=value"; false for comments and lines without '='.
bool splitKey(const QString& line, QString& key, QString& value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// [begin, end) of the body of a section, begin = index of its header; -1 when missing.
std::pair<int, int> findSection(const QStringList& lines, const QString& section)
{
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionLine(lines[i], &name) && sameName(name, section)) {
            int end = i + 1;
            while (end < lines.size() && !isSectionLine(lines[end]))
                ++end;
            return {i, end};
        }
    }
    return {-1, -1};
}

} // namespace

PrivateProfile::PrivateProfile(QString path) : path_(std::move(path)) {}

namespace {

// What a file was when it was read: a file changed by anyone since has
// another size, time or inode.
struct Stand {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    qint64 mtime = 0, ctime = 0;
    bool operator==(const Stand&) const = default;
};

Stand standOf(const QString& path)
{
    Stand s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtime = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ctime = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

// One read file: its lines and, per section (first occurrence, name case
// folded), its keys and values in order.
struct Gelesen {
    Stand stand;
    QStringList lines;
    QHash<QString, QList<std::pair<QString, QString>>> sections;
};

// The controls read dozens of values each at every start: a file is read
// and parsed once and again only when it changed (the program's own writes
// drop it here at once).
QHash<QString, std::shared_ptr<const Gelesen>>& cache()
{
    static QHash<QString, std::shared_ptr<const Gelesen>> c;
    return c;
}

long& readCounter()
{
    static long n = 0;
    return n;
}

std::shared_ptr<const Gelesen> lesen(const QString& path)
{
    const Stand stand = standOf(path);
    auto& c = cache();
    if (const auto it = c.constFind(path); it != c.cend() && (*it)->stand == stand)
        return *it;
    auto g = std::make_shared<Gelesen>();
    g->stand = stand;
    QFile f(path);
    if (stand.exists && f.open(QIODevice::ReadOnly)) {
        ++readCounter();
        QString text = vb::fromAnsi(f.readAll());
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        g->lines = text.split(QLatin1Char('\n'));
        if (!g->lines.isEmpty() && g->lines.last().isEmpty())
            g->lines.removeLast();
    } else {
        g->stand = Stand{};
    }
    QList<std::pair<QString, QString>>* body = nullptr;
    for (const QString& line : g->lines) {
        QString name, k, v;
        if (isSectionLine(line, &name)) {
            const QString folded = name.toCaseFolded();
            body = g->sections.contains(folded) ? nullptr : &g->sections[folded];
        } else if (body && splitKey(line, k, v)) {
            body->append({k.toCaseFolded(), v});
        }
    }
    c.insert(path, g);
    return g;
}

} // namespace

long PrivateProfile::fileReads()
{
    return readCounter();
}

QStringList PrivateProfile::readLines(bool* exists) const
{
    const auto g = lesen(path_);
    if (exists)
        *exists = g->stand.exists;
    return g->lines;
}

bool PrivateProfile::writeLines(const QStringList& lines) const
{
    const QFileInfo info(path_);
    if (!io::createFolder(info.absolutePath()))
        return false;
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += vb::toAnsi(line);
        bytes += "\r\n";
    }
    // The one write rule of the program: a protected file is refused and
    // keeps its mode, a link stays a link.
    cache().remove(path_);
    return io::writeFileAtomic(path_, bytes);
}

int PrivateProfile::removeLeftovers() const
{
    const QFileInfo info(path_);
    return io::removeRewriteLeftovers(info.absolutePath(),
                                      [name = info.fileName()](const QString& n) { return n == name; });
}

std::optional<QString> PrivateProfile::value(const QString& section, const QString& key) const
{
    const auto g = lesen(path_);
    const auto it = g->sections.constFind(section.toCaseFolded());
    if (it == g->sections.cend())
        return std::nullopt;
    const QString k = key.toCaseFolded();
    for (const auto& [name, wert] : *it) {
        if (name != k)
            continue;
        QString v = wert;
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
            && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return std::nullopt;
}

QString PrivateProfile::readString(const QString& section, const QString& key, const QString& def) const
{
    return value(section, key).value_or(def);
}

int PrivateProfile::readInt(const QString& section, const QString& key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const QString& s = *v;
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    qint64 n = 0;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i)
        n = (n * 10 + (s[i].unicode() - '0')) & 0xFFFFFFFFLL;
    // The sign applies to the 32 bits as the platform's reader did: in
    // unsigned arithmetic, so "-2147483648" is INT_MIN and never an overflow.
    const auto bits = static_cast<quint32>(n);
    return static_cast<qint32>(negative ? 0u - bits : bits);
}

bool PrivateProfile::writeString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = readLines();
    const QString entry = key + QLatin1Char('=') + value;
    const auto [begin, end] = findSection(lines, section);
    if (begin < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
        return writeLines(lines);
    }
    int lastKey = begin;
    for (int i = begin + 1; i < end; ++i) {
        QString k, v;
        if (splitKey(lines[i], k, v)) {
            if (sameName(k, key)) {
                lines[i] = entry;
                return writeLines(lines);
            }
            lastKey = i;
        }
    }
    lines.insert(lastKey + 1, entry);
    return writeLines(lines);
}

bool PrivateProfile::removeKey(const QString& section, const QString& key)
{
    QStringList lines = readLines();
    const auto [begin, end] = findSection(lines, section);
    if (begin < 0)
        return true;
    for (int i = begin + 1; i < end; ++i) {
        QString k, v;
        if (splitKey(lines[i], k, v) && sameName(k, key)) {
            lines.removeAt(i);
            return writeLines(lines);
        }
    }
    return true;
}

bool PrivateProfile::removeSection(const QString& section)
{
    bool exists = false;
    QStringList lines = readLines(&exists);
    if (!exists)
        return true;
    bool changed = false;
    for (;;) {
        const auto [begin, end] = findSection(lines, section);
        if (begin < 0)
            break;
        lines.erase(lines.begin() + begin, lines.begin() + end);
        changed = true;
    }
    return changed ? writeLines(lines) : true;
}

QStringList PrivateProfile::sections() const
{
    QStringList out;
    for (const QString& line : readLines()) {
        QString name;
        if (isSectionLine(line, &name))
            out << name;
    }
    return out;
}

QStringList PrivateProfile::keys(const QString& section) const
{
    QStringList out;
    const QStringList lines = readLines();
    const auto [begin, end] = findSection(lines, section);
    for (int i = begin + 1; begin >= 0 && i < end; ++i) {
        QString k, v;
        if (splitKey(lines[i], k, v))
            out << k;
    }
    return out;
}

} // namespace com
