#include "app/printout/tables/tabellenfilter.h"

#include "app/printout/tables/bausatz.h"
#include "app/records/hilfen.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/kundendatei.h"
#include "app/tripmemory/kundenliste.h"
#include "platform/forms/events.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QLabel>
#include <QListWidget>
#include <optional>

namespace kmk::tabellen {

namespace {

constexpr int Breite = 50;

QString aufBreite(const QString& s, int breite)
{
    return s.size() >= breite ? s.left(breite) : s + vb::Space(breite - s.size());
}

// The stored contact that list row number n names. None for the
// all-records row (n < 1), and none for a number beyond the file rather
// than another record's contact.
std::optional<Fahrtenspeichersatz> Kontaktsatz(Fahrten1& st, int n)
{
    if (n < 1)
        return std::nullopt;
    const Kundendatei datei(st.pfad(st.Kundendatei));
    if (!datei.vorhanden() || n > datei.anzahl())
        return std::nullopt;
    return datei.satz(n);
}

} // namespace

QString leererKundenfilter() { return vb::Space(Breite); }

QStringList Fahrtartzeilen()
{
    return {QStringLiteral(" Alle Fahrten"),
            QStringLiteral("Fahrten z. Wohn- und Arbeitsstätte"),
            QStringLiteral("Private Fahrten"),
            QStringLiteral("Geschäftsfahrten"),
            QStringLiteral("Umsatzsteuerfreie Fahrten"),
            QStringLiteral("Familienheimfahrten")};
}

int Filterzeilennummer(const QListWidgetItem* zeile)
{
    if (!zeile)
        return 0;
    const QVariant daten = zeile->data(SatznummerRolle);
    if (daten.isValid())
        return daten.toInt();
    return int(vb::Val(vb::Trim(vb::Right(aufBreite(zeile->text(), 53), 3))));
}

Tabellenfilter::Tabellenfilter(QWidget* fenster, Fahrten1& st, QObject* parent)
    : QObject(parent), m_st(st)
{
    const auto liste = [fenster](const char* name) {
        return qobject_cast<QListWidget*>(forms::control(fenster, QString::fromLatin1(name)));
    };
    const auto label = [fenster](const char* name) {
        return qobject_cast<QLabel*>(forms::control(fenster, QString::fromLatin1(name)));
    };
    m_list2 = liste("List2");
    m_list3 = liste("List3");
    m_label49 = label("Label49");
    m_label72 = label("Label72");
    m_label56 = label("Label56");
    // Selection from code raises Click too, as the runtime did.
    if (m_list2) {
        connect(m_list2, &QListWidget::currentRowChanged, this, [this](int r) {
            if (r >= 0)
                List2_Click();
        });
        connect(m_list2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
        connect(m_list2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });
    }
    if (m_list3) {
        connect(m_list3, &QListWidget::currentRowChanged, this, [this](int r) {
            if (r >= 0)
                List3_Click();
        });
        connect(m_list3, &QListWidget::itemClicked, this, [this] { List3_Click(); });
    }
}

void Tabellenfilter::BListe()
{
    if (m_list3)
        m_list3->addItems(Fahrtartzeilen());
}

void Tabellenfilter::List2_Click()
{
    m_st.Kundenfilter = leererKundenfilter();
    const QListWidgetItem* zeile = m_list2 ? m_list2->currentItem() : nullptr;
    const QString text = zeile ? zeile->text() : QString();
    if (m_label49)
        m_label49->setText(text);
    if (text.isEmpty() || text.front() == QLatin1Char(' '))
        return;  // the all-records row, or a contact that is empty
    // No contact for the number leaves the filter blank.
    const std::optional<Fahrtenspeichersatz> s = Kontaktsatz(m_st, Filterzeilennummer(zeile));
    if (!s)
        return;
    m_st.Kundenfilter = aufBreite(vb::Trim(s->Gespraechspartner), Breite);
}

void Tabellenfilter::List2_DblClick()
{
    const QListWidgetItem* zeile = m_list2 ? m_list2->currentItem() : nullptr;
    if (!zeile || !m_label56)
        return;
    const int n = Filterzeilennummer(zeile);
    // The all-records row names no record: the hand-over would take
    // record 1 and the deletion none, so it is not handed on.
    const std::optional<Fahrtenspeichersatz> s = Kontaktsatz(m_st, n);
    if (!s)
        return;
    setzeAuswahl(m_label56, pickZeile(*s, n), n, s->zuBytes());
}

void Tabellenfilter::List3_Click()
{
    const int r = m_list3 ? m_list3->currentRow() : -1;
    if (m_label72 && r >= 0)
        m_label72->setText(m_list3->item(r)->text());
    m_st.Fahrtartfilter = quint8(r >= 0 && r <= 5 ? r : 0);
}

void Tabellenfilter::AKliste()
{
    if (DateiVorhanden(m_st.pfad(m_st.Kundendatei))) {
        if (AListe)
            AListe();
        if (m_list2 && m_list2->count() > 0)
            m_list2->setCurrentRow(0);  // runs List2_Click when the row changes
        if (m_label49)
            m_label49->setText(m_list2 && m_list2->currentItem() ? m_list2->currentItem()->text()
                                                                 : AlleDatensaetze);
    } else if (m_label49) {
        m_label49->setText(AlleDatensaetze);
    }
    BListe();
    if (m_list3 && m_list3->count() > 0)
        m_list3->setCurrentRow(0);  // runs List3_Click when the row changes
    m_st.Kundenfilter = leererKundenfilter();
}

} // namespace kmk::tabellen
