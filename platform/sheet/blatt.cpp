#include "platform/sheet/blatt.h"

#include "platform/vb/date.h"
#include "platform/vb/number.h"

#include <algorithm>
#include <cmath>

namespace sheet {

Blatt::Blatt()
{
    leeren();
}

void Blatt::leeren()
{
    m_zeilen.clear();
    m_cacheZeile = 0;
    m_cache = nullptr;
    m_letzteSpalte = 0;
    m_formate.assign(1, QString());
    m_breiten.clear();
    m_hoehen.clear();
    m_standardhoehe = kStandardhoehe;
    m_umbrueche.clear();
    m_umbruecheSortiert = true;
    name = QStringLiteral("Tabelle1");
    dokumenttitel.clear();
    seite = Seitenformat{};
    zoom = 100;
    eigenschaften.clear();
}

Zelle& Blatt::zelle(int32_t zeile, int32_t spalte)
{
    if (!m_cache || m_cacheZeile != zeile) {
        m_cache = &m_zeilen[zeile];
        m_cacheZeile = zeile;
    }
    ZeilenZellen& z = *m_cache;
    m_letzteSpalte = std::max(m_letzteSpalte, spalte);
    // Builders go left to right: the new cell usually belongs at the end.
    if (z.empty() || z.back().first < spalte) {
        z.emplace_back(spalte, Zelle{});
        return z.back().second;
    }
    auto it = std::lower_bound(z.begin(), z.end(), spalte,
                               [](const auto& p, int32_t s) { return p.first < s; });
    if (it != z.end() && it->first == spalte)
        return it->second;
    return z.insert(it, {spalte, Zelle{}})->second;
}

const Zelle* Blatt::finde(int32_t zeile, int32_t spalte) const
{
    auto r = m_zeilen.find(zeile);
    if (r == m_zeilen.end())
        return nullptr;
    const ZeilenZellen& z = r->second;
    auto it = std::lower_bound(z.begin(), z.end(), spalte,
                               [](const auto& p, int32_t s) { return p.first < s; });
    return it != z.end() && it->first == spalte ? &it->second : nullptr;
}

int32_t Blatt::letzteZeile() const
{
    return m_zeilen.empty() ? 0 : m_zeilen.rbegin()->first;
}

int32_t Blatt::zellenAnzahl() const
{
    int32_t n = 0;
    for (const auto& [z, zellen] : m_zeilen)
        n += int32_t(zellen.size());
    return n;
}

uint16_t Blatt::formatNummer(const QString& format)
{
    if (format.isEmpty() || format.compare(u"General", Qt::CaseInsensitive) == 0)
        return 0;
    for (size_t i = 1; i < m_formate.size(); ++i)
        if (m_formate[i] == format)
            return uint16_t(i);
    if (m_formate.size() >= 0xFFFF)
        return 0;
    m_formate.push_back(format);
    return uint16_t(m_formate.size() - 1);
}

bool zellname(const QString& s, int32_t& zeile, int32_t& spalte)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && s.at(i) == u'$')
        ++i;
    int64_t sp = 0;
    qsizetype buchstaben = 0;
    while (i < n && s.at(i).isLetter() && s.at(i).unicode() < 128) {
        sp = sp * 26 + (s.at(i).toUpper().unicode() - 'A' + 1);
        if (sp > INT32_MAX)
            return false;
        ++i;
        ++buchstaben;
    }
    if (i < n && s.at(i) == u'$')
        ++i;
    int64_t ze = 0;
    qsizetype ziffern = 0;
    while (i < n && s.at(i).isDigit()) {
        ze = ze * 10 + s.at(i).digitValue();
        if (ze > INT32_MAX)
            return false;
        ++i;
        ++ziffern;
    }
    if (i != n || buchstaben == 0 || ziffern == 0 || ze == 0)
        return false;
    zeile = int32_t(ze);
    spalte = int32_t(sp);
    return true;
}

QString spaltenname(int32_t spalte)
{
    QString s;
    int64_t n = spalte;
    while (n > 0) {
        const int r = int((n - 1) % 26);
        s.prepend(QChar(char16_t('A' + r)));
        n = (n - 1) / 26;
    }
    return s;
}

