#include "app/mainwindow/page_ausdruck.h"
#include "app/mainwindow/page_auswertung.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/resize/clsresize.h"
#include "platform/com/controlhost.h"
#include "platform/com/formcontrols.h"
#include "platform/forms/combobox.h"
#include "platform/forms/mouseupbutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

// Room a page has inside the main window of 784 x 690 pixels below the tab
// strip, with a margin for larger tab strips.
const QRect kPageRect(0, 0, 776, 650);

using Builder = void (*)(QWidget*);

// Every control each page must carry, by the names of the program.
const QStringList kEintragungen = {
    "Frame1", "Text1", "Frame2", "AutoOpt_0", "AutoOpt_1", "AutoOpt_2", "AutoOpt_3",
    "Frame3", "OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam",
    "QKC", "QKSpin1", "QKSpin2", "QKSpin3", "QKSpin4", "QKSpin5", "QKSpin6", "QKSpin7",
    "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9",
    "Label10", "Label11", "Label41", "Label102", "Label118",
    "EinDatumAb", "EinZeitAb", "EinDatumAn", "EinZeitAn", "AnzKmAb", "EinkmAn", "EinGefKm", "PersAnz",
    "EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer",
    "Check13", "LEinDatum", "FahrtNr",
    "AutoDatAnfang", "AutoDatZuruck", "AutoDatVor", "AutoDatEnde", "NeuerEintrag", "EintragSpeichern",
    "Command5_0", "CBenzin_0", "DateiLoschen", "Tabellezeigen_",
    "Frame4", "Label17", "Text9", "List8", "List1", "Label56",
    "KundeEintragen", "KundenNeu", "Kundeuberschreiben", "KundenBearbeiten",
    "Frame5", "LZeitFahrt", "LFahrtAnzahl", "LVerpflegGesamt", "LReisekosten", "LGGefahrenZeit", "Label20",
    "Frame7", "LabWA", "LabPri", "LabGesch", "LabEhr", "LabFam",
    "LabWAP", "LabPriP", "LabGeschP", "LabEhrP", "LabFamP", "Labbetrieb",
    "Frame8", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Command18", "aktuFahrko",
    "FrBenzin", "CbbKArt", "TLiter", "Label35", "TBGesamt", "Label30", "TWbez", "TWGesamt",
    "CB_BSpeichern", "CBFListe", "Label27", "Label34", "Label31",
    "FahrtListe", "TEinHilfe", "CBTextfensterEin",
};

const QStringList kAuswertung = {
    "Label29", "QKC2", "Label47", "QKC3", "Check6",
    "Label70", "List2", "Label49", "Label71", "List3", "Label72",
    "TAusHilfe", "CBTextfensterAus",
};

const QStringList kAusdruck = {
    "Label73", "Label74",
    "Command6", "Command3", "SSCKunden", "CBBetriebskosten", "Command7", "CommandEigenverbrauch",
    "ExcelExport", "Command9", "Command8", "SSCDruckvor",
    "Label75", "List4", "Label76", "List5", "F1Book1", "TDruckHilfe", "CBTextfensterDru",
};

struct Page {
    std::unique_ptr<QWidget> page = std::make_unique<QWidget>();
    explicit Page(Builder build)
    {
        page->resize(kPageRect.size());
        build(page.get());
    }
    QWidget* operator[](const QString& name) const { return page->findChild<QWidget*>(name); }
    template <class T> T* as(const QString& name) const { return page->findChild<T*>(name); }
};

QList<QWidget*> namedControls(QWidget* root)
{
    QList<QWidget*> out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") && !w->isWindow())
            out.append(w);
    }
    return out;
}

QRect inPage(QWidget* w, QWidget* page)
{
    return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
}

struct PageCase {
    const char* name;
    Builder build;
    const QStringList* expected;
};

const PageCase kPages[] = {
    {"Eintragungen", &kmk::buildEintragungenPage, &kEintragungen},
    {"Auswertung", &kmk::buildAuswertungPage, &kAuswertung},
    {"Ausdruck", &kmk::buildAusdruckPage, &kAusdruck},
};

