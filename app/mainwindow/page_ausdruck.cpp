#include "app/mainwindow/page_ausdruck.h"

#include "app/mainwindow/page_eintragungen.h"
#include "platform/forms/mouseupbutton.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace kmk {

void buildAusdruckPage(QWidget* page)
{
    using namespace pages;

    // The current vehicle's plate.
    label(page, "Label74", "Aktuelles Fahrzeug", QRect(6, 6, 196, 18));
    valueLabel(page, "Label73", QRect(6, 26, 196, 22))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // Table buttons, then printing.
    struct Btn { const char* name; const char* caption; const char* tip = nullptr; };
    const Btn buttons[] = {
        {"Command6", "aktuelle Kfz Eintrag."},
        {"Command3", "Vorlage Fahrt.", "Vorlage zur handschriftlichen Aufzeichnung"},
        {"SSCKunden", "Kundenspeicher"},
        {"CBBetriebskosten", "Betriebskosten"},
        {"Command7", "Prozentverteilung"},
        {"CommandEigenverbrauch", "Eigenverbrauch"},
        {"ExcelExport", "Export für IDEA"},
        {"Command9", "Druckersetup"},
        {"SSCDruckvor", "Druckvorschau / drucken"},
    };
    int y = 58;
    for (const Btn& b : buttons) {
        QPushButton* k = button(page, b.name, QString::fromUtf8(b.caption), QRect(6, y, 196, 28));
        if (b.tip)
            k->setToolTip(QString::fromUtf8(b.tip));
        y += 32;
    }
    mouseUpButton(page, "Command8", "Ohne autom. Druckanpassung", QRect(6, y + 4, 196, 28));

    // Screen zoom and print scale.
    auto* zoomCap = label(page, "Label75", "Zoom Bild- schirm", QRect(6, 410, 94, 34));
    zoomCap->setWordWrap(true);
    auto* printCap = label(page, "Label76", "Zoom Druck", QRect(108, 410, 94, 34));
    printCap->setWordWrap(true);
    listBox(page, "List4", QRect(6, 446, 94, 198));
    listBox(page, "List5", QRect(108, 446, 94, 198));

    // The sheet: a stand-in until the spreadsheet control is placed here.
    auto* sheet = new QFrame(page);
    sheet->setObjectName("F1Book1");
    sheet->setFrameShape(QFrame::StyledPanel);
    sheet->setFrameShadow(QFrame::Sunken);
    sheet->setAutoFillBackground(true);
    QPalette pal = sheet->palette();
    pal.setColor(QPalette::Window, Qt::white);
    sheet->setPalette(pal);
    sheet->setGeometry(208, 6, 562, 530);

    helpBox(page, "TDruckHilfe", QRect(208, 542, 562, 70));
    button(page, "CBTextfensterDru", "Extra Hilfsfenster anzeigen", QRect(208, 616, 200, 28));
}

} // namespace kmk