bool Blatt::setzeFormel(int32_t zeile, int32_t spalte, const QString& formel)
{
    Zelle& z = zelle(zeile, spalte);
    QString f = formel.trimmed();
    if (f.startsWith(u'='))
        f = f.mid(1).trimmed();
    const QString upper = f.toUpper();
    int32_t z1, s1, z2, s2;
    bool ok = upper.startsWith(u"SUM(") && upper.endsWith(u')');
    if (ok) {
        const QStringList teile = upper.mid(4, upper.size() - 5).trimmed().split(u':');
        ok = teile.size() == 2 && zellname(teile[0].trimmed(), z1, s1) && zellname(teile[1].trimmed(), z2, s2);
    }
    if (!ok) {
        z.setzeText(formel);
        return false;
    }
    z.art = Zelle::Art::Formel;
    z.text = QStringLiteral("SUM(%1%2:%3%4)").arg(spaltenname(std::min(s1, s2))).arg(std::min(z1, z2))
                 .arg(spaltenname(std::max(s1, s2))).arg(std::max(z1, z2));
    z.vonZeile = std::min(z1, z2);
    z.bisZeile = std::max(z1, z2);
    z.vonSpalte = std::min(s1, s2);
    z.bisSpalte = std::max(s1, s2);
    return true;
}

double Blatt::wert(const Zelle& z) const
{
    if (z.art == Zelle::Art::Zahl)
        return z.zahl;
    if (z.art != Zelle::Art::Formel)
        return 0;
    // Numbers of the range; texts and other formulas count nothing, so a
    // formula inside its own range cannot loop.
    double summe = 0;
    for (auto r = m_zeilen.lower_bound(z.vonZeile); r != m_zeilen.end() && r->first <= z.bisZeile; ++r)
        for (const auto& [s, c] : r->second)
            if (s >= z.vonSpalte && s <= z.bisSpalte && c.art == Zelle::Art::Zahl)
                summe += c.zahl;
    return summe;
}

QString formatiere(double wert, const QString& format)
{
    if (!std::isfinite(wert))
        return QStringLiteral("#ZAHL!");
    if (format.contains(u'y', Qt::CaseInsensitive) || format.contains(u'd', Qt::CaseInsensitive)) {
        const double tag = std::floor(wert);
        if (tag < -657434 || tag > 2958465)   // years 100 to 9999
            return QStringLiteral("#######");
        return vb::DateText(qint32(tag));
    }
    if (format.isEmpty()) {
        if (wert == std::floor(wert) && std::fabs(wert) < 1e15)
            return QString::number(qint64(wert));
        QString s = QString::number(wert, 'g', 10);
        s.replace(u'.', u',');
        return s;
    }
    return vb::FormatDe(wert, format);
}

QString Blatt::anzeigetext(const Zelle& z) const
{
    switch (z.art) {
    case Zelle::Art::Leer:
        return QString();
    case Zelle::Art::Text:
        return z.text;
    case Zelle::Art::Zahl:
    case Zelle::Art::Formel:
        return formatiere(wert(z), m_formate[z.format]);
    }
    return QString();
}

QString Blatt::anzeigetext(int32_t zeile, int32_t spalte) const
{
    const Zelle* z = finde(zeile, spalte);
    return z ? anzeigetext(*z) : QString();
}

void Blatt::setzeSpaltenbreite(int32_t spalte, int twips)
{
    if (spalte < 1)
        return;
    m_breiten[spalte] = std::max(0, twips);
}

int Blatt::spaltenbreite(int32_t spalte) const
{
    auto it = m_breiten.find(spalte);
    return it == m_breiten.end() ? kStandardbreite : it->second;
}

void Blatt::setzeZeilenhoehe(int32_t zeile, int twips)
{
    if (zeile < 1)
        return;
    m_hoehen[zeile] = std::max(0, twips);
}

int Blatt::zeilenhoehe(int32_t zeile) const
{
    if (m_hoehen.empty())
        return m_standardhoehe;
    auto it = m_hoehen.find(zeile);
    return it == m_hoehen.end() ? m_standardhoehe : it->second;
}

void Blatt::setzeStandardhoehe(int twips)
{
    m_standardhoehe = std::max(1, twips);
    m_hoehen.clear();
}

const std::vector<int32_t>& Blatt::umbrueche() const
{
    if (!m_umbruecheSortiert) {
        std::sort(m_umbrueche.begin(), m_umbrueche.end());
        m_umbrueche.erase(std::unique(m_umbrueche.begin(), m_umbrueche.end()), m_umbrueche.end());
        m_umbruecheSortiert = true;
    }
    return m_umbrueche;
}

} // namespace sheet