// Where the pictures of the pages go: the folder KMK_BILDER names, to look
// at them, else a folder of this run that goes when the run ends.
QString bilderordner()
{
    static QTemporaryDir lauf;
    const QString bilder = qEnvironmentVariable("KMK_BILDER");
    return bilder.isEmpty() ? lauf.path() : bilder;
}

} // namespace

TEST(Pages, EveryNamedControlExactlyOnceAndNamesUnique)
{
    for (const PageCase& pc : kPages) {
        SCOPED_TRACE(pc.name);
        Page p(pc.build);
        for (const QString& name : *pc.expected)
            EXPECT_EQ(p.page->findChildren<QWidget*>(name).size(), 1) << name.toStdString();
        std::map<QString, int> seen;
        for (QWidget* w : namedControls(p.page.get()))
            ++seen[w->objectName()];
        for (const auto& [name, n] : seen)
            EXPECT_EQ(n, 1) << "name used twice: " << name.toStdString();
    }
}

TEST(Pages, NamesDoNotCollideAcrossPages)
{
    QTabWidget tabs;
    std::map<QString, int> seen;
    for (const PageCase& pc : kPages) {
        auto* page = new QWidget;
        tabs.addTab(page, pc.name);
        pc.build(page);
        for (QWidget* w : namedControls(page))
            ++seen[w->objectName()];
    }
    for (const auto& [name, n] : seen)
        EXPECT_EQ(n, 1) << name.toStdString();
}

TEST(Pages, EveryControlInsideThePageAndFramesHoldTheirChildren)
{
    for (const PageCase& pc : kPages) {
        SCOPED_TRACE(pc.name);
        Page p(pc.build);
        for (QWidget* w : namedControls(p.page.get())) {
            EXPECT_TRUE(kPageRect.contains(inPage(w, p.page.get())))
                << w->objectName().toStdString() << " at " << inPage(w, p.page.get()).x() << ","
                << inPage(w, p.page.get()).y();
            if (auto* frame = qobject_cast<QGroupBox*>(w->parentWidget())) {
                const QRect inner(0, 12, frame->width(), frame->height() - 12); // below the caption
                EXPECT_TRUE(inner.contains(w->geometry())) << w->objectName().toStdString() << " in "
                                                           << frame->objectName().toStdString();
            }
        }
    }
}

