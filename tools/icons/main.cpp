// Draws the window icons of an installation ("Kilometrika.ico", "rnz.ico")
// into a program folder, so no binary image has to live in the sources.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

QImage zeichne(int groesse, const QColor& farbe, const QString& text)
{
    QImage bild(groesse, groesse, QImage::Format_ARGB32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(farbe, qMax(1, groesse / 16)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, groesse - 1.0, groesse - 1.0), groesse / 8.0, groesse / 8.0);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(groesse * 9 / 20);
    p.setFont(f);
    p.setPen(farbe);
    p.drawText(bild.rect(), Qt::AlignCenter, text);
    return bild;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "Aufruf: kmk-icons <Programmordner>\n";
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    const struct {
        const char* datei;
        QColor farbe;
        const char* text;
    } symbole[] = {{"Kilometrika.ico", QColor(192, 0, 0), "km"}, {"rnz.ico", QColor(0, 0, 192), "rnz"}};
    for (const auto& s : symbole) {
        const QString ziel = ordner + QLatin1Char('/') + QLatin1String(s.datei);
        if (!zeichne(32, s.farbe, QLatin1String(s.text)).save(ziel, "ICO")) {
            err << "Symbol konnte nicht geschrieben werden: " << ziel << "\n";
            return 1;
        }
    }
    return 0;
}
