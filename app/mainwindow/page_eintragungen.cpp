#include "app/mainwindow/page_eintragungen.h"

#include "platform/com/formcontrols.h"

#include "app/resize/clsresize.h"
#include "platform/com/controlhost.h"
#include "platform/com/formcontrols.h"
#include "platform/forms/combobox.h"
#include "platform/forms/mouseupbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <memory>

namespace kmk {
namespace pages {

namespace {

HostedControlFactory& factorySlot()
{
    static HostedControlFactory f = &controlHostFactory;
    return f;
}

// The resizer scales a hosted control's font through its container.
void registerHostFontAccess()
{
    static const bool done = [] {
        clsResize::setFontAccess(QStringLiteral("com::ControlHost"),
                                 {[](const QWidget* w) {
                                      try {
                                          return float(static_cast<const com::ControlHost*>(w)->fontSize());
                                      } catch (const std::exception&) {
                                          return 0.0f; // no font: nothing to scale
                                      }
                                  },
                                  [](QWidget* w, float size) {
                                      try {
                                          static_cast<com::ControlHost*>(w)->setFontSize(size);
                                      } catch (const std::exception&) {
                                          // a control without a font keeps what it has
                                      }
                                  }});
        return true;
    }();
    (void)done;
}

template <class W>
W* place(W* w, const QString& name, const QRect& r)
{
    w->setObjectName(name);
    w->setGeometry(r);
    return w;
}

} // namespace

void setHostedControlFactory(HostedControlFactory factory)
{
    factorySlot() = std::move(factory);
}

QWidget* controlHostFactory(const QString& progId, const QVariantMap& designProperties, QWidget* parent)
{
    std::unique_ptr<com::ControlHost> host;
    try {
        host = std::make_unique<com::ControlHost>(progId, parent);
    } catch (const std::exception&) {
        return nullptr;
    }
    // Loaded as stored design values, as createFormControl() loads them, so
    // the window's controls and the design table never part.
    com::PropertyBag bag;
    for (auto it = designProperties.constBegin(); it != designProperties.constEnd(); ++it)
        bag.write(it.key(), it.value());
    try {
        host->load(bag);
    } catch (const std::exception&) {
        return nullptr;
    }
    return host.release();
}

QVariantMap designProperties(const QString& name)
{
    QVariantMap m;
    const com::PropertyBag bag = com::formControlValues(name);
    for (const auto& [key, value] : bag.items())
        m.insert(key, value);
    return m;
}

QWidget* hosted(QWidget* parent, const QString& name, const QString& progId, const QRect& r)
{
    const QVariantMap props = designProperties(name);
    QWidget* w = nullptr;
    if (const HostedControlFactory& f = factorySlot())
        w = f(progId, props, parent);
    if (w) {
        if (w->parentWidget() != parent)
            w->setParent(parent);
        // The control inside is placed by its host, not by the resizer.
        w->QObject::setProperty("kmkResizeLeaf", true);
        if (w->inherits("com::ControlHost"))
            registerHostFontAccess();
    } else {
        auto* ph = new QFrame(parent);
        ph->setFrameShape(QFrame::StyledPanel);
        ph->setFrameShadow(QFrame::Sunken);
        ph->setProperty("progId", progId);
        for (auto it = props.constBegin(); it != props.constEnd(); ++it)
            ph->setProperty(it.key().toLatin1().constData(), it.value());
        ph->setToolTip(name);
        w = ph;
    }
    return place(w, name, r);
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    auto* l = place(new QLabel(caption, parent), name, r);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QLabel* valueLabel(QWidget* parent, const QString& name, const QRect& r)
{
    auto* l = place(new QLabel(parent), name, r);
    // A styled panel draws all four edges; a plain sunken panel leaves the
    // right and bottom edges in the page colour, so the box looks cut off.
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setIndent(3);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    return place(new QGroupBox(caption, parent), name, r);
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& r, int maxLength)
{
    auto* e = place(new QLineEdit(parent), name, r);
    e->setMaxLength(maxLength);
    return e;
}

forms::ComboBox* comboBox(QWidget* parent, const QString& name, const QRect& r)
{
    return place(new forms::ComboBox(parent, true), name, r);
}

QFont fixedPitch(const QFont& like)
{
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setStyleHint(QFont::TypeWriter);
    if (like.pointSizeF() > 0)
        mono.setPointSizeF(like.pointSizeF());
    return mono;
}

QListWidget* listBox(QWidget* parent, const QString& name, const QRect& r)
{
    return place(new QListWidget(parent), name, r);
}

QPlainTextEdit* helpBox(QWidget* parent, const QString& name, const QRect& r)
{
    auto* t = place(new QPlainTextEdit(parent), name, r);
    t->setReadOnly(true);
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return t;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    return place(new QCheckBox(caption, parent), name, r);
}

QRadioButton* option(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    auto* b = place(new QRadioButton(caption, parent), name, r);
    // The main window's option groups decide exclusivity; they must be able
    // to show "none selected".
    b->setAutoExclusive(false);
    return b;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    auto* b = place(new QPushButton(caption, parent), name, r);
    b->setAutoDefault(false);
    return b;
}

forms::MouseUpButton* mouseUpButton(QWidget* parent, const QString& name, const QString& caption,
                                    const QRect& r)
{
    auto* b = place(new forms::MouseUpButton(caption, parent), name, r);
    b->setAutoDefault(false);
    return b;
}

} // namespace pages

namespace {

using namespace pages;

// A picture button: an icon of the style (or a short glyph) with its tool tip.
template <class B>
B* picture(B* b, QStyle::StandardPixmap icon, const QString& tip)
{
    if (icon != QStyle::SP_CustomBase)
        b->setIcon(b->style()->standardIcon(icon));
    b->setToolTip(tip);
    return b;
}

// One caption-and-field row of the entry grid.
constexpr int kCapX = 6, kCapW = 112, kFieldX = 120, kFieldW = 350, kRowH = 22;

QRect capRect(int y) { return QRect(kCapX, y + 1, kCapW, kRowH - 2); }

// The entry grid and the record bar lie in the frame Frame1, which is hidden
// while no vehicle is set up; its top edge on the page:
constexpr int kFrame1Top = 120;

void buildEntryFields(QWidget* page)
{
    // Departure: date, time with hour and minute spin, odometer reading.
    int y = 124 - kFrame1Top;
    label(page, "Label1", " Abfahrt / Datum", capRect(y));
    textBox(page, "EinDatumAb", QRect(kFieldX, y, 82, kRowH));
    label(page, "Label2", " Zeit", QRect(206, y + 1, 38, kRowH - 2));
    textBox(page, "EinZeitAb", QRect(246, y, 48, kRowH));
    hosted(page, "QKSpin2", kSpinProgId, QRect(296, y, 16, kRowH));
    hosted(page, "QKSpin1", kSpinProgId, QRect(314, y, 16, kRowH));
    label(page, "Label3", " km/Std.", QRect(336, y + 1, 58, kRowH - 2));
    valueLabel(page, "AnzKmAb", QRect(396, y, 74, kRowH));

    struct Row { const char* cap; const char* capName; const char* field; int maxLen; };
    const Row route[] = {
        {" von / Abfahrtsort", "Label4", "EinVon", 50},
        {" über  / Wegstre. ", "Label5", "EinUber", 255},
        {" nach/ Ankunftsort", "Label6", "EinNach", 50},
    };
    for (const Row& r : route) {
        y += 28;
        label(page, r.capName, QString::fromUtf8(r.cap), capRect(y));
        comboBox(page, r.field, QRect(kFieldX, y, kFieldW, kRowH));
    }

    // Arrival: date, time with hour and minute spin, odometer with its spin.
    y += 28;
    label(page, "Label7", " Ankunft / Datum", capRect(y));
    textBox(page, "EinDatumAn", QRect(kFieldX, y, 82, kRowH));
    label(page, "Label8", " Zeit", QRect(206, y + 1, 38, kRowH - 2));
    textBox(page, "EinZeitAn", QRect(246, y, 48, kRowH));
    hosted(page, "QKSpin3", kSpinProgId, QRect(296, y, 16, kRowH));
    hosted(page, "QKSpin4", kSpinProgId, QRect(314, y, 16, kRowH));
    label(page, "Label9", " km/Std.", QRect(336, y + 1, 58, kRowH - 2));
    textBox(page, "EinkmAn", QRect(396, y, 56, kRowH));
    hosted(page, "QKSpin6", kSpinProgId, QRect(454, y, 16, kRowH));

    // Driven km; passengers only for a private car.
    y += 28;
    label(page, "Label102", "gef. km", capRect(y));
    textBox(page, "EinGefKm", QRect(kFieldX, y, 66, kRowH));
    hosted(page, "QKSpin7", kSpinProgId, QRect(188, y, 16, kRowH));
    label(page, "Label118", " Mitgenommene Personen", QRect(212, y + 1, 164, kRowH - 2))->hide();
    textBox(page, "PersAnz", QRect(378, y, 40, kRowH))->hide();
    hosted(page, "QKSpin5", kSpinProgId, QRect(420, y, 16, kRowH))->hide();

    const Row texts[] = {
        {" Grund der Fahrt", "Label10", "EinGrund", 50},
        {" Gesprächspartner", "Label11", "EinGesprach", 50},
        {" Name d. Fahrers", "Label41", "EinFahrer", 50},
    };
    for (const Row& r : texts) {
        y += 28;
        label(page, r.capName, QString::fromUtf8(r.cap), capRect(y));
        comboBox(page, r.field, QRect(kFieldX, y, kFieldW, kRowH));
    }

    // Journal line: entry date, or the status of a cancelled/changed entry.
    y += 28;
    // Side by side: the allowance display may show the entry date beside the
    // status of a cancelled or changed entry.
    label(page, "LEinDatum", "Eintragungsdatum ", QRect(kCapX, y + 1, 190, kRowH - 2));
    auto* status = checkBox(page, "Check13", "Normaler Eintrag", QRect(200, y, 270, kRowH));
    status->hide();
}

void buildRecordBar(QWidget* page)
{
    const int y = 404 - kFrame1Top, h = 28;
    picture(mouseUpButton(page, "AutoDatAnfang", "", QRect(6, y, 32, h)), QStyle::SP_MediaSkipBackward,
            "(F4) ersten Datensatz anzeigen");
    picture(mouseUpButton(page, "AutoDatZuruck", "", QRect(40, y, 32, h)), QStyle::SP_MediaSeekBackward,
            QString::fromUtf8("(F5) einen Datensatz zurück"));
    auto* nr = textBox(page, "FahrtNr", QRect(76, y + 3, 58, kRowH));
    nr->setAlignment(Qt::AlignRight);
    nr->setReadOnly(true);
    picture(mouseUpButton(page, "AutoDatVor", "", QRect(138, y, 32, h)), QStyle::SP_MediaSeekForward,
            "(F6) einen Datensatz vor");
    picture(mouseUpButton(page, "AutoDatEnde", "", QRect(172, y, 32, h)), QStyle::SP_MediaSkipForward,
            "(F7)  letzten Datensatz anzeigen");
    picture(mouseUpButton(page, "NeuerEintrag", "", QRect(214, y, 32, h)), QStyle::SP_FileIcon,
            "(F9)  neuer Datensatz");
    picture(button(page, "Command5_0", "", QRect(248, y, 32, h)), QStyle::SP_BrowserReload,
            QString::fromUtf8("(F12) automatisch die Rückfahrt ausfüllen"));
    picture(mouseUpButton(page, "EintragSpeichern", "", QRect(282, y, 32, h)), QStyle::SP_DialogSaveButton,
            QString::fromUtf8("(F8)  Datensatz speichern / überschreiben"));
    picture(button(page, "CBenzin_0", QString::fromUtf8("€"), QRect(324, y, 32, h)), QStyle::SP_CustomBase,
            "(Ende) Es wird unten in der Liste die Kosteneingabe angezeigt");
    mouseUpButton(page, "Tabellezeigen_", "Hilfe ", QRect(366, y, 104, h));
}

void buildCostFrame(QWidget* page)
{
    auto* f = frame(page, "FrBenzin", "Kraftstoff / Werkstatt - Kosten", QRect(6, 440, 464, 208));
    label(f, "CapBGesamt", "Gesamt", QRect(280, 18, 80, 16));
    label(f, "CapPreis", "Preis", QRect(366, 18, 90, 16));

    label(f, "CapTanken", "Tanken", QRect(8, 37, 70, 20));
    auto* kind = comboBox(f, "CbbKArt", QRect(80, 36, 70, kRowH));
    kind->setItems({"Liter", "kWh", "Kg"});
    kind->setText("Liter");
    textBox(f, "TLiter", QRect(154, 36, 60, kRowH));
    label(f, "Label35", "Liter", QRect(216, 37, 60, 20));
    textBox(f, "TBGesamt", QRect(280, 36, 80, kRowH));
    valueLabel(f, "Label30", QRect(366, 36, 90, kRowH));

    label(f, "CapWerkstatt", "Werkstatt / Sonstiges", QRect(8, 67, 136, 20));
    label(f, "CapBez", "Bez.", QRect(146, 67, 30, 20));
    textBox(f, "TWbez", QRect(178, 66, 98, kRowH), 50);
    textBox(f, "TWGesamt", QRect(280, 66, 80, kRowH));

    label(f, "CapVerbrauch", "Verbrauch auf 100 km", QRect(8, 96, 170, 20));
    valueLabel(f, "Label31", QRect(180, 96, 100, 20));
    label(f, "CapTankkosten", "Gesamt Tankkosten", QRect(8, 118, 170, 20));
    valueLabel(f, "Label27", QRect(180, 118, 100, 20));
    label(f, "CapWerkkosten", "Gesamtkosten  ohne Tanken", QRect(8, 140, 170, 20));
    valueLabel(f, "Label34", QRect(180, 140, 100, 20));

    button(f, "CB_BSpeichern", "Speichern", QRect(8, 170, 100, 28))->hide();
    button(f, "CBFListe", QString::fromUtf8("Fenster schließen - Fahrtenliste anzeigen"), QRect(112, 170, 344, 28));
    // Opaque and on top: shown, it covers the trip list or the help box.
    f->setAutoFillBackground(true);
    f->hide();
}

void buildLowerArea(QWidget* page)
{
    // The trip list, the cost frame and the help box share this place.
    auto* trips = listBox(page, "FahrtListe", QRect(6, 440, 464, 208));
    trips->setFont(fixedPitch(trips->font()));
    trips->hide();
    helpBox(page, "TEinHilfe", QRect(6, 440, 464, 172));
    button(page, "CBTextfensterEin", "Extra Hilfsfenster anzeigen", QRect(6, 618, 200, 28));
    buildCostFrame(page);
}

void buildInfoFrames(QWidget* page)
{
    const QRect r(478, 170, 292, 234);

    auto* info = frame(page, "Frame5", "Information", r);
    struct Line { const char* capName; const char* cap; const char* value; };
    const Line lines[] = {
        {"CapZeitFahrt", "Gef. Zeit ", "LZeitFahrt"},
        {"CapFahrtAnzahl", "Fahrten an diesem Tag", "LFahrtAnzahl"},
        {"CapVerpflegGesamt", "Pauschale gesamt", "LVerpflegGesamt"},
        {"CapReisekosten", "Verpflegungspauschale", "LReisekosten"},
    };
    int y = 20;
    for (const Line& l : lines) {
        label(info, l.capName, QString::fromUtf8(l.cap), QRect(8, y, 170, 20));
        valueLabel(info, l.value, QRect(180, y, 104, 20));
        y += 22;
    }
    auto* longCap = label(info, "CapGGefahrenZeit",
                          QString::fromUtf8("Gefahrene Zeit gesamt für  Verpflegungspauschale (Geschäftsfahrten)"),
                          QRect(8, y, 170, 44));
    longCap->setWordWrap(true);
    valueLabel(info, "LGGefahrenZeit", QRect(180, y + 12, 104, 20));
    // The rule text has five lines.
    auto* rule = label(info, "Label20", "", QRect(8, y + 46, 276, r.height() - (y + 46) - 4));
    rule->setWordWrap(true);
    rule->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = rule->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0xC0)); // dark blue
    rule->setPalette(pal);