TEST(Pages, ControlsLieInTheirFrames)
{
    Page p(&kmk::buildEintragungenPage);
    const std::map<QString, QStringList> frames = {
        {"Frame2", {"AutoOpt_0", "AutoOpt_1", "AutoOpt_2", "AutoOpt_3"}},
        {"Frame3", {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"}},
        {"Frame4", {"List8"}},
        {"Frame5", {"LZeitFahrt", "LFahrtAnzahl", "LVerpflegGesamt", "LReisekosten", "LGGefahrenZeit", "Label20"}},
        {"Frame7", {"LabWA", "LabPri", "LabGesch", "LabEhr", "LabFam", "LabWAP", "LabPriP", "LabGeschP",
                    "LabEhrP", "LabFamP", "Labbetrieb"}},
        {"Frame8", {"Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Command18"}},
        {"FrBenzin", {"CbbKArt", "TLiter", "Label35", "TBGesamt", "Label30", "TWbez", "TWGesamt", "CB_BSpeichern",
                      "CBFListe", "Label27", "Label34", "Label31"}},
    };
    for (const auto& [frame, children] : frames) {
        ASSERT_NE(p.as<QGroupBox>(frame), nullptr) << frame.toStdString();
        for (const QString& c : children)
            EXPECT_EQ(p[c]->parentWidget(), p[frame]) << c.toStdString();
    }
    // The entry grid and the record bar lie in the borderless Frame1, so
    // they can be hidden together; the rest sits on the page itself.
    ASSERT_NE(p["Frame1"], nullptr);
    EXPECT_EQ(p["Frame1"]->parentWidget(), p.page.get());
    for (const char* name : {"EinDatumAb", "EinZeitAb", "QKSpin1", "AnzKmAb", "EinVon", "EinkmAn", "QKSpin6",
                             "EinGefKm", "PersAnz", "EinFahrer", "LEinDatum", "Check13", "FahrtNr",
                             "EintragSpeichern", "Tabellezeigen_"})
        EXPECT_EQ(p[name]->parentWidget(), p["Frame1"]) << name;
    for (const char* name : {"Text1", "QKC", "TEinHilfe", "FahrtListe", "Frame2", "Frame3"})
        EXPECT_EQ(p[name]->parentWidget(), p.page.get()) << name;
    // The notice box stands in the frame's place, hidden until no vehicle is set up.
    EXPECT_TRUE(p["Text1"]->isHidden());
    EXPECT_FALSE(p["Frame1"]->isHidden());
    EXPECT_TRUE(p["Frame1"]->geometry().contains(p["Text1"]->geometry()));
    EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(p["Text1"])->isReadOnly());
}

TEST(Pages, VisibleControlsDoNotOverlap)
{
    // Controls that share a place on purpose (only one of them is shown at a
    // time) are hidden at start; what is shown must not cover anything else.
    for (const PageCase& pc : kPages) {
        SCOPED_TRACE(pc.name);
        Page p(pc.build);
        QList<QWidget*> all = namedControls(p.page.get());
        for (int i = 0; i < all.size(); ++i) {
            for (int j = i + 1; j < all.size(); ++j) {
                QWidget* a = all[i];
                QWidget* b = all[j];
                if (a->parentWidget() != b->parentWidget() || a->isHidden() || b->isHidden())
                    continue;
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
    }
}

TEST(Pages, SharedPlacesAndStartVisibility)
{
    Page p(&kmk::buildEintragungenPage);
    // The lower part shows the help box; the trip list and the cost frame lie under it.
    EXPECT_FALSE(p["TEinHilfe"]->isHidden());
    EXPECT_FALSE(p["CBTextfensterEin"]->isHidden());
    EXPECT_TRUE(p["FahrtListe"]->isHidden());
    EXPECT_TRUE(p["FrBenzin"]->isHidden());
    EXPECT_TRUE(p["FahrtListe"]->geometry().intersects(p["TEinHilfe"]->geometry()));
    EXPECT_TRUE(p["FrBenzin"]->geometry().intersects(p["TEinHilfe"]->geometry()));
    // The three information frames take turns in one place.
    EXPECT_EQ(p["Frame5"]->geometry(), p["Frame7"]->geometry());
    EXPECT_EQ(p["Frame5"]->geometry(), p["Frame8"]->geometry());
    EXPECT_FALSE(p["Frame5"]->isHidden());
    EXPECT_TRUE(p["Frame7"]->isHidden());
    EXPECT_TRUE(p["Frame8"]->isHidden());
    // Private-car fields and the journal status start hidden, the vehicle
    // buttons until their slots are filled.
    for (const char* name : {"Label118", "PersAnz", "QKSpin5", "Check13", "CB_BSpeichern", "List1", "AutoOpt_0",
                             "AutoOpt_3"})
        EXPECT_TRUE(p[name]->isHidden()) << name;

    // Shown in the private-car layout, the passenger field does not cover anything.
    for (const char* name : {"Label118", "PersAnz", "QKSpin5"}) {
        for (QWidget* other : namedControls(p.page.get())) {
            if (other == p[name] || other->parentWidget() != p[name]->parentWidget() || other->isHidden())
                continue;
            EXPECT_FALSE(p[name]->geometry().intersects(other->geometry()))
                << name << " / " << other->objectName().toStdString();
        }
    }
}

TEST(Pages, CaptionsAndToolTips)
{
    Page e(&kmk::buildEintragungenPage);
    Page a(&kmk::buildAuswertungPage);
    Page d(&kmk::buildAusdruckPage);
    auto text = [](QWidget* w) -> QString {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        return "<kein Text>";
    };
    const std::pair<const Page*, std::map<QString, QString>> captions[] = {
        {&e,
         {{"Frame2", "Auto"},
          {"Frame3", "Fahrtvoreinstellung"},
          {"Frame4", "Fahrtenspeicher"},
          {"Frame5", "Information"},
          {"Frame7", "Aktuelle Prozentverteilung"},
          {"Frame8", "Geschäftsfahrten / Privatfahrzeug"},
          {"FrBenzin", "Kraftstoff / Werkstatt - Kosten"},
          {"AutoOpt_2", "Frei"},
          {"OptGesch", "Geschäftsfahrt"},
          {"Label1", " Abfahrt / Datum"},
          {"Label2", " Zeit"},
          {"Label3", " km/Std."},
          {"Label4", " von / Abfahrtsort"},
          {"Label5", " über  / Wegstre. "},
          {"Label6", " nach/ Ankunftsort"},
          {"Label7", " Ankunft / Datum"},
          {"Label8", " Zeit"},
          {"Label9", " km/Std."},
          {"Label10", " Grund der Fahrt"},
          {"Label11", " Gesprächspartner"},
          {"Label41", " Name d. Fahrers"},
          {"Label102", "gef. km"},
          {"Label118", " Mitgenommene Personen"},
          {"Label17", "Buchstabenfilter ( *  zeigt alle)"},
          {"Label35", "Liter"},
          {"Tabellezeigen_", "Hilfe "},
          {"KundenBearbeiten", "Fahrtenspeicher bearbeiten"},
          {"Command18", "Verteilung / Summe berechnen"},
          {"CB_BSpeichern", "Speichern"},
          {"CBFListe", "Fenster schließen - Fahrtenliste anzeigen"},
          {"CBTextfensterEin", "Extra Hilfsfenster anzeigen"},
          {"Check13", "Normaler Eintrag"}}},
        {&a,
         {{"Label70", "Selektieren nach Kunde:"},
          {"Label71", "Selektieren nach Art der Fahrt:"},
          {"Check6", "Erweiterter Ausdruck (alle Eintragungen sichtbar) Es werden nur sieben Fahrten auf einem Din A4 "
                     "Blatt dargestellt. "},
          {"CBTextfensterAus", "Extra Hilfsfenster anzeigen"}}},
        {&d,
         {{"Command6", "aktuelle Kfz Eintrag."},
          {"Command3", "Vorlage Fahrt."},
          {"SSCKunden", "Kundenspeicher"},
          {"CBBetriebskosten", "Betriebskosten"},
          {"Command7", "Prozentverteilung"},
          {"CommandEigenverbrauch", "Eigenverbrauch"},
          {"ExcelExport", "Export für IDEA"},
          {"Command9", "Druckersetup"},
          {"SSCDruckvor", "Druckvorschau / drucken"},
          {"Command8", "Ohne autom. Druckanpassung"},
          {"Label75", "Zoom Bild- schirm"},
          {"Label76", "Zoom Druck"},
          {"Label74", "Aktuelles Fahrzeug"},
          {"CBTextfensterDru", "Extra Hilfsfenster anzeigen"}}},
    };
    for (const auto& [page, map] : captions) {
        for (const auto& [name, caption] : map) {
            ASSERT_NE((*page)[name], nullptr) << name.toStdString();
            EXPECT_EQ(text((*page)[name]), caption) << name.toStdString();
        }
    }

    const std::map<QString, QString> tips = {
        {"NeuerEintrag", "(F9)  neuer Datensatz"},
        {"AutoDatAnfang", "(F4) ersten Datensatz anzeigen"},
        {"AutoDatZuruck", "(F5) einen Datensatz zurück"},
        {"AutoDatVor", "(F6) einen Datensatz vor"},
        {"AutoDatEnde", "(F7)  letzten Datensatz anzeigen"},
        {"Command5_0", "(F12) automatisch die Rückfahrt ausfüllen"},
        {"EintragSpeichern", "(F8)  Datensatz speichern / überschreiben"},
        {"CBenzin_0", "(Ende) Es wird unten in der Liste die Kosteneingabe angezeigt"},
        {"KundeEintragen", "(F10)  Fahrtenspeicherauswahl in den neuen Datensatz übertragen"},
        {"KundenNeu", "(F11)  aktuellen Datensatz in den Fahrtenspeicher übertragen"},
        {"Kundeuberschreiben", "(F3) ausgewählte Eintrag des Fahrtenspeichers löschen"},
        {"DateiLoschen", "(F2) alle Kfz Eintragungen löschen"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(e[name]->toolTip(), tip) << name.toStdString();
    EXPECT_EQ(d["Command3"]->toolTip(), "Vorlage zur handschriftlichen Aufzeichnung");

    // The fuel unit list and its default.
    auto* kind = e.as<forms::ComboBox>("CbbKArt");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->text(), "Liter");
    ASSERT_EQ(kind->count(), 3);
    EXPECT_EQ(kind->itemText(0), "Liter");
    EXPECT_EQ(kind->itemText(1), "kWh");
    EXPECT_EQ(kind->itemText(2), "Kg");
}

TEST(Pages, CaptionsFitTheirControls)
{
    for (const PageCase& pc : kPages) {
        SCOPED_TRACE(pc.name);
        Page p(pc.build);
        for (QWidget* w : namedControls(p.page.get())) {
            if (auto* l = qobject_cast<QLabel*>(w); l && l->wordWrap())
                continue;
            if (auto* pb = qobject_cast<QPushButton*>(w)) {
                // Push buttons hint at a minimum width; what counts is the caption.
                const int need = pb->fontMetrics().horizontalAdvance(pb->text()) + 8
                               + (pb->icon().isNull() ? 0 : pb->iconSize().width() + 4);
                EXPECT_LE(need, w->width()) << w->objectName().toStdString();
            } else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_LE(w->sizeHint().width(), w->width() + 2) << w->objectName().toStdString();
            }
        }
    }
}

TEST(Pages, ControlKinds)
{
    Page e(&kmk::buildEintragungenPage);
    Page d(&kmk::buildAusdruckPage);
    for (const char* name : {"EintragSpeichern", "NeuerEintrag", "AutoDatAnfang", "AutoDatZuruck", "AutoDatVor",
                             "AutoDatEnde", "KundeEintragen", "KundenNeu", "Kundeuberschreiben", "Tabellezeigen_",
                             "DateiLoschen"})
        EXPECT_NE(e.as<forms::MouseUpButton>(name), nullptr) << name;
    EXPECT_NE(d.as<forms::MouseUpButton>("Command8"), nullptr);
    for (const char* name : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer", "CbbKArt"})
        EXPECT_NE(e.as<forms::ComboBox>(name), nullptr) << name;
    for (const char* name : {"EinDatumAb", "EinZeitAb", "EinDatumAn", "EinZeitAn", "EinkmAn", "EinGefKm", "PersAnz",
                             "TLiter", "TBGesamt", "TWbez", "TWGesamt", "Text3", "Text9", "FahrtNr"})
        EXPECT_NE(e.as<QLineEdit>(name), nullptr) << name;
    for (const char* name : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam", "AutoOpt_0"}) {
        auto* b = e.as<QRadioButton>(name);
        ASSERT_NE(b, nullptr) << name;
        // The option groups must be able to show "none selected".
        EXPECT_FALSE(b->autoExclusive()) << name;
    }
    for (const char* name : {"List8", "List1", "FahrtListe"})
        EXPECT_NE(e.as<QListWidget>(name), nullptr) << name;
    EXPECT_NE(e.as<QPlainTextEdit>("TEinHilfe"), nullptr);
    EXPECT_NE(e.as<QLabel>("AnzKmAb"), nullptr); // shown, not typed
    EXPECT_NE(d.as<QListWidget>("List4"), nullptr);
    EXPECT_NE(d.as<QListWidget>("List5"), nullptr);
    // The workshop text is cut at its record field; the date, time and
    // number fields keep what was typed, so their checks see it.
    EXPECT_EQ(e.as<QLineEdit>("TWbez")->maxLength(), 50);
    for (const char* name : {"EinDatumAb", "EinZeitAn", "EinkmAn", "EinGefKm", "TBGesamt"})
        EXPECT_GT(e.as<QLineEdit>(name)->maxLength(), 255) << name;
    // Lists of fixed-width lines in a fixed-pitch font.
    for (const char* name : {"List8", "FahrtListe"}) {
        const QFontMetrics fm(e[name]->font());
        EXPECT_EQ(fm.horizontalAdvance("iiiiiiii"), fm.horizontalAdvance("MMMMMMMM")) << name;
    }
}

TEST(Pages, HostedControlsThroughTheFactoryOrAsPlaceholders)
{
    // Without a factory: placeholders that carry the programmatic id and the
    // design-time values.
    kmk::pages::setHostedControlFactory({});
    {
        Page e(&kmk::buildEintragungenPage);
        EXPECT_EQ(e["QKC"]->property("progId").toString(), "QKCAL.QKCalCtrl.1");
        EXPECT_EQ(e["QKC"]->property("MinDate").toInt(), 44197);
        EXPECT_EQ(e["QKC"]->property("MaxDate").toInt(), 55153);
        EXPECT_EQ(e["QKSpin4"]->property("progId").toString(), "QKSPIN.QKSpinCtrl.1");
        EXPECT_EQ(e["QKSpin4"]->property("Style").toInt(), 2);
        EXPECT_EQ(e["QKSpin4"]->property("Max").toInt(), 1440);
        EXPECT_EQ(e["QKSpin4"]->property("SpinRate").toInt(), 100);
    }
    const std::map<QString, std::pair<int, int>> spins = {
        {"QKSpin1", {1440, 1000}}, {"QKSpin2", {23, 1}},  {"QKSpin3", {23, 1}},         {"QKSpin4", {1440, 100}},
        {"QKSpin5", {100, 10}},    {"QKSpin6", {10000, 10000}}, {"QKSpin7", {100, 10}},
    };
    for (const auto& [name, v] : spins) {
        const QVariantMap m = kmk::pages::designProperties(name);
        EXPECT_EQ(m.value("Style").toInt(), 2) << name.toStdString();
        EXPECT_EQ(m.value("Max").toInt(), v.first) << name.toStdString();
        EXPECT_EQ(m.value("SpinRate").toInt(), v.second) << name.toStdString();
    }

    // With a factory: its widgets take the names and places; one it cannot
    // make (nullptr) falls back to a placeholder.
    std::map<QString, int> made;
    kmk::pages::setHostedControlFactory([&](const QString& progId, const QVariantMap& props, QWidget* parent) -> QWidget* {
        ++made[progId];
        if (progId == "QKSPIN.QKSpinCtrl.1" && props.value("Max").toInt() == 23)
            return nullptr;
        auto* w = new QWidget(parent);
        w->setProperty("fromFactory", true);
        return w;
    });
    {
        Page e(&kmk::buildEintragungenPage);
        Page a(&kmk::buildAuswertungPage);
        EXPECT_EQ(made["QKCAL.QKCalCtrl.1"], 3);
        EXPECT_EQ(made["QKSPIN.QKSpinCtrl.1"], 7);
        for (const char* name : {"QKC", "QKSpin1", "QKSpin4", "QKSpin5", "QKSpin6", "QKSpin7"})
            EXPECT_TRUE(e[name]->property("fromFactory").toBool()) << name;
        EXPECT_TRUE(a["QKC2"]->property("fromFactory").toBool());
        EXPECT_FALSE(e["QKSpin2"]->property("fromFactory").toBool());
        EXPECT_EQ(e["QKSpin2"]->property("progId").toString(), "QKSPIN.QKSpinCtrl.1");
        EXPECT_EQ(e["QKC"]->parentWidget(), e.page.get());
        EXPECT_EQ(e["QKC"]->geometry().size(), QSize(220, 158));
        // The resizer leaves the inside of a hosted control to its host.
        EXPECT_TRUE(e["QKC"]->property("kmkResizeLeaf").toBool());
    }
    kmk::pages::setHostedControlFactory(&kmk::pages::controlHostFactory);
}

TEST(Pages, UnregisteredControlLibrariesGivePlaceholders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray old = qgetenv("KILOMETRIKA_REGISTRY");
    qputenv("KILOMETRIKA_REGISTRY", dir.filePath("registry.ini").toLocal8Bit());
    kmk::pages::setHostedControlFactory(&kmk::pages::controlHostFactory);
    {
        Page e(&kmk::buildEintragungenPage);
        Page a(&kmk::buildAuswertungPage);
        for (const char* name : {"QKC", "QKSpin1", "QKSpin7"}) {
            ASSERT_NE(e[name], nullptr) << name;
            EXPECT_FALSE(e[name]->property("progId").toString().isEmpty()) << name;
        }
        EXPECT_EQ(a["QKC3"]->property("progId").toString(), "QKCAL.QKCalCtrl.1");
        EXPECT_EQ(a["QKC3"]->geometry(), QRect(270, 30, 240, 170));
    }
    if (old.isNull())
        qunsetenv("KILOMETRIKA_REGISTRY");
    else
        qputenv("KILOMETRIKA_REGISTRY", old);
}

TEST(Pages, RegisteredControlsAreHostedAndScaleWithThePage)
{
    const QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    const QStringList libs = {bin + "/libQKCAL32.so", bin + "/libQKSPIN32.so"};
    for (const QString& lib : libs) {
        if (bin.isEmpty() || !QFile::exists(lib))
            GTEST_SKIP() << "control libraries not built";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray old = qgetenv("KILOMETRIKA_REGISTRY");
    qputenv("KILOMETRIKA_REGISTRY", dir.filePath("registry.ini").toLocal8Bit());
    for (const QString& lib : libs) {
        QLibrary l(lib);
        auto reg = reinterpret_cast<com::HRESULT (*)()>(l.resolve("DllRegisterServer"));
        ASSERT_NE(reg, nullptr) << lib.toStdString();
        EXPECT_EQ(reg(), 0) << lib.toStdString();
    }
    kmk::pages::setHostedControlFactory(&kmk::pages::controlHostFactory);
    {
        QWidget form;
        form.resize(784, 690);
        auto* page = new QWidget(&form);
        page->setGeometry(2, 26, 780, 662);
        kmk::buildEintragungenPage(page);
        auto* qkc = page->findChild<com::ControlHost*>("QKC");
        ASSERT_NE(qkc, nullptr);
        EXPECT_EQ(qkc->property("MinDate").toInt(), 44197);
        EXPECT_EQ(qkc->property("MaxDate").toInt(), 55153);
        EXPECT_EQ(qkc->property("DayTitles").toString(), "So Mo Di Mi Do Fr Sa");
        EXPECT_TRUE(qkc->property("MonthNames").toString().startsWith("Januar Februar März"));
        auto* spin = page->findChild<com::ControlHost*>("QKSpin4");
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->property("Max").toInt(), 1440);
        EXPECT_EQ(spin->property("SpinRate").toInt(), 100);
        EXPECT_EQ(qkc->geometry(), QRect(478, 6, 220, 158));

        // The controls of the window carry the values of the one design table
        // that createFormControl() lays out, no other.
        QWidget auswertung;
        kmk::buildAuswertungPage(&auswertung);
        const QStringList kalender = {"DateType", "MinDate", "MaxDate", "FirstDay", "DayTitles", "MonthNames",
                                      "DayFrame", "ThreeD", "FocusFrame", "ScrollBar", "DatePosition", "BorderStyle"};
        const QStringList knoepfe = {"Style", "Max", "Min", "Increment", "SpinRate", "ValueDisplay", "Value"};
        for (const char* name : {"QKC", "QKC2", "QKC3", "QKSpin1", "QKSpin2", "QKSpin3", "QKSpin4", "QKSpin5",
                                 "QKSpin6", "QKSpin7"}) {
            auto* imFenster = form.findChild<com::ControlHost*>(name);
            if (!imFenster)
                imFenster = auswertung.findChild<com::ControlHost*>(name);
            ASSERT_NE(imFenster, nullptr) << name;
            std::unique_ptr<com::ControlHost> entwurf(com::createFormControl(name));
            for (const QString& p : QString(name).startsWith("QKC") ? kalender : knoepfe)
                EXPECT_EQ(imFenster->property(p), entwurf->property(p)) << name << " " << p.toStdString();
        }
        EXPECT_EQ(qkc->property("FirstDay").toInt(), 1);   // Sunday, as the day titles begin

        form.show();
        form.grab().save(bilderordner() + "/Eintragungen-Steuerelemente.png");
        kmk::clsResize rs;
        rs.setForm(&form);
        rs.Initialize();
        const double font = qkc->fontSize();
        form.resize(1568, 1380);
        rs.DoResize();
        EXPECT_EQ(qkc->geometry(), QRect(956, 12, 440, 316));
        EXPECT_NEAR(qkc->fontSize(), font * 2, 0.01);
        form.resize(784, 690);
        rs.DoResize();
        EXPECT_NEAR(qkc->fontSize(), font, 0.01);
        EXPECT_EQ(qkc->geometry(), QRect(478, 6, 220, 158));
    }
    if (old.isNull())
        qunsetenv("KILOMETRIKA_REGISTRY");
    else
        qputenv("KILOMETRIKA_REGISTRY", old);
}

TEST(Pages, ThePagesScaleWithTheWindow)
{
    QWidget form;
    form.resize(784, 720);
    auto* tabs = new QTabWidget(&form);
    tabs->setObjectName("SSTab1");
    tabs->setGeometry(0, 0, 784, 720);
    for (const PageCase& pc : kPages) {
        auto* page = new QWidget;
        tabs->addTab(page, pc.name);
        pc.build(page);
    }
    form.show();
    kmk::clsResize rs;
    rs.setForm(&form);
    rs.Initialize();

    std::map<QWidget*, QRect> before;
    for (QWidget* w : namedControls(tabs)) {
        if (w->parentWidget() && qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()))
            continue; // the pages themselves belong to the tab control
        if (QString(w->metaObject()->className()) == "QStackedWidget")
            continue;
        EXPECT_NE(rs.recordOf(w), nullptr) << w->objectName().toStdString();
        before[w] = w->geometry();
    }
    EXPECT_GT(before.size(), size_t(150));
    form.resize(1568, 1440);
    rs.DoResize();
    tabs->setCurrentIndex(0);
    form.grab().save(bilderordner() + "/Eintragungen-doppelt.png");
    for (const auto& [w, g] : before)
        EXPECT_EQ(w->geometry(), QRect(g.x() * 2, g.y() * 2, g.width() * 2, g.height() * 2))
            << w->objectName().toStdString();
    form.resize(784, 720);
    rs.DoResize();
    for (const auto& [w, g] : before)
        EXPECT_EQ(w->geometry(), g) << w->objectName().toStdString();
}

TEST(Pages, Screenshots)
{
    const QString dir = bilderordner();
    for (const PageCase& pc : kPages) {
        Page p(pc.build);
        p.page->show();
        EXPECT_TRUE(p.page->grab().save(dir + "/" + pc.name + ".png")) << pc.name;
    }
    // The entry page as a private car with the cost frame open shows the
    // controls that start hidden.
    Page e(&kmk::buildEintragungenPage);
    for (const char* name : {"Frame8", "Label118", "PersAnz", "QKSpin5", "FrBenzin", "CB_BSpeichern", "Check13",
                             "AutoOpt_0", "AutoOpt_1"})
        e[name]->show();
    for (const char* name : {"Frame5", "TEinHilfe", "CBTextfensterEin", "Label2", "Label8", "EinZeitAb", "EinZeitAn",
                             "QKSpin1", "QKSpin2", "QKSpin3", "QKSpin4"})
        e[name]->hide();
    e.page->show();
    EXPECT_TRUE(e.page->grab().save(dir + "/Eintragungen-privat.png"));
    Page e2(&kmk::buildEintragungenPage);
    e2["Frame5"]->hide();
    e2["Frame7"]->show();
    e2["TEinHilfe"]->hide();
    e2["FahrtListe"]->show();
    e2.page->show();
    EXPECT_TRUE(e2.page->grab().save(dir + "/Eintragungen-liste.png"));
}