    auto* share = frame(page, "Frame7", "Aktuelle Prozentverteilung", r);
    struct Type { const char* capName; const char* cap; const char* km; const char* pct; };
    const Type types[] = {
        {"CapLabWA", "Wohn- u. Arbeitsstätte", "LabWA", "LabWAP"},
        {"CapLabPri", "Privatfahrten", "LabPri", "LabPriP"},
        {"CapLabGesch", "Geschäftsfahrten", "LabGesch", "LabGeschP"},
        {"CapLabEhr", "Umsatzsteuerfreie Fahrten", "LabEhr", "LabEhrP"},
        {"CapLabFam", "Familienheimfahrten", "LabFam", "LabFamP"},
    };
    y = 22;
    for (const Type& t : types) {
        label(share, t.capName, QString::fromUtf8(t.cap), QRect(8, y, 164, 20));
        valueLabel(share, t.km, QRect(174, y, 52, 20));
        valueLabel(share, t.pct, QRect(228, y, 56, 20));
        y += 26;
    }
    y += 8;
    label(share, "CapLabbetrieb", "Anteil betrieblicher Fahrten", QRect(8, y, 218, 20));
    valueLabel(share, "Labbetrieb", QRect(228, y, 56, 20));
    share->hide();

    auto* priv = frame(page, "Frame8", QString::fromUtf8("Geschäftsfahrten / Privatfahrzeug"), r);
    // The three frames share one place; drawn opaque, the private car's own
    // frame covers the allowance information instead of mixing with it.
    for (QGroupBox* f : {info, share, priv})
        f->setAutoFillBackground(true);
    priv->raise();
    auto* note = label(priv, "CapFrame8Hinweis",
                       "Bitte tragen Sie den aktuellen km / Stand ein und klicken Sie auf Verteilung berechnen.",
                       QRect(8, 16, 276, 32));
    note->setWordWrap(true);
    label(priv, "CapText3", "aktueller km/Stand", QRect(8, 53, 120, 20));
    textBox(priv, "Text3", QRect(130, 52, 80, kRowH));
    button(priv, "Command18", "Verteilung / Summe berechnen", QRect(8, 78, 276, 26));
    label(priv, "CapText4", "betriebl.", QRect(8, 111, 64, 20));
    textBox(priv, "Text4", QRect(74, 110, 80, kRowH));
    textBox(priv, "Text6", QRect(160, 110, 60, kRowH));
    label(priv, "CapText6", "%", QRect(222, 111, 16, 20));
    label(priv, "CapText5", "privat", QRect(8, 137, 64, 20));
    textBox(priv, "Text5", QRect(74, 136, 80, kRowH));
    textBox(priv, "Text7", QRect(160, 136, 60, kRowH));
    label(priv, "CapText7", "%", QRect(222, 137, 16, 20));
    label(priv, "CapText8", "Gesamtsumme:", QRect(8, 163, 100, 20));
    textBox(priv, "Text8", QRect(110, 162, 72, kRowH));
    label(priv, "CapaktuFahrko", "Fahrt:", QRect(186, 163, 40, 20));
    textBox(priv, "aktuFahrko", QRect(228, 162, 56, kRowH));
    auto* rate = label(priv, "CapFrame8Regel",
                       QString::fromUtf8("Für jede Person, die bei einer Dienstreise mitgenommen wird, erhöht sich "
                                         "der Kilometersatz von 0,30 € um 0,02 €."),
                       QRect(8, 186, 276, 44));
    rate->setWordWrap(true);
    priv->hide();
}

void buildTripMemory(QWidget* page)
{
    auto* f = frame(page, "Frame4", "Fahrtenspeicher", QRect(478, 408, 292, 240));
    label(f, "Label17", "Buchstabenfilter ( *  zeigt alle)", QRect(8, 21, 190, 18));
    textBox(f, "Text9", QRect(200, 18, 84, kRowH));
    // List1 holds every trip-memory line for the filter; it is never shown.
    listBox(f, "List1", QRect(8, 44, 276, 110))->hide();
    auto* pick = listBox(f, "List8", QRect(8, 44, 276, 110));
    pick->setFont(fixedPitch(pick->font()));
    picture(mouseUpButton(f, "KundeEintragen", "", QRect(8, 158, 88, 26)), QStyle::SP_ArrowDown,
            QString::fromUtf8("(F10)  Fahrtenspeicherauswahl in den neuen Datensatz übertragen"));
    picture(mouseUpButton(f, "KundenNeu", "", QRect(100, 158, 88, 26)), QStyle::SP_ArrowUp,
            QString::fromUtf8("(F11)  aktuellen Datensatz in den Fahrtenspeicher übertragen"));
    picture(mouseUpButton(f, "Kundeuberschreiben", "", QRect(192, 158, 92, 26)), QStyle::SP_TrashIcon,
            QString::fromUtf8("(F3) ausgewählte Eintrag des Fahrtenspeichers löschen"));
    button(f, "KundenBearbeiten", "Fahrtenspeicher bearbeiten", QRect(8, 188, 276, 26));
    label(f, "Label56", "", QRect(8, 216, 276, 20));
}

} // namespace

void buildEintragungenPage(QWidget* page)
{
    using namespace pages;

    // Vehicle choice and trip type.
    auto* autoFrame = frame(page, "Frame2", "Auto", QRect(6, 4, 170, 114));
    // A vehicle button shows once its slot is filled.
    for (int k = 0; k < 4; ++k)
        option(autoFrame, QStringLiteral("AutoOpt_%1").arg(k), "Frei", QRect(10, 20 + 22 * k, 152, 20))->hide();

    auto* typeFrame = frame(page, "Frame3", "Fahrtvoreinstellung", QRect(182, 4, 288, 114));
    const char* const types[][2] = {
        {"OptWA", "Fahrt z. Wohn- und Arbeitsstätte"},
        {"OptPri", "Privatfahrt"},
        {"OptGesch", "Geschäftsfahrt"},
        {"OptEhr", "Umsatzsteuerfreie Fahrt"},
        {"OptFam", "Familienheimfahrt"},
    };
    for (int i = 0; i < 5; ++i)
        option(typeFrame, types[i][0], QString::fromUtf8(types[i][1]), QRect(10, 18 + 18 * i, 270, 18));

    // A borderless frame: it groups the fields so they can be hidden together.
    auto* entry = place(new QFrame(page), "Frame1", QRect(0, kFrame1Top, 476, 316));
    entry->setFrameShape(QFrame::NoFrame);
    buildEntryFields(entry);
    buildRecordBar(entry);

    // Shown in the frame's place while no vehicle is set up.
    auto* notice = helpBox(page, "Text1", QRect(6, kFrame1Top + 4, 464, 308));
    QFont big = notice->font();
    big.setPointSizeF(big.pointSizeF() > 0 ? big.pointSizeF() * 1.4 : 12);
    big.setBold(true);
    notice->setFont(big);
    notice->hide();

    buildLowerArea(page);

    hosted(page, "QKC", kCalendarProgId, QRect(478, 6, 220, 158));
    picture(mouseUpButton(page, "DateiLoschen", "", QRect(704, 6, 66, 28)), QStyle::SP_TrashIcon,
            QString::fromUtf8("(F2) alle Kfz Eintragungen löschen"));

    buildInfoFrames(page);
    buildTripMemory(page);
}

} // namespace kmk
